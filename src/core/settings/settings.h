// The options and the two players' statistics, kept between runs in the registry key
// HKEY_CURRENT_USER\Software\Kestory\Mirovane (see seam/registry.h for where that lives).
#pragma once

#include <cstdint>

// Start-up: defaults, the stored values, the conversion of older stores, the clamps of the grid
// size and item count; then relabels the menu and builds the first puzzle. Writes nothing.
void InitSettings();

// Reads every stored value over the fields; 0 when the key was opened, -1 when it could not be.
int32_t LoadSettings();

// Writes every value; the error of creating the key, else the result of closing it.
int32_t SaveSettings();

// The end of a game whose clock ran: adds it to the current player's statistics and saves.
void RecordGame(int16_t labelMismatches, int32_t misplaced, uint32_t elapsedMs);

// Clears the five statistics of Player 1 (0) or Player 2 (any other value). Does not save.
void ResetStatistics(int32_t player);
