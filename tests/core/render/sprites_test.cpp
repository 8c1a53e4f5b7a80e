// Item sprites, item outlines and port numbers land where the board and the port boxes expect them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <tuple>
#include <vector>

#include "core/render/offscreen.h"
#include "model/game_state.h"
#include "support/canvas.h"
#include "support/stand_in.h"

namespace {

// Pixels as (y, x, colour).
using Drawing = std::set<std::tuple<int, int, Colour>>;

class Sprites : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        Clear();
    }
    static DeviceContext& dc() { return Offscreen.bufferDC; }
    static void Clear() { Offscreen.bufferDC.Image().fill(kField); }
    static Colour At(Point32 p) { return Offscreen.bufferDC.Image().pixel(p.x, p.y); }

    // The pixels of the buffer's top-left 100 x 100 that are not the field.
    static Drawing Drawn() {
        Drawing drawn;
        for (int i = 0; i < 100 * 100; ++i) {
            if (const Colour c = At({i % 100, i / 100}); c != kField) drawn.emplace(i / 100, i % 100, c);
        }
        return drawn;
    }
};

TEST_F(Sprites, OutlinesFollowTheItemsShapeInRedAndPutThePenBack) {
    dc().SelectBrush(GetStockBrush(NULL_BRUSH));
    dc().SelectPen(CreatePen(1, rgb(1, 2, 3)));
    // Per item, points of the cell that are red, then points that are not; the low 16 bits name the item.
    const int cell = 30;
    const std::tuple<int, std::vector<Point32>, std::vector<Point32>> cases[] = {
        {0x10000 + SlashMirror, {{4, 16}, {11, 9}, {17, 3}}, {{18, 2}, {3, 17}}},
        {BackslashMirror, {{4, 4}, {10, 10}, {17, 17}}, {{18, 18}, {3, 3}}},
        {VerticalMirror,
         {{6, 4}, {6, 16}, {14, 4}, {14, 16}},
         {{6, 3}, {14, 3}, {6, 17}, {14, 17}, {10, 10}}},
        {HorizontalMirror,
         {{4, 6}, {16, 6}, {4, 14}, {16, 14}},
         {{3, 6}, {3, 14}, {17, 6}, {17, 14}, {10, 10}}},
        {Absorber, {{10, 4}, {10, 16}, {4, 10}, {16, 10}}, {{10, 10}, {10, 17}, {17, 10}, {4, 4}}},
        {TotalReflector, {{5, 5}, {15, 15}, {5, 15}, {15, 5}}, {{16, 16}, {10, 10}, {4, 4}}},
    };
    for (const auto& [item, red, clear] : cases) {
        Clear();
        DrawItemOutline(dc(), cell, cell, item, Outline);
        for (Point32 p : red)
            EXPECT_EQ(At({cell + p.x, cell + p.y}), kRed) << item << " at " << p.x << "," << p.y;
        for (Point32 p : clear)
            EXPECT_NE(At({cell + p.x, cell + p.y}), kRed) << item << " at " << p.x << "," << p.y;
    }
    EXPECT_EQ(dc().CurrentPen().colour, rgb(1, 2, 3));
}

// ---- Numbers -----------------------------------------------------------------------------------

// Where each glyph of the digit strip starts; the last is the strip's width.
const int kLefts[] = {0, 10, 15, 24, 33, 42, 52, 60, 70, 79, 86};

// The red 0-bits of digit glyphs, each given as (digit, x, y): all the strip's ink from the glyph's
// column up to the next glyph's, so that a glyph too narrow for its ink shows up too.
Drawing Glyphs(const std::vector<std::tuple<int, int, int>>& glyphs) {
    const Bitmap strip = LoadBitmapW(120);
    Drawing pixels;
    for (const auto& [digit, x, y] : glyphs) {
        const int width = kLefts[digit + 1] - kLefts[digit];
        for (int i = 0; i < 10 * width; ++i) {
            const int dx = i % width, dy = i / width;
            if (strip.pixel(kLefts[digit] + dx, dy) == rgb(0, 0, 0)) pixels.emplace(y + dy, x + dx, kRed);
        }
    }
    return pixels;
}

TEST_F(Sprites, NumbersOfEveryDigitSitWhereThePortBoxesExpectThemAndNothingOutsideZeroToNinetyNine) {
    Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
    dc().SetTextColor(kRed);
    dc().SetBkColor(rgb(0, 0, 255));  // the strip's 1-bits must not show
    // 11 in a 21 x 21 box: tens at x = 7, units at 11, both at y = 5; 17 x 10 is the smallest box for 99.
    const std::tuple<int16_t, Rect32, std::vector<std::tuple<int, int, int>>> cases[] = {
        {11, {0, 0, 21, 21}, {{1, 7, 5}, {1, 11, 5}}},
        {7, {20, 20, 41, 41}, {{7, 26, 25}}},
        {10, {20, 20, 41, 41}, {{1, 25, 25}, {0, 29, 25}}},
        {0, {20, 20, 41, 41}, {{0, 27, 25}}},
        {23, {20, 20, 41, 41}, {{2, 22, 25}, {3, 31, 25}}},
        {45, {20, 20, 41, 41}, {{4, 22, 25}, {5, 31, 25}}},
        {68, {20, 20, 41, 41}, {{6, 23, 25}, {8, 31, 25}}},
        {99, {0, 0, 17, 10}, {{9, 1, 0}, {9, 9, 0}}},
        {100, {0, 0, 21, 21}, {}},
        {-1, {0, 0, 21, 21}, {}},
        {5, {0, 0, 16, 21}, {}},
        {5, {0, 0, 21, 9}, {}}};
    for (const auto& [value, box, glyphs] : cases) {
        Clear();
        DrawNumber(dc(), box.left, box.top, box.right, box.bottom, value);
        EXPECT_EQ(Drawn(), Glyphs(glyphs))
            << value << " in a " << box.right - box.left << " x " << box.bottom - box.top;
    }
}

}  // namespace
