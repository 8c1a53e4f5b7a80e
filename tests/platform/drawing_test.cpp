// The drawing contexts keep the handheld's geometry rule and colour rule.
#include "platform/drawing.h"

#include <gtest/gtest.h>

#include <QString>
#include <cstdlib>
#include <utility>

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

QRgb At(const DeviceContext& dc, int x, int y) {
    return dc.Image().pixel(x, y);
}

QString Hex(QRgb colour) {
    return QString::number(colour & RGB_MASK, 16);
}

// A source context holding a two-colour bitmap whose row 0 reads bits 0, 1, 0, 1.
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

TEST(Geometry, ARectangleOf21CoversExactly21ColumnsAndRows) {
    DeviceContext dc = Canvas(30, 30);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreateSolidBrush(kPurple));
    dc.Rectangle(2, 3, 23, 24);
    EXPECT_EQ(At(dc, 2, 3), kWhite);
    EXPECT_EQ(At(dc, 22, 23), kWhite) << "the last column and row are the outline";
    EXPECT_EQ(At(dc, 23, 10), kField) << "the right edge is exclusive";
    EXPECT_EQ(At(dc, 10, 24), kField) << "the bottom edge is exclusive";
    EXPECT_EQ(At(dc, 1, 10), kField);
    EXPECT_EQ(At(dc, 3, 4), kPurple);
    EXPECT_EQ(At(dc, 21, 22), kPurple);
}

TEST(Geometry, BoxesTwentyPixelsApartShareTheirBorder) {
    DeviceContext dc = Canvas(50, 25);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreateSolidBrush(kPurple));
    dc.Rectangle(0, 0, 21, 21);
    dc.Rectangle(20, 0, 41, 21);
    for (int y = 0; y < 21; ++y) EXPECT_EQ(At(dc, 20, y), kWhite) << "shared line, row " << y;
    EXPECT_EQ(At(dc, 19, 10), kPurple);
    EXPECT_EQ(At(dc, 21, 10), kPurple);
    EXPECT_EQ(At(dc, 40, 10), kWhite);
    EXPECT_EQ(At(dc, 41, 10), kField);
}

TEST(Geometry, TheHollowBrushLeavesTheInsideAlone) {
    DeviceContext dc = Canvas(20, 20);
    dc.SelectPen(CreatePen(1, kRed));
    const Brush before = dc.SelectBrush(GetStockBrush(NULL_BRUSH));
    EXPECT_EQ(before.colour, kWhite) << "a new context has a white brush";
    dc.Rectangle(5, 5, 16, 16);
    EXPECT_EQ(At(dc, 5, 5), kRed);
    EXPECT_EQ(At(dc, 15, 15), kRed);
    EXPECT_EQ(At(dc, 10, 10), kField);
    EXPECT_EQ(At(dc, 16, 16), kField);
}

TEST(Geometry, StockBrushesFillInTheirGreys) {
    const std::pair<int, QRgb> stock[] = {{WHITE_BRUSH, kWhite},
                                          {LTGRAY_BRUSH, rgb(192, 192, 192)},
                                          {GRAY_BRUSH, rgb(128, 128, 128)},
                                          {DKGRAY_BRUSH, rgb(64, 64, 64)},
                                          {BLACK_BRUSH, kBlack}};
    for (const auto& [id, colour] : stock) {
        DeviceContext dc = Canvas(10, 10);
        dc.SelectBrush(GetStockBrush(id));
        dc.Rectangle(0, 0, 10, 10);
        EXPECT_EQ(At(dc, 5, 5), colour) << "stock brush " << id;
    }
}

TEST(Geometry, ALineLeavesItsEndPixelUnset) {
    DeviceContext dc = Canvas(20, 20);
    dc.SelectPen(CreatePen(1, kRed));
    const QPoint across[] = {{2, 2}, {10, 2}};
    dc.Polyline(across, 2);
    EXPECT_EQ(At(dc, 2, 2), kRed);
    EXPECT_EQ(At(dc, 9, 2), kRed);
    EXPECT_EQ(At(dc, 10, 2), kField);
    EXPECT_EQ(At(dc, 1, 2), kField);

    const QPoint bent[] = {{2, 5}, {2, 12}, {9, 12}};
    dc.Polyline(bent, 3);
    EXPECT_EQ(At(dc, 2, 11), kRed);
    EXPECT_EQ(At(dc, 2, 12), kRed) << "the corner is the start of the second segment";
    EXPECT_EQ(At(dc, 8, 12), kRed);
    EXPECT_EQ(At(dc, 9, 12), kField) << "the last point is not set";
}

