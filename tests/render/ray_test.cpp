// The shown port's ray and the ring of port boxes, each drawn alone on a black screen.
#include "render/paint_fixture.h"

namespace {

class RayTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        StartGame(5, {});  // board corner (80, 95)
        Offscreen.bufferDC.PatBlt(0, 0, 240, 268, RasterOp::Blackness);
        Offscreen.bufferDC.SetTextColor(kBlack);
    }
    // The ray of `port` through a finished game's puzzle: which probe points are green, and that
    // nothing is green inside `dark`.
    static void ExpectRay(int port, std::initializer_list<Placed> hidden, std::initializer_list<QPoint> green,
                          const QRect& dark) {
        for (const Placed& item : hidden) GameState.hiddenBoard[item.x * 8 + item.y] = item.item;
        GameState.gamePhase = Finished;
        GameState.shownPort = static_cast<int16_t>(port);
        DrawRayPath();
        for (QPoint p : green)
            EXPECT_EQ(Pixel(p), kRay) << "port " << port << " at " << p.x() << ", " << p.y();
        EXPECT_EQ(Count(dark, kRay), 0) << "port " << port;
    }
    // Port p's box as it must look: outline, colour, and the number from the digit strip or as text.
    static QImage Box(int p, QRgb colour, int number) {
        DeviceContext dc;
        dc.SelectBitmap(Offscreen.bufferDC.Image().copy());
        const QPoint c = Port(p);
        dc.SelectBrush(CreateSolidBrush(colour));
        dc.Rectangle(c.x(), c.y(), c.x() + 21, c.y() + 21);
        Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        DrawNumber(dc, c.x(), c.y(), c.x() + 21, c.y() + 21, static_cast<int16_t>(number));
        dc.SetBkMode(BackgroundMode::Transparent);
        if (number >= 100)
            dc.DrawTextW(QString::number(number), QRect(c, QSize(21, 21)),
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        return dc.Image().copy(QRect(c, QSize(21, 21)));
    }
    static QImage Shown(int p, int inset = 0) {
        return Offscreen.bufferDC.Image().copy(
            QRect(Port(p), QSize(21, 21)).adjusted(inset, inset, -inset, -inset));
    }
};

TEST_F(RayTest, TheRayRunsFromPortCentreThroughCellCentresToTheExitPortCentre) {
    // Down column 0 from port 0 (centre (90, 83)) to port 14 (centre (90, 207)), 3 pixels wide.
    ExpectRay(0, {}, {{90, 84}, {89, 150}, {91, 150}, {90, 205}}, QRect(0, 0, 240, 80));
    EXPECT_EQ(Count(QRect(0, 211, 240, 57), kRay) + Count(QRect(93, 0, 147, 268), kRay), 0);
}

TEST_F(RayTest, AReflectorInTheTopRowTurnsTheRayBack5PixelsInsideTheCell) {
    // Port 2 (centre (130, 83)) down to (130, 100) and back up.
    ExpectRay(2, {{2, 0, TotalReflector}}, {{130, 84}, {130, 99}, {130, 100}}, QRect(0, 103, 240, 165));
}

TEST_F(RayTest, ARayFromTheRightTurnsBack5PixelsInsideTheRightEdge) {
    ExpectRay(6, {{2, 1, VerticalMirror}}, {{190, 125}, {135, 125}}, QRect(0, 0, 132, 268));
}

TEST_F(RayTest, TheRayJumpsUnseenBetweenTheWormholeEnds) {
    // 4 x 4 (corner (90, 105)), ends at (1, 0) and (3, 2): port 1 (centre (120, 93)) into (1, 0), then
    // from (3, 2) down through (3, 3) to port 8 (centre (160, 197)).
    GameState.gridSize = 4;
    ComputeLayout();
    GameState.wormholeA = Point32{1, 0};
    GameState.wormholeB = Point32{3, 2};
    ExpectRay(1, {{1, 0, WormholeA}, {3, 2, WormholeB}}, {{120, 95}, {120, 114}, {160, 160}, {160, 194}},
              QRect(123, 118, 34, 34));
    EXPECT_EQ(Count(QRect(100, 120, 20, 60), kRay) + Count(QRect(150, 118, 20, 34), kRay), 0);
}

