// The bitmaps are compiled into the program, load by number in the sizes and depths the game draws
// them with, and keep the layouts that the drawing code relies on.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>

#include "platform/drawing.h"

namespace {

constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kPurple = rgb(128, 0, 128);
constexpr QRgb kBlue = rgb(0, 0, 255);

TEST(Bitmaps, EveryBitmapLoadsInItsSizeAndDepth) {
    struct Expected {
        int number;
        QSize size;
        bool twoColour;
    };
    const Expected all[] = {{120, {86, 10}, true},   {121, {65, 26}, true},   {122, {60, 34}, false},
                            {123, {156, 36}, true},  {124, {194, 18}, true},  {127, {70, 70}, false},
                            {128, {80, 15}, false},  {130, {161, 41}, false}, {131, {19, 19}, true},
                            {132, {240, 100}, false}};
    for (const Expected& bitmap : all) {
        const Bitmap loaded = LoadBitmapW(bitmap.number);
        EXPECT_EQ(loaded.size(), bitmap.size) << "bitmap " << bitmap.number;
        if (bitmap.twoColour) {
            EXPECT_EQ(loaded.format(), QImage::Format_Mono) << "bitmap " << bitmap.number;
            EXPECT_EQ(loaded.colorTable(), QList<QRgb>({kBlack, kWhite})) << "index 0, the 0-bits, black";
        } else {
            EXPECT_EQ(loaded.format(), QImage::Format_RGB32) << "bitmap " << bitmap.number;
        }
    }
    EXPECT_EQ(QImage(QStringLiteral(":/mirovane/icon.png")).size(), QSize(32, 32)) << "the program's icon";
}

TEST(Bitmaps, LoadsFailForOtherNumbersAndWhenMadeToFail) {
    EXPECT_TRUE(LoadBitmapW(125).isNull());
    EXPECT_TRUE(LoadBitmapW(133).isNull());
    SetBitmapLoadFails(131, true);
    EXPECT_TRUE(LoadBitmapW(131).isNull());
    EXPECT_FALSE(LoadBitmapW(130).isNull()) << "only the number named fails";
    SetBitmapLoadFails(131, false);
    EXPECT_FALSE(LoadBitmapW(131).isNull());
    EXPECT_EQ(LoadBitmapW(130).constBits(), LoadBitmapW(130).constBits())
        << "loading again shares the pixels";
}

// The number of pixels of the rectangle for which `counts` holds.
int Count(const QRect& area, const std::function<bool(int x, int y)>& counts) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) n += counts(x, y) ? 1 : 0;
    }
    return n;
}

TEST(DigitStrip, EachGlyphFillsItsColumnsAndAllTenRowsWithNothingBetween) {
    const Bitmap strip = LoadBitmapW(120);
    const auto ink = [&](int x, int y) { return strip.pixelIndex(x, y) == 0; };
    const int left[] = {0, 10, 15, 24, 33, 42, 52, 60, 70, 79, 86};
    const int width[] = {7, 3, 8, 8, 8, 8, 7, 8, 7, 7};
    for (int digit = 0; digit < 10; ++digit) {
        const int right = left[digit] + width[digit] - 1;
        EXPECT_GT(Count(QRect(left[digit], 0, 1, 10), ink), 0)
            << "digit " << digit << " starts at its column";
        EXPECT_GT(Count(QRect(right, 0, 1, 10), ink), 0) << "digit " << digit << " fills its width";
        EXPECT_GT(Count(QRect(left[digit], 0, width[digit], 1), ink), 0) << "digit " << digit << " row 0";
        EXPECT_GT(Count(QRect(left[digit], 9, width[digit], 1), ink), 0) << "digit " << digit << " row 9";
        EXPECT_EQ(Count(QRect(right + 1, 0, left[digit + 1] - right - 1, 10), ink), 0) << "after " << digit;
    }
}