TEST(Geometry, ASteepLineRoundsItsMinorCoordinateToTheNearestPixel) {
    DeviceContext dc = Canvas(10, 10);
    dc.SelectPen(CreatePen(1, kRed));
    const QPoint steep[] = {{0, 0}, {2, 6}};  // x = 2y/6 rounded: 0 0 1 1 1 2, then (2, 6) left out
    dc.Polyline(steep, 2);
    const int expectedX[] = {0, 0, 1, 1, 1, 2};
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(At(dc, x, y) == kRed, x == expectedX[y]) << "(" << x << ", " << y << ")";
        }
    }
    EXPECT_EQ(At(dc, 2, 6), kField);
}

TEST(Geometry, ALineFarOutsideTheBitmapDrawsOnlyItsVisiblePart) {
    DeviceContext dc = Canvas(10, 10);
    dc.SelectPen(CreatePen(1, kRed));
    const QPoint far[] = {{5, -2000000000}, {5, 2000000000}};
    dc.Polyline(far, 2);
    for (int y = 0; y < 10; ++y) EXPECT_EQ(At(dc, 5, y), kRed) << "row " << y;
    EXPECT_EQ(At(dc, 4, 5), kField);
}

TEST(Geometry, AThreePixelPenDrawsAThreePixelWideRay) {
    DeviceContext dc = Canvas(30, 20);
    dc.SelectPen(CreatePen(3, kGreen));
    const QPoint ray[] = {{5, 10}, {25, 10}};
    dc.Polyline(ray, 2);
    for (int y = 9; y <= 11; ++y) EXPECT_EQ(At(dc, 15, y), kGreen) << "row " << y;
    EXPECT_EQ(At(dc, 15, 8), kField);
    EXPECT_EQ(At(dc, 15, 12), kField);
}

TEST(Geometry, AnEllipseTouchesTheFourSidesOfItsBoxInside) {
    DeviceContext dc = Canvas(25, 25);
    dc.SelectPen(CreatePen(1, kRed));
    dc.SelectBrush(CreateSolidBrush(kPurple));
    dc.Ellipse(2, 2, 23, 23);  // columns and rows 2 .. 22
    EXPECT_EQ(At(dc, 12, 2), kRed);
    EXPECT_EQ(At(dc, 12, 22), kRed);
    EXPECT_EQ(At(dc, 2, 12), kRed);
    EXPECT_EQ(At(dc, 22, 12), kRed);
    EXPECT_EQ(At(dc, 12, 23), kField);
    EXPECT_EQ(At(dc, 23, 12), kField);
    EXPECT_EQ(At(dc, 12, 12), kPurple);
    EXPECT_EQ(At(dc, 3, 3), kField) << "the box's corners stay outside";
}

TEST(Geometry, PatBltFillsWhiteOrBlackUpToTheExclusiveEdges) {
    DeviceContext dc = Canvas(10, 10);
    dc.PatBlt(1, 1, 4, 3, RasterOp::Whiteness);
    EXPECT_EQ(At(dc, 1, 1), kWhite);
    EXPECT_EQ(At(dc, 4, 3), kWhite);
    EXPECT_EQ(At(dc, 5, 3), kField);
    EXPECT_EQ(At(dc, 4, 4), kField);
    dc.PatBlt(-5, -5, 100, 100, RasterOp::Blackness);
    EXPECT_EQ(At(dc, 0, 0), kBlack);
    EXPECT_EQ(At(dc, 9, 9), kBlack);
}

TEST(Geometry, SetPixelSetsOnePixelAndIgnoresPointsOutside) {
    DeviceContext dc = Canvas(4, 4);
    dc.SetPixel(2, 1, kRed);
    dc.SetPixel(4, 1, kRed);
    dc.SetPixel(-1, 0, kRed);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(At(dc, x, y) == kRed, x == 2 && y == 1) << x << ", " << y;
    }
}

TEST(Geometry, AContextWithoutABitmapIgnoresDrawing) {
    DeviceContext dc;
    dc.PatBlt(0, 0, 10, 10, RasterOp::Blackness);
    dc.Rectangle(0, 0, 10, 10);
    dc.SetPixel(0, 0, kRed);
    EXPECT_TRUE(dc.Image().isNull());
}

