// Never losing a game: the player's undo and redo of board changes, a New Game or Learn rules taken
// back right after it, and the game in progress kept in the platform's store after every change and
// found again at the next start.
//
// - While a game is played, every tap that changes the player's board is an undo step
//   (model/history.h). Undo and redo put the board, the palette counts and the selection back.
// - New Game and Learn rules that abandon a game whose clock ran keep it aside: until the new game's
//   first counted tap, Undo brings it back with its board, its steps and its clock (the time in
//   between not counted). An abandoned game counts in no statistic, before or after.
// - The game in progress (its clock started) is written to the store after every change and every
//   few seconds of its clock; a game that ended or that the player abandoned through the game's
//   question is removed. At start-up a kept game replaces the new deal; its clock goes on when the
//   title screen ends.
#pragma once

#include "model/history.h"

// Starts the game's clock showing `elapsedMs` already played, with its 100 ms timer: at a game's first
// counted tap or help (0), or when a kept or abandoned game comes back.
void StartGameClock(uint32_t elapsedMs);

// A new game or the demonstration starts: no step to undo or redo.
void ForgetSteps();

// A tap on the board is about to change the player's side, or has changed it.
PlayerSide BeforeBoardTap();
void AfterBoardTap(const PlayerSide& before);

bool CanUndoNow();
bool CanRedoNow();
void OnUndo();
void OnRedo();

// The game in play is being abandoned through the game's question (New Game, Learn rules): it is kept
// aside for one Undo when its clock ran. Call before the question's answer clears moveCount.
void SetAsideGame();
// The player answered the question with OK: the set-aside game (if any) is the one Undo can bring back;
// the store forgets the game.
void GameAbandoned();

// Writes the game in progress to the store, or removes it when no game is in progress.
void KeepGame();
// A tick of the game's clock: the running clock is written every few seconds.
void KeepRunningClock();

// Start-up, after the settings dealt the first puzzle: nothing to undo, and a kept game in the store
// takes the new deal's place.
void FindKeptGame();
// The title screen ended: a found game's clock goes on from where it stood.
void ResumeKeptClock();
