// A new puzzle: the options' grid size and item count, the wormhole pair when asked for, K items
// scattered by rejection sampling, and the hidden board's labels.
//
// Every draw takes the low three bits of the random source, a number from 0 to 7: two draws (x, then
// y) per wormhole end, three (x, y, then the code) per attempted item. Nothing checks that the puzzle
// has one solution or that every item can be seen from a port.
#include "model/model.h"
#include "model/random.h"

namespace {

int32_t Draw() {
    return static_cast<int32_t>(Random() & 7);
}

// Whether code t may stand as item number j (counted down from K - 1 to 0) of a puzzle of K items.
bool ItemAllowed(int32_t t, int32_t j, int32_t k) {
    if (!GameState.useabsorbed && t == Absorber) return false;
    if (!GameState.usereflect && (t == VerticalMirror || t == HorizontalMirror || t == TotalReflector)) {
        return false;
    }
    if (t == WormholeA) return false;
    // The last K / 2 items drawn are always diagonal mirrors.
    if (t >= VerticalMirror && j < k / 2) return false;
    return t != Empty;
}

void PutBoth(int32_t x, int32_t y, ItemType item) {
    GameState.hiddenBoard[x * 8 + y] = item;
    GameState.playerBoard[x * 8 + y] = item;
}

}  // namespace

void GeneratePuzzle() {
    GameState.gridSize = GameState.damier;
    GameState.itemCount = GameState.items;
    const int32_t n = GameState.gridSize;
    const int32_t k = GameState.itemCount;
    ComputeLayout();
    GameState.gamePhase = Playing;
    GameState.placedCount = 0;
    // Still on the previous game's boards: this only resets the palette selection.
    RecountPalette(0);
    GameState.moveCount = 0;
    GameState.elapsedMs = 0;
    GameState.gameStartTick = 0;
    GameState.lastTick = 0;
    GameState.hiddenBoard.fill(Empty);
    GameState.playerBoard.fill(Empty);
    GameState.hiddenLabels.fill(0);
    GameState.playerLabels.fill(0);
    GameState.wormholeA = {-1, -1};
    GameState.wormholeB = {-1, -1};

    if (GameState.useworm) {
        int32_t x = 0;
        int32_t y = 0;
        do {
            x = Draw();
            y = Draw();
        } while (x >= n || y >= n);
        GameState.wormholeA = {x, y};
        PutBoth(x, y, WormholeA);
        do {
            x = Draw();
            y = Draw();
        } while (GameState.hiddenBoard[x * 8 + y] != Empty || x >= n || y >= n);
        GameState.wormholeB = {x, y};
        PutBoth(x, y, WormholeB);
    }

    for (int32_t j = k - 1; j >= 0; --j) {
        int32_t x = 0;
        int32_t y = 0;
        int32_t t = 0;
        do {
            x = Draw();
            y = Draw();
            t = Draw();
        } while (GameState.hiddenBoard[x * 8 + y] != Empty || x >= n || y >= n || !ItemAllowed(t, j, k));
        GameState.hiddenBoard[x * 8 + y] = static_cast<int16_t>(t);
    }

    GameState.shownPort = -99;
    if (LabelAllPorts(kHiddenBoard) != 0) GameState.gamePhase = Broken;
}
