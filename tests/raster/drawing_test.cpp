// The drawing contexts keep the geometry rule and the colour rule, and draw every shape the game uses
// the same way on every platform: a table of small pictures, each drawn on a field and compared pixel
// for pixel. Text is the platform's; its rules are in tests/support/text_rules.h.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/canvas.h"

namespace {

// A context holding a one-row bitmap of colours, or for a two-colour bitmap of bits (black 0, white 1).
DeviceContext Source(std::initializer_list<Colour> row, bool twoColour = false) {
    Bitmap bitmap(static_cast<int>(row.size()), 1, twoColour);
    int x = 0;
    for (Colour value : row) bitmap.setPixel(x++, 0, value);
    DeviceContext source;
    source.SelectBitmap(bitmap);
    return source;
}

// ---- The table of shapes -------------------------------------------------------------------------

struct Shape {
    const char* claim;
    std::function<void(DeviceContext&)> draw;
    std::vector<std::string> rows;  // one string a row: the canvas is as wide and high as they are
};

std::string Joined(const std::vector<std::string>& rows) {
    std::string text;
    for (const std::string& row : rows) text += row + "/";
    return text;
}

const Shape kShapes[] = {
    {"a rectangle covers left .. right - 1 and top .. bottom - 1, its outline the pen, its inside the brush",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(1, kWhite));
         dc.SelectBrush(CreateSolidBrush(kPurple));
         dc.Rectangle(1, 1, 6, 5);
     },
     {".......", ".wwwww.", ".wpppw.", ".wpppw.", ".wwwww."}},
    {"boxes 20 apart share their border; a hollow brush keeps the inside; a null pen only fills",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(1, kRed));
         dc.SelectBrush(GetStockBrush(NULL_BRUSH));
         dc.Rectangle(0, 0, 5, 5);
         dc.Rectangle(4, 0, 9, 5);
         dc.SelectPen(Pen{1, kRed, true});
         dc.SelectBrush(GetStockBrush(GRAY_BRUSH));
         dc.Rectangle(1, 1, 3, 3);
         const Point32 across[] = {{0, 3}, {9, 3}};
         dc.Polyline(across, 2);
     },
     {"rrrrrrrrr", "ryy.r...r", "ryy.r...r", "r...r...r", "rrrrrrrrr"}},
    {"the absorber's outline: a round ring 13 pixels across in its box, symmetric both ways",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(1, kRed));
         dc.SelectBrush(GetStockBrush(NULL_BRUSH));
         dc.Ellipse(1, 1, 14, 14);
     },
     {"...............", ".....rrrrr.....", "....r.....r....", "...r.......r...", "..r.........r..",
      ".r...........r.", ".r...........r.", ".r...........r.", ".r...........r.", ".r...........r.",
      "..r.........r..", "...r.......r...", "....r.....r....", ".....rrrrr.....", "..............."}},
    {"a filled ellipse of even size keeps its symmetry",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(1, kWhite));
         dc.SelectBrush(CreateSolidBrush(kGreen));
         dc.Ellipse(0, 0, 8, 6);
     },
     {"..wwww..", ".wggggw.", "wggggggw", "wggggggw", ".wggggw.", "..wwww.."}},
    {"without a pen an ellipse is filled to its last row, and one pixel wide it is a line",
     [](DeviceContext& dc) {
         dc.SelectPen(Pen{1, kWhite, true});
         dc.SelectBrush(CreateSolidBrush(kGreen));
         dc.Ellipse(0, 0, 5, 4);
         dc.SelectPen(CreatePen(1, kWhite));
         dc.Ellipse(6, 0, 7, 4);
     },
     {"..g...w", ".ggg..w", ".ggg..w", "..g...w"}},
    {"a 3-pixel pen draws a band 3 pixels across, centred half a pixel right of and below its points, with "
     "round ends",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(3, kGreen));
         const Point32 line[] = {{2, 3}, {6, 3}};
         dc.Polyline(line, 2);
     },
     {".........", ".........", ".gggggg..", ".gggggg..", "..gggg...", ".........", "........."}},
    {"a 3-pixel pen on a diagonal keeps its width across the line",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(3, kGreen));
         const Point32 line[] = {{2, 2}, {5, 5}};
         dc.Polyline(line, 2);
     },
     {"........", ".ggg....", ".gggg...", ".ggggg..", "..gggg..", "...ggg..", "........", "........"}},
    {"a 3-pixel pen outlines a rectangle along its outermost pixels, and a polygon along its edges",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(3, kGreen));
         dc.SelectBrush(CreateSolidBrush(kRed));
         dc.Rectangle(1, 1, 8, 7);
         dc.Rectangle(15, 6, 15, 8);  // no width: nothing
         const Point32 triangle[] = {{11, 1}, {16, 1}, {11, 6}};
         dc.Polygon(triangle, 3);
     },
     {"gggggggg..ggggggg", "ggggggggg.ggggggg", "ggggggggg.ggggggg", "gggrrrggg.gggggg.", "gggrrrggg.ggggg..",
      "ggggggggg.gggg...", "gggggggg..ggg....", ".gggggg.........."}},
    {"a polygon is filled by pixel centres inside it and outlined with the 1-pixel pen",
     [](DeviceContext& dc) {
         dc.SelectPen(CreatePen(1, kWhite));
         dc.SelectBrush(CreateSolidBrush(kRed));
         const Point32 triangle[] = {{1, 1}, {7, 1}, {1, 6}};
         dc.Polygon(triangle, 3);
     },
     {"........", ".wwwwwww", ".wrrr.w.", ".wrr.w..", ".wrww...", ".ww.....", ".w......"}},
};

