// The desktop platform's text, drawn by Qt into the raster core's bitmaps: placed, aligned, clipped and
// banded the way the game's texts expect.
#include <gtest/gtest.h>

#include <QRect>
#include <QString>
#include <cstdlib>
#include <string>

#include "platform/qt/qt_bitmap.h"
#include "raster/device_context.h"

namespace {

constexpr Colour kField = rgb(10, 20, 30);
constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kBlack = rgb(0, 0, 0);

// Draws `text` on a 200 x 60 field with a red background colour; returns the rows and columns that
// turned red, the background band.
QRect TextBand(const char* text, const Rect32& rect, unsigned format, bool transparent = false) {
    Bitmap field(200, 60);
    field.fill(kField);
    DeviceContext dc;
    dc.SelectBitmap(field);
    dc.SetBkColor(kRed);
    if (transparent) dc.SetBkMode(BackgroundMode::Transparent);  // a new context's text is opaque
    dc.DrawTextW(QString::fromUtf8(text).toStdU16String(), rect, format);
    QRect band;
    bool inked = false;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (field.pixel(x, y) == kRed) band |= QRect(x, y, 1, 1);
            inked = inked || field.pixel(x, y) == kBlack;
        }
    }
    EXPECT_TRUE(inked) << text << " is drawn in the text colour";
    return band;
}

TEST(Text, CentredRightAlignedClippedAndTransparentText) {
    const QRect line = TextBand(" item ", Rect32{0, 0, 200, 60}, DT_CENTER);
    EXPECT_EQ(line.top(), 0);
    EXPECT_TRUE(line.height() >= 11 && line.height() <= 15) << "the 11-pixel font: " << line.height();
    EXPECT_LE(std::abs(line.left() - (199 - line.right())), 1) << "centred";
    EXPECT_EQ(TextBand(" a \r\n b ", Rect32{0, 0, 200, 60}, DT_CENTER).height(), 2 * line.height())
        << "two lines, one below the other";
    EXPECT_EQ(TextBand("1:02", Rect32{10, 0, 90, 15}, DT_RIGHT).right(), 89);

    const QRect box(25, 25, 8, 8);
    const Rect32 boxRect{25, 25, 33, 33};
    const unsigned centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    EXPECT_TRUE(box.contains(TextBand("123", boxRect, centred))) << "clipped";
    const QRect whole = TextBand("123", boxRect, centred | DT_NOCLIP);
    EXPECT_TRUE(whole.left() < 25 && whole.right() > 32) << "not clipped";
    EXPECT_LE(std::abs((whole.top() - 25) - (32 - whole.bottom())), 1) << "centred both ways";
    EXPECT_TRUE(TextBand("100", Rect32{0, 0, 100, 20}, DT_CENTER, true).isEmpty());
}

TEST(Text, TheHeightIsMeasuredEvenWithoutABitmapAndTwoColourBitmapsTakeNoText) {
    DeviceContext none;
    const int32_t one = none.DrawTextW(u"a", Rect32{0, 0, 50, 50}, DT_CENTER);
    EXPECT_GT(one, 0);
    EXPECT_EQ(none.DrawTextW(u"a\r\nb", Rect32{0, 0, 50, 50}, DT_CENTER), 2 * one);
    Bitmap bits(20, 20, true);
    DeviceContext mono;
    mono.SelectBitmap(bits);
    mono.DrawTextW(u"a", Rect32{0, 0, 20, 20}, DT_CENTER);
    EXPECT_EQ(bits.pixel(10, 10), kBlack) << "left alone";
}

}  // namespace
