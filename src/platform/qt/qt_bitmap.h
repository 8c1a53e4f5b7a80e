// The raster core's bitmaps on Qt: views of their pixels as QImage for showing and saving them, the
// conversion of images that Qt decoded, and the text that Qt draws into them.
#pragma once

#include <QImage>

#include "raster/device_context.h"
#include "raster/raster.h"

// An RGB32 image over the bitmap's own pixels (no copy): valid while the bitmap lives and keeps its
// size. A two-colour bitmap comes out as a black-and-white copy instead.
QImage ImageView(const Bitmap& bitmap);

// A bitmap from an image: two-colour images (depth 1) become two-colour bitmaps whose 0-bits are the
// darker palette entry, every other image a colour bitmap.
Bitmap BitmapFromImage(const QImage& image);

// Draws the game's text with Qt, in the game's font (11 pixels, no antialiasing): the Qt host's text
// drawer.
int32_t DrawQtText(Bitmap& target, std::u16string_view text, const Rect32& rect, unsigned format,
                   const TextStyle& style);
