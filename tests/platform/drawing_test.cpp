// The drawing contexts keep the handheld's geometry rule and colour rule.
#include "platform/drawing.h"

#include <gtest/gtest.h>

#include <QString>
#include <initializer_list>
#include <string>

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
// w white, k black, p purple, g green, r red, ? anything else.
std::string Pixels(const DeviceContext& dc, int x, int y, int count, bool down = false) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        const QRgb pixel = dc.Image().pixel(down ? x : x + i, down ? y + i : y);
        const std::pair<QRgb, char> letters[] = {{kField, '.'},  {kWhite, 'w'}, {kBlack, 'k'},
                                                 {kPurple, 'p'}, {kGreen, 'g'}, {kRed, 'r'}};
        char letter = '?';
        for (const auto& [colour, name] : letters) letter = pixel == colour ? name : letter;
        text += letter;
    }
    return text;
}

std::string Repeat(char letter, int count) {
    return std::string(static_cast<size_t>(count), letter);
}

// A source context holding a two-colour bitmap whose bits read 0, 1, 0, 1.
DeviceContext MonoSource() {
    QImage mono(4, 1, QImage::Format_Mono);
    mono.setColorTable({kBlack, kWhite});
    for (int x = 0; x < 4; ++x) mono.setPixel(x, 0, x % 2);
    DeviceContext source;
    source.SelectBitmap(mono);
    return source;
}

DeviceContext ColourSource(std::initializer_list<QRgb> row) {
    QImage image(static_cast<int>(row.size()), 1, QImage::Format_RGB32);
    int x = 0;
    for (QRgb colour : row) image.setPixel(x++, 0, colour);
    DeviceContext source;
    source.SelectBitmap(image);
    return source;
}

TEST(Geometry, A21PixelBoxCovers21ColumnsAndBoxes20ApartShareTheirBorder) {
    DeviceContext dc = Canvas(70, 25);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreateSolidBrush(kPurple));
    dc.Rectangle(0, 0, 21, 21);
    dc.Rectangle(20, 0, 41, 21);
    dc.SelectBrush(GetStockBrush(NULL_BRUSH));
    dc.Rectangle(45, 0, 66, 21);
    const std::string box = "w" + Repeat('p', 19);
    EXPECT_EQ(Pixels(dc, 0, 10, 43), box + box + "w..");
    EXPECT_EQ(Pixels(dc, 44, 10, 23), ".w" + Repeat('.', 19) + "w.") << "the hollow brush leaves the inside";
    EXPECT_EQ(Pixels(dc, 20, 0, 23, true), Repeat('w', 21) + "..")
        << "the shared border, bottom edge left out";
}

TEST(Geometry, StockBrushesFillInTheirGreys) {
    const std::pair<int, int> greys[] = {
        {WHITE_BRUSH, 255}, {LTGRAY_BRUSH, 192}, {GRAY_BRUSH, 128}, {DKGRAY_BRUSH, 64}, {BLACK_BRUSH, 0}};
    for (const auto& [id, level] : greys) {
        DeviceContext dc = Canvas(3, 3);
        dc.SelectBrush(GetStockBrush(id));
        dc.Rectangle(0, 0, 3, 3);
        EXPECT_EQ(dc.Image().pixel(1, 1), rgb(level, level, level)) << "stock brush " << id;
    }
}

TEST(Geometry, LinesLeaveTheirLastPointUnsetAndRoundToTheNearestPixel) {
    DeviceContext dc = Canvas(10, 7);
    dc.SelectPen(CreatePen(1, kRed));
    const QPoint steep[] = {{0, 0}, {2, 6}};
    const QPoint bent[] = {{4, 1}, {9, 1}, {9, 5}};
    dc.Polyline(steep, 2);
    dc.Polyline(bent, 3);
    const char* expected[] = {"r.........", "r...rrrrrr", ".r.......r", ".r.......r",
                              ".r.......r", "..r.......", ".........."};
    for (int y = 0; y < 7; ++y) EXPECT_EQ(Pixels(dc, 0, y, 10), expected[y]) << "row " << y;
}

TEST(Geometry, ALineFarOutsideTheBitmapDrawsItsVisiblePart) {
    DeviceContext dc = Canvas(3, 4);
    dc.SelectPen(CreatePen(1, kRed));
    const QPoint far[] = {{1, -2000000000}, {1, 2000000000}};
    dc.Polyline(far, 2);
    EXPECT_EQ(Pixels(dc, 1, 0, 4, true), "rrrr");
    EXPECT_EQ(Pixels(dc, 0, 0, 4, true), "....");
}

TEST(Geometry, AThreePixelPenDrawsAThreePixelWideRay) {
    DeviceContext dc = Canvas(30, 20);
    dc.SelectPen(CreatePen(3, kGreen));
    const QPoint ray[] = {{5, 10}, {25, 10}};
    dc.Polyline(ray, 2);
    EXPECT_EQ(Pixels(dc, 15, 7, 7, true), "..ggg..");
}

