// The drawing contexts keep the handheld's geometry rule and colour rule.
#include "platform/drawing.h"

#include <gtest/gtest.h>

#include <QString>
#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr QRgb kField = rgb(10, 20, 30);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr QRgb kPurple = rgb(128, 0, 128);
constexpr QRgb kGreen = rgb(0, 255, 0);
constexpr QRgb kRed = rgb(255, 0, 0);

// A context on a colour bitmap filled with kField.
DeviceContext Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kField);
    DeviceContext dc;
    dc.SelectBitmap(image);
    return dc;
}

// The pixels from (x, y) on, `count` of them to the right (or down), one letter each: '.' the field,
// w white, k black, p purple, g green, r red, y the stock grey, ? anything else.
std::string Pixels(const DeviceContext& dc, int x, int y, int count, bool down = false) {
    static const QRgb colours[] = {kField, kWhite, kBlack, kPurple, kGreen, kRed, rgb(128, 128, 128)};
    std::string text;
    for (int i = 0; i < count; ++i) {
        const QRgb* found = std::find(std::begin(colours), std::end(colours),
                                      dc.Image().pixel(down ? x : x + i, down ? y + i : y));
        text += found == std::end(colours) ? '?' : ".wkpgry"[found - colours];
    }
    return text;
}

// Every row of the bitmap, each ended by '/'.
std::string Rows(const DeviceContext& dc) {
    std::string text;
    for (int y = 0; y < dc.Image().height(); ++y) text += Pixels(dc, 0, y, dc.Image().width()) + "/";
    return text;
}

// A context holding a one-row bitmap: colours, or for a two-colour bitmap the bits (0 black, 1 white).
DeviceContext Source(std::initializer_list<QRgb> row, QImage::Format format = QImage::Format_RGB32) {
    QImage image(static_cast<int>(row.size()), 1, format);
    if (format == QImage::Format_Mono) image.setColorTable({kBlack, kWhite});
    int x = 0;
    for (QRgb value : row) image.setPixel(x++, 0, value);
    DeviceContext source;
    source.SelectBitmap(image);
    return source;
}

// Half steps of the minor axis round away from zero, in both directions.
TEST(Geometry, LinesLeaveTheirEndPixelUnsetRoundHalfStepsOutwardAndNothingIsDrawnOutsideTheBitmap) {
    DeviceContext dc = Canvas(10, 7);
    dc.SelectPen(CreatePen(1, kRed));
    const std::vector<QPoint> lines[] = {
        {{0, 0}, {3, 6}}, {{6, 6}, {3, 0}}, {{4, 1}, {9, 1}, {9, 5}}, {{8, -2000000000}, {8, 2000000000}}};
    for (const auto& line : lines) dc.Polyline(line.data(), static_cast<int>(line.size()));
    dc.PatBlt(8, 5, 100, 100, RasterOp::Whiteness);
    dc.PatBlt(6, 3, 2, 2, RasterOp::Blackness);
    dc.SetPixel(0, 6, kGreen);
    dc.SetPixel(10, 6, kGreen);
    EXPECT_EQ(Rows(dc), "r.......r./.r.rrrrrrr/.r..r...rr/..r.r.kkrr/..r..rkkrr/...r.r..ww/g.....r.ww/");

    DeviceContext none;
    none.PatBlt(0, 0, 10, 10, RasterOp::Blackness);
    EXPECT_TRUE(none.Image().isNull()) << "a context without a bitmap ignores drawing";
}

TEST(ColourRule, ATwoColourBitmapTakesTheTextColourForItsZeroBitsAndTheBackgroundForItsOnes) {
    const DeviceContext source = Source({0, 1, 0, 1}, QImage::Format_Mono);
    DeviceContext dc = Canvas(6, 4);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.BitBlt(1, 0, 4, 1, source, 0, 0);
    const QRgb keys[] = {kBlack, kWhite, kPurple};  // skip the 0-bits, the 1-bits, nothing
    for (int row = 1; row <= 3; ++row) dc.TransparentImage(0, row, 4, 1, source, 0, 0, 4, 1, keys[row - 1]);
    EXPECT_EQ(Rows(dc), ".rgrg./.g.g../r.r.../rgrg../");
}

