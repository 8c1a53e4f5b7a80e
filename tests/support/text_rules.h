// What the game's texts expect of every platform's text, whatever its glyphs: one table of cases that
// the desktop's Qt text (tests/qt/qt_host_test.cpp) and the web page's glyph text
// (tests/web/text_test.cpp) both run, each after installing its own text drawer.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "raster/device_context.h"
#include "support/canvas.h"

namespace text_rules {

// The rows and columns of a 200 x 60 field that took the background colour (an opaque text, purple)
// or the text colour (a transparent one, white), and how many took the background colour.
struct Band {
    int left = 200, top = 60, right = -1, bottom = -1;
    int backgroundPixels = 0;
    bool empty() const { return right < 0; }
    int height() const { return bottom - top + 1; }
};

inline Band Drawn(std::u16string_view text, const Rect32& rect, unsigned format, bool opaque = true) {
    DeviceContext dc = Canvas(200, 60);
    const Bitmap& field = dc.Image();
    dc.SetTextColor(kWhite);
    dc.SetBkColor(kPurple);
    dc.SetBkMode(opaque ? BackgroundMode::Opaque : BackgroundMode::Transparent);
    dc.DrawTextW(text, rect, format);
    Band band;
    for (int y = 0; y < 60; ++y) {
        for (int x = 0; x < 200; ++x) {
            band.backgroundPixels += field.pixel(x, y) == kPurple;
            if (field.pixel(x, y) != (opaque ? kPurple : kWhite)) continue;
            band.left = std::min(band.left, x), band.top = std::min(band.top, y);
            band.right = std::max(band.right, x), band.bottom = std::max(band.bottom, y);
        }
    }
    return band;
}

inline void ExpectTheTextRules() {
    const Band line = Drawn(u" item ", Rect32{0, 0, 200, 60}, DT_CENTER);
    EXPECT_EQ(line.top, 0);
    EXPECT_LE(std::abs(line.left - (199 - line.right)), 1) << "centred";
    EXPECT_EQ(Drawn(u" a \r\n b ", Rect32{0, 0, 200, 60}, DT_CENTER).height(), 2 * line.height())
        << "two lines, one below the other";
    EXPECT_EQ(Drawn(u"1:02", Rect32{10, 0, 90, 15}, DT_RIGHT).right, 89) << "right-aligned";

    const unsigned centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    const Band clipped = Drawn(u"123", Rect32{25, 25, 33, 33}, centred);
    EXPECT_TRUE(clipped.left >= 25 && clipped.top >= 25 && clipped.right <= 32 && clipped.bottom <= 32)
        << "clipped to its rectangle";
    const Band whole = Drawn(u"123", Rect32{25, 25, 33, 33}, centred | DT_NOCLIP);
    EXPECT_TRUE(whole.left < 25 && whole.right > 32) << "not clipped";
    EXPECT_LE(std::abs((whole.top - 25) - (32 - whole.bottom)), 1) << "centred both ways";
    const Band transparent = Drawn(u"100", Rect32{0, 0, 100, 20}, DT_CENTER, false);
    EXPECT_TRUE(!transparent.empty() && transparent.backgroundPixels == 0) << "ink without a band";

    DeviceContext none;  // no bitmap: measured all the same
    const int32_t one = none.DrawTextW(u"a", Rect32{0, 0, 50, 50}, DT_CENTER);
    EXPECT_GT(one, 0);
    EXPECT_EQ(none.DrawTextW(u"a\r\nb", Rect32{0, 0, 50, 50}, DT_CENTER), 2 * one);
    Bitmap bits(20, 20, true);
    DeviceContext mono;
    mono.SelectBitmap(bits);
    mono.DrawTextW(u"a", Rect32{0, 0, 20, 20}, DT_CENTER);
    for (int i = 0; i < 400; ++i)
        ASSERT_EQ(bits.pixel(i % 20, i / 20), rgb(0, 0, 0)) << "a two-colour bitmap takes no text";
}

}  // namespace text_rules
