// What a frame of the game screen shows in each phase, where it puts things, how the clock tick
// repaints, how a game's end reads, what each internal error leaves out; the ray and the port boxes.
#include <QPainter>

#include "render/paint_fixture.h"

namespace {

class PaintScreenTest : public PaintTest {
  protected:
    // 5 x 5: the puzzle hides slash mirrors at (0, 0) and (3, 3) and an absorber at (1, 1); the player
    // has a reflector on (1, 1) and the right mirror on (3, 3). Port 2's ray runs down empty column 2.
    static void PaintSmallGame(GamePhase phase, int hint = 0, int langue = 0, int mismatches = 0,
                               int misplaced = 0) {
        StartGame(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}},
                  {{1, 1, TotalReflector}, {3, 3, SlashMirror}});
        GameState.gameStartTick = 1000;
        GameState.lastTick = 1000 + 45300;
        GameState.shownPort = 2;
        GameState.gamePhase = phase;
        GameState.hint = hint;
        GameState.langue = langue;
        GameState.mismatchCount = mismatches;
        GameState.moveCount = misplaced;
        PaintFrame(kScreen);
    }
    static bool BandShows(const char* text, QRgb band) {
        return Text(text, QRect(25, 15, 215, 30), kBlack, band).copy(kBand) == Area(kBand);
    }
};

// Which board each phase shows (the player's, or the puzzle over it) is in the pictures of
// docs/screenshots; their clock and band are read here.
TEST_F(PaintScreenTest, EachPhaseShowsItsOwnPartsOfTheScreen) {
    for (const auto& [phase, hint, clock, rayAndMarks, band] :
         {std::tuple{Playing, 0, true, false, false}, std::tuple{Playing, 1, true, true, false},
          std::tuple{Finished, 0, true, true, true}, std::tuple{Learning, 0, false, true, true}}) {
        PaintSmallGame(phase, hint);
        SCOPED_TRACE("phase " + std::to_string(phase) + ", hint " + std::to_string(hint));
        EXPECT_EQ(Area(kClock) == Text("45\"3", kClock, kRay, kBlack, DT_RIGHT).copy(kClock), clock);
        EXPECT_EQ(Pixel(Cell(2, 2) + QPoint(10, 10)) == kRay, rayAndMarks);
        EXPECT_EQ(Pixel(Port(0) + QPoint(1, 1)) == kRed, rayAndMarks) << "port 0 turned by the missed mirror";
        EXPECT_EQ(Count(kBand, kBlack) < 215 * 28, band);
        EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "every bitmap is detached again";
    }
}

// The frame on the selected slot while items are left is in the pictures of a game in play.
TEST_F(PaintScreenTest, OnceEveryItemIsPlacedNoSlotIsFramed) {
    StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}},
              {{3, 3, BackslashMirror}, {4, 3, BackslashMirror}, {5, 3, BackslashMirror}});
    GameState.paletteSlot = 2;
    PaintFrame(kScreen);
    for (int s = 0; s < 4; ++s) {
        const QPoint corner(GameState.paletteX, GameState.paletteY + 20 * s);
        EXPECT_FALSE(Pixel(corner + QPoint(0, 10)) == kWhite && Pixel(corner + QPoint(10, 20)) == kWhite)
            << "slot " << s;
    }
}

TEST_F(PaintScreenTest, AClockTickRedrawsOnlyTheClock) {
    PaintSmallGame(Playing, 1);
    // Rows 0 to 14 or an empty request: the clock only; down to row 15 or lower: the whole frame.
    for (const auto& [invalid, whole] :
         {std::pair{kClock, false}, std::pair{QRect(), false}, std::pair{QRect(0, 200, 0, 0), false},
          std::pair{QRect(0, 0, 240, 16), true}, std::pair{QRect(100, 100, 5, 5), true}}) {
        PaintFrame(invalid);
        EXPECT_GT(Count(kClock, kRay), 0);
        EXPECT_EQ(Count(QRect(0, 15, 240, 253), kBlack) == 240 * 253, !whole)
            << "nothing drawn below the clock, request " << invalid.y() << " + " << invalid.height();
    }
}

