// The shown port's ray and the ring of port boxes, each drawn alone on a black screen.
#include "render/paint_fixture.h"

namespace {

class RayPathTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        GameState.gridSize = 5;
        GameState.itemCount = 3;
        ComputeLayout();  // board corner (80, 95)
        Offscreen.bufferDC.PatBlt(0, 0, kScreenWidth, kScreenHeight, RasterOp::Blackness);
        Offscreen.bufferDC.SetTextColor(kBlack);
    }

    // A finished game on the given hidden board: the ray runs through the puzzle.
    static void ShowRay(int port, std::initializer_list<Placed> hidden) {
        for (const Placed& item : hidden) GameState.hiddenBoard[item.x * 8 + item.y] = item.item;
        GameState.gamePhase = Finished;
        GameState.shownPort = static_cast<int16_t>(port);
        DrawRayPath();
    }

    static bool Green(int x, int y) { return Pixel(x, y) == kRayGreen; }
    static int GreenIn(const QRect& area) { return Count(area, kRayGreen); }
};

TEST_F(RayPathTest, ARayThroughAnEmptyBoardRunsFromPortCentreToTheOppositePortCentre) {
    ShowRay(0, {});
    for (int y = 83; y <= 205; y += 6) EXPECT_TRUE(Green(90, y)) << "column x = 90 at row " << y;
    EXPECT_TRUE(Green(89, 150) && Green(91, 150)) << "the ray is 3 pixels wide";
    EXPECT_FALSE(Green(88, 150) || Green(92, 150));
    EXPECT_EQ(GreenIn(QRect(0, 0, 240, 79)), 0) << "nothing beyond the entry port's centre";
    EXPECT_EQ(GreenIn(QRect(0, 211, 240, 57)), 0) << "nothing beyond the exit port's centre (90, 207)";
}

TEST_F(RayPathTest, AReflectorInTheTopRowSendsTheRayBackFrom5PixelsInsideTheCell) {
    // Port 2: box centre (130, 83); the reflector's cell (2, 0) starts at row 95.
    ShowRay(2, {{2, 0, TotalReflector}});
    for (int y = 83; y <= 100; ++y) EXPECT_TRUE(Green(130, y)) << "row " << y;
    EXPECT_EQ(GreenIn(QRect(0, 103, 240, 165)), 0) << "the ray turns at row 100 (board top + 5)";
    EXPECT_EQ(GreenIn(QRect(0, 0, 128, 268)) + GreenIn(QRect(133, 0, 107, 268)), 0) << "one column only";
}

TEST_F(RayPathTest, ARayComingFromTheRightTurnsBack5PixelsInsideTheRightEdge) {
    // Port 6 enters row 1 from the right; the vertical mirror at (2, 1) spans x 120 to 139.
    ShowRay(6, {{2, 1, VerticalMirror}});
    EXPECT_TRUE(Green(135, 125)) << "the turning point x = 80 + 40 + 15";
    EXPECT_TRUE(Green(190, 125)) << "back at the port's centre (192, 125)";
    EXPECT_EQ(GreenIn(QRect(0, 0, 132, 268)), 0) << "nothing left of x = 132";
}

TEST_F(RayPathTest, ARayComingFromTheLeftTurnsBack5PixelsInsideTheLeftEdge) {
    // Port 18 enters row 1 from the left, box centre (68, 125).
    ShowRay(18, {{2, 1, VerticalMirror}});
    EXPECT_TRUE(Green(70, 125));
    EXPECT_TRUE(Green(125, 125)) << "the turning point x = 80 + 40 + 5";
    EXPECT_EQ(GreenIn(QRect(128, 0, 112, 268)), 0) << "nothing right of x = 127";
}

