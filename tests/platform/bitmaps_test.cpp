// The bitmaps are compiled into the program and load by number in the sizes and depths the game draws
// them with. What they show is in the pictures of docs/screenshots, which the screens test draws again.
#include "platform/qt/bitmaps.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSize>

#include "support/bitmap_sizes.h"

namespace {

TEST(Bitmaps, EveryBitmapLoadsInItsSizeAndDepthAndOtherNumbersOrOnesMadeToFailDoNot) {
    for (const BitmapSize& b : kBitmapSizes) {
        const Bitmap loaded = LoadQtBitmap(b.number);
        EXPECT_TRUE(loaded.width() == b.width && loaded.height() == b.height &&
                    loaded.twoColour() == b.twoColour)
            << "bitmap " << b.number;
    }
    EXPECT_EQ(QImage(QStringLiteral(":/mirovane/icon.png")).size(), QSize(32, 32)) << "the program's icon";

    // The digit strip's glyphs are its 0-bits: the first column of the 0 has ink, the gap after the 1 none.
    const Bitmap digits = LoadQtBitmap(120);
    int ink[2] = {0, 0};
    for (int y = 0; y < 10; ++y) {
        ink[0] += digits.pixel(0, y) == rgb(0, 0, 0) ? 1 : 0;
        ink[1] += digits.pixel(14, y) == rgb(0, 0, 0) ? 1 : 0;
    }
    EXPECT_TRUE(ink[0] > 0 && ink[1] == 0) << "bit 0 is the dark colour";

    for (int number : {125, 133}) EXPECT_TRUE(LoadQtBitmap(number).isNull()) << number;
    SetBitmapLoadFails(131, true);
    EXPECT_TRUE(LoadQtBitmap(131).isNull());
    EXPECT_FALSE(LoadQtBitmap(130).isNull()) << "only the number named fails";
    SetBitmapLoadFails(131, false);
    EXPECT_FALSE(LoadQtBitmap(131).isNull());
}

}  // namespace
