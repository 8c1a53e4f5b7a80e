// Item sprites, item outlines and port numbers land where the board and the port boxes expect them.
#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "render/offscreen.h"

namespace {

constexpr QRgb kField = rgb(10, 20, 30);
constexpr QRgb kRed = rgb(255, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kPurple = rgb(128, 0, 128);

using Pixels = std::set<std::pair<int, int>>;

class Sprites : public ::testing::Test {
  protected:
    void SetUp() override {
        CreateOffscreenBuffer(240, 268);
        Offscreen.bufferDC.Image().fill(kField);
    }
    void TearDown() override {
        SetBitmapLoadFails(130, false);
        DestroyOffscreenBuffer();
    }
    static DeviceContext& dc() { return Offscreen.bufferDC; }
    static QRgb At(int x, int y) { return Offscreen.bufferDC.Image().pixel(x, y); }

    // The pixels of the buffer's top-left 100 x 100 that are not the field, with their colours.
    static std::vector<std::pair<QPoint, QRgb>> Drawn() {
        std::vector<std::pair<QPoint, QRgb>> drawn;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 100; ++x) {
                if (At(x, y) != kField) drawn.emplace_back(QPoint(x, y), At(x, y));
            }
        }
        return drawn;
    }

    // What a sprite from the sheet's square at (sourceX, sourceY) draws in the cell at (x, y): its
    // pixels that are not purple, one pixel inside the cell.
    static std::vector<std::pair<QPoint, QRgb>> Sprite(int x, int y, int sourceX, int sourceY) {
        const Bitmap sheet = LoadBitmapW(130);
        std::vector<std::pair<QPoint, QRgb>> drawn;
        for (int dy = 0; dy < 19; ++dy) {
            for (int dx = 0; dx < 19; ++dx) {
                const QRgb pixel = sheet.pixel(sourceX + dx, sourceY + dy);
                if (pixel != kPurple) drawn.emplace_back(QPoint(x + 1 + dx, y + 1 + dy), pixel);
            }
        }
        return drawn;
    }
};

TEST_F(Sprites, TheBufferStartsWhiteAtItsSizeAndGoesAwayOnDestroy) {
    CreateOffscreenBuffer(240, 268);
    EXPECT_TRUE(Offscreen.exists);
    EXPECT_EQ(Offscreen.bufferDC.Image().size(), QSize(Offscreen.width, Offscreen.height));
    EXPECT_EQ(Offscreen.bufferDC.Image().size(), QSize(240, 268));
    EXPECT_EQ(At(0, 0), kWhite);
    EXPECT_EQ(At(239, 267), kWhite);
    DestroyOffscreenBuffer();
    EXPECT_FALSE(Offscreen.exists);
    EXPECT_TRUE(Offscreen.bufferDC.Image().isNull());
}

TEST_F(Sprites, EachItemCodeShowsItsSheetColumnAndHighlightTheRowBelow) {
    const std::pair<int, int> sourceX[] = {
        {SlashMirror, 21},       {BackslashMirror, 41}, {VerticalMirror, 121},
        {HorizontalMirror, 101}, {Absorber, 61},        {TotalReflector, 81},
        {WormholeA, 141},        {WormholeB, 141},      {0x10000 + SlashMirror, 21}};
    for (const auto& [item, x] : sourceX) {
        const int16_t modes[] = {CellSprite, PaletteSprite, Highlight, 7};
        for (const int16_t mode : modes) {
            Offscreen.bufferDC.Image().fill(kField);
            DrawItemSprite(dc(), 40, 60, item, mode);
            EXPECT_EQ(Drawn(), Sprite(40, 60, x, mode == Highlight ? 21 : 1))
                << "item " << item << " mode " << mode;
        }
    }
    EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "the sheet is detached again";
}