TEST_F(RayPathTest, ARayComingFromBelowTurnsBack5PixelsInsideTheBottomEdge) {
    // Port 12 enters column 2 from below, box centre (130, 207); the horizontal mirror at (2, 3).
    ShowRay(12, {{2, 3, HorizontalMirror}});
    EXPECT_TRUE(Green(130, 205));
    EXPECT_TRUE(Green(130, 170)) << "the turning point y = 95 + 60 + 15";
    EXPECT_EQ(GreenIn(QRect(0, 0, 240, 167)), 0) << "nothing above row 167";
}

TEST_F(RayPathTest, AMirrorTurnsTheRayAtTheCellCentre) {
    // Port 1 goes down column 1 to the backslash mirror at (1, 2) and leaves right, through port 7.
    ShowRay(1, {{1, 2, BackslashMirror}});
    EXPECT_TRUE(Green(110, 130));
    EXPECT_TRUE(Green(150, 145));
    EXPECT_TRUE(Green(190, 145)) << "towards port 7's centre (192, 145)";
    EXPECT_EQ(GreenIn(QRect(0, 150, 240, 118)), 0) << "nothing below the mirror's centre row";
}

TEST_F(RayPathTest, TheRayJumpsUnseenBetweenTheWormholeEnds) {
    // N = 4, board corner (90, 105); ends at (1, 0) and (3, 2); port 1's centre (120, 93), port 8's (160,
    // 197).
    GameState.gridSize = 4;
    ComputeLayout();
    GameState.wormholeA = Point32{1, 0};
    GameState.wormholeB = Point32{3, 2};
    ShowRay(1, {{1, 0, WormholeA}, {3, 2, WormholeB}});
    EXPECT_TRUE(Green(120, 95));
    EXPECT_TRUE(Green(120, 114)) << "into the centre of (1, 0)";
    EXPECT_EQ(GreenIn(QRect(123, 118, 34, 34)), 0) << "no line between the two ends";
    EXPECT_EQ(GreenIn(QRect(100, 120, 20, 60)), 0) << "nothing further down column 1";
    EXPECT_TRUE(Green(160, 160)) << "from the centre of (3, 2) on";
    EXPECT_TRUE(Green(160, 194)) << "to port 8's centre";
    EXPECT_EQ(GreenIn(QRect(150, 118, 20, 34)), 0) << "nothing above (3, 2)'s centre in column 3";
}

TEST_F(RayPathTest, AnAbsorbedRayEndsAtTheAbsorbersCentre) {
    // Port 0, absorber in the third cell (0, 2), centre (90, 145).
    ShowRay(0, {{0, 2, Absorber}});
    EXPECT_TRUE(Green(90, 100));
    EXPECT_TRUE(Green(90, 143));
    EXPECT_EQ(GreenIn(QRect(0, 148, 240, 120)), 0) << "nothing beyond the absorber, no line to a port";
}

TEST_F(RayPathTest, WhilePlayingTheRayRunsThroughThePlayersBoard) {
    GameState.playerBoard[2 * 8 + 0] = TotalReflector;
    GameState.gamePhase = Playing;
    GameState.hint = 1;
    GameState.shownPort = 2;
    DrawRayPath();
    EXPECT_EQ(GreenIn(QRect(0, 103, 240, 165)), 0) << "turned back by the player's reflector";
    EXPECT_EQ(GameState.rayPath[1], (Point32{2, 0})) << "the path of the shown port is traced afresh";
}

TEST_F(RayPathTest, DrawingTheRayLeavesThePenAsItFoundIt) {
    Offscreen.bufferDC.SelectPen(CreatePen(1, kWhite));
    ShowRay(0, {});
    EXPECT_EQ(Offscreen.bufferDC.CurrentPen().colour, kWhite);
    EXPECT_EQ(Offscreen.bufferDC.CurrentPen().width, 1);
}

class PortLabelTest : public RayPathTest {
  protected:
    void SetUp() override {
        RayPathTest::SetUp();
        GameState.gamePhase = Finished;
        for (int p = 0; p < 20; ++p) GameState.hiddenLabels[p] = 5;
        GameState.playerLabels = GameState.hiddenLabels;
    }

