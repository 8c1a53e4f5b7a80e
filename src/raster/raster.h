// The game's raster core: 32-bit colour bitmaps, two-colour bitmaps, and the shapes and copies that
// every frame is made of, in standard C++ alone. Every platform shows the same pixels because they are
// all drawn here; a platform adds only text (its Host's drawText, installed with SetTextDrawer in
// raster/device_context.h).
//
// Colours are 0xFFRRGGBB: the top byte is always 0xFF, so that a platform can show a buffer as it
// stands. Write them through rgb().
//
// A bitmap is a colour bitmap, or a two-colour bitmap whose pixels are the bit values 0 and 1 (read
// back as black and white). The shapes and copies draw on colour bitmaps only; a two-colour bitmap is
// a source for them. Pixels are stored row after row, `width` to a row, with no padding.
// Copies of a Bitmap share its pixels, so handing a loaded bitmap out costs nothing; a drawing on
// one shows in all of them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/points.h"

using Colour = uint32_t;

constexpr Colour rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<Colour>(r & 0xFF) << 16) | (static_cast<Colour>(g & 0xFF) << 8) |
           static_cast<Colour>(b & 0xFF);
}
constexpr int RedOf(Colour c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int GreenOf(Colour c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Colour c) {
    return static_cast<int>(c & 0xFF);
}
// Colours compare by their red, green and blue alone.
constexpr bool SameColour(Colour a, Colour b) {
    return ((a ^ b) & 0xFFFFFFu) == 0;
}

class Bitmap {
  public:
    Bitmap() = default;
    // A bitmap of the size, every pixel black (bit 0 for a two-colour one).
    Bitmap(int32_t width, int32_t height, bool twoColour = false);

    bool isNull() const { return data_ == nullptr; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    bool twoColour() const { return twoColour_; }

    // A pixel's colour; a two-colour bitmap reads black for its 0-bits and white for its 1-bits.
    Colour pixel(int32_t x, int32_t y) const;
    // Sets a pixel; on a two-colour bitmap black sets a 0-bit and every other colour a 1-bit.
    void setPixel(int32_t x, int32_t y, Colour colour);
    void fill(Colour colour);
    // A new bitmap holding the part of this one inside (x, y, width, height); outside pixels are black.
    Bitmap copy(int32_t x, int32_t y, int32_t width, int32_t height) const;

    // Rows of stored values: colours, or bit values 0 and 1. Writing through row() marks the bitmap
    // changed.
    const uint32_t* constRow(int32_t y) const {
        return data_->pixels.data() + static_cast<size_t>(y) * width_;
    }
    uint32_t* row(int32_t y);
    const uint32_t* constBits() const { return data_ == nullptr ? nullptr : data_->pixels.data(); }
    uint32_t* bits();

    // Changes whenever the pixels may have changed; equal keys mean equal pixels.
    uint64_t cacheKey() const { return data_ == nullptr ? 0 : data_->version; }

  private:
    struct Data {
        std::vector<uint32_t> pixels;
        uint64_t version = 0;
    };
    void Touch();

    int32_t width_ = 0;
    int32_t height_ = 0;
    bool twoColour_ = false;
    std::shared_ptr<Data> data_;
};

// ---- Operations on a colour target ----------------------------------------------------------------
// Each works on colour bitmaps only and leaves every pixel outside the target alone.

// Fills columns left .. right - 1 and rows top .. bottom - 1.
void FillRect(Bitmap& target, const Rect32& rect, Colour colour);
// The same area with a tile repeated from the target's (0, 0).
void FillRectWithTile(Bitmap& target, const Rect32& rect, const Bitmap& tile);
// A 1-pixel outline around the same area, with a solid inside or none.
void DrawBox(Bitmap& target, const Rect32& rect, Colour outline, const Colour* inside);
void PlotPixel(Bitmap& target, int64_t x, int64_t y, Colour colour);

// A 1-pixel line from a up to, but not including, b: the major axis advances one pixel per step and
// the minor coordinate is rounded to the nearest pixel, halves away from zero.
void DrawThinLine(Bitmap& target, Point32 a, Point32 b, Colour colour);
// A line `width` pixels wide with round ends: every pixel whose centre (x + 0.5, y + 0.5) lies within
// width / 2 of the segment from a to b.
void DrawWideLine(Bitmap& target, Point32 a, Point32 b, int32_t width, Colour colour);

// The ellipse inscribed in columns left .. right - 1 and rows top .. bottom - 1: its inside filled
// when `inside` is given (a solid colour) or `tile` is (a pattern), then its 1-pixel outline when
// `outline` is given.
void DrawEllipse(Bitmap& target, const Rect32& box, const Colour* outline, const Colour* inside,
                 const Bitmap* tile);

// Fills the polygon by the odd-even rule: every pixel whose centre lies inside, with a solid colour or
// a tile repeated from the target's (0, 0).
void FillPolygon(Bitmap& target, const Point32* points, int count, const Colour* inside, const Bitmap* tile);

// How a copy puts a source pixel on the target.
enum class Combine { Replace, Or };

// Copies the source rectangle `from` onto the target rectangle `to`, picking the nearest source pixel
// when their sizes differ. A two-colour source is recoloured: 0-bits in `zeroColour`, 1-bits in
// `oneColour`. With a key, the source pixels of the key colour are skipped (for a two-colour source,
// black names the 0-bits and white the 1-bits). Pixels outside either bitmap are left alone.
void CopyPixels(Bitmap& target, const Rect32& to, const Bitmap& source, const Rect32& from, Colour zeroColour,
                Colour oneColour, const Colour* key, Combine combine);

// The same for a copy of equal sizes that skips the key colour, by runs of drawn pixels found once per
// source and key: the item sheet and the digit strip are copied this way dozens of times a frame.
void TransparentCopy(Bitmap& target, const Rect32& to, const Bitmap& source, const Rect32& from,
                     Colour zeroColour, Colour oneColour, Colour key);

// A two-colour bitmap in colour: 0-bits in `zeroColour`, 1-bits in `oneColour`; a colour one as it is.
Bitmap Coloured(const Bitmap& source, Colour zeroColour, Colour oneColour);
