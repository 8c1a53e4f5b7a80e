// Undo and redo of the player's board changes; the rules are in model/history.h.
#include "model/history.h"

PlayerSide TakePlayerSide(const GameRecord& game) {
    return {game.playerBoard, game.placedCount, game.paletteSlot, game.selectedItem, game.remaining};
}

void PutPlayerSide(GameRecord& game, const PlayerSide& side) {
    game.playerBoard = side.playerBoard;
    game.placedCount = side.placedCount;
    game.paletteSlot = side.paletteSlot;
    game.selectedItem = side.selectedItem;
    game.remaining = side.remaining;
}

bool RecordChange(History& history, const PlayerSide& before, const GameRecord& after) {
    if (before.playerBoard == after.playerBoard) return false;
    if (history.undo.size() >= kHistoryLimit) {
        history.undo.erase(history.undo.begin(), history.undo.end() - (kHistoryLimit - 1));
    }
    history.undo.push_back(before);
    history.redo.clear();
    return true;
}

bool CanUndo(const History& history) {
    return !history.undo.empty();
}

bool CanRedo(const History& history) {
    return !history.redo.empty();
}

bool Undo(History& history, GameRecord& game) {
    if (history.undo.empty()) return false;
    history.redo.push_back(TakePlayerSide(game));
    PutPlayerSide(game, history.undo.back());
    history.undo.pop_back();
    return true;
}

bool Redo(History& history, GameRecord& game) {
    if (history.redo.empty()) return false;
    history.undo.push_back(TakePlayerSide(game));
    PutPlayerSide(game, history.redo.back());
    history.redo.pop_back();
    return true;
}

void SettlePalette(PlayerSide& side, const Board& hidden, int32_t n) {
    side.remaining.fill(0);
    side.placedCount = 0;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            const int16_t h = hidden[x * 8 + y];
            const int16_t p = side.playerBoard[x * 8 + y];
            if (h >= Empty && h <= WormholeB) ++side.remaining[h];
            if (p >= Empty && p <= WormholeB) --side.remaining[p];
            if (p >= SlashMirror && p <= TotalReflector) ++side.placedCount;
        }
    }
    // As the recount before drawing: nothing selected takes the first type left.
    int32_t slot = 0;
    for (int16_t t = SlashMirror; t <= TotalReflector; ++t) {
        if (side.remaining[t] > 0 && side.selectedItem == Empty) {
            side.paletteSlot = slot;
            side.selectedItem = t;
        }
        slot += side.remaining[t];
    }
    // As the palette's drawing: the type standing in the selected slot is the selected one.
    slot = side.paletteSlot;
    for (int16_t t = SlashMirror; t <= TotalReflector && slot >= 0; ++t) {
        if (slot < side.remaining[t]) {
            side.selectedItem = t;
            break;
        }
        slot -= side.remaining[t] > 0 ? side.remaining[t] : 0;
    }
}
