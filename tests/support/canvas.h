// The colours the tests paint with and look for (the game's own, and a field no drawing uses), a
// canvas to draw on, and its pixels written out as letters to compare with a picture.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>

#include "raster/device_context.h"

inline constexpr Colour kField = rgb(10, 20, 30), kBlack = rgb(0, 0, 0), kWhite = rgb(255, 255, 255);
inline constexpr Colour kPurple = rgb(128, 0, 128), kGreen = rgb(0, 255, 0), kRed = rgb(255, 0, 0);

// A context on a colour bitmap filled with `field`.
inline DeviceContext Canvas(int width, int height, Colour field = kField) {
    Bitmap bitmap(width, height);
    bitmap.fill(field);
    DeviceContext dc;
    dc.SelectBitmap(bitmap);
    return dc;
}

// The pixels from (x, y) on, `count` of them to the right, one letter each: '.' the field, w white,
// k black, p purple, g green, r red, y the stock grey, ? anything else.
inline std::string Pixels(const DeviceContext& dc, int x, int y, int count) {
    static const Colour colours[] = {kField, kWhite, kBlack, kPurple, kGreen, kRed, rgb(128, 128, 128)};
    std::string text;
    for (int i = 0; i < count; ++i) {
        const Colour* found = std::find(std::begin(colours), std::end(colours), dc.Image().pixel(x + i, y));
        text += found == std::end(colours) ? '?' : ".wkpgry"[found - colours];
    }
    return text;
}

// Every row of the bitmap, each ended by '/'.
inline std::string Picture(const DeviceContext& dc) {
    std::string text;
    for (int y = 0; y < dc.Image().height(); ++y) text += Pixels(dc, 0, y, dc.Image().width()) + "/";
    return text;
}