TEST(Geometry, AnEllipseTouchesTheFourSidesOfItsBoxInside) {
    DeviceContext dc = Canvas(25, 25);
    dc.SelectPen(CreatePen(1, kRed));
    dc.SelectBrush(CreateSolidBrush(kPurple));
    dc.Ellipse(2, 2, 23, 23);  // columns and rows 2 .. 22
    EXPECT_EQ(Pixels(dc, 1, 12, 23), ".r" + Repeat('p', 19) + "r.");
    EXPECT_EQ(Pixels(dc, 12, 1, 23, true), ".r" + Repeat('p', 19) + "r.");
    EXPECT_EQ(Pixels(dc, 2, 2, 2), "..") << "the box's corner stays outside";
}

TEST(Geometry, PatBltAndSetPixelStayInsideTheirPlaces) {
    DeviceContext dc = Canvas(8, 3);
    dc.PatBlt(1, 0, 4, 2, RasterOp::Whiteness);
    dc.PatBlt(3, 1, 100, 100, RasterOp::Blackness);
    dc.SetPixel(0, 2, kRed);
    dc.SetPixel(8, 2, kRed);
    EXPECT_EQ(Pixels(dc, 0, 0, 8), ".wwww...");
    EXPECT_EQ(Pixels(dc, 0, 1, 8), ".wwkkkkk");
    EXPECT_EQ(Pixels(dc, 0, 2, 8), "r..kkkkk");

    DeviceContext none;
    none.PatBlt(0, 0, 10, 10, RasterOp::Blackness);
    EXPECT_TRUE(none.Image().isNull()) << "a context without a bitmap ignores drawing";
}

TEST(ColourRule, AContextStartsWithBlackTextOnAnOpaqueWhiteBackground) {
    DeviceContext dc;
    EXPECT_EQ(dc.SetTextColor(kRed), kBlack) << "setting returns the colour replaced";
    EXPECT_EQ(dc.SetBkColor(kGreen), kWhite);
    EXPECT_EQ(dc.SetBkMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
    EXPECT_EQ(dc.SelectPen(CreatePen(3, kRed)).width, 1);
    EXPECT_EQ(dc.SelectBrush(GetStockBrush(NULL_BRUSH)).colour, kWhite);
}

TEST(ColourRule, ATwoColourBitmapTakesTheTextColourForItsZeroBitsAndTheBackgroundForItsOnes) {
    const DeviceContext source = MonoSource();
    DeviceContext dc = Canvas(6, 3);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.BitBlt(1, 0, 4, 1, source, 0, 0);
    dc.TransparentImage(0, 1, 4, 1, source, 0, 0, 4, 1, kBlack);
    dc.TransparentImage(0, 2, 4, 1, source, 0, 0, 4, 1, kWhite);
    EXPECT_EQ(Pixels(dc, 0, 0, 6), ".rgrg.");
    EXPECT_EQ(Pixels(dc, 0, 1, 4), ".g.g") << "key black skips the 0-bits";
    EXPECT_EQ(Pixels(dc, 0, 2, 4), "r.r.") << "key white skips the 1-bits";
    dc.TransparentImage(0, 1, 4, 1, source, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 1, 4), "rgrg") << "a key of neither colour skips nothing";
}

TEST(ColourRule, AColourKeySkipsExactlyThePurplePixels) {
    DeviceContext source = ColourSource({kPurple, rgb(128, 0, 129), kWhite, kPurple});
    DeviceContext dc = Canvas(4, 1);
    dc.TransparentImage(0, 0, 4, 1, source, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 0, 4), ".?w.");
    EXPECT_EQ(dc.Image().pixel(1, 0), rgb(128, 0, 129));

    source.Image().setPixel(0, 0, kRed);  // the bitmap changes after it has been copied
    source.Image().setPixel(2, 0, kPurple);
    dc.TransparentImage(0, 0, 4, 1, source, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 0, 4), "r?w.") << "the copy follows the bitmap as it is now";
}

TEST(ColourRule, CopiesStayInsideBothBitmaps) {
    const DeviceContext source = ColourSource({kRed, kGreen, kWhite});
    DeviceContext dc = Canvas(4, 3);
    dc.BitBlt(2, 0, 3, 1, source, 0, 0);
    dc.BitBlt(0, 1, 4, 1, source, 1, 0);
    dc.TransparentImage(-1, 2, 4, 1, source, -1, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 0, 4), "..rg");
    EXPECT_EQ(Pixels(dc, 0, 1, 4), "gw..");
    EXPECT_EQ(Pixels(dc, 0, 2, 4), "rgw.");
}

