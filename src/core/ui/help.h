// Help for a stuck player, from the exact solver (model/solve.h):
// - Check my board: whether every item placed so far can stay, i.e. some arrangement that keeps them
//   gives every number; it never says which item is wrong.
// - Show a sure cell: an item that every arrangement keeping the player's items puts in the same cell,
//   and that the player has not placed yet: its type is selected in the palette and its cell is
//   outlined over the picture until the next tap. When the board can no longer be completed, it says so.
// Each help starts the clock if it is idle and puts 30 seconds on it.
// - Puzzles with one answer (a desktop preference, off by default so that the handheld's deals stay
//   as they are): every deal is dealt again until the solver finds exactly one arrangement.
#pragma once

#include "model/points.h"

void OnCheckBoard();
void OnShowSureCell();

// The cell that Show a sure cell outlines, until the next tap; false when there is none.
bool SureCell(Point32& cell);
void ForgetSureCell();

// Deals the next puzzle from the options, with one answer when the player asked for it.
void DealPuzzle();
void SetOneAnswerPuzzles(bool on);
bool OneAnswerPuzzles();
