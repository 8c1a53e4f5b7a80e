// The bytes of the game's BMP files, compiled into the program (see embed_bitmaps.cmake).
#pragma once

#include <cstdint>
#include <span>

// The file of bitmap `number` (120 .. 132); empty when the game has none of that number.
std::span<const uint8_t> EmbeddedBitmap(int number);