TEST_F(PaintScreenTest, TheEndOfAGameReadsInThePlayersLanguage) {
    // All ports agree: "Perfect" in green, or with misplaced items "Accepted solution" in cyan.
    for (const auto& [langue, misplaced, rows] :
         {std::tuple{0, 0, QRect(0, 13, 65, 13)}, std::tuple{1, 0, QRect(0, 0, 65, 13)},
          std::tuple{0, 2, QRect(0, 19, 156, 17)}, std::tuple{1, 2, QRect(0, 0, 156, 18)}}) {
        PaintSmallGame(Finished, 0, langue, 0, misplaced);
        // The band shows only the words (1-bits) of those rows of the banner.
        const QRgb colour = misplaced ? rgb(128, 255, 255) : kRay;
        const QRect shown(misplaced ? QPoint(54, 21) : QPoint(100, 24), rows.size());
        const QImage words =
            ImageView(Coloured(LoadBitmapW(misplaced ? 123 : 121), kBlack, colour)).copy(rows);
        EXPECT_EQ(Area(shown), words) << "language " << langue;
        EXPECT_EQ(Count(kBand, kBlack) + Count(shown, colour), 215 * 28) << misplaced << " misplaced";
    }
    // Ports that still differ give the number of misplaced items; learning shows how to pick a port.
    for (const auto& [phase, langue, mismatches, misplaced, text] :
         {std::tuple{Finished, 0, 3, 1, " 1 item not OK "},
          std::tuple{Finished, 1, 3, 1, " 1 élément mal placé "},
          std::tuple{Finished, 0, 2, 4, " 4 items not OK "},
          std::tuple{Finished, 1, 1, 0, " 0 éléments mal placés "},
          std::tuple{Learning, 0, 0, 0, " Select a number to \r\n display the laser ray "},
          std::tuple{Learning, 1, 0, 0,
                     "  Sélectionner un nombre pour \r\n afficher le parcours d'un rayon "}}) {
        PaintSmallGame(phase, 0, langue, mismatches, misplaced);
        EXPECT_TRUE(BandShows(text, kPink)) << text;
    }
}

TEST_F(PaintScreenTest, EachInternalErrorIsToldOnceLeavesOutWhatItCouldNotDrawAndThenOnlyPanicShows) {
    // Error 20: port 0's ray on the player's board weaves through every row and column and back, 198
    // steps, beyond the tracer's limit. The items row by row: 1 slash and 2 backslash mirrors, a reflector
    // (6) in the corner. The other errors are missing bitmaps.
    const std::string weave = "0121212020000002100000012000000210000001200000021000000121212126";
    // What each error leaves out: the area stays black, or (23) the box shows no number.
    const QRect boxes(50, 43, 161, 21), box(51, 44, 19, 19), legend(51, 249, 60, 17);
    for (const auto& [bitmap, error, phase, area, blackPixels] :
         {std::tuple{0, 20, Playing, boxes, 161 * 21}, std::tuple{131, 21, Learning, box, 19 * 19},
          std::tuple{120, 23, Playing, box, 0}, std::tuple{122, 24, Playing, legend, 60 * 17},
          std::tuple{121, 25, Finished, kBand, 215 * 28}, std::tuple{123, 26, Finished, kBand, 215 * 28}}) {
        asked.clear();
        StartGame(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        for (int i = 0; i < 64 && error == 20; ++i)
            if (weave[i] != '0') Place(i % 8, i / 8, static_cast<int16_t>(weave[i] - '0'));
        GameState.gamePhase = phase;
        GameState.moveCount = bitmap == 123 ? 2 : 0;
        SetBitmapLoadFails(bitmap, true);
        PaintFrame(kScreen);
        SetBitmapLoadFails(bitmap, false);
        // Broken (3) already when the box shows: no later step draws the learning text or a result.
        EXPECT_EQ(asked, std::vector{QStringLiteral("Internal error %1 (Paint)|Error|0|3").arg(error)});
        EXPECT_EQ(Count(area, kBlack), blackPixels) << "error " << error;
        EXPECT_EQ(Count(legend, kBlack) < 60 * 17, error != 24) << "error " << error << ": the frame goes on";
        EXPECT_EQ(Count(kBand, kPink), 0) << "error " << error;

        PaintFrame(kScreen);
        EXPECT_EQ(asked.size(), 1u) << "error " << error << " told once";
        EXPECT_TRUE(BandShows("Panic, internal problem", kRay)) << "error " << error;
    }
}

// The shown port's ray and the ring of port boxes, each drawn alone on a black 5 x 5 screen.
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
        RefreshShownState();  // traces the shown ray
        DrawRayPath(GameState);
        for (QPoint p : green)
            EXPECT_EQ(Pixel(p), kRay) << "port " << port << " at " << p.x() << ", " << p.y();
        for (const QRect& area : dark) EXPECT_EQ(Count(area, kRay), 0) << "port " << port;
    }
    // Whether port p's box shows the black outline, the colour and the number.
    static bool BoxShows(int p, QRgb colour, int16_t number) {
        const QRect box(Port(p), QSize(21, 21));
        DeviceContext dc;
        dc.SelectBitmap(Bitmap(240, 268));
        FillRect(dc.Image(), ToRect32(box.adjusted(1, 1, -1, -1)), colour);
        Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        DrawNumber(dc, box.left(), box.top(), box.left() + 21, box.top() + 21, number);
        dc.SetBkMode(BackgroundMode::Transparent);
        if (number >= 100)
            dc.DrawTextW(NumberText(number), ToRect32(box),
                         DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        return ImageView(dc.Image()).copy(box) == Area(box);
    }
};

