// Item sprites, item outlines and port numbers land where the board and the port boxes expect them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <tuple>
#include <vector>

#include "model/game_state.h"
#include "render/offscreen.h"

namespace {

constexpr QRgb kField = rgb(10, 20, 30);
constexpr QRgb kRed = rgb(255, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);

// Pixels as (y, x, colour).
using Drawing = std::set<std::tuple<int, int, QRgb>>;

class Sprites : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateOffscreenBuffer(240, 268);
        Clear();
    }
    void TearDown() override { DestroyOffscreenBuffer(); }
    static DeviceContext& dc() { return Offscreen.bufferDC; }
    static void Clear() { Offscreen.bufferDC.Image().fill(kField); }
    static QRgb At(int x, int y) { return Offscreen.bufferDC.Image().pixel(x, y); }

    // The pixels of the buffer's top-left 100 x 100 that are not the field.
    static Drawing Drawn() {
        Drawing drawn;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (At(x, y) != kField) drawn.emplace(y, x, At(x, y));
            }
        }
        return drawn;
    }
};

TEST_F(Sprites, TheBufferStartsWhiteAtItsSizeAndGoesAwayOnDestroy) {
    CreateOffscreenBuffer(240, 268);
    EXPECT_TRUE(Offscreen.exists && Offscreen.bufferDC.Image().size() == QSize(240, 268));
    EXPECT_TRUE(At(0, 0) == kWhite && At(239, 267) == kWhite) << "white";
    DestroyOffscreenBuffer();
    EXPECT_TRUE(!Offscreen.exists && Offscreen.bufferDC.Image().isNull()) << "gone";
}

TEST_F(Sprites, EachItemCodeShowsItsSheetColumnHighlightTheRowBelowAndAWormholeEndAWhiteSquare) {
    const Bitmap sheet = LoadBitmapW(130);
    const std::pair<int, int> columns[] = {
        {SlashMirror, 21},       {BackslashMirror, 41}, {VerticalMirror, 121},
        {HorizontalMirror, 101}, {Absorber, 61},        {TotalReflector, 81},
        {WormholeA, 141},        {WormholeB, 141},      {0x10000 + SlashMirror, 21}};
    for (const auto& [item, sourceX] : columns) {
        const int16_t modes[] = {CellSprite, PaletteSprite, Highlight, 7};
        for (const int16_t mode : modes) {
            // The sheet's square without its purple key, one pixel inside the cell at (40, 60).
            Drawing sprite;
            for (int dy = 0; dy < 19; ++dy) {
                for (int dx = 0; dx < 19; ++dx) {
                    const QRgb pixel = sheet.pixel(sourceX + dx, (mode == Highlight ? 21 : 1) + dy);
                    if (pixel != rgb(128, 0, 128)) sprite.emplace(61 + dy, 41 + dx, pixel);
                }
            }
            Clear();
            DrawItemSprite(dc(), 40, 60, item, mode);
            EXPECT_EQ(Drawn(), sprite) << "item " << item << " mode " << mode;
        }
    }
    EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "the sheet is detached again";

    Clear();
    DrawItemSprite(dc(), 20, 20, WormholeB, Highlight);
    Drawing square;
    for (int y = 24; y <= 36; ++y) {
        for (int x = 24; x <= 36; ++x) square.emplace(y, x, kWhite);
    }
    EXPECT_EQ(Drawn(), square);
}

