// The bitmaps are compiled into the program, load by number in the sizes and depths the game draws
// them with, and keep the layouts that the drawing code relies on.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <vector>

#include "platform/drawing.h"

namespace {

constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kPurple = rgb(128, 0, 128);
constexpr QRgb kBlue = rgb(0, 0, 255);
constexpr QRgb kSheetLine = rgb(192, 192, 192);

struct Expected {
    int number;
    int width;
    int height;
    bool twoColour;
};

TEST(Bitmaps, EveryBitmapLoadsInItsSizeAndDepth) {
    const Expected all[] = {{120, 86, 10, true},   {121, 65, 26, true},   {122, 60, 34, false},
                            {123, 156, 36, true},  {124, 194, 18, true},  {127, 70, 70, false},
                            {128, 80, 15, false},  {130, 161, 41, false}, {131, 19, 19, true},
                            {132, 240, 100, false}};
    for (const Expected& bitmap : all) {
        const Bitmap loaded = LoadBitmapW(bitmap.number);
        ASSERT_FALSE(loaded.isNull()) << "bitmap " << bitmap.number << " is not in the program";
        EXPECT_EQ(loaded.size(), QSize(bitmap.width, bitmap.height)) << "bitmap " << bitmap.number;
        if (bitmap.twoColour) {
            EXPECT_EQ(loaded.format(), QImage::Format_Mono) << "bitmap " << bitmap.number;
            EXPECT_EQ(loaded.color(0), kBlack) << "index 0 is the 0-bits, black, of bitmap " << bitmap.number;
            EXPECT_EQ(loaded.color(1), kWhite) << "bitmap " << bitmap.number;
        } else {
            EXPECT_EQ(loaded.format(), QImage::Format_RGB32) << "bitmap " << bitmap.number;
        }
    }
}

TEST(Bitmaps, OtherNumbersDoNotLoad) {
    EXPECT_TRUE(LoadBitmapW(125).isNull());
    EXPECT_TRUE(LoadBitmapW(119).isNull());
    EXPECT_TRUE(LoadBitmapW(133).isNull());
}

TEST(Bitmaps, LoadingAgainHandsOutTheSamePixels) {
    EXPECT_EQ(LoadBitmapW(130).constBits(), LoadBitmapW(130).constBits());
}

TEST(Bitmaps, ALoadMadeToFailGivesANullBitmapUntilAllowedAgain) {
    SetBitmapLoadFails(131, true);
    EXPECT_TRUE(LoadBitmapW(131).isNull());
    EXPECT_FALSE(LoadBitmapW(130).isNull()) << "only the number named fails";
    SetBitmapLoadFails(131, false);
    EXPECT_FALSE(LoadBitmapW(131).isNull());
}

TEST(Bitmaps, TheProgramIconIsInTheProgram) {
    const QImage icon(QStringLiteral(":/mirovane/icon.png"));
    EXPECT_EQ(icon.size(), QSize(32, 32));
}

// ---- Layouts -----------------------------------------------------------------------------------

int Bit(const Bitmap& bitmap, int x, int y) {
    return bitmap.pixelIndex(x, y);
}

TEST(DigitStrip, EachGlyphFillsItsColumnsAndAllTenRows) {
    const Bitmap strip = LoadBitmapW(120);
    const int left[] = {0, 10, 15, 24, 33, 42, 52, 60, 70, 79};
    const int width[] = {7, 3, 8, 8, 8, 8, 7, 8, 7, 7};
    std::vector<bool> glyphColumn(86, false);
    for (int digit = 0; digit < 10; ++digit) {
        for (int x = left[digit]; x < left[digit] + width[digit]; ++x) glyphColumn[x] = true;
        const auto columnHasInk = [&](int x) {
            for (int y = 0; y < 10; ++y) {
                if (Bit(strip, x, y) == 0) return true;
            }
            return false;
        };
        const auto rowHasInk = [&](int y) {
            for (int x = left[digit]; x < left[digit] + width[digit]; ++x) {
                if (Bit(strip, x, y) == 0) return true;
            }
            return false;
        };
        EXPECT_TRUE(columnHasInk(left[digit])) << "digit " << digit << " starts at its left column";
        EXPECT_TRUE(columnHasInk(left[digit] + width[digit] - 1)) << "digit " << digit << " fills its width";
        EXPECT_TRUE(rowHasInk(0)) << "digit " << digit << " starts at row 0";
        EXPECT_TRUE(rowHasInk(9)) << "digit " << digit << " is 10 rows tall";
    }
    for (int x = 0; x < 86; ++x) {
        if (glyphColumn[x]) continue;
        for (int y = 0; y < 10; ++y)
            EXPECT_EQ(Bit(strip, x, y), 1) << "ink between the glyphs at " << x << ", " << y;
    }
}

TEST(ItemSheet, GreyLinesDivideEightColumnsAndTwoRowsOfPurpleCells) {
    const Bitmap sheet = LoadBitmapW(130);
    for (int y = 0; y < 41; ++y) {
        for (int x = 0; x <= 160; x += 20) EXPECT_EQ(sheet.pixel(x, y), kSheetLine) << x << ", " << y;
    }
    for (int x = 0; x < 161; ++x) {
        for (int y = 0; y <= 40; y += 20) EXPECT_EQ(sheet.pixel(x, y), kSheetLine) << x << ", " << y;
    }
    for (int y = 1; y < 40; ++y) {
        if (y == 20) continue;
        for (int x = 1; x < 20; ++x)
            EXPECT_EQ(sheet.pixel(x, y), kPurple) << "column 0 is empty at " << x << ", " << y;
    }
}

TEST(ItemSheet, TheHighlightRowIsTheItemRowInBlue) {
    const Bitmap sheet = LoadBitmapW(130);
    for (int column = 1; column <= 6; ++column) {
        int ink = 0;
        for (int y = 1; y < 20; ++y) {
            for (int x = 20 * column + 1; x < 20 * column + 20; ++x) {
                const QRgb item = sheet.pixel(x, y);
                const QRgb highlighted = sheet.pixel(x, y + 20);
                EXPECT_EQ(highlighted, item == kBlack ? kBlue : item)
                    << "column " << column << " at " << x << ", " << y;
                ink += item == kBlack ? 1 : 0;
            }
        }
        EXPECT_GT(ink, 10) << "column " << column << " has a black shape";
    }
}

TEST(ItemSheet, TheWormholeIsABlackStarWithAWhiteCentreAndAWhiteSquareWhenHighlighted) {
    const Bitmap sheet = LoadBitmapW(130);
    const int left = 141;
    EXPECT_EQ(sheet.pixel(left + 9, 1 + 9), kWhite);
    for (const QPoint arm :
         {QPoint(3, 3), QPoint(15, 15), QPoint(3, 15), QPoint(15, 3), QPoint(9, 3), QPoint(3, 9)}) {
        EXPECT_EQ(sheet.pixel(left + arm.x(), 1 + arm.y()), kBlack)
            << "arm end " << arm.x() << ", " << arm.y();
    }
    for (int y = 0; y < 19; ++y) {
        for (int x = 0; x < 19; ++x) {
            const bool inSquare = x >= 3 && x <= 15 && y >= 3 && y <= 15;
            EXPECT_EQ(sheet.pixel(left + x, 21 + y), inSquare ? kWhite : kPurple) << x << ", " << y;
        }
    }
}

TEST(Mark, ADiscOfZeroBitsSeventeenAcrossCentredOnNineNine) {
    const Bitmap mark = LoadBitmapW(131);
    for (int i = 1; i <= 17; ++i) {
        EXPECT_EQ(Bit(mark, i, 9), 0) << "row 9 at " << i;
        EXPECT_EQ(Bit(mark, 9, i), 0) << "column 9 at " << i;
    }
    for (const QPoint p :
         {QPoint(0, 9), QPoint(18, 9), QPoint(9, 0), QPoint(9, 18), QPoint(1, 1), QPoint(17, 17)}) {
        EXPECT_EQ(Bit(mark, p.x(), p.y()), 1) << "outside the disc at " << p.x() << ", " << p.y();
    }
}

bool RowsHaveInk(const Bitmap& banner, int first, int last) {
    for (int y = first; y <= last; ++y) {
        for (int x = 0; x < banner.width(); ++x) {
            if (Bit(banner, x, y) == 1) return true;
        }
    }
    return false;
}

TEST(Banners, EachLanguageHasItsWordsInItsOwnRows) {
    const Bitmap perfect = LoadBitmapW(121);
    EXPECT_TRUE(RowsHaveInk(perfect, 0, 12));
    EXPECT_TRUE(RowsHaveInk(perfect, 13, 25));
    const Bitmap accepted = LoadBitmapW(123);
    EXPECT_TRUE(RowsHaveInk(accepted, 0, 17));
    EXPECT_FALSE(RowsHaveInk(accepted, 18, 18)) << "row 18 separates the two languages";
    EXPECT_TRUE(RowsHaveInk(accepted, 19, 35));
}

bool RowsHold(const Bitmap& legend, int first, int last, QRgb colour) {
    for (int y = first; y <= last; ++y) {
        for (int x = 0; x < legend.width(); ++x) {
            if (legend.pixel(x, y) == colour) return true;
        }
    }
    return false;
}

TEST(Legend, AYellowBoxAboveAndAGreyBoxBelow) {
    const Bitmap legend = LoadBitmapW(122);
    const QRgb yellow = rgb(255, 255, 0);
    const QRgb grey = rgb(160, 160, 160);
    const QRgb ray = rgb(0, 255, 0);
    EXPECT_TRUE(RowsHold(legend, 0, 16, yellow));
    EXPECT_FALSE(RowsHold(legend, 17, 33, yellow));
    EXPECT_TRUE(RowsHold(legend, 17, 33, grey));
    EXPECT_FALSE(RowsHold(legend, 0, 16, grey));
    EXPECT_TRUE(RowsHold(legend, 0, 16, ray));
    EXPECT_TRUE(RowsHold(legend, 17, 33, ray));
}

TEST(StarBurst, ItsBorderIsBlackSoThatOrLeavesTheSkyAlone) {
    const Bitmap burst = LoadBitmapW(127);
    for (int i = 0; i < 70; ++i) {
        EXPECT_EQ(burst.pixel(i, 0), kBlack);
        EXPECT_EQ(burst.pixel(0, i), kBlack);
        EXPECT_EQ(burst.pixel(i, 69), kBlack);
        EXPECT_EQ(burst.pixel(69, i), kBlack);
    }
    EXPECT_EQ(burst.pixel(35, 35), kWhite) << "white-hot in the middle";
}

}  // namespace