TEST_F(RayTest, AnAbsorbedRayEndsAtTheAbsorbersCentre) {
    ExpectRay(0, {{0, 2, Absorber}}, {{90, 100}, {90, 143}}, QRect(0, 148, 240, 120));
}

TEST_F(RayTest, WhilePlayingTheRayRunsThroughThePlayersBoardAndLeavesThePenAlone) {
    GameState.playerBoard[2 * 8] = TotalReflector;
    GameState.shownPort = 2;
    Offscreen.bufferDC.SelectPen(CreatePen(1, kWhite));
    DrawRayPath();
    EXPECT_EQ(Count(QRect(0, 103, 240, 165), kRay), 0) << "turned back by the player's reflector";
    EXPECT_EQ(Offscreen.bufferDC.CurrentPen().colour, kWhite);
}

TEST_F(RayTest, BoxColoursCountsAndMarksFollowTheLabels) {
    const QRgb grey = rgb(160, 160, 160), yellow = rgb(255, 255, 0);
    GameState.hiddenLabels.fill(5);
    GameState.hiddenLabels[0] = 0x0F03;
    GameState.hiddenLabels[1] = 0xF005;
    GameState.hiddenLabels[2] = 0x0007;
    GameState.hiddenLabels[3] = 100;
    GameState.hiddenLabels[4] = 0xF0FF;
    GameState.playerLabels = GameState.hiddenLabels;
    GameState.playerLabels[5] = 6;       // another count
    GameState.playerLabels[6] = 0xF005;  // the same count, another ending
    GameState.gamePhase = Finished;
    DrawPortLabels();
    EXPECT_EQ(Shown(0), Box(0, grey, 3)) << "absorbed: grey";
    EXPECT_EQ(Shown(1), Box(1, yellow, 5)) << "back out of its own port: yellow";
    EXPECT_EQ(Shown(2), Box(2, kLightGreen, 7)) << "out elsewhere: light green";
    EXPECT_EQ(Shown(3), Box(3, kLightGreen, 100)) << "100 as centred text";
    EXPECT_EQ(Shown(4), Box(4, yellow, 255)) << "255 as centred text";
    // A mark is the mark bitmap's 1-bits in red; through its round window the box shows.
    const QImage mark = LoadBitmapW(131);
    for (int p : {5, 6}) {
        int notRed = 0;
        for (int y = 0; y < 19; ++y) {
            for (int x = 0; x < 19; ++x)
                notRed += mark.pixelIndex(x, y) == 1 && Pixel(Port(p) + QPoint(1 + x, 1 + y)) != kRed;
        }
        EXPECT_EQ(notRed, 0) << "port " << p;
        EXPECT_EQ(Shown(p, 5), Box(p, kLightGreen, 5).copy(5, 5, 11, 11));
    }
    for (int p = 7; p < 20; ++p)
        EXPECT_EQ(Shown(p), Box(p, kLightGreen, 5)) << "port " << p << " agrees: no mark";
    EXPECT_EQ(Offscreen.bufferDC.CurrentBrush().kind, Brush::Kind::Hollow);
    EXPECT_EQ(Offscreen.bufferDC.BkMode(), BackgroundMode::Opaque);
}

TEST_F(RayTest, WhilePlayingMarksNeedHintsAndTheShownPortIsBlueWithThePlayersCount) {
    GameState.hiddenLabels.fill(5);
    GameState.playerLabels.fill(5);
    GameState.playerLabels[2] = 8;
    GameState.playerLabels[9] = 4;
    GameState.shownPort = 2;
    DrawPortLabels();
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), kRed) + Count(QRect(0, 0, 240, 268), kBlue), 0)
        << "hints off: no marks";
    EXPECT_EQ(Shown(2), Box(2, kLightGreen, 5)) << "hints off: the puzzle's count";

    GameState.hint = 1;
    DrawPortLabels();
    EXPECT_EQ(Pixel(Port(2) + QPoint(1, 1)), kBlue) << "the shown port's mark is blue";
    EXPECT_EQ(Pixel(Port(9) + QPoint(1, 1)), kRed) << "other differing ports stay red";
    EXPECT_EQ(Shown(2, 5), Box(2, kLightGreen, 8).copy(5, 5, 11, 11))
        << "the player's 8 on the puzzle's colour";
}

}  // namespace
