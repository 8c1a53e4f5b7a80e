// The game's controller: commands, the end of a game, the one timer. All run on the UI thread.
#pragma once

#include <cstdint>

// Starts (or replaces) timer `id` on the main window, firing every `milliseconds`; returns its id.
uint32_t SetTimer(uint32_t id, uint32_t milliseconds);
// Stops the timer whose id SetTimer returned.
void KillTimer(uint32_t timerId);

void StopTitleScreen();
int ConfirmAbort();
void OnNewGame();
void OnSolution();
void OnLearn();
void OnHint();
void OnOptions();
void OnTimer(uint32_t timerId);
