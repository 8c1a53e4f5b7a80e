// The game's bitmaps read from the bytes of their BMP files, for platforms without an image library:
// uncompressed BMPs of 1, 4, 8 or 24 bits a pixel, as resources/draw_bitmaps.cpp writes them. A
// two-colour file becomes a two-colour Bitmap whose 0-bits are the darker of its two colours (the
// bits the colour rule draws in the text colour), every other file a colour Bitmap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "raster/raster.h"

// A null Bitmap when the bytes are not such a file.
Bitmap BitmapFromBmp(std::span<const uint8_t> file);