TEST(ColourRule, AContextStartsWithBlackTextOnAnOpaqueWhiteBackground) {
    DeviceContext dc;
    EXPECT_EQ(dc.TextColor(), kBlack);
    EXPECT_EQ(dc.BkColor(), kWhite);
    EXPECT_EQ(dc.BkMode(), BackgroundMode::Opaque);
    EXPECT_EQ(dc.SetTextColor(kRed), kBlack) << "setting returns the colour replaced";
    EXPECT_EQ(dc.SetBkColor(kGreen), kWhite);
    EXPECT_EQ(dc.SetBkMode(BackgroundMode::Transparent), BackgroundMode::Opaque);
}

TEST(ColourRule, ATwoColourBitmapTakesTheTextAndBackgroundColours) {
    DeviceContext dc = Canvas(6, 2);
    const DeviceContext source = MonoSource();
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.BitBlt(1, 0, 4, 1, source, 0, 0);
    EXPECT_EQ(At(dc, 0, 0), kField);
    EXPECT_EQ(At(dc, 1, 0), kRed) << "0-bit";
    EXPECT_EQ(At(dc, 2, 0), kGreen) << "1-bit";
    EXPECT_EQ(At(dc, 3, 0), kRed);
    EXPECT_EQ(At(dc, 4, 0), kGreen);
    EXPECT_EQ(At(dc, 5, 0), kField);
}

TEST(ColourRule, KeyBlackSkipsTheZeroBitsAndKeyWhiteTheOneBits) {
    const DeviceContext source = MonoSource();
    DeviceContext dc = Canvas(4, 2);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.TransparentImage(0, 0, 4, 1, source, 0, 0, 4, 1, kBlack);
    dc.TransparentImage(0, 1, 4, 1, source, 0, 0, 4, 1, kWhite);
    EXPECT_EQ(At(dc, 0, 0), kField);
    EXPECT_EQ(At(dc, 1, 0), kGreen);
    EXPECT_EQ(At(dc, 2, 0), kField);
    EXPECT_EQ(At(dc, 0, 1), kRed);
    EXPECT_EQ(At(dc, 1, 1), kField);
    EXPECT_EQ(At(dc, 2, 1), kRed);
}

