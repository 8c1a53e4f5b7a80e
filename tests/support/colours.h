// The colours the tests paint with and look for: the game's own, and a field no drawing uses.
#pragma once

#include "raster/raster.h"

inline constexpr Colour kField = rgb(10, 20, 30), kBlack = rgb(0, 0, 0), kWhite = rgb(255, 255, 255);
inline constexpr Colour kPurple = rgb(128, 0, 128), kGreen = rgb(0, 255, 0), kRed = rgb(255, 0, 0);
inline constexpr Colour kBlue = rgb(0, 0, 255);
