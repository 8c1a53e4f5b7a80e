// The bitmaps are compiled into the program, load by number in the sizes and depths the game draws
// them with, and keep the layouts that the drawing code relies on.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <climits>
#include <tuple>

#include "platform/drawing.h"

namespace {

constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kGrey = rgb(192, 192, 192);

TEST(Bitmaps, EveryBitmapLoadsInItsSizeAndDepthAndOtherNumbersOrOnesMadeToFailDoNot) {
    // Number, size, and whether it has two colours.
    const std::tuple<int, QSize, bool> all[] = {
        {120, {86, 10}, true},  {121, {65, 26}, true},   {122, {60, 34}, false}, {123, {156, 36}, true},
        {124, {194, 18}, true}, {127, {70, 70}, false},  {128, {80, 15}, false}, {130, {161, 41}, false},
        {131, {19, 19}, true},  {132, {240, 100}, false}};
    for (const auto& [number, size, twoColour] : all) {
        SCOPED_TRACE(number);
        const Bitmap loaded = LoadBitmapW(number);
        EXPECT_EQ(loaded.size(), size);
        EXPECT_EQ(loaded.format(), twoColour ? QImage::Format_Mono : QImage::Format_RGB32);
        EXPECT_EQ(loaded.colorTable(), twoColour ? QList<QRgb>({kBlack, kWhite}) : QList<QRgb>());
    }
    EXPECT_EQ(QImage(QStringLiteral(":/mirovane/icon.png")).size(), QSize(32, 32)) << "the program's icon";

    for (int number : {125, 133}) EXPECT_TRUE(LoadBitmapW(number).isNull()) << number;
    SetBitmapLoadFails(131, true);
    EXPECT_TRUE(LoadBitmapW(131).isNull());
    EXPECT_FALSE(LoadBitmapW(130).isNull()) << "only the number named fails";
    SetBitmapLoadFails(131, false);
    EXPECT_FALSE(LoadBitmapW(131).isNull());
}

// The pixels of `colour` in the given part of bitmap `number` (a two-colour bitmap's 0-bits read
// black, its 1-bits white).
int Count(int number, const QRect& area, QRgb colour) {
    const QImage part = LoadBitmapW(number).copy(area).convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(part.constBits());
    return static_cast<int>(std::count(pixels, pixels + part.width() * part.height(), colour));
}

TEST(Layouts, EachPartThatTheGameCopiesHoldsItsPicture) {
    // What, where, in which colour, and how many pixels at least and at most.
    const std::tuple<const char*, int, QRect, QRgb, int, int> parts[] = {
        {"mark: a disc 17 across", 131, QRect(0, 9, 19, 1), kBlack, 17, 17},
        {"mark: a disc 17 down", 131, QRect(9, 0, 1, 19), kBlack, 17, 17},
        {"mark: its corners outside", 131, QRect(1, 1, 1, 1), kBlack, 0, 0},
        {"perfect: French words", 121, QRect(0, 0, 65, 13), kWhite, 41, INT_MAX},
        {"perfect: English words", 121, QRect(0, 13, 65, 13), kWhite, 41, INT_MAX},
        {"accepted: French words", 123, QRect(0, 0, 156, 18), kWhite, 81, INT_MAX},
        {"accepted: the row between", 123, QRect(0, 18, 156, 1), kWhite, 0, 0},
        {"accepted: English words", 123, QRect(0, 19, 156, 17), kWhite, 81, INT_MAX},
        {"legend: reflected, yellow", 122, QRect(0, 0, 60, 17), rgb(255, 255, 0), 101, INT_MAX},
        {"legend: absorbed, grey", 122, QRect(0, 17, 60, 17), rgb(160, 160, 160), 101, INT_MAX},
    };
    for (const auto& [what, number, area, colour, least, most] : parts) {
        const int n = Count(number, area, colour);
        EXPECT_TRUE(n >= least && n <= most) << what << ": " << n << " pixels";
    }
}

TEST(Layouts, TheItemSheetHasAGreyGridAndTheHighlightRowIsTheItemsInBlue) {
    for (int line = 0; line <= 160; line += 20)
        EXPECT_EQ(Count(130, QRect(line, 0, 1, 41), kGrey), 41) << line;
    for (int line = 0; line <= 40; line += 20)
        EXPECT_EQ(Count(130, QRect(0, line, 161, 1), kGrey), 161) << line;
    const Bitmap sheet = LoadBitmapW(130);
    for (int column = 1; column <= 6; ++column) {
        int black = 0, unlike = 0;  // unlike: highlight pixels that are not the item's, black turned blue
        for (int i = 0; i < 19 * 19; ++i) {
            const int x = 20 * column + 1 + i % 19, y = 1 + i / 19;
            const QRgb above = sheet.pixel(x, y);
            black += above == kBlack ? 1 : 0;
            unlike += sheet.pixel(x, y + 20) == (above == kBlack ? rgb(0, 0, 255) : above) ? 0 : 1;
        }
        EXPECT_GT(black, 10) << "column " << column << " has a black shape";
        EXPECT_EQ(unlike, 0) << "column " << column;
    }
}

}  // namespace
