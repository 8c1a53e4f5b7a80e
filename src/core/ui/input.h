// The game's entry points for taps: a pointer, the keyboard's cursor or any other platform finds what
// lies under its game point with HitTest (model/hit_test.h) and applies the tap here.
#pragma once

#include "model/hit_test.h"

// Applies a tap on whatever HitTest found under it: the title screen ends, a board cell is placed or
// cleared, a palette slot is selected or a port's ray is shown or hidden; then the game is judged.
void ApplyTap(const TapHit& hit);

// After a tap, an undo or a redo: the game ends when the player's board gives every label with every
// item placed; otherwise the game is kept and the screen repainted.
void JudgeBoard();

// Pointer input on the game's screen, in game pixels: both steps at once.
void OnLButtonDown(unsigned flags, int x, int y);
void OnLButtonDblClk(unsigned flags, int x, int y);
