// Painting of the game screen.
#pragma once

#include <cstdint>
#include <string>

#include "model/points.h"

// Draws one frame for a paint request whose invalid rectangle is `invalid` into the off-screen
// buffer (or hands it to the title screen). The main window then copies the buffer to the screen,
// limited to the invalid region. Does nothing before the buffer exists.
void Paint(const Rect32& invalid);

// The two steps of every full frame that show the puzzle's physics.
void DrawRayPath();
void DrawPortLabels();

// A number as "%i" writes it.
std::u16string NumberText(int32_t value);
