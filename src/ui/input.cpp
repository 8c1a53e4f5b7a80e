// What one tap on the client area does, against the places of the board, the palette strip and the
// four bands of port boxes around the board.
#include "model/game_state.h"
#include "model/model.h"
#include "platform/services.h"
#include "ui/game_flow.h"
#include "ui/main_frame.h"

namespace {

constexpr int kCell = 20;
constexpr int16_t kNoPort = -1;
constexpr int16_t kPortHiddenAgain = -89;  // a second tap on the shown port hides its ray

// A tap on the board while playing: place, remove, or nothing; every such tap counts as a move.
void TapBoard(int x, int y) {
    GameRecord& g = GameState;
    g.moveCount += 1;
    if (g.moveCount == 1) {
        g.gameStartTick = g.lastTick = StartTick();
        g.timerId = SetTimer(1, 100);
    }

    const int cx = (x - g.boardX) / kCell;
    const int cy = (y - g.boardY) / kCell;
    int16_t& cell = g.playerBoard[cx * 8 + cy];
    if (cell == WormholeA || cell == WormholeB) return;  // the pair can be neither placed nor removed

    if (cell != Empty) {
        const int16_t removed = cell;
        cell = Empty;
        g.placedCount -= 1;
        RecountPalette(removed);  // the next tap on an empty cell puts the same item back
        return;
    }
    if (g.placedCount >= g.itemCount) return;
    cell = g.selectedItem;
    g.placedCount += 1;
    // Keep the selection inside the now shorter strip.
    const int left = g.itemCount - g.placedCount;
    if (g.paletteSlot + 1 > left) g.paletteSlot -= 1;
    if (g.paletteSlot < 0) g.paletteSlot = 0;
}

void TapPalette(int y) {
    GameRecord& g = GameState;
    const int slot = (y - g.paletteY) / kCell;
    const int left = g.itemCount - g.placedCount;
    if (left >= 1 && slot >= 0 && slot < left) g.paletteSlot = slot;
}

// The port whose box band holds (x, y), or kNoPort.
int16_t PortAt(int x, int y) {
    const GameRecord& g = GameState;
    const int n = g.gridSize;
    const int left = g.boardX;
    const int top = g.boardY;
    const int side = kCell * n;
    if (x >= left && x <= left + side + 1 && y >= top - 22 && y <= top - 1) {
        return static_cast<int16_t>((x - left) / kCell);
    }
    if (x >= left + side + 2 && x <= left + side + 23 && y >= top && y <= top + side + 1) {
        return static_cast<int16_t>(n + (y - top) / kCell);
    }
    if (x >= left && x <= left + side + 1 && y >= top + side + 2 && y <= top + side + 23) {
        return static_cast<int16_t>(3 * n - 1 - (x - left) / kCell);
    }
    if (x >= left - 22 && x <= left - 1 && y >= top && y <= top + side + 1) {
        return static_cast<int16_t>(4 * n - 1 - (y - top) / kCell);
    }
    return kNoPort;
}

}  // namespace

void OnLButtonDown(unsigned /*flags*/, int x, int y) {
    GameRecord& g = GameState;
    int16_t port = kNoPort;

    if (g.titleStartTick != 0) {
        // The first tap only ends the title screen.
        StopTitleScreen();
        InvalidateClient();
        UpdateWindow();
    } else {
        const int side = kCell * g.gridSize;
        if (x >= g.boardX && x < g.boardX + side && y >= g.boardY && y < g.boardY + side) {
            if (g.gamePhase == Playing) TapBoard(x, y);
        } else if (x >= g.paletteX && x <= g.paletteX + 20 && y >= g.paletteY && y <= g.paletteY + 260) {
            TapPalette(y);
        } else {
            port = PortAt(x, y);
        }
        if (port != kNoPort) g.shownPort = port == g.shownPort ? kPortHiddenAgain : port;
    }

    if (g.gamePhase == Playing) {
        int32_t misplaced = 0;
        const int16_t mismatches = CompareBoards(misplaced);
        if (mismatches <= 0 && g.placedCount == g.itemCount) {
            OnSolution();  // solved: the game ends here and repaints
            return;
        }
    }
    InvalidateClient();
    UpdateWindow();
}

void OnLButtonDblClk(unsigned flags, int x, int y) {
    OnLButtonDown(flags, x, y);
}