    static QRgb BoxColour(int p) { return Pixel(PortCorner(p).x() + 2, PortCorner(p).y() + 10); }

    // Port p's box as it must look: outline, box colour, and the number from the digit strip (up to
    // 99) or as text (from 100 on).
    static QImage ExpectedBox(int p, QRgb colour, int number) {
        DeviceContext dc;
        dc.SelectBitmap(Offscreen.bufferDC.Image().copy());
        const QRect box = PortBox(p);
        dc.SelectPen(CreatePen(1, kBlack));
        dc.SelectBrush(CreateSolidBrush(colour));
        dc.Rectangle(box.left(), box.top(), box.left() + 21, box.top() + 21);
        dc.SetTextColor(kBlack);
        if (number < 100) {
            const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
            DrawNumber(dc, box.left(), box.top(), box.left() + 21, box.top() + 21,
                       static_cast<int16_t>(number));
            Offscreen.sourceDC.SelectBitmap(replaced);
        } else {
            dc.SetBkMode(BackgroundMode::Transparent);
            dc.DrawTextW(QString::number(number), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        }
        return dc.Image();
    }

    static bool Marked(int p, QRgb colour) {
        // Every 1-bit of the mark bitmap lands in the mark's colour, one pixel inside the box.
        const QImage mark = LoadBitmapW(131);
        const QPoint at = PortCorner(p) + QPoint(1, 1);
        for (int y = 0; y < 19; ++y) {
            for (int x = 0; x < 19; ++x) {
                if (mark.pixelIndex(x, y) == 1 && Pixel(at.x() + x, at.y() + y) != colour) return false;
            }
        }
        return true;
    }
};

TEST_F(PortLabelTest, TheBoxColourTellsHowThePuzzlesRayEnds) {
    GameState.hiddenLabels[0] = 0x0F03;
    GameState.hiddenLabels[1] = 0xF005;
    GameState.hiddenLabels[2] = 0x0007;
    GameState.playerLabels = GameState.hiddenLabels;
    DrawPortLabels();
    EXPECT_EQ(BoxColour(0), kGrey) << "absorbed";
    EXPECT_EQ(BoxColour(1), kYellow) << "back out of its own port";
    EXPECT_EQ(BoxColour(2), kLightGreen) << "out through another port";
    EXPECT_TRUE(SameInside(ExpectedBox(0, kGrey, 3), PortBox(0))) << "3 in a grey box";
    EXPECT_TRUE(SameInside(ExpectedBox(1, kYellow, 5), PortBox(1))) << "5 in a yellow box";
    EXPECT_TRUE(SameInside(ExpectedBox(2, kLightGreen, 7), PortBox(2))) << "7 in a light-green box";
}

TEST_F(PortLabelTest, EveryPortOfTheRingGetsItsBox) {
    DrawPortLabels();
    for (int p = 0; p < 20; ++p) {
        EXPECT_TRUE(SameInside(ExpectedBox(p, kLightGreen, 5), PortBox(p))) << "port " << p;
    }
    EXPECT_EQ(Count(QRect(0, 0, 240, 72), kLightGreen), 0) << "nothing above the top boxes (row 73)";
}

TEST_F(PortLabelTest, CountsFrom100OnAreWrittenAsCentredText) {
    GameState.hiddenLabels[3] = 99;
    GameState.hiddenLabels[4] = 100;
    GameState.hiddenLabels[5] = 0xF0FF;
    GameState.playerLabels = GameState.hiddenLabels;
    DrawPortLabels();
    EXPECT_TRUE(SameInside(ExpectedBox(3, kLightGreen, 99), PortBox(3))) << "99 from the digit strip";
    EXPECT_TRUE(SameInside(ExpectedBox(4, kLightGreen, 100), PortBox(4))) << "100 as text";
    EXPECT_TRUE(SameInside(ExpectedBox(5, kYellow, 255), PortBox(5))) << "255 as text";
    EXPECT_GT(Count(PortBox(4), kBlack), 4 * 21) << "the text is there";
}

TEST_F(PortLabelTest, APortIsMarkedRedWhereThePlayersLabelDiffers) {
    GameState.playerLabels[0] = 6;       // another count
    GameState.playerLabels[1] = 0xF005;  // the same count, another ending
    DrawPortLabels();
    EXPECT_TRUE(Marked(0, kRed));
    EXPECT_TRUE(Marked(1, kRed)) << "a label that differs only in its kind";
    EXPECT_EQ(Pixel(PortCorner(1).x() + 4, PortCorner(1).y() + 10), kLightGreen) << "the box shows through";
    for (int p = 2; p < 20; ++p) EXPECT_EQ(Count(PortBox(p), kRed), 0) << "port " << p << " agrees";
}

TEST_F(PortLabelTest, WhilePlayingWithHintsOffNoPortIsMarked) {
    GameState.gamePhase = Playing;
    GameState.playerLabels.fill(1);
    GameState.shownPort = 0;
    DrawPortLabels();
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), kRed), 0);
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), kBlue), 0);
    EXPECT_TRUE(SameInside(ExpectedBox(0, kLightGreen, 5), PortBox(0))) << "the puzzle's count";
}

