// The game's controller: commands, the end of a game, the one timer. All run on the UI thread.
#pragma once

#include <cstdint>

#include "seam/dialog.h"

// The start-up of the game's window: the random source seeded by the platform, the settings (which
// build the first puzzle), then the title screen with timer 1 every 60 ms.
void OnCreate();

void StopTitleScreen();
Answer ConfirmAbort();
// The close request of the game's window: while a game's clock runs, the player is asked whether to
// abort it. True when the window may close.
bool ConfirmClose();
void OnNewGame();
void OnSolution();
void OnLearn();
void OnHint();
void OnOptions();
void OnTimer(uint32_t timerId);
// Routes a command of the menu or the tool bar to its handler.
void OnCommand(int id);
