// Undo and redo of the player's own board changes while a game is played.
//
// The player's side of a game is what the player's taps on the board change: the player's board, the
// placed count, the palette selection (paletteSlot, selectedItem) and the palette counts (remaining).
// A step of the history is a copy of that side as it stood before one change. The rules:
//   - A change is a tap that changed the player's board (an item placed or taken back). A tap that
//     changed nothing (on a wormhole end, on an empty cell with nothing left to place) is no step, and
//     neither is showing or hiding a ray, picking a palette slot or toggling the hints.
//   - Undo puts the side back exactly as it was before the last change; the side it leaves goes onto
//     the redo steps. Redo puts back the side that the last undo left. A new change drops the redo
//     steps.
//   - At most kHistoryLimit steps are kept in all; a change beyond that drops the oldest undo step.
//   - Undo and redo touch neither the clock nor moveCount, nor the player's labels: the caller relabels
//     and checks for a solution as it does after a tap.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/game_state.h"

inline constexpr std::size_t kHistoryLimit = 1000;

struct PlayerSide {
    Board playerBoard{};
    int32_t placedCount = 0;
    int32_t paletteSlot = 0;
    int16_t selectedItem = Empty;
    std::array<int16_t, 9> remaining{};  // indexed by ItemType
    friend bool operator==(const PlayerSide&, const PlayerSide&) = default;
};

// undo holds the sides before each change, oldest first; redo the sides that undo left, the one the
// next redo puts back last.
struct History {
    std::vector<PlayerSide> undo;
    std::vector<PlayerSide> redo;
    friend bool operator==(const History&, const History&) = default;
};

PlayerSide TakePlayerSide(const GameRecord& game);
void PutPlayerSide(GameRecord& game, const PlayerSide& side);

// Records `before`, the side taken just before a tap, when the tap changed the player's board of
// `after`. Returns whether a step was recorded.
bool RecordChange(History& history, const PlayerSide& before, const GameRecord& after);

bool CanUndo(const History& history);
bool CanRedo(const History& history);

// Each returns false, and leaves everything alone, when there is no step to take.
bool Undo(History& history, GameRecord& game);
bool Redo(History& history, GameRecord& game);

// Brings the palette counts and the selection of `side` to what the next repaint shows for the puzzle
// `hidden` of size n: remaining recounted from both boards, placedCount the items on the player's
// board, the first type left selected when nothing was, and the type standing in paletteSlot selected.
void SettlePalette(PlayerSide& side, const Board& hidden, int32_t n);
