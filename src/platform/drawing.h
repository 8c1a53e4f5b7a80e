// The handheld's drawing layer on Qt: memory drawing contexts over QImage with pens, brushes, copies,
// shapes and text, keeping the handheld's two rules.
//
// Geometry rule: a rectangle (left, top, right, bottom) covers columns left .. right - 1 and rows
// top .. bottom - 1, outlined with the current pen and filled with the current brush; a line from A to
// B sets every pixel from A up to, but not including, B.
//
// Colour rule: a two-colour (1-bit) bitmap copied onto a colour context draws its 0-bits in the
// target's text colour and its 1-bits in the target's background colour. A transparency key names the
// source's own colour of the pixels to skip: for a 1-bit bitmap black means the 0-bits and white the
// 1-bits; for colour bitmaps the key is compared with the pixel colours.
#pragma once

#include <cstdint>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>

// Every colour of the game is written through this helper.
constexpr QRgb rgb(int r, int g, int b) { return qRgb(r, g, b); }

// A bitmap: a colour image (RGB32) or a two-colour image (Format_Mono, index 0 the 0-bits). Copies
// share their pixels, so handing one out costs nothing.
using Bitmap = QImage;

// Loads bitmap resource `number` (120 .. 132, 128 the tool bar); a null Bitmap when it cannot.
Bitmap LoadBitmapW(int number);

// Tests: make LoadBitmapW fail for `number` (or succeed again).
void SetBitmapLoadFails(int number, bool fails);

struct Pen {
    int width = 1;
    QRgb colour = rgb(0, 0, 0);
    bool null = false;  // draws no outline
};

struct Brush {
    enum class Kind { Solid, Pattern, Hollow };
    Kind kind = Kind::Solid;
    QRgb colour = rgb(255, 255, 255);
    Bitmap pattern;  // Kind::Pattern: tiles anchored at (0, 0)
};

// A solid pen (style 0) of a width and colour.
Pen CreatePen(int width, QRgb colour);
Brush CreateSolidBrush(QRgb colour);
Brush CreatePatternBrush(const Bitmap& pattern);

// The platform's stock objects that the game asks for.
inline constexpr int WHITE_BRUSH = 0;
inline constexpr int LTGRAY_BRUSH = 1;
inline constexpr int GRAY_BRUSH = 2;
inline constexpr int DKGRAY_BRUSH = 3;
inline constexpr int BLACK_BRUSH = 4;
inline constexpr int NULL_BRUSH = 5;  // the hollow brush
Brush GetStockBrush(int id);

enum class RasterOp { Whiteness, Blackness };
enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// DrawTextW formats.
inline constexpr unsigned DT_CENTER = 0x0001;
inline constexpr unsigned DT_RIGHT = 0x0002;
inline constexpr unsigned DT_VCENTER = 0x0004;
inline constexpr unsigned DT_SINGLELINE = 0x0020;
inline constexpr unsigned DT_NOCLIP = 0x0100;

// A memory drawing context. It starts with no bitmap (drawing then does nothing), a black 1-pixel
// pen, a white brush, black text on a white opaque background.
class DeviceContext {
public:
    DeviceContext();

    // Attaching returns what was attached before, so that it can be put back.
    Bitmap SelectBitmap(const Bitmap& bitmap);
    Pen SelectPen(const Pen& pen);
    Brush SelectBrush(const Brush& brush);
    QRgb SetTextColor(QRgb colour);
    QRgb SetBkColor(QRgb colour);
    BackgroundMode SetBkMode(BackgroundMode mode);

    QRgb TextColor() const { return textColour_; }
    QRgb BkColor() const { return backgroundColour_; }
    BackgroundMode BkMode() const { return backgroundMode_; }
    const Pen& CurrentPen() const { return pen_; }
    const Brush& CurrentBrush() const { return brush_; }

    // The attached bitmap (null when none). Writing to it through this reference draws on the context.
    Bitmap& Image() { return bitmap_; }
    const Bitmap& Image() const { return bitmap_; }

    void PatBlt(int x, int y, int width, int height, RasterOp op);
    // Plain copy (SRCCOPY) from the source's bitmap; a two-colour source follows the colour rule.
    void BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sourceX, int sourceY);
    // Stretched copy combined with the destination by bitwise OR.
    void StretchBltOr(int x, int y, int width, int height, const DeviceContext& source, int sourceX,
                      int sourceY, int sourceWidth, int sourceHeight);
    // Copy that skips the source pixels of the key colour; sizes are equal in every use of the game.
    void TransparentImage(int x, int y, int width, int height, const DeviceContext& source, int sourceX,
                          int sourceY, int sourceWidth, int sourceHeight, QRgb key);

    void Rectangle(int left, int top, int right, int bottom);
    void Ellipse(int left, int top, int right, int bottom);
    // Segments joining the points in turn; the last point itself is not set.
    void Polyline(const QPoint* points, int count);
    // Closed polygon outlined with the pen and filled (odd-even) with the brush.
    void Polygon(const QPoint* points, int count);
    void SetPixel(int x, int y, QRgb colour);
    // Text in the default font, lines split at "\r\n"; formats DT_CENTER, DT_RIGHT (first line at the
    // rectangle's top) and DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP. Returns the text height.
    int DrawTextW(const QString& text, const QRect& rect, unsigned format);

private:
    Bitmap bitmap_;
    Pen pen_;
    Brush brush_;
    QRgb textColour_;
    QRgb backgroundColour_;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
};