TEST_F(PortLabelTest, WhilePlayingWithHintsTheShownPortIsBlueAndShowsThePlayersCount) {
    GameState.gamePhase = Playing;
    GameState.hint = 1;
    GameState.shownPort = 2;
    GameState.hiddenLabels[2] = 0xF003;
    GameState.playerLabels[2] = 8;
    GameState.playerLabels[9] = 4;
    DrawPortLabels();
    EXPECT_TRUE(Marked(2, kBlue));
    EXPECT_TRUE(Marked(9, kRed)) << "other differing ports stay red";
    EXPECT_EQ(Pixel(PortCorner(2).x() + 4, PortCorner(2).y() + 10), kYellow) << "in the puzzle's box colour";

    // The same box without the mark: yellow with the player's 8.
    GameState.playerLabels[2] = 0xF008;
    GameState.hiddenLabels[2] = 0xF008;
    Offscreen.bufferDC.PatBlt(0, 0, kScreenWidth, kScreenHeight, RasterOp::Blackness);
    DrawPortLabels();
    const QImage unmarked = ExpectedBox(2, kYellow, 8);
    EXPECT_TRUE(SameInside(unmarked, PortBox(2)));
}

TEST_F(PortLabelTest, TheShownPortCarriesThePlayersCountOnlyWhilePlayingWithHints) {
    GameState.gamePhase = Playing;
    GameState.hint = 1;
    GameState.shownPort = 2;
    GameState.playerLabels[2] = 8;
    DrawPortLabels();
    // Inside the mark's round window the player's 8 shows, not the puzzle's 5.
    const QImage withEight = ExpectedBox(2, kLightGreen, 8);
    const QRect window = PortBox(2).adjusted(5, 5, -5, -5);
    EXPECT_TRUE(SameInside(withEight, window));

    GameState.gamePhase = Finished;
    DrawPortLabels();
    EXPECT_TRUE(SameInside(ExpectedBox(2, kLightGreen, 5), window)) << "after the game: the puzzle's count";
}

TEST_F(PortLabelTest, TheLabelsLeaveTheBlackPenTheHollowBrushAndAnOpaqueBackground) {
    Offscreen.bufferDC.SelectPen(CreatePen(1, kWhite));
    Offscreen.bufferDC.SelectBrush(CreateSolidBrush(kPurple));
    DrawPortLabels();
    EXPECT_EQ(Offscreen.bufferDC.CurrentPen().colour, kBlack);
    EXPECT_EQ(Offscreen.bufferDC.CurrentBrush().kind, Brush::Kind::Hollow);
    EXPECT_EQ(Offscreen.bufferDC.BkMode(), BackgroundMode::Opaque);
}

}  // namespace
