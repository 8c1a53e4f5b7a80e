// The palette counts and the comparison of the player's board with the hidden one.
//
// The palette is a vertical strip: remaining[1] slots of type 1, then remaining[2] slots of type 2,
// and so on up to type 6. paletteSlot indexes that strip and selectedItem names the type shown there.
#include "model/model.h"

void RecountPalette(int16_t preferred) {
    GameState.remaining.fill(0);
    const int32_t n = GameState.gridSize;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            const int16_t v = GameState.hiddenBoard[x * 8 + y];
            if (v >= Empty && v <= WormholeB) ++GameState.remaining[v];
        }
    }
    // While a game is played the palette offers what is still to place; otherwise the whole puzzle.
    if (GameState.gamePhase == Playing) {
        for (int32_t x = 0; x < n; ++x) {
            for (int32_t y = 0; y < n; ++y) {
                const int16_t v = GameState.playerBoard[x * 8 + y];
                if (v >= Empty && v <= WormholeB) --GameState.remaining[v];
            }
        }
    }
    if (preferred >= Empty && preferred <= TotalReflector) GameState.selectedItem = preferred;
    int32_t slot = 0;
    for (int16_t t = SlashMirror; t <= TotalReflector; ++t) {
        if (GameState.remaining[t] != 0 && (t == preferred || GameState.selectedItem == Empty)) {
            GameState.paletteSlot = slot;
            GameState.selectedItem = t;
        }
        slot += GameState.remaining[t];
    }
}

int16_t CompareBoards(int32_t& misplaced) {
    misplaced = 0;
    if (LabelAllPorts(kPlayerBoard) != 0) return -1;
    const int32_t n = GameState.gridSize;
    int16_t differing = 0;
    for (int32_t p = 4 * n - 1; p >= 0; --p) {
        if (GameState.hiddenLabels[p] != GameState.playerLabels[p]) ++differing;
    }
    // Only hidden items count: an item the player put on a cell that is empty in the puzzle shows up
    // in the labels, not here.
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            const int16_t hidden = GameState.hiddenBoard[x * 8 + y];
            if (hidden != Empty && hidden != GameState.playerBoard[x * 8 + y]) ++misplaced;
        }
    }
    return differing;
}
