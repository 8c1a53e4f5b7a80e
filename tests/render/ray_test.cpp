// The shown port's ray and the ring of port boxes, each drawn alone on a black 5 x 5 screen.
#include "render/paint_fixture.h"

namespace {

class RayTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        StartGame(5, {});  // board corner (80, 95)
        GameState.gamePhase = Finished;
        Offscreen.bufferDC.SetTextColor(kBlack);
    }
    // Draws the ray of `port` through the puzzle `hidden`; the probes must be green and `dark` not.
    static void ExpectRay(int port, std::initializer_list<Placed> hidden, std::initializer_list<QPoint> green,
                          const QRect& dark) {
        Offscreen.bufferDC.PatBlt(0, 0, 240, 268, RasterOp::Blackness);
        GameState.hiddenBoard = Board{};
        for (const Placed& item : hidden) GameState.hiddenBoard[item.x * 8 + item.y] = item.item;
        GameState.shownPort = static_cast<int16_t>(port);
        DrawRayPath();
        for (QPoint p : green)
            EXPECT_EQ(Pixel(p), kRay) << "port " << port << " at " << p.x() << ", " << p.y();
        EXPECT_EQ(Count(dark, kRay), 0) << "port " << port;
    }
    // Whether port p's box, inside `inset`, shows the black outline, the colour and the number.
    static bool BoxShows(int p, QRgb colour, int16_t number, int inset = 0) {
        DeviceContext dc;
        dc.SelectBitmap(QImage(240, 268, QImage::Format_RGB32));
        const QRect box(Port(p), QSize(21, 21));
        dc.SelectBrush(CreateSolidBrush(colour));
        dc.Rectangle(box.left(), box.top(), box.left() + 21, box.top() + 21);
        Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        DrawNumber(dc, box.left(), box.top(), box.left() + 21, box.top() + 21, number);
        dc.SetBkMode(BackgroundMode::Transparent);
        if (number >= 100)
            dc.DrawTextW(QString::number(number), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        const QRect inside = box.adjusted(inset, inset, -inset, -inset);
        return dc.Image().copy(inside) == Area(inside);
    }
};

TEST_F(RayTest, TheRayRunsThroughCellCentresTurnsBackJumpsAndStops) {
    // Port 0 (centre (90, 83)) down column 0 to port 14 (centre (90, 207)), 3 pixels wide.
    ExpectRay(0, {}, {{90, 84}, {89, 150}, {91, 150}, {90, 205}}, QRect(0, 211, 240, 57));
    // A reflector in the top row: down to 5 pixels inside the cell (row 100) and back up.
    ExpectRay(2, {{2, 0, TotalReflector}}, {{130, 84}, {130, 100}}, QRect(0, 103, 240, 165));
    // From the right, turned back by a vertical mirror 5 pixels inside its right edge (x = 135).
    ExpectRay(6, {{2, 1, VerticalMirror}}, {{190, 125}, {135, 125}}, QRect(0, 0, 132, 268));
    // Absorbed in the third cell: the line ends at its centre (90, 145), towards no port.
    ExpectRay(0, {{0, 2, Absorber}}, {{90, 100}, {90, 143}}, QRect(0, 148, 240, 120));
    // 4 x 4 (corner (90, 105)), wormhole ends at (1, 0) and (3, 2): port 1 (centre (120, 93)) into (1, 0),
    // no line to (3, 2), then down through (3, 3) to port 8 (centre (160, 197)).
    GameState.gridSize = 4;
    ComputeLayout();
    GameState.wormholeA = Point32{1, 0};
    GameState.wormholeB = Point32{3, 2};
    ExpectRay(1, {{1, 0, WormholeA}, {3, 2, WormholeB}}, {{120, 95}, {120, 114}, {160, 160}, {160, 194}},
              QRect(123, 118, 34, 34));
    EXPECT_EQ(Count(QRect(100, 120, 20, 60), kRay) + Count(QRect(150, 118, 20, 34), kRay), 0);

    // While playing the ray runs through the player's board; the pen is left as it was.
    GameState.gamePhase = Playing;
    GameState.playerBoard[1 * 8] = TotalReflector;
    Offscreen.bufferDC.SelectPen(CreatePen(1, kWhite));
    ExpectRay(1, {}, {{120, 95}, {120, 110}}, QRect(0, 113, 240, 155));
    EXPECT_EQ(Offscreen.bufferDC.CurrentPen().colour, kWhite);
}

TEST_F(RayTest, BoxColoursCountsAndMarksFollowTheLabels) {
    const QRgb grey = rgb(160, 160, 160), yellow = rgb(255, 255, 0);
    GameState.hiddenLabels = {0x0F03, 0xF005, 0x0007, 100, 0xF0FF, 5, 5, 5};
    GameState.playerLabels = GameState.hiddenLabels;
    GameState.playerLabels[5] = 6;       // another count
    GameState.playerLabels[6] = 0xF005;  // the same count, another ending
    DrawPortLabels();
    EXPECT_TRUE(BoxShows(0, grey, 3)) << "absorbed: grey";
    EXPECT_TRUE(BoxShows(1, yellow, 5)) << "back out of its own port: yellow";
    EXPECT_TRUE(BoxShows(2, kLightGreen, 7)) << "out elsewhere: light green";
    EXPECT_TRUE(BoxShows(3, kLightGreen, 100) && BoxShows(4, yellow, 255)) << "from 100 on: centred text";
    EXPECT_TRUE(BoxShows(7, kLightGreen, 5)) << "equal labels: no mark";
    // A mark is the mark bitmap's 1-bits in red; through its round window the box shows.
    const QImage mark = LoadBitmapW(131);
    for (int p : {5, 6}) {
        int notRed = 0;
        for (int i = 0; i < 19 * 19; ++i) {
            const QPoint at(i % 19, i / 19);
            notRed += mark.pixelIndex(at) == 1 && Pixel(Port(p) + QPoint(1, 1) + at) != kRed;
        }
        EXPECT_EQ(notRed, 0) << "port " << p;
        EXPECT_TRUE(BoxShows(p, kLightGreen, 5, 5)) << "port " << p;
    }
    EXPECT_TRUE(Offscreen.bufferDC.CurrentBrush().kind == Brush::Kind::Hollow &&
                Offscreen.bufferDC.BkMode() == BackgroundMode::Opaque);
}

TEST_F(RayTest, WhilePlayingMarksNeedHintsAndTheShownPortIsBlueWithThePlayersCount) {
    GameState.gamePhase = Playing;
    GameState.hiddenLabels.fill(5);
    GameState.playerLabels.fill(5);
    GameState.playerLabels[2] = 8;
    GameState.playerLabels[9] = 4;
    GameState.shownPort = 2;
    DrawPortLabels();
    EXPECT_EQ(Count(kScreen, kRed) + Count(kScreen, kBlue), 0) << "hints off: no marks";
    EXPECT_TRUE(BoxShows(2, kLightGreen, 5)) << "hints off: the puzzle's count";
    GameState.hint = 1;
    DrawPortLabels();
    EXPECT_EQ(Pixel(Port(2) + QPoint(1, 1)), kBlue) << "the shown port's mark is blue";
    EXPECT_EQ(Pixel(Port(9) + QPoint(1, 1)), kRed) << "other differing ports stay red";
    EXPECT_TRUE(BoxShows(2, kLightGreen, 8, 5)) << "the player's 8 on the puzzle's colour";
}

}  // namespace
