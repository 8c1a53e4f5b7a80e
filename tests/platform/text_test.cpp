// The desktop's text, drawn by Qt into the raster core's bitmaps: the rules every platform's text
// keeps, in the game's 11-pixel font.
#include "platform/qt/qt_bitmap.h"
#include "support/text_rules.h"

namespace {

TEST(Text, QtTextKeepsTheRulesOfEveryPlatformsTextInTheElevenPixelFont) {
    UseQtText();
    text_rules::ExpectTheTextRules();
    const int height = text_rules::Drawn(u" item ", Rect32{0, 0, 200, 60}, DT_CENTER).height();
    EXPECT_TRUE(height >= 11 && height <= 15) << "the 11-pixel font: " << height;
}

}  // namespace
