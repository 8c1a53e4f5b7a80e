// Item sprites, item outlines and port numbers land where the board and the port boxes expect them.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

#include "model/game_state.h"
#include "render/offscreen.h"

namespace {

constexpr QRgb kField = rgb(10, 20, 30);
constexpr QRgb kRed = rgb(255, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kPurple = rgb(128, 0, 128);

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
    DeviceContext& dc() { return Offscreen.bufferDC; }
    QRgb At(int x, int y) const { return Offscreen.bufferDC.Image().pixel(x, y); }

    // Whether the 21 x 21 cell at (x, y) shows the sheet's 19 x 19 square from (sourceX, sourceY) one
    // pixel inside, with the purple pixels left as the field.
    ::testing::AssertionResult ShowsSheetSquare(int x, int y, int sourceX, int sourceY) const {
        const Bitmap sheet = LoadBitmapW(130);
        for (int dy = 0; dy < 21; ++dy) {
            for (int dx = 0; dx < 21; ++dx) {
                const bool inside = dx >= 1 && dx <= 19 && dy >= 1 && dy <= 19;
                const QRgb source = inside ? sheet.pixel(sourceX + dx - 1, sourceY + dy - 1) : kPurple;
                const QRgb expected = source == kPurple ? kField : source;
                if (At(x + dx, y + dy) != expected) {
                    return ::testing::AssertionFailure()
                           << "cell pixel (" << dx << ", " << dy << ") differs from the sheet's (" << sourceX
                           << ", " << sourceY << ") square";
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    bool CellUntouched(int x, int y) const {
        for (int dy = 0; dy < 21; ++dy) {
            for (int dx = 0; dx < 21; ++dx) {
                if (At(x + dx, y + dy) != kField) return false;
            }
        }
        return true;
    }

    int RedPixels(int x, int y) const {
        int count = 0;
        for (int dy = 0; dy < 21; ++dy) {
            for (int dx = 0; dx < 21; ++dx) count += At(x + dx, y + dy) == kRed ? 1 : 0;
        }
        return count;
    }
};

TEST_F(Sprites, TheBufferStartsWhiteAtTheGivenSizeAndGoesAwayOnDestroy) {
    CreateOffscreenBuffer(240, 268);
    EXPECT_TRUE(Offscreen.exists);
    EXPECT_EQ(Offscreen.width, 240);
    EXPECT_EQ(Offscreen.height, 268);
    EXPECT_EQ(Offscreen.bufferDC.Image().size(), QSize(240, 268));
    EXPECT_EQ(At(0, 0), kWhite);
    EXPECT_EQ(At(239, 267), kWhite);
    EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "the source context holds nothing between copies";
    DestroyOffscreenBuffer();
    EXPECT_FALSE(Offscreen.exists);
    EXPECT_TRUE(Offscreen.bufferDC.Image().isNull());
}

TEST_F(Sprites, EachItemCodeShowsItsSheetColumn) {
    // Item code, source x of its column.
    const std::pair<int, int> columns[] = {
        {SlashMirror, 21}, {BackslashMirror, 41}, {VerticalMirror, 121}, {HorizontalMirror, 101},
        {Absorber, 61},    {TotalReflector, 81},  {WormholeA, 141},      {WormholeB, 141}};
    int x = 0;
    for (const auto& [item, sourceX] : columns) {
        DrawItemSprite(dc(), x, 10, item, CellSprite);
        DrawItemSprite(dc(), x, 40, item, PaletteSprite);
        DrawItemSprite(dc(), x, 70, item, Highlight);
        EXPECT_TRUE(ShowsSheetSquare(x, 10, sourceX, 1)) << "item " << item << " as a cell";
        EXPECT_TRUE(ShowsSheetSquare(x, 40, sourceX, 1)) << "item " << item << " in the palette";
        EXPECT_TRUE(ShowsSheetSquare(x, 70, sourceX, 21)) << "item " << item << " highlighted";
        x += 25;
    }
    EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "the sheet is detached again";
}

TEST_F(Sprites, OnlyTheLow16BitsOfTheItemCount) {
    DrawItemSprite(dc(), 0, 0, 0x10001, CellSprite);
    EXPECT_TRUE(ShowsSheetSquare(0, 0, 21, 1));
    DrawItemSprite(dc(), 30, 0, 0x10000, CellSprite);
    EXPECT_TRUE(CellUntouched(30, 0));
}

TEST_F(Sprites, AnEmptyOrUnknownItemLeavesTheCellAsItWas) {
    for (int16_t mode = CellSprite; mode <= 5; ++mode) {
        for (int item : {0, 9, -1, 200}) {
            DrawItemSprite(dc(), 50, 50, item, mode);
            EXPECT_TRUE(CellUntouched(50, 50)) << "item " << item << " mode " << mode;
        }
    }
}

TEST_F(Sprites, OtherModesDrawTheItemRowAndOutlineModeDrawsNoSprite) {
    DrawItemSprite(dc(), 0, 0, Absorber, 7);
    EXPECT_TRUE(ShowsSheetSquare(0, 0, 61, 1));
    DrawItemSprite(dc(), 30, 0, Absorber, Outline);
    EXPECT_TRUE(CellUntouched(30, 0));
}

TEST_F(Sprites, AHighlightedWormholeEndIsAWhiteSquare) {
    DrawItemSprite(dc(), 100, 100, WormholeB, Highlight);
    for (int dy = 0; dy < 21; ++dy) {
        for (int dx = 0; dx < 21; ++dx) {
            const bool inSquare = dx >= 4 && dx <= 16 && dy >= 4 && dy <= 16;
            EXPECT_EQ(At(100 + dx, 100 + dy), inSquare ? kWhite : kField) << dx << ", " << dy;
        }
    }
}

TEST_F(Sprites, ASheetThatCannotBeLoadedDrawsNothing) {
    SetBitmapLoadFails(130, true);
    DrawItemSprite(dc(), 0, 0, Absorber, CellSprite);
    EXPECT_TRUE(CellUntouched(0, 0));
}

TEST_F(Sprites, OutlinesFollowTheItemsShape) {
    dc().SelectBrush(GetStockBrush(NULL_BRUSH));
    const Pen before = dc().SelectPen(CreatePen(1, rgb(1, 2, 3)));
    // Item, pixels that are red, pixels that are not (relative to the cell's corner).
    struct Case {
        int item;
        std::vector<QPoint> red;
        std::vector<QPoint> clear;
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
    EXPECT_EQ(dc().CurrentPen().colour, rgb(1, 2, 3)) << "the pen is put back";
    dc().SelectPen(before);
}

TEST_F(Sprites, OutlinesOnlyInOutlineModeAndNoneForTheWormholeOrEmpty) {
    dc().SelectBrush(GetStockBrush(NULL_BRUSH));
    for (int item : {0, 7, 8, 9}) {
        DrawItemOutline(dc(), 0, 0, item, Outline);
        EXPECT_EQ(RedPixels(0, 0), 0) << "item " << item;
    }
    for (int16_t mode : {0, 1, 3, 9}) {
        DrawItemOutline(dc(), 0, 0, SlashMirror, mode);
        EXPECT_EQ(RedPixels(0, 0), 0) << "mode " << mode;
    }
    DrawItemOutline(dc(), 0, 0, 0x10000 + SlashMirror, Outline);
    EXPECT_GT(RedPixels(0, 0), 10) << "the low 16 bits name the item";
}

// ---- Numbers -----------------------------------------------------------------------------------

class Numbers : public Sprites {
  protected:
    void SetUp() override {
        Sprites::SetUp();
        replaced_ = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        dc().SetTextColor(kRed);
        dc().SetBkColor(rgb(0, 0, 255));
    }
    void TearDown() override {
        Offscreen.sourceDC.SelectBitmap(replaced_);
        Sprites::TearDown();
    }

    // The pixels that a glyph of `digit` drawn at (x, y) makes red: its 0-bits.
    static std::vector<QPoint> GlyphPixels(int16_t digit, int x, int y) {
        int16_t left = 0;
        int16_t width = 0;
        GetDigitGlyph(digit, left, width);
        const Bitmap strip = LoadBitmapW(120);
        std::vector<QPoint> pixels;
        for (int dy = 0; dy < 10; ++dy) {
            for (int dx = 0; dx < width; ++dx) {
                if (strip.pixelIndex(left + dx, dy) == 0) pixels.emplace_back(x + dx, y + dy);
            }
        }
        return pixels;
    }

    // Whether the red pixels of the buffer are exactly those of the glyphs given.
    ::testing::AssertionResult ShowsGlyphs(
        std::initializer_list<std::tuple<int16_t, int, int>> glyphs) const {
        std::set<std::pair<int, int>> expected;
        for (const auto& [digit, x, y] : glyphs) {
            for (QPoint p : GlyphPixels(digit, x, y)) expected.emplace(p.x(), p.y());
        }
        std::set<std::pair<int, int>> red;
        const QImage& image = Offscreen.bufferDC.Image();
        for (int y = 0; y < 60; ++y) {
            for (int x = 0; x < 60; ++x) {
                if (image.pixel(x, y) == kRed)
                    red.emplace(x, y);
                else if (image.pixel(x, y) != kField)
                    return ::testing::AssertionFailure() << "background drawn at " << x << ", " << y;
            }
        }
        if (red == expected) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << red.size() << " red pixels where the glyphs have " << expected.size();
    }

  private:
    Bitmap replaced_;
};

TEST_F(Numbers, GlyphTableAndItsFallback) {
    const int left[] = {0, 10, 15, 24, 33, 42, 52, 60, 70, 79};
    const int width[] = {7, 3, 8, 8, 8, 8, 7, 8, 7, 7};
    for (int16_t digit = 0; digit < 10; ++digit) {
        int16_t l = -1;
        int16_t w = -1;
        GetDigitGlyph(digit, l, w);
        EXPECT_EQ(l, left[digit]) << "digit " << digit;
        EXPECT_EQ(w, width[digit]) << "digit " << digit;
    }
    for (int16_t other : {int16_t{-1}, int16_t{10}, int16_t{255}}) {
        int16_t l = -1;
        int16_t w = -1;
        GetDigitGlyph(other, l, w);
        EXPECT_EQ(l, 0) << other;
        EXPECT_EQ(w, 7) << other;
    }
}

TEST_F(Numbers, ElevenSitsWithItsTensAtSevenAndItsUnitsAtEleven) {
    DrawNumber(dc(), 0, 0, 21, 21, 11);
    EXPECT_TRUE(ShowsGlyphs({{1, 7, 5}, {1, 11, 5}}));
}

TEST_F(Numbers, OneDigitIsCentredAndTenKeepsABlankColumnBetweenItsGlyphs) {
    DrawNumber(dc(), 20, 20, 41, 41, 7);
    EXPECT_TRUE(ShowsGlyphs({{7, 26, 25}}));
    Offscreen.bufferDC.Image().fill(kField);
    DrawNumber(dc(), 20, 20, 41, 41, 1);
    EXPECT_TRUE(ShowsGlyphs({{1, 29, 25}}));
    Offscreen.bufferDC.Image().fill(kField);
    DrawNumber(dc(), 20, 20, 41, 41, 10);
    EXPECT_TRUE(ShowsGlyphs({{1, 25, 25}, {0, 29, 25}}));
    Offscreen.bufferDC.Image().fill(kField);
    DrawNumber(dc(), 0, 0, 21, 21, 0);
    EXPECT_TRUE(ShowsGlyphs({{0, 7, 5}}));
}

TEST_F(Numbers, NothingOutsideZeroToNinetyNineOrInABoxTooSmall) {
    DrawNumber(dc(), 0, 0, 21, 21, 100);
    DrawNumber(dc(), 0, 0, 21, 21, -1);
    DrawNumber(dc(), 0, 0, 16, 21, 5);
    DrawNumber(dc(), 0, 0, 21, 9, 5);
    EXPECT_TRUE(ShowsGlyphs({}));
    DrawNumber(dc(), 0, 0, 17, 10, 99);
    EXPECT_FALSE(ShowsGlyphs({})) << "17 x 10 is large enough";
}

}  // namespace
