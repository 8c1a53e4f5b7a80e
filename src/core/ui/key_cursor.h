// Keyboard play: a cursor over the board's cells, the four bands of port boxes around the board and
// the palette strip. The arrows move it; a key tap is applied as the pointer's taps are (ApplyTap), on
// whatever the cursor stands on.
//
// Ports are numbered as everywhere in the game, clockwise from the top-left corner: the top band
// 0..N-1 left to right, the right band N..2N-1 top to bottom, the bottom band 2N..3N-1 right to left,
// the left band 3N..4N-1 bottom to top.
#pragma once

#include "model/game_state.h"
#include "model/hit_test.h"

enum class CursorPlace { Board, Port, Palette };
enum class CursorKey { Left, Right, Up, Down };

struct KeyCursor {
    bool shown = false;  // hidden until the first arrow key, and again after a pointer tap
    CursorPlace place = CursorPlace::Board;
    int column = 0;  // on the board; the column or row a band or the palette was reached from
    int row = 0;
    int port = 0;
    int slot = 0;
};

// The first arrow shows the cursor on the top-left cell; later arrows move it one step.
void MoveCursor(KeyCursor& cursor, CursorKey key);

// Keeps the cursor on something that exists after the board or the palette strip changed.
void ClampCursor(KeyCursor& cursor);

// The 21 x 21 square of the cell, box or slot under the cursor, in game pixels.
Rect32 CursorSquare(const KeyCursor& cursor);

// What a key tap acts on: the cell, port box or palette slot under the cursor.
TapHit CursorHit(const KeyCursor& cursor);

// Palette slot `slot` (digits 1 to 9 pick slots 0 to 8) when the strip has it, else nothing.
TapHit PaletteSlotHit(int slot);