TEST(Shapes, EveryShapeOfTheTableDrawsItsPicture) {
    for (const Shape& shape : kShapes) {
        DeviceContext dc =
            Canvas(static_cast<int>(shape.rows[0].size()), static_cast<int>(shape.rows.size()));
        shape.draw(dc);
        EXPECT_EQ(Picture(dc), Joined(shape.rows)) << shape.claim;
    }
}

// ---- Lines, copies and patterns ------------------------------------------------------------------

// Half steps of the minor axis round away from zero, in both directions.
TEST(Geometry, LinesLeaveTheirEndPixelUnsetRoundHalfStepsOutwardAndNothingIsDrawnOutsideTheBitmap) {
    DeviceContext dc = Canvas(10, 7);
    dc.SelectPen(CreatePen(1, kRed));
    const std::vector<Point32> lines[] = {
        {{0, 0}, {3, 6}}, {{6, 6}, {3, 0}}, {{4, 1}, {9, 1}, {9, 5}}, {{8, -2000000000}, {8, 2000000000}}};
    for (const auto& line : lines) dc.Polyline(line.data(), static_cast<int>(line.size()));
    dc.PatBlt(8, 5, 100, 100, RasterOp::Whiteness);
    dc.PatBlt(6, 3, 2, 2, RasterOp::Blackness);
    dc.SetPixel(0, 6, kGreen);
    dc.SetPixel(10, 6, kGreen);
    EXPECT_EQ(Picture(dc), "r.......r./.r.rrrrrrr/.r..r...rr/..r.r.kkrr/..r..rkkrr/...r.r..ww/g.....r.ww/");

    DeviceContext none;
    none.PatBlt(0, 0, 10, 10, RasterOp::Blackness);
    none.Image().fill(kRed);
    dc.SelectPen(CreatePen(3, kRed));
    const Point32 far[] = {{-2000000000, 3}, {2000000000, 3}};
    none.Polyline(far, 2);
    EXPECT_TRUE(none.Image().isNull()) << "a context without a bitmap ignores drawing";
}

TEST(ColourRule, ATwoColourBitmapTakesTheTextColourForItsZeroBitsAndTheBackgroundForItsOnes) {
    const DeviceContext source = Source({kBlack, kWhite, kBlack, kWhite}, true);
    DeviceContext dc = Canvas(6, 4);
    dc.SetTextColor(kRed);
    dc.SetBkColor(kGreen);
    dc.BitBlt(1, 0, 4, 1, source, 0, 0);
    const Colour keys[] = {kBlack, kWhite, kPurple};  // skip the 0-bits, the 1-bits, nothing
    for (int row = 1; row <= 3; ++row) dc.TransparentImage(0, row, 4, 1, source, 0, 0, 4, 1, keys[row - 1]);
    EXPECT_EQ(Picture(dc), ".rgrg./.g.g../r.r.../rgrg../");
}

