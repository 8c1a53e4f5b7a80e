// Taps on the board as the game applies them, for the tests of undo, redo and the kept game: the item
// placed or taken back, then the palette as the next repaint shows it.
#pragma once

#include "model/history.h"
#include "model_test.h"

// What the palette shows after a repaint: counts recounted, the slot's type selected.
inline void Repaint() {
    PlayerSide side = TakePlayerSide(GameState);
    SettlePalette(side, GameState.hiddenBoard, GameState.gridSize);
    PutPlayerSide(GameState, side);
}

// A tap on cell (x, y) of the board, then the repaint; recorded in `history` when it changed the board.
inline bool Tap(History& history, int32_t x, int32_t y) {
    const PlayerSide before = TakePlayerSide(GameState);
    GameRecord& g = GameState;
    int16_t& cell = g.playerBoard[x * 8 + y];
    if (cell == WormholeA || cell == WormholeB) {
    } else if (cell != Empty) {
        const int16_t removed = cell;
        cell = Empty;
        g.placedCount -= 1;
        RecountPalette(removed);
    } else if (g.placedCount < g.itemCount) {
        cell = g.selectedItem;
        g.placedCount += 1;
        if (g.paletteSlot + 1 > g.itemCount - g.placedCount) g.paletteSlot -= 1;
        if (g.paletteSlot < 0) g.paletteSlot = 0;
    }
    Repaint();
    return RecordChange(history, before, GameState);
}

inline void PickSlot(int32_t slot) {
    GameState.paletteSlot = slot;
    Repaint();
}