TEST(ColourRule, AColourKeySkipsExactlyThePurplePixels) {
    const DeviceContext source = ColourSource({kPurple, rgb(128, 0, 129), kWhite, kPurple});
    DeviceContext dc = Canvas(4, 1);
    dc.TransparentImage(0, 0, 4, 1, source, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(At(dc, 0, 0), kField);
    EXPECT_EQ(At(dc, 1, 0), rgb(128, 0, 129)) << "a colour one step from the key is drawn";
    EXPECT_EQ(At(dc, 2, 0), kWhite);
    EXPECT_EQ(At(dc, 3, 0), kField);
}

TEST(ColourRule, AKeyThatNamesNeitherColourOfATwoColourBitmapSkipsNothing) {
    const DeviceContext source = MonoSource();
    DeviceContext dc = Canvas(4, 1);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.TransparentImage(0, 0, 4, 1, source, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(At(dc, 0, 0), kRed);
    EXPECT_EQ(At(dc, 1, 0), kGreen);
}

TEST(ColourRule, ABitmapChangedAfterACopyIsCopiedAsItIsNow) {
    DeviceContext source = ColourSource({kPurple, kWhite});
    DeviceContext dc = Canvas(2, 1);
    dc.TransparentImage(0, 0, 2, 1, source, 0, 0, 2, 1, kPurple);
    source.Image().setPixel(0, 0, kRed);
    source.Image().setPixel(1, 0, kPurple);
    dc.TransparentImage(0, 0, 2, 1, source, 0, 0, 2, 1, kPurple);
    EXPECT_EQ(At(dc, 0, 0), kRed);
    EXPECT_EQ(At(dc, 1, 0), kWhite) << "a pixel turned to the key is skipped";
}

TEST(ColourRule, ATransparentCopyStaysInsideBothBitmaps) {
    const DeviceContext source = ColourSource({kRed, kGreen, kWhite});
    DeviceContext dc = Canvas(4, 2);
    dc.TransparentImage(2, 0, 4, 1, source, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(At(dc, 1, 0), kField);
    EXPECT_EQ(At(dc, 2, 0), kRed);
    EXPECT_EQ(At(dc, 3, 0), kGreen);
    dc.TransparentImage(0, 1, 3, 1, source, -1, 0, 3, 1, kPurple);
    EXPECT_EQ(At(dc, 0, 1), kField) << "no source pixel left of the bitmap";
    EXPECT_EQ(At(dc, 1, 1), kRed);
    EXPECT_EQ(At(dc, 2, 1), kGreen);
    dc.TransparentImage(-2, 0, 3, 1, source, 0, 0, 3, 1, kPurple);
    EXPECT_EQ(At(dc, 0, 0), kWhite);
}

TEST(ColourRule, APlainCopyOfAColourBitmapKeepsItsColoursAndStaysInsideBothBitmaps) {
    const DeviceContext source = ColourSource({kRed, kGreen, kPurple});
    DeviceContext dc = Canvas(4, 2);
    dc.BitBlt(2, 0, 3, 1, source, 0, 0);  // the last source column falls off the target
    EXPECT_EQ(At(dc, 1, 0), kField);
    EXPECT_EQ(At(dc, 2, 0), kRed);
    EXPECT_EQ(At(dc, 3, 0), kGreen);
    dc.BitBlt(0, 1, 4, 1, source, 1, 0);  // the source ends after two columns
    EXPECT_EQ(At(dc, 0, 1), kGreen);
    EXPECT_EQ(At(dc, 1, 1), kPurple);
    EXPECT_EQ(At(dc, 2, 1), kField) << "no source pixel, no change";
}

TEST(Stretch, AStretchedCopyIsCombinedWithTheTargetByOr) {
    const DeviceContext source = ColourSource({rgb(0x01, 0x02, 0x04), rgb(0x80, 0x00, 0x00)});
    QImage image(4, 1, QImage::Format_RGB32);
    image.fill(rgb(0x10, 0x20, 0x40));
    DeviceContext dc;
    dc.SelectBitmap(image);
    dc.StretchBltOr(0, 0, 4, 1, source, 0, 0, 2, 1);
    EXPECT_EQ(Hex(At(dc, 0, 0)), Hex(rgb(0x11, 0x22, 0x44)));
    EXPECT_EQ(Hex(At(dc, 1, 0)), Hex(rgb(0x11, 0x22, 0x44))) << "each source pixel covers two columns";
    EXPECT_EQ(Hex(At(dc, 2, 0)), Hex(rgb(0x90, 0x20, 0x40)));
    EXPECT_EQ(Hex(At(dc, 3, 0)), Hex(rgb(0x90, 0x20, 0x40)));
}

TEST(Stretch, ABlackSourceLeavesTheTargetUnchanged) {
    QImage burst(70, 70, QImage::Format_RGB32);
    burst.fill(kBlack);
    DeviceContext source;
    source.SelectBitmap(burst);
    DeviceContext dc = Canvas(40, 40);
    dc.StretchBltOr(5, 5, 30, 30, source, 0, 0, 70, 70);
    EXPECT_EQ(At(dc, 20, 20), kField);
}

// A 2 x 2 checker of red and green whose tiles start at the bitmap's (0, 0).
Bitmap Checker() {
    QImage tile(2, 2, QImage::Format_RGB32);
    tile.setPixel(0, 0, kRed);
    tile.setPixel(1, 1, kRed);
    tile.setPixel(1, 0, kGreen);
    tile.setPixel(0, 1, kGreen);
    return tile;
}

QRgb CheckerAt(int x, int y) {
    return (x + y) % 2 == 0 ? kRed : kGreen;
}

TEST(Pattern, APolygonIsFilledWithTheBrushPatternAnchoredAtTheOrigin) {
    DeviceContext dc = Canvas(30, 30);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreatePatternBrush(Checker()));
    // An outer square with an inner one traced in the same polygon: odd-even leaves the inner one open.
    const QPoint ring[] = {{2, 2},   {27, 2},  {27, 27}, {2, 27},  {2, 2},
                           {10, 10}, {19, 10}, {19, 19}, {10, 19}, {10, 10}};
    dc.Polygon(ring, 10);
    for (const QPoint p : {QPoint(5, 20), QPoint(6, 20), QPoint(24, 7), QPoint(15, 24)}) {
        EXPECT_EQ(At(dc, p.x(), p.y()), CheckerAt(p.x(), p.y())) << "filled at " << p.x() << ", " << p.y();
    }
    EXPECT_EQ(At(dc, 15, 15), kField) << "the part enclosed twice stays open";
    EXPECT_EQ(At(dc, 27, 15), kWhite) << "the outline is drawn with the pen";
    EXPECT_EQ(At(dc, 19, 15), kWhite);
    EXPECT_EQ(At(dc, 28, 15), kField);
}

TEST(Pattern, ARectangleWithATwoColourPatternTakesTheTextAndBackgroundColours) {
    QImage mono(2, 1, QImage::Format_Mono);
    mono.setColorTable({kBlack, kWhite});
    mono.setPixel(0, 0, 0);
    mono.setPixel(1, 0, 1);
    DeviceContext dc = Canvas(8, 4);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreatePatternBrush(mono));
    dc.Rectangle(0, 0, 8, 4);
    EXPECT_EQ(At(dc, 2, 1), kRed);
    EXPECT_EQ(At(dc, 3, 1), kGreen);
    EXPECT_EQ(At(dc, 4, 2), kRed);
}

// The rows and columns of the bitmap that hold `colour`.
QRect Extent(const DeviceContext& dc, QRgb colour) {
    QRect box;
    for (int y = 0; y < dc.Image().height(); ++y) {
        for (int x = 0; x < dc.Image().width(); ++x) {
            if (At(dc, x, y) == colour) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

TEST(Text, OpaqueTextFillsItsLinesBackgroundAndReturnsTheHeight) {
    DeviceContext dc = Canvas(200, 60);
    dc.SetTextColor(kBlack);
    dc.SetBkColor(kRed);
    const int oneLine = dc.DrawTextW(QStringLiteral(" item "), QRect(0, 0, 200, 60), DT_CENTER);
    const QRect band = Extent(dc, kRed);
    ASSERT_FALSE(band.isEmpty());
    EXPECT_EQ(band.top(), 0) << "the first line starts at the rectangle's top";
    EXPECT_EQ(band.height(), oneLine);
    EXPECT_LE(std::abs(band.left() - (199 - band.right())), 1) << "centred";
    EXPECT_FALSE(Extent(dc, kBlack).isEmpty()) << "the text is drawn in the text colour";

    DeviceContext two = Canvas(200, 60);
    two.SetBkColor(kRed);
    EXPECT_EQ(two.DrawTextW(QStringLiteral(" a \r\n b "), QRect(0, 0, 200, 60), DT_CENTER), 2 * oneLine);
    EXPECT_EQ(Extent(two, kRed).height(), 2 * oneLine) << "two lines, one below the other";
}

TEST(Text, RightAlignedTextEndsAtTheRectanglesRightEdge) {
    DeviceContext dc = Canvas(100, 20);
    dc.SetBkColor(kRed);
    dc.DrawTextW(QStringLiteral("1:02"), QRect(10, 0, 80, 15), DT_RIGHT);
    EXPECT_EQ(Extent(dc, kRed).right(), 89);
}

TEST(Text, TransparentTextLeavesTheBackgroundAlone) {
    DeviceContext dc = Canvas(100, 20);
    dc.SetBkColor(kRed);
    dc.SetTextColor(kBlack);
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.DrawTextW(QStringLiteral("100"), QRect(0, 0, 100, 20),
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    EXPECT_TRUE(Extent(dc, kRed).isEmpty());
    EXPECT_FALSE(Extent(dc, kBlack).isEmpty());
}

TEST(Text, TextIsClippedToItsRectangleUnlessNoClipIsAsked) {
    DeviceContext clipped = Canvas(60, 60);
    clipped.SetBkColor(kRed);
    clipped.DrawTextW(QStringLiteral("123"), QRect(25, 25, 8, 8), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_TRUE(QRect(25, 25, 8, 8).contains(Extent(clipped, kRed)));

    DeviceContext free = Canvas(60, 60);
    free.SetBkColor(kRed);
    free.DrawTextW(QStringLiteral("123"), QRect(25, 25, 8, 8),
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    const QRect band = Extent(free, kRed);
    EXPECT_LT(band.left(), 25);
    EXPECT_GT(band.right(), 32);
    EXPECT_LE(std::abs((band.top() - 25) - (32 - band.bottom())), 1) << "centred both ways";
}

TEST(Select, AttachingReturnsWhatWasAttachedBefore) {
    DeviceContext dc;
    const Pen red = CreatePen(1, kRed);
    const Pen first = dc.SelectPen(red);
    EXPECT_EQ(first.colour, kBlack);
    EXPECT_EQ(first.width, 1);
    EXPECT_EQ(dc.SelectPen(first).colour, kRed);
    QImage image(3, 3, QImage::Format_RGB32);
    EXPECT_TRUE(dc.SelectBitmap(image).isNull());
    EXPECT_EQ(dc.SelectBitmap(QImage()).size(), QSize(3, 3));
}

}  // namespace