TEST(Stretch, AStretchedCopyIsCombinedWithTheTargetByOr) {
    const DeviceContext source = ColourSource({rgb(0x01, 0x02, 0x04), rgb(0x80, 0x00, 0x00)});
    QImage image(4, 1, QImage::Format_RGB32);
    image.fill(rgb(0x10, 0x20, 0x40));
    DeviceContext dc;
    dc.SelectBitmap(image);
    dc.StretchBltOr(0, 0, 4, 1, source, 0, 0, 2, 1);
    const QRgb expected[] = {rgb(0x11, 0x22, 0x44), rgb(0x11, 0x22, 0x44), rgb(0x90, 0x20, 0x40),
                             rgb(0x90, 0x20, 0x40)};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(QString::number(dc.Image().pixel(x, 0), 16), QString::number(expected[x], 16))
            << "column " << x;
    }
}

TEST(Pattern, APolygonIsFilledOddEvenWithThePatternAnchoredAtTheOrigin) {
    QImage checker(2, 2, QImage::Format_RGB32);  // red on the diagonal, green off it
    checker.fill(kGreen);
    checker.setPixel(0, 0, kRed);
    checker.setPixel(1, 1, kRed);
    DeviceContext dc = Canvas(30, 30);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreatePatternBrush(checker));
    // An outer square with an inner one traced in the same polygon: the inner one stays open.
    const QPoint ring[] = {{2, 2},   {27, 2},  {27, 27}, {2, 27},  {2, 2},
                           {10, 10}, {19, 10}, {19, 19}, {10, 19}, {10, 10}};
    dc.Polygon(ring, 10);
    EXPECT_EQ(Pixels(dc, 4, 15, 26), "grgrgrw........wgrgrgrgw..");
}

TEST(Pattern, ATwoColourPatternTakesTheTextAndBackgroundColours) {
    QImage mono(2, 1, QImage::Format_Mono);
    mono.setColorTable({kBlack, kWhite});
    mono.setPixel(0, 0, 0);
    mono.setPixel(1, 0, 1);
    DeviceContext dc = Canvas(8, 3);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreatePatternBrush(mono));
    dc.Rectangle(0, 0, 8, 3);
    EXPECT_EQ(Pixels(dc, 0, 1, 8), "wgrgrgrw");
}

// The rows and columns of the bitmap that hold `colour`.
QRect Extent(const DeviceContext& dc, QRgb colour) {
    QRect box;
    for (int y = 0; y < dc.Image().height(); ++y) {
        for (int x = 0; x < dc.Image().width(); ++x)
            box |= dc.Image().pixel(x, y) == colour ? QRect(x, y, 1, 1) : QRect();
    }
    return box;
}

TEST(Text, OpaqueLinesFillTheirBackgroundCentredFromTheTopAndTheHeightIsReturned) {
    DeviceContext dc = Canvas(200, 60);
    dc.SetBkColor(kRed);
    const int oneLine = dc.DrawTextW(QStringLiteral(" item "), QRect(0, 0, 200, 60), DT_CENTER);
    const QRect band = Extent(dc, kRed);
    EXPECT_EQ(band.top(), 0);
    EXPECT_EQ(band.height(), oneLine);
    EXPECT_LE(std::abs(band.left() - (199 - band.right())), 1) << "centred";
    EXPECT_FALSE(Extent(dc, kBlack).isEmpty()) << "the text is drawn in the text colour";

    DeviceContext two = Canvas(200, 60);
    two.SetBkColor(kRed);
    EXPECT_EQ(two.DrawTextW(QStringLiteral(" a \r\n b "), QRect(0, 0, 200, 60), DT_CENTER), 2 * oneLine);
    EXPECT_EQ(Extent(two, kRed).height(), 2 * oneLine) << "two lines, one below the other";
}

TEST(Text, RightAlignedTransparentAndClippedText) {
    DeviceContext dc = Canvas(100, 60);
    dc.SetBkColor(kRed);
    dc.DrawTextW(QStringLiteral("1:02"), QRect(10, 0, 80, 15), DT_RIGHT);
    EXPECT_EQ(Extent(dc, kRed).right(), 89);

    DeviceContext clipped = Canvas(60, 60);
    clipped.SetBkColor(kRed);
    clipped.DrawTextW(QStringLiteral("123"), QRect(25, 25, 8, 8), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_TRUE(QRect(25, 25, 8, 8).contains(Extent(clipped, kRed)));
    clipped.DrawTextW(QStringLiteral("123"), QRect(25, 25, 8, 8),
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    const QRect band = Extent(clipped, kRed);
    EXPECT_TRUE(band.left() < 25 && band.right() > 32) << "not clipped";
    EXPECT_LE(std::abs((band.top() - 25) - (32 - band.bottom())), 1) << "centred both ways";

    DeviceContext transparent = Canvas(100, 20);
    transparent.SetBkColor(kRed);
    transparent.SetBkMode(BackgroundMode::Transparent);
    transparent.DrawTextW(QStringLiteral("100"), QRect(0, 0, 100, 20), DT_CENTER);
    EXPECT_TRUE(Extent(transparent, kRed).isEmpty());
    EXPECT_FALSE(Extent(transparent, kBlack).isEmpty());
}

}  // namespace