TEST(ItemSheet, GreyLinesAroundPurpleCellsWithTheHighlightRowInBlue) {
    const Bitmap sheet = LoadBitmapW(130);
    const auto grey = [&](int x, int y) { return sheet.pixel(x, y) == rgb(192, 192, 192); };
    for (int line = 0; line <= 160; line += 20) EXPECT_EQ(Count(QRect(line, 0, 1, 41), grey), 41) << line;
    for (int line = 0; line <= 40; line += 20) EXPECT_EQ(Count(QRect(0, line, 161, 1), grey), 161) << line;
    const auto purple = [&](int x, int y) { return sheet.pixel(x, y) == kPurple; };
    EXPECT_EQ(Count(QRect(1, 1, 19, 19), purple) + Count(QRect(1, 21, 19, 19), purple), 2 * 361);
    for (int column = 1; column <= 6; ++column) {
        const QRect item(20 * column + 1, 1, 19, 19);
        const auto black = [&](int x, int y) { return sheet.pixel(x, y) == kBlack; };
        const auto blueFromBlack = [&](int x, int y) {
            const QRgb above = sheet.pixel(x, y - 20);
            return sheet.pixel(x, y) == (above == kBlack ? kBlue : above);
        };
        EXPECT_GT(Count(item, black), 10) << "column " << column << " has a black shape";
        EXPECT_EQ(Count(item.translated(0, 20), blueFromBlack), 361) << "column " << column;
    }
}

TEST(ItemSheet, TheWormholeIsABlackStarWithAWhiteCentreAndAWhiteSquareWhenHighlighted) {
    const Bitmap sheet = LoadBitmapW(130);
    EXPECT_EQ(sheet.pixel(141 + 9, 1 + 9), kWhite);
    for (const QPoint arm :
         {QPoint(3, 3), QPoint(15, 15), QPoint(3, 15), QPoint(15, 3), QPoint(9, 3), QPoint(3, 9)}) {
        EXPECT_EQ(sheet.pixel(141 + arm.x(), 1 + arm.y()), kBlack)
            << "arm end " << arm.x() << ", " << arm.y();
    }
    const auto white = [&](int x, int y) { return sheet.pixel(x, y) == kWhite; };
    EXPECT_EQ(Count(QRect(141 + 3, 21 + 3, 13, 13), white), 169);
    EXPECT_EQ(Count(QRect(141, 21, 19, 19), white), 169) << "nothing else";
}

TEST(Mark, ADiscOfZeroBitsSeventeenAcrossCentredOnNineNine) {
    const Bitmap mark = LoadBitmapW(131);
    const auto disc = [&](int x, int y) { return mark.pixelIndex(x, y) == 0; };
    EXPECT_EQ(Count(QRect(0, 9, 19, 1), disc), 17);
    EXPECT_EQ(Count(QRect(9, 0, 1, 19), disc), 17);
    EXPECT_EQ(Count(QRect(1, 1, 1, 1), disc), 0) << "corners outside the disc";
}

TEST(Banners, EachLanguageHasItsWordsInItsOwnRows) {
    const auto letters = [](const Bitmap& banner, int first, int last) {
        return Count(QRect(0, first, banner.width(), last - first + 1),
                     [&](int x, int y) { return banner.pixelIndex(x, y) == 1; });
    };
    const Bitmap perfect = LoadBitmapW(121);
    EXPECT_GT(letters(perfect, 0, 12), 40);
    EXPECT_GT(letters(perfect, 13, 25), 40);
    const Bitmap accepted = LoadBitmapW(123);
    EXPECT_GT(letters(accepted, 0, 17), 80);
    EXPECT_EQ(letters(accepted, 18, 18), 0) << "row 18 separates the two languages";
    EXPECT_GT(letters(accepted, 19, 35), 80);
}

TEST(Legend, AYellowBoxAboveAndAGreyBoxBelowEachWithItsRay) {
    const Bitmap legend = LoadBitmapW(122);
    const auto in = [&](QRgb colour, int top) {
        return Count(QRect(0, top, 60, 17), [&](int x, int y) { return legend.pixel(x, y) == colour; });
    };
    EXPECT_GT(in(rgb(255, 255, 0), 0), 100);
    EXPECT_EQ(in(rgb(255, 255, 0), 17), 0);
    EXPECT_GT(in(rgb(160, 160, 160), 17), 100);
    EXPECT_EQ(in(rgb(160, 160, 160), 0), 0);
    EXPECT_GT(in(rgb(0, 255, 0), 0), 20);
    EXPECT_GT(in(rgb(0, 255, 0), 17), 20);
}

}  // namespace