TEST_F(Sprites, AnEmptyOrUnknownItemOutlineModeOrAMissingSheetLeaveTheCellAsItWas) {
    for (int item : {0, 9, -1, 0x10000}) {
        for (int16_t mode = CellSprite; mode <= Highlight; ++mode) DrawItemSprite(dc(), 0, 0, item, mode);
    }
    DrawItemSprite(dc(), 0, 0, Absorber, Outline);
    SetBitmapLoadFails(130, true);
    DrawItemSprite(dc(), 0, 0, Absorber, CellSprite);
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(Sprites, AHighlightedWormholeEndIsAWhiteSquare) {
    DrawItemSprite(dc(), 20, 20, WormholeB, Highlight);
    std::vector<std::pair<QPoint, QRgb>> square;
    for (int y = 24; y <= 36; ++y) {
        for (int x = 24; x <= 36; ++x) square.emplace_back(QPoint(x, y), kWhite);
    }
    EXPECT_EQ(Drawn(), square);
}

TEST_F(Sprites, OutlinesFollowTheItemsShapeInRedAndPutThePenBack) {
    dc().SelectBrush(GetStockBrush(NULL_BRUSH));
    dc().SelectPen(CreatePen(1, rgb(1, 2, 3)));
    struct Case {
        int item;
        std::vector<QPoint> red;    // relative to the cell's corner
        std::vector<QPoint> clear;  // not red
    };
    const Case cases[] = {
        {SlashMirror, {{4, 16}, {11, 9}, {17, 3}}, {{18, 2}, {3, 17}}},
        {BackslashMirror, {{4, 4}, {10, 10}, {17, 17}}, {{18, 18}, {3, 3}}},
        {VerticalMirror, {{6, 4}, {6, 16}, {14, 4}, {14, 16}}, {{6, 17}, {14, 17}, {10, 10}}},
        {HorizontalMirror, {{4, 6}, {16, 6}, {4, 14}, {16, 14}}, {{17, 6}, {17, 14}, {10, 10}}},
        {Absorber, {{10, 4}, {10, 16}, {4, 10}, {16, 10}}, {{10, 10}, {10, 17}, {17, 10}, {4, 4}}},
        {TotalReflector, {{5, 5}, {15, 15}, {5, 15}, {15, 5}}, {{16, 16}, {10, 10}, {4, 4}}},
    };
    for (const Case& c : cases) {
        Offscreen.bufferDC.Image().fill(kField);
        DrawItemOutline(dc(), 30, 30, c.item, Outline);
        for (QPoint p : c.red)
            EXPECT_EQ(At(30 + p.x(), 30 + p.y()), kRed)
                << "item " << c.item << " at " << p.x() << ", " << p.y();
        for (QPoint p : c.clear)
            EXPECT_NE(At(30 + p.x(), 30 + p.y()), kRed)
                << "item " << c.item << " at " << p.x() << ", " << p.y();
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

class Numbers : public Sprites {
  protected:
    void SetUp() override {
        Sprites::SetUp();
        Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        dc().SetTextColor(kRed);
        dc().SetBkColor(rgb(0, 0, 255));
    }

    // The red pixels of the buffer; every other pixel drawn counts as a fault.
    static Pixels Red() {
        Pixels red;
        for (const auto& [p, colour] : Drawn()) red.emplace(colour == kRed ? p.x() : -1000, p.y());
        return red;
    }

    // The pixels of digit glyphs, each given as (digit, x, y): their 0-bits.
    static Pixels Glyphs(std::initializer_list<std::tuple<int16_t, int, int>> glyphs) {
        Pixels pixels;
        const Bitmap strip = LoadBitmapW(120);
        for (const auto& [digit, x, y] : glyphs) {
            int16_t left = 0;
            int16_t width = 0;
            GetDigitGlyph(digit, left, width);
            for (int dy = 0; dy < 10; ++dy) {
                for (int dx = 0; dx < width; ++dx) {
                    if (strip.pixelIndex(left + dx, dy) == 0) pixels.emplace(x + dx, y + dy);
                }
            }
        }
        return pixels;
    }
};

TEST_F(Numbers, GlyphTableAndItsFallback) {
    const std::pair<int16_t, int16_t> glyphs[] = {{0, 7},  {10, 3}, {15, 8}, {24, 8}, {33, 8},
                                                  {42, 8}, {52, 7}, {60, 8}, {70, 7}, {79, 7}};
    for (int16_t digit = -1; digit <= 10; ++digit) {
        int16_t left = -1;
        int16_t width = -1;
        GetDigitGlyph(digit, left, width);
        const auto expected = digit >= 0 && digit <= 9 ? glyphs[digit] : glyphs[0];
        EXPECT_EQ(std::make_pair(left, width), expected) << "digit " << digit;
    }
}

TEST_F(Numbers, NumbersSitWhereThePortBoxesExpectThem) {
    DrawNumber(dc(), 0, 0, 21, 21, 11);
    EXPECT_EQ(Red(), Glyphs({{1, 7, 5}, {1, 11, 5}})) << "11: tens at x = 7, units at x = 11, y = 5";
    const std::tuple<int16_t, Pixels> cases[] = {
        {7, Glyphs({{7, 26, 25}})},
        {1, Glyphs({{1, 29, 25}})},
        {10, Glyphs({{1, 25, 25}, {0, 29, 25}})},
        {0, Glyphs({{0, 27, 25}})},
    };
    for (const auto& [value, expected] : cases) {
        Offscreen.bufferDC.Image().fill(kField);
        DrawNumber(dc(), 20, 20, 41, 41, value);
        EXPECT_EQ(Red(), expected) << value << " in the box at (20, 20)";
    }
}

TEST_F(Numbers, NothingOutsideZeroToNinetyNineOrInABoxTooSmall) {
    DrawNumber(dc(), 0, 0, 21, 21, 100);
    DrawNumber(dc(), 0, 0, 21, 21, -1);
    DrawNumber(dc(), 0, 0, 16, 21, 5);
    DrawNumber(dc(), 0, 0, 21, 9, 5);
    EXPECT_TRUE(Drawn().empty());
    DrawNumber(dc(), 0, 0, 17, 10, 99);
    EXPECT_FALSE(Drawn().empty()) << "17 x 10 is large enough";
}

}  // namespace
