// Painting of the game screen.
#pragma once

#include <QRect>

// Draws one frame for a paint request whose invalid rectangle is `invalid` into the off-screen
// buffer (or hands it to the title screen). The main window then copies the buffer to the screen,
// limited to the invalid region. Does nothing before the buffer exists.
void Paint(const QRect& invalid);

// The two steps of every full frame that show the puzzle's physics.
void DrawRayPath();
void DrawPortLabels();
