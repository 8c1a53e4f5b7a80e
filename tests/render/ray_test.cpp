// The shown port's ray and the ring of port boxes, each drawn alone on a black 5 x 5 screen.
#include <QPainter>

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
    // Draws the ray of `port` through the puzzle `hidden`; the probes must be green and the `dark` areas not.
    static void ExpectRay(int port, const std::vector<Placed>& hidden, std::initializer_list<QPoint> green,
                          std::initializer_list<QRect> dark) {
        Offscreen.bufferDC.PatBlt(0, 0, 240, 268, RasterOp::Blackness);
        GameState.hiddenBoard = Board{};
        for (const auto& [x, y, item] : hidden) GameState.hiddenBoard[x * 8 + y] = item;
        GameState.shownPort = static_cast<int16_t>(port);
        DrawRayPath();
        for (QPoint p : green)
            EXPECT_EQ(Pixel(p), kRay) << "port " << port << " at " << p.x() << ", " << p.y();
        for (const QRect& area : dark) EXPECT_EQ(Count(area, kRay), 0) << "port " << port;
    }
    // Whether port p's box shows the black outline, the colour, the mark bitmap's 1-bits in `mark` (if
    // any; through its round window the box shows) and the number.
    static bool BoxShows(int p, QRgb colour, int16_t number, QRgb mark = 0) {
        const QRect box(Port(p), QSize(21, 21));
        QImage image(240, 268, QImage::Format_RGB32), marked = LoadBitmapW(131);
        image.fill(kBlack);
        marked.setColorTable({0, mark});
        QPainter(&image).fillRect(box.adjusted(1, 1, -1, -1), colour);
        QPainter(&image).drawImage(box.topLeft() + QPoint(1, 1), marked);
        DeviceContext dc;
        dc.SelectBitmap(image);
        Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        DrawNumber(dc, box.left(), box.top(), box.left() + 21, box.top() + 21, number);
        dc.SetBkMode(BackgroundMode::Transparent);
        if (number >= 100)
            dc.DrawTextW(QString::number(number), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        return dc.Image().copy(box) == Area(box);
    }
};

TEST_F(RayTest, TheRayRunsThroughCellCentresTurnsBackJumpsAndStops) {
    // Port 0 (centre (90, 83)) down column 0 to port 14 (centre (90, 207)), 3 pixels wide.
    ExpectRay(0, {}, {{90, 84}, {89, 150}, {91, 150}, {90, 207}}, {QRect(0, 208, 240, 60)});
    // A reflector in the top row: down to 5 pixels inside the cell (row 100) and back up.
    ExpectRay(2, {{2, 0, TotalReflector}}, {{130, 84}, {130, 100}}, {QRect(0, 101, 240, 167)});
    // From the right, turned back by a vertical mirror 5 pixels inside its right edge (x = 135).
    ExpectRay(6, {{2, 1, VerticalMirror}}, {{190, 125}, {135, 125}}, {QRect(0, 0, 134, 268)});
    // Absorbed in the third cell: the line ends at its centre (90, 145), towards no port.
    ExpectRay(0, {{0, 2, Absorber}}, {{90, 100}, {90, 145}}, {QRect(0, 146, 240, 122)});
    // 4 x 4 (corner (90, 105)), wormhole ends at (1, 0) and (3, 2): port 1 (centre (120, 93)) into (1, 0),
    // no line to (3, 2), then down through (3, 3) to port 8 (centre (160, 197)).
    GameState.gridSize = 4;
    ComputeLayout();
    GameState.wormholeA = Point32{1, 0};
    GameState.wormholeB = Point32{3, 2};
    ExpectRay(1, {{1, 0, WormholeA}, {3, 2, WormholeB}}, {{120, 95}, {120, 114}, {160, 160}, {160, 197}},
              {QRect(123, 118, 34, 34), QRect(100, 120, 20, 60), QRect(150, 118, 20, 34)});
    // While playing the ray runs through the player's board.
    GameState.gamePhase = Playing;
    GameState.playerBoard[1 * 8] = TotalReflector;
    ExpectRay(1, {}, {{120, 95}, {120, 110}}, {QRect(0, 111, 240, 157)});
}

TEST_F(RayTest, BoxColoursCountsAndMarksFollowTheLabels) {
    const QRgb grey = rgb(160, 160, 160), yellow = rgb(255, 255, 0);
    GameState.hiddenLabels = {0x0F03, 0xF005, 0x0007, 100, 0xF0FF, 5, 5, 5};
    GameState.playerLabels = GameState.hiddenLabels;
    GameState.playerLabels[5] = 0xF006;  // another count and ending
    GameState.playerLabels[6] = 0xF005;  // the same count, another ending
    GameState.shownPort = 5;
    // Columns: phase, hint, port, box colour, count, mark. While playing, marks need hints; the shown port
    // is then the player's probe: a blue mark and the player's count, on the puzzle's colour. Afterwards
    // absorbed rays are grey, rays back out of their own port yellow, the others light green; from 100 on
    // the count is centred text; equal labels have no mark, differing ones red.
    for (const auto& [phase, hint, port, colour, count, mark] :
         {std::tuple{Playing, 0, 5, kLightGreen, 5, 0u}, std::tuple{Playing, 1, 5, kLightGreen, 6, kBlue},
          std::tuple{Playing, 1, 6, kLightGreen, 5, kRed}, std::tuple{Finished, 1, 0, grey, 3, 0u},
          std::tuple{Finished, 1, 1, yellow, 5, 0u}, std::tuple{Finished, 1, 2, kLightGreen, 7, 0u},
          std::tuple{Finished, 1, 3, kLightGreen, 100, 0u}, std::tuple{Finished, 1, 4, yellow, 255, 0u},
          std::tuple{Finished, 1, 7, kLightGreen, 5, 0u}, std::tuple{Finished, 1, 5, kLightGreen, 5, kRed},
          std::tuple{Finished, 1, 6, kLightGreen, 5, kRed}}) {
        GameState.gamePhase = phase;
        GameState.hint = hint;
        DrawPortLabels();
        EXPECT_TRUE(BoxShows(port, colour, static_cast<int16_t>(count), mark))
            << "phase " << phase << ", hint " << hint << ", port " << port;
        EXPECT_TRUE(hint || Count(kScreen, kRed) + Count(kScreen, kBlue) == 0) << "hints off: no marks";
    }
}

}  // namespace
