// The game's bitmap resources, by number.
#pragma once

#include "raster/raster.h"

// Loads bitmap resource `number` (120 .. 132, 128 the tool bar); a null Bitmap when it cannot.
Bitmap LoadQtBitmap(int number);

// Tests: make LoadQtBitmap fail for `number` (or succeed again).
void SetBitmapLoadFails(int number, bool fails);
