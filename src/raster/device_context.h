// The game's drawing contexts over the raster core: a bitmap with the pen, brush, text colour,
// background colour and background mode that the drawing calls use, keeping two rules.
//
// Geometry rule: a rectangle (left, top, right, bottom) covers columns left .. right - 1 and rows
// top .. bottom - 1, outlined with the current pen and filled with the current brush; a line from A to
// B sets every pixel from A up to, but not including, B.
//
// Colour rule: a two-colour bitmap copied onto a colour context draws its 0-bits in the target's text
// colour and its 1-bits in the target's background colour. A transparency key names the source's own
// colour of the pixels to skip: for a two-colour bitmap black means the 0-bits and white the 1-bits;
// for colour bitmaps the key is compared with the pixel colours.
#pragma once

#include <cstdint>
#include <string_view>

#include "raster/raster.h"

struct Pen {
    int32_t width = 1;
    Colour colour = rgb(0, 0, 0);
    bool null = false;  // draws no outline
};

struct Brush {
    enum class Kind { Solid, Pattern, Hollow };
    Kind kind = Kind::Solid;
    Colour colour = rgb(255, 255, 255);
    Bitmap pattern;  // Kind::Pattern: tiles anchored at (0, 0)
};

// A solid pen (style 0) of a width and colour.
Pen CreatePen(int32_t width, Colour colour);
Brush CreateSolidBrush(Colour colour);
Brush CreatePatternBrush(const Bitmap& pattern);

// The stock brushes that the game asks for: the grey one, and the hollow one that leaves insides alone.
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int NULL_BRUSH = 5;
Brush GetStockBrush(int id);

enum class RasterOp { Whiteness, Blackness };
enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// DrawTextW formats.
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_NOCLIP = 0x0100;

// What a platform hands the raster core to draw text with: `text` (UTF-16, lines split at "\r\n"
// unless DT_SINGLELINE) in `rect` with `format`, in `ink`, on an opaque band of `background` when
// `opaque`. Returns the text's height; draws nothing on a null target.
struct TextStyle {
    Colour ink;
    Colour background;
    bool opaque;
};
using TextDrawer = int32_t (*)(Bitmap& target, std::u16string_view text, const Rect32& rect, unsigned format,
                               const TextStyle& style);

// Installs the platform's text drawer; without one, text draws nothing and measures 0.
void SetTextDrawer(TextDrawer drawer);

// A memory drawing context. It starts with no bitmap (drawing then does nothing), a black 1-pixel
// pen, a white brush, black text on a white opaque background.
class DeviceContext {
  public:
    DeviceContext();

    // Attaching returns what was attached before, so that it can be put back.
    Bitmap SelectBitmap(const Bitmap& bitmap);
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    Colour SetTextColor(Colour colour);
    Colour SetBkColor(Colour colour);
    BackgroundMode SetBkMode(BackgroundMode mode);

    Colour TextColor() const { return textColour_; }
    Colour BkColor() const { return backgroundColour_; }
    BackgroundMode BkMode() const { return backgroundMode_; }
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }

    // The attached bitmap (null when none). Writing to it draws on the context.
    Bitmap& Image() { return bitmap_; }
    const Bitmap& Image() const { return bitmap_; }

    void PatBlt(int32_t x, int32_t y, int32_t width, int32_t height, RasterOp op);
    // Plain copy from the source's bitmap; a two-colour source follows the colour rule.
    void BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                int32_t sourceX, int32_t sourceY);
    // Stretched copy combined with the destination by bitwise OR.
    void StretchBltOr(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                      int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight);
    // Copy that skips the source pixels of the key colour.
    void TransparentImage(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                          int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight,
                          Colour key);

    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom);
    void Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom);
    // Segments joining the points in turn; with a 1-pixel pen the last point itself is not set.
    void Polyline(const Point32* points, int count);
    // Closed polygon filled (odd-even) with the brush, then outlined with the pen.
    void Polygon(const Point32* points, int count);
    void SetPixel(int32_t x, int32_t y, Colour colour);
    // Text in the platform's default font, lines split at "\r\n"; formats DT_CENTER, DT_RIGHT (first
    // line at the rectangle's top) and DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP. Returns the
    // text height.
    int32_t DrawTextW(std::u16string_view text, const Rect32& rect, unsigned format);

  private:
    Bitmap bitmap_;
    Pen pen_;
    Brush brush_;
    Colour textColour_;
    Colour backgroundColour_;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
};