TEST(ColourRule, CopiesStayInsideBothBitmapsAColourKeySkipsExactlyThePurplePixelsAndAStretchIsCombinedByOr) {
    const DeviceContext source = Source({kRed, kGreen, kWhite});
    DeviceContext dc = Canvas(4, 5);
    dc.BitBlt(2, 0, 3, 1, source, 0, 0);
    dc.BitBlt(0, 1, 4, 1, source, 1, 0);
    dc.TransparentImage(-1, 2, 4, 1, source, -1, 0, 4, 1, kPurple);
    DeviceContext keyed = Source({kPurple, rgb(128, 0, 129), kWhite, kPurple});
    dc.TransparentImage(0, 3, 4, 1, keyed, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Rows(dc), "..rg/gw../rgw./.?w./..../");
    EXPECT_EQ(dc.Image().pixel(1, 3), rgb(128, 0, 129));

    keyed.Image().setPixel(0, 0, kRed);  // the bitmap changes after it has been copied
    keyed.Image().setPixel(2, 0, kPurple);
    dc.TransparentImage(0, 3, 4, 1, keyed, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 3, 4), "r?w.");

    const DeviceContext dark = Source({rgb(0x01, 0x02, 0x04), rgb(0x80, 0x00, 0x00)});
    dc.StretchBltOr(0, 4, 4, 1, dark, 0, 0, 2, 1);                           // onto the field, 0x0a141e
    const QRgb expected[] = {rgb(0x0b, 0x16, 0x1e), rgb(0x8a, 0x14, 0x1e)};  // each source pixel twice
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dc.Image().pixel(x, 4), expected[x / 2]) << "column " << x;
}

TEST(Pattern, APolygonIsFilledOddEvenWithThePatternAnchoredAtTheOrigin) {
    QImage checker(2, 2, QImage::Format_RGB32);  // red on the diagonal, green off it
    checker.fill(kGreen);
    for (int i : {0, 1}) checker.setPixel(i, i, kRed);
    DeviceContext dc = Canvas(30, 30);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreatePatternBrush(checker));
    // An outer square with an inner one traced in the same polygon: the inner one stays open.
    const QPoint ring[] = {{2, 2},   {27, 2},  {27, 27}, {2, 27},  {2, 2},
                           {10, 10}, {19, 10}, {19, 19}, {10, 19}, {10, 10}};
    dc.Polygon(ring, 10);
    EXPECT_EQ(Pixels(dc, 4, 15, 26), "grgrgrw........wgrgrgrgw..");
}

// Draws `text` on a 200 x 60 field with a red background colour; returns the rows and columns that
// turned red, the background band.
QRect TextBand(const char* text, const QRect& rect, unsigned format, bool transparent = false) {
    DeviceContext dc = Canvas(200, 60);
    dc.SetBkColor(kRed);
    if (transparent) dc.SetBkMode(BackgroundMode::Transparent);  // a new context's text is opaque
    dc.DrawTextW(QString::fromUtf8(text), rect, format);
    const std::string rows = Rows(dc);
    EXPECT_NE(rows.find('k'), std::string::npos) << text << " is drawn in the text colour";
    QRect band;
    for (size_t i = rows.find('r'); i != std::string::npos; i = rows.find('r', i + 1))
        band |= QRect(static_cast<int>(i % 201), static_cast<int>(i / 201), 1, 1);  // 200 and a '/' a row
    return band;
}

TEST(Text, CentredRightAlignedClippedAndTransparentText) {
    const QRect line = TextBand(" item ", QRect(0, 0, 200, 60), DT_CENTER);
    EXPECT_EQ(line.top(), 0);
    EXPECT_LE(std::abs(line.left() - (199 - line.right())), 1) << "centred";
    EXPECT_EQ(TextBand(" a \r\n b ", QRect(0, 0, 200, 60), DT_CENTER).height(), 2 * line.height())
        << "two lines, one below the other";
    EXPECT_EQ(TextBand("1:02", QRect(10, 0, 80, 15), DT_RIGHT).right(), 89);

    const QRect box(25, 25, 8, 8);
    const unsigned centred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    EXPECT_TRUE(box.contains(TextBand("123", box, centred))) << "clipped";
    const QRect whole = TextBand("123", box, centred | DT_NOCLIP);
    EXPECT_TRUE(whole.left() < 25 && whole.right() > 32) << "not clipped";
    EXPECT_LE(std::abs((whole.top() - 25) - (32 - whole.bottom())), 1) << "centred both ways";
    EXPECT_TRUE(TextBand("100", QRect(0, 0, 100, 20), DT_CENTER, true).isEmpty());
}

}  // namespace
