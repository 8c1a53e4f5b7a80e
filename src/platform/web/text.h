// The game's text on a platform that hands out glyphs but draws nothing into the game's buffer
// itself (a browser's canvas): the lines are laid out here as the desktop lays them out, and each is
// drawn from a coverage mask without smoothing, as the handheld drew its text.
#pragma once

#include <cstdint>
#include <string_view>

#include "raster/device_context.h"

struct GlyphSource {
    int32_t lineHeight;
    int32_t ascent;
    int32_t (*lineWidth)(std::u16string_view line);
    // The line's coverage, 0 to 255 a pixel, into `mask` (width x height, row after row), its left
    // edge at x = 0 and its baseline at y = ascent.
    void (*drawLine)(std::u16string_view line, uint8_t* mask, int32_t width, int32_t height, int32_t ascent);
};

// Installs the glyphs that DrawGlyphText draws with. The glyphs of the lines drawn lately are kept, so
// that the page is asked once for each.
void UseGlyphText(const GlyphSource& glyphs);

// The text drawer itself (see TextDrawer in raster/device_context.h).
int32_t DrawGlyphText(Bitmap& target, std::u16string_view text, const Rect32& rect, unsigned format,
                      const TextStyle& style);