TEST(ColourRule, CopiesStayInsideBothBitmapsAColourKeySkipsExactlyThePurplePixelsAndAStretchIsCombinedByOr) {
    const DeviceContext source = Source({kRed, kGreen, kWhite});
    DeviceContext dc = Canvas(4, 5);
    dc.BitBlt(2, 0, 3, 1, source, 0, 0);
    dc.BitBlt(0, 1, 4, 1, source, 1, 0);
    dc.TransparentImage(-1, 2, 4, 1, source, -1, 0, 4, 1, kPurple);
    DeviceContext keyed = Source({kPurple, rgb(128, 0, 129), kWhite, kPurple});
    dc.TransparentImage(0, 3, 4, 1, keyed, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Picture(dc), "..rg/gw../rgw./.?w./..../");
    EXPECT_EQ(dc.Image().pixel(1, 3), rgb(128, 0, 129));
    DeviceContext column = Canvas(1, 3);
    column.BitBlt(0, 0, 1, 3, source, 0, -1);  // only the middle row lies in the one-row source
    EXPECT_EQ(Picture(column), "./r/./");

    keyed.Image().setPixel(0, 0, kRed);  // the bitmap changes after it has been copied
    keyed.Image().setPixel(2, 0, kPurple);
    dc.TransparentImage(0, 3, 4, 1, keyed, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 3, 4), "r?w.");
    Bitmap bits(2, 1, true);
    bits.fill(kWhite);
    bits.fill(kBlack);
    DeviceContext mono;
    mono.SelectBitmap(bits);
    mono.PatBlt(0, 0, 2, 1, RasterOp::Whiteness);
    EXPECT_EQ(bits.pixel(1, 0), kBlack)
        << "a two-colour bitmap filled black holds 0-bits, and the drawing calls leave it alone";
    keyed.Image().fill(kGreen);  // and again, all of it
    dc.TransparentImage(0, 3, 4, 1, keyed, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 3, 4), "gggg");
    keyed.Image().bits()[1] = kPurple;  // and through its raw pixels
    keyed.Image().bits()[2] = kRed;
    dc.TransparentImage(0, 3, 4, 1, keyed, 0, 0, 4, 1, kPurple);
    EXPECT_EQ(Pixels(dc, 0, 3, 4), "ggrg");

    const DeviceContext dark = Source({rgb(0x01, 0x02, 0x04), rgb(0x80, 0x00, 0x00)});
    dc.StretchBltOr(0, 4, 4, 1, dark, 0, 0, 2, 1);                             // onto the field, 0x0a141e
    const Colour expected[] = {rgb(0x0b, 0x16, 0x1e), rgb(0x8a, 0x14, 0x1e)};  // each source pixel twice
    for (int x = 0; x < 4; ++x) EXPECT_EQ(dc.Image().pixel(x, 4), expected[x / 2]) << "column " << x;
}

TEST(Pattern, APolygonIsFilledOddEvenWithThePatternAnchoredAtTheOrigin) {
    Bitmap checker(2, 2);  // red on the diagonal, green off it
    checker.fill(kGreen);
    for (int i : {0, 1}) checker.setPixel(i, i, kRed);
    DeviceContext dc = Canvas(30, 30);
    dc.SelectPen(CreatePen(1, kWhite));
    dc.SelectBrush(CreatePatternBrush(checker));
    // An outer square with an inner one traced in the same polygon: the inner one stays open.
    const Point32 ring[] = {{2, 2},   {27, 2},  {27, 27}, {2, 27},  {2, 2},
                            {10, 10}, {19, 10}, {19, 19}, {10, 19}, {10, 10}};
    dc.Polygon(ring, 10);
    EXPECT_EQ(Pixels(dc, 4, 15, 26), "grgrgrw........wgrgrgrgw..");
    dc.Rectangle(0, 0, 4, 3);  // a pattern inside a rectangle, anchored at the same origin
    EXPECT_EQ(Pixels(dc, 0, 1, 4), "wrgw");
}

}  // namespace
