// The off-screen buffer that every frame is drawn into, and the small routines that draw an item
// sprite, a red item outline and a one- or two-digit number into it.
#pragma once

#include <cstdint>

#include "raster/device_context.h"

struct OffscreenBuffer {
    int32_t height = 0;
    int32_t width = 0;
    // bufferDC holds the buffer's bitmap (read it through bufferDC.Image(); a second copy of the
    // handle would make every drawing call copy the pixels). sourceDC takes a resource bitmap
    // whenever one is the source of a copy.
    DeviceContext sourceDC;
    DeviceContext bufferDC;
    bool exists = false;
};

extern OffscreenBuffer Offscreen;

void CreateOffscreenBuffer(int32_t width, int32_t height);
void DestroyOffscreenBuffer();

enum SpriteMode : int16_t { CellSprite = 0, PaletteSprite = 1, Outline = 2, Highlight = 3 };

// (x, y) is the top-left corner of the cell's 21 x 21 box; the low 16 bits of item are used.
void DrawItemSprite(DeviceContext& dc, int32_t x, int32_t y, int32_t item, int16_t mode);
void DrawItemOutline(DeviceContext& dc, int32_t x, int32_t y, int32_t item, int16_t mode);

void GetDigitGlyph(int16_t digit, int16_t& left, int16_t& width);

// Centres 0 .. 99 in the box from the digit strip attached to Offscreen.sourceDC, in dc's text colour.
void DrawNumber(DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int16_t value);
