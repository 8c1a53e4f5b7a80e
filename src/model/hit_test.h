// What lies under a tap: a pure function of the game record and a game point, shared by the pointer,
// the keyboard's cursor and any other way of tapping. Applying the tap is a separate step (core/ui/input.cpp).
//
// The board takes its N x N cells, right and bottom edges exclusive. The palette strip takes the
// column x = paletteX .. paletteX + 20 from paletteY down to paletteY + 260, both ends included, whatever
// the number of slots left; the slot is reported as counted from the strip's top, and the tap itself
// decides whether that slot exists. Outside both, each band of port boxes takes 22 pixels beside the
// board and runs one pixel past its last box, so that a tap on a box's shared edge still finds a port.
#pragma once

#include <cstdint>

#include "model/game_state.h"

enum class TapPlace { Nothing, Board, Palette, Port };

struct TapHit {
    TapPlace place = TapPlace::Nothing;
    int32_t column = 0;  // Board: the cell
    int32_t row = 0;
    int32_t slot = 0;   // Palette: the slot from the strip's top, possibly beyond the slots left
    int16_t port = -1;  // Port
    friend bool operator==(const TapHit&, const TapHit&) = default;
};

TapHit HitTest(const GameRecord& game, int32_t x, int32_t y);