TEST_F(Sprites, AnEmptyOrUnknownItemOutlineModeOrAMissingSheetLeaveTheCellAsItWas) {
    for (int item : {0, 9, -1, 0x10000}) {
        for (int16_t mode = CellSprite; mode <= Highlight; ++mode) DrawItemSprite(dc(), 0, 0, item, mode);
    }
    DrawItemSprite(dc(), 0, 0, Absorber, Outline);
    SetBitmapLoadFails(130, true);
    DrawItemSprite(dc(), 0, 0, Absorber, CellSprite);
    SetBitmapLoadFails(130, false);
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(Sprites, OutlinesFollowTheItemsShapeInRedAndPutThePenBack) {
    dc().SelectBrush(GetStockBrush(NULL_BRUSH));
    dc().SelectPen(CreatePen(1, rgb(1, 2, 3)));
    // Per item, points of the cell that are red, then points that are not.
    const std::tuple<int, std::vector<QPoint>, std::vector<QPoint>> cases[] = {
        {SlashMirror, {{4, 16}, {11, 9}, {17, 3}}, {{18, 2}, {3, 17}}},
        {BackslashMirror, {{4, 4}, {10, 10}, {17, 17}}, {{18, 18}, {3, 3}}},
        {VerticalMirror, {{6, 4}, {6, 16}, {14, 4}, {14, 16}}, {{6, 17}, {14, 17}, {10, 10}}},
        {HorizontalMirror, {{4, 6}, {16, 6}, {4, 14}, {16, 14}}, {{17, 6}, {17, 14}, {10, 10}}},
        {Absorber, {{10, 4}, {10, 16}, {4, 10}, {16, 10}}, {{10, 10}, {10, 17}, {17, 10}, {4, 4}}},
        {TotalReflector, {{5, 5}, {15, 15}, {5, 15}, {15, 5}}, {{16, 16}, {10, 10}, {4, 4}}},
    };
    for (const auto& [item, red, clear] : cases) {
        Clear();
        DrawItemOutline(dc(), 30, 30, item, Outline);
        for (QPoint p : red)
            EXPECT_EQ(At(30 + p.x(), 30 + p.y()), kRed) << item << " at " << p.x() << ", " << p.y();
        for (QPoint p : clear)
            EXPECT_NE(At(30 + p.x(), 30 + p.y()), kRed) << item << " at " << p.x() << ", " << p.y();
    }
    EXPECT_EQ(dc().CurrentPen().colour, rgb(1, 2, 3));
}

TEST_F(Sprites, NoOutlineForTheWormholeOrEmptyOrOutsideOutlineMode) {
    dc().SelectBrush(GetStockBrush(NULL_BRUSH));
    for (int item : {0, 7, 8, 9}) DrawItemOutline(dc(), 0, 0, item, Outline);
    for (int16_t mode : {0, 1, 3, 9}) DrawItemOutline(dc(), 0, 0, SlashMirror, mode);
    EXPECT_TRUE(Drawn().empty());
    DrawItemOutline(dc(), 0, 0, 0x10000 + SlashMirror, Outline);
    EXPECT_FALSE(Drawn().empty()) << "the low 16 bits name the item";
}

// ---- Numbers -----------------------------------------------------------------------------------

// Where each glyph of the digit strip starts; the last is the strip's width.
const int kLefts[] = {0, 10, 15, 24, 33, 42, 52, 60, 70, 79, 86};

// The red 0-bits of digit glyphs, each given as (digit, x, y): all the strip's ink from the glyph's
// column up to the next glyph's, so that a glyph too narrow for its ink shows up too.
Drawing Glyphs(std::initializer_list<std::tuple<int, int, int>> glyphs) {
    const Bitmap strip = LoadBitmapW(120);
    Drawing pixels;
    for (const auto& [digit, x, y] : glyphs) {
        for (int dy = 0; dy < 10; ++dy) {
            for (int dx = 0; kLefts[digit] + dx < kLefts[digit + 1]; ++dx) {
                if (strip.pixelIndex(kLefts[digit] + dx, dy) == 0) pixels.emplace(y + dy, x + dx, kRed);
            }
        }
    }
    return pixels;
}

TEST_F(Sprites, NumbersOfEveryDigitSitWhereThePortBoxesExpectThemAndNothingOutsideZeroToNinetyNine) {
    Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
    dc().SetTextColor(kRed);
    dc().SetBkColor(rgb(0, 0, 255));  // the strip's 1-bits must not show
    const std::tuple<int16_t, QRect, Drawing> cases[] = {
        {11, QRect(0, 0, 21, 21), Glyphs({{1, 7, 5}, {1, 11, 5}})},  // tens at x = 7, units at 11, y = 5
        {7, QRect(20, 20, 21, 21), Glyphs({{7, 26, 25}})},
        {10, QRect(20, 20, 21, 21), Glyphs({{1, 25, 25}, {0, 29, 25}})},
        {0, QRect(20, 20, 21, 21), Glyphs({{0, 27, 25}})},
        {23, QRect(20, 20, 21, 21), Glyphs({{2, 22, 25}, {3, 31, 25}})},
        {45, QRect(20, 20, 21, 21), Glyphs({{4, 22, 25}, {5, 31, 25}})},
        {68, QRect(20, 20, 21, 21), Glyphs({{6, 23, 25}, {8, 31, 25}})},
        {99, QRect(0, 0, 17, 10), Glyphs({{9, 1, 0}, {9, 9, 0}})},  // the smallest box that takes a number
        {100, QRect(0, 0, 21, 21), {}},
        {-1, QRect(0, 0, 21, 21), {}},
        {5, QRect(0, 0, 16, 21), {}},
        {5, QRect(0, 0, 21, 9), {}},
    };
    for (const auto& [value, box, expected] : cases) {
        Clear();
        DrawNumber(dc(), box.x(), box.y(), box.x() + box.width(), box.y() + box.height(), value);
        EXPECT_EQ(Drawn(), expected) << value << " in a " << box.width() << " x " << box.height() << " box";
    }
}

}  // namespace
