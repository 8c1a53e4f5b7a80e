// Item sprites, red item outlines and the numbers of the port boxes.
//
// The item sprite sheet (bitmap 130) is 8 columns by 2 rows of 20-pixel cells divided by 1-pixel grey
// lines; the picture of column c, row r is the 19 x 19 square from (20c + 1, 20r + 1) on a purple
// background that is the transparency key. Row 0 holds the items in black, row 1 the same in blue for
// the hidden items that the player got wrong. A cell's picture goes one pixel inside its 21 x 21 box,
// inside the box's border lines.
//
// The digit strip (bitmap 120) holds the glyphs 0 to 9, 10 rows tall, as 0-bits on 1-bits, so they
// come out in the target's text colour and leave its background alone.
#include <array>

#include "model/game_state.h"
#include "seam/host.h"
#include "core/render/offscreen.h"

namespace {

constexpr int kItemSheet = 130;
constexpr Colour kSpriteKey = rgb(128, 0, 128);
constexpr int kSpriteSize = 19;
constexpr int kGlyphHeight = 10;

// Sheet column of each item code 0 .. 8; every other code shows column 0, which is all key colour.
constexpr std::array<int, 9> kSheetColumn = {0, 1, 2, 6, 5, 3, 4, 7, 7};

int SheetColumn(int16_t item) {
    return item >= 0 && item <= 8 ? kSheetColumn[item] : 0;
}

struct Glyph {
    int16_t left;
    int16_t width;
};

constexpr std::array<Glyph, 10> kDigitGlyphs = {{
    {0, 7},
    {10, 3},
    {15, 8},
    {24, 8},
    {33, 8},
    {42, 8},
    {52, 7},
    {60, 8},
    {70, 7},
    {79, 7},
}};

void DrawGlyph(DeviceContext& dc, int32_t x, int32_t y, int16_t digit) {
    int16_t left = 0;
    int16_t width = 0;
    GetDigitGlyph(digit, left, width);
    dc.TransparentImage(x, y, width, kGlyphHeight, Offscreen.sourceDC, left, 0, width, kGlyphHeight,
                        rgb(255, 255, 255));
}

void DrawSegment(DeviceContext& dc, int32_t x, int32_t y, Point32 from, Point32 to) {
    const Point32 points[2] = {{x + from.x, y + from.y}, {x + to.x, y + to.y}};
    dc.Polyline(points, 2);
}

}  // namespace

void DrawItemSprite(DeviceContext& dc, int32_t x, int32_t y, int32_t item, int16_t mode) {
    if (mode == Outline) return;
    const Bitmap sheet = LoadBitmapW(kItemSheet);
    if (sheet.isNull()) return;
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(sheet);
    const int sourceX = 20 * SheetColumn(static_cast<int16_t>(item)) + 1;
    const int sourceY = mode == Highlight ? 21 : 1;
    dc.TransparentImage(x + 1, y + 1, kSpriteSize, kSpriteSize, Offscreen.sourceDC, sourceX, sourceY,
                        kSpriteSize, kSpriteSize, kSpriteKey);
    Offscreen.sourceDC.SelectBitmap(replaced);
}

void DrawItemOutline(DeviceContext& dc, int32_t x, int32_t y, int32_t item, int16_t mode) {
    const auto code = static_cast<int16_t>(item);
    if (mode != Outline || code == Empty) return;
    const Pen replaced = dc.SelectPen(CreatePen(1, rgb(255, 0, 0)));
    switch (code) {
        case SlashMirror:
            DrawSegment(dc, x, y, {4, 16}, {18, 2});
            break;
        case BackslashMirror:
            DrawSegment(dc, x, y, {4, 4}, {18, 18});
            break;
        case VerticalMirror:
            DrawSegment(dc, x, y, {6, 4}, {6, 17});
            DrawSegment(dc, x, y, {14, 4}, {14, 17});
            break;
        case HorizontalMirror:
            DrawSegment(dc, x, y, {4, 6}, {17, 6});
            DrawSegment(dc, x, y, {4, 14}, {17, 14});
            break;
        case Absorber:
            dc.Ellipse(x + 4, y + 4, x + 17, y + 17);
            break;
        case TotalReflector:
            dc.Rectangle(x + 5, y + 5, x + 16, y + 16);
            break;
        default:  // the wormhole ends have no outline
            break;
    }
    dc.SelectPen(replaced);
}

void GetDigitGlyph(int16_t digit, int16_t& left, int16_t& width) {
    const Glyph glyph = digit >= 0 && digit <= 9 ? kDigitGlyphs[digit] : kDigitGlyphs[0];
    left = glyph.left;
    width = glyph.width;
}

void DrawNumber(DeviceContext& dc, int32_t left, int32_t top, int32_t right, int32_t bottom, int16_t value) {
    if (value < 0 || value > 99 || bottom - top < 10 || right - left < 17) return;
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    const int32_t y = top + h / 2 - 5;
    int16_t glyphLeft = 0;
    if (value < 10) {
        int16_t width = 0;
        GetDigitGlyph(value, glyphLeft, width);
        DrawGlyph(dc, left + w / 2 - width / 2, y, value);
        return;
    }
    const auto tens = static_cast<int16_t>(value / 10);
    const auto units = static_cast<int16_t>(value % 10);
    int16_t tensWidth = 0;
    int16_t unitsWidth = 0;
    GetDigitGlyph(tens, glyphLeft, tensWidth);
    GetDigitGlyph(units, glyphLeft, unitsWidth);
    const int32_t start = left + w / 2 - (tensWidth + unitsWidth + 1) / 2;
    DrawGlyph(dc, start + tensWidth + 1, y, units);
    DrawGlyph(dc, start, y, tens);
}