TEST_F(RayTest, TheRayRunsThroughCellCentresTurnsBackJumpsAndStops) {
    // Port 0 (centre (90, 83)) down column 0 to port 14 (centre (90, 207)), 3 pixels wide.
    ExpectRay(0, {}, {{90, 84}, {89, 150}, {91, 150}, {90, 207}}, {QRect(0, 208, 240, 60)});
    // A reflector in the top row: down to 5 pixels inside the cell (row 100) and back up.
    ExpectRay(2, {{2, 0, TotalReflector}}, {{130, 84}, {130, 100}}, {QRect(0, 101, 240, 167)});
    // From the right, turned back by a vertical mirror 5 pixels inside its right edge (x = 135).
    ExpectRay(6, {{2, 1, VerticalMirror}}, {{190, 125}, {135, 125}}, {QRect(0, 0, 134, 268)});
    // From below, turned back by a reflector in the bottom row 5 pixels inside its lower edge (row 190,
    // the pen's round end one row above).
    ExpectRay(12, {{2, 4, TotalReflector}}, {{130, 206}, {130, 189}}, {QRect(0, 0, 240, 189)});
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
    // Port 6 (centre (183, 155)) into (3, 2), no line to (1, 0), then left through (0, 0) to port 15.
    ExpectRay(6, {{1, 0, WormholeA}, {3, 2, WormholeB}}, {{170, 155}, {110, 115}, {80, 115}},
              {QRect(125, 122, 30, 28)});
    // While playing the ray runs through the player's board.
    GameState.gamePhase = Playing;
    GameState.hint = 1;  // the ray shows while playing with online hints on
    GameState.playerBoard[1 * 8] = TotalReflector;
    ExpectRay(1, {}, {{120, 95}, {120, 110}}, {QRect(0, 111, 240, 157)});
}

// The box colours and marks of every kind of label are in the pictures of docs/screenshots; counts
// from 100 on are in none of them.
TEST_F(RayTest, CountsFromOneHundredOnAreCentredTextInTheBoxColour) {
    GameState.hiddenLabels = GameState.playerLabels = PortLabels{0, 0, 0, 100, 0xF0FF};
    PaintErrors errors;
    DrawPortLabels(GameState, errors);
    EXPECT_TRUE(BoxShows(3, kLightGreen, 100));
    EXPECT_TRUE(BoxShows(4, rgb(255, 255, 0), 255)) << "a ray back out of its own port: yellow";
}

}  // namespace
