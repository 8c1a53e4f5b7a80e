// The web platform's text: the rules every platform's text keeps, lines one line height apart drawn
// from the page's coverage without smoothing, and the lines it keeps. The page's glyphs are stood in
// for by boxes: every character is 3 pixels of ink and 1 of space, from the ascent's row 2 up to the
// baseline.
#include "platform/web/text.h"

#include <gtest/gtest.h>

#include <string>

#include "support/canvas.h"
#include "support/text_rules.h"

namespace {

int asked = 0;  // how often the page's glyphs were asked for

int32_t BoxWidth(std::u16string_view line) {
    ++asked;
    return static_cast<int32_t>(line.size()) * 4;
}

// Ink at full coverage, and a faint fringe (less than half) right of every box, which must not show.
void DrawBoxes(std::u16string_view line, uint8_t* mask, int32_t width, int32_t height, int32_t ascent) {
    for (int32_t y = 2; y < ascent && y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) mask[y * width + x] = x % 4 < 3 ? 255 : 100;
    }
    (void)line;
}

class WebText : public ::testing::Test {
  protected:
    void SetUp() override {
        UseGlyphText(GlyphSource{6, 5, &BoxWidth, &DrawBoxes});
        SetTextDrawer(&DrawGlyphText);
        asked = 0;
    }
    void TearDown() override { SetTextDrawer(nullptr); }

    // Draws in white on a transparent background into a `width` x `height` field and returns its rows.
    static std::string Drawn(int width, int height, std::u16string_view text, const Rect32& rect,
                             unsigned format, int32_t* textHeight = nullptr) {
        DeviceContext dc = Canvas(width, height);
        dc.SetTextColor(kWhite);
        dc.SetBkMode(BackgroundMode::Transparent);
        const int32_t measured = dc.DrawTextW(text, rect, format);
        if (textHeight != nullptr) *textHeight = measured;
        return Picture(dc);
    }
};

TEST_F(WebText, LinesSplitAtCrLfOneLineHeightApartAndTheHeightCountsThem) {
    int32_t height = 0;
    const std::string rows = Drawn(10, 12, u"ab\r\nc", Rect32{0, 0, 10, 12}, 0, &height);
    EXPECT_EQ(height, 12);
    EXPECT_EQ(rows,
              "........../........../www.www.../www.www.../www.www.../........../"
              "........../........../www......./www......./www......./........../");
}

TEST_F(WebText, KeepsTheRulesOfEveryPlatformsText) {
    text_rules::ExpectTheTextRules();
}

// The clock redraws the same digits ten times a second: the page is asked for a line once, until
// many other lines have been drawn since.
TEST_F(WebText, ALineDrawnAgainIsTakenFromTheLinesKeptAndLooksTheSame) {
    const std::string first = Drawn(10, 6, u"ab", Rect32{0, 0, 10, 6}, 0);
    Drawn(10, 6, u"abc", Rect32{0, 0, 10, 6}, 0);
    EXPECT_EQ(Drawn(10, 6, u"ab", Rect32{0, 0, 10, 6}, 0), first) << "drawn again after another line";
    EXPECT_EQ(asked, 2);
    for (int i = 0; i < 64; ++i)
        Drawn(10, 6, std::u16string(1, static_cast<char16_t>(u'c' + i)), Rect32{0, 0, 10, 6}, 0);
    asked = 0;
    Drawn(10, 6, u"ab", Rect32{0, 0, 10, 6}, 0);
    EXPECT_EQ(asked, 1) << "the oldest line is dropped first";
}

}  // namespace
