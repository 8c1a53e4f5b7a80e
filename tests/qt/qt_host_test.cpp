// What the desktop's Qt host gives the game: the bitmaps compiled into the program, loaded by number in
// the sizes and depths the game draws them with (what they show is in the pictures of
// docs/screenshots, a load made to fail in the painting tests' internal errors); text drawn by Qt into
// the raster core's bitmaps in the game's 11-pixel font.
#include <gtest/gtest.h>

#include <QImage>
#include <QSize>

#include "platform/qt/bitmaps.h"
#include "platform/qt/qt_bitmap.h"
#include "support/bitmap_sizes.h"
#include "support/text_rules.h"

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

TEST(Text, QtTextKeepsTheRulesOfEveryPlatformsTextInTheElevenPixelFont) {
    SetTextDrawer(&DrawQtText);
    text_rules::ExpectTheTextRules();
    const int height = text_rules::Drawn(u" item ", Rect32{0, 0, 200, 60}, DT_CENTER).height();
    EXPECT_TRUE(height >= 11 && height <= 15) << "the 11-pixel font: " << height;
}

}  // namespace
