// Internal errors met while painting a frame.
#pragma once

// Freezes the game (Broken) and then tells the player "Internal error <number> (Paint)". The phase
// changes before the box shows, so a repaint that arrives during the box's modal loop does not ask
// again.
void ReportPaintError(int number);
