// The bitmaps are compiled into the program and load by number in the sizes and depths the game draws
// them with. What they show is in the pictures of docs/screenshots, which the screens test draws again;
// a load made to fail is in the painting tests' internal errors.
#include "platform/qt/bitmaps.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QSize>

#include "support/bitmap_sizes.h"

namespace {

TEST(Bitmaps, EveryBitmapLoadsInItsSizeAndDepthAndOtherNumbersDoNot) {
    for (const BitmapSize& b : kBitmapSizes) {
        const Bitmap loaded = LoadQtBitmap(b.number);
        EXPECT_TRUE(loaded.width() == b.width && loaded.height() == b.height &&
                    loaded.twoColour() == b.twoColour)
            << "bitmap " << b.number;
    }
    EXPECT_EQ(QImage(QStringLiteral(":/mirovane/icon.png")).size(), QSize(32, 32)) << "the program's icon";
    for (int number : {125, 133}) EXPECT_TRUE(LoadQtBitmap(number).isNull()) << number;
}

}  // namespace
