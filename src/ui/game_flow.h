// The game's controller: commands, the end of a game, the one timer. All run on the UI thread.
#pragma once

#include <cstdint>

void StopTitleScreen();
int ConfirmAbort();
void OnNewGame();
void OnSolution();
void OnLearn();
void OnHint();
void OnOptions();
void OnTimer(uint32_t timerId);
// Routes a command of the menu or the tool bar to its handler.
void OnCommand(int id);
