// What a frame of the game screen shows in each phase, where it puts things, how the clock tick
// repaints, how a game's end reads, what each internal error leaves out; the ray and the port boxes.
#include <string>
#include <tuple>
#include <vector>

#include "core/render/paint.h"
#include "support/canvas.h"
#include "support/stand_in.h"

namespace {

constexpr Colour kRay = kGreen, kPink = rgb(255, 128, 128), kLightGreen = rgb(100, 255, 100);
constexpr Rect32 kScreen{0, 0, kGameWidth, kGameHeight};
constexpr Rect32 kBand{25, 15, 240, 43};  // the band above N = 8's top boxes
constexpr Rect32 kClock{150, 0, 240, 15};

using Placed = std::tuple<int, int, int16_t>;  // column, row, item

class PaintTest : public GameTest {
  protected:
    // A new game in play on an N x N board hiding `hidden`, with the player's `placed`, both legends shown
    // and no port shown.
    static void Deal(int n, const std::vector<Placed>& hidden, const std::vector<Placed>& placed = {}) {
        GameState = GameRecord{};
        GameState.gridSize = n;
        GameState.itemCount = static_cast<int32_t>(hidden.size());
        GameState.usereflect = GameState.useabsorbed = 1;
        ComputeLayout();
        for (const auto& [x, y, item] : hidden) GameState.hiddenBoard[x * 8 + y] = item;
        LabelAllPorts(kHiddenBoard);
        GameState.shownPort = -99;
        RecountPalette(0);
        for (const auto& [x, y, item] : placed) Put(x, y, item);
    }
    static void Put(int x, int y, int16_t item) {
        GameState.playerBoard[x * 8 + y] = item;
        ++GameState.placedCount;
    }
    static Point32 Port(int p) {
        Point32 corner{};
        PortPosition(static_cast<int16_t>(p), corner);
        return corner;
    }
};

class PaintScreenTest : public PaintTest {
  protected:
    // 5 x 5: the puzzle hides slash mirrors at (0, 0) and (3, 3) and an absorber at (1, 1); the player
    // has a reflector on (1, 1) and the right mirror on (3, 3). Port 2's ray runs down empty column 2.
    static void PaintSmallGame(GamePhase phase, int hint = 0, int langue = 0, int mismatches = 0,
                               int misplaced = 0) {
        Deal(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}},
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
    static bool BandShows(std::u16string_view text, Colour band) {
        return ScreenShows(TextPicture(text, Rect32{25, 15, 240, 45}, kBlack, band), kBand);
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
        EXPECT_EQ(ScreenShows(TextPicture(u"45\"3", kClock, kRay, kBlack, DT_RIGHT), kClock), clock);
        EXPECT_EQ(ScreenPixel(GameState.boardX + 50, GameState.boardY + 50) == kRay, rayAndMarks);
        EXPECT_EQ(ScreenPixel(Port(0).x + 1, Port(0).y + 1) == kRed, rayAndMarks)
            << "port 0 turned by the missed mirror";
        EXPECT_EQ(CountOnScreen(kBand, kBlack) < 215 * 28, band);
        EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "every bitmap is detached again";
    }
}

// The frame on the selected slot while items are left is in the pictures of a game in play.
TEST_F(PaintScreenTest, OnceEveryItemIsPlacedNoSlotIsFramed) {
    Deal(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}},
         {{3, 3, BackslashMirror}, {4, 3, BackslashMirror}, {5, 3, BackslashMirror}});
    GameState.paletteSlot = 2;
    PaintFrame(kScreen);
    for (int s = 0; s < 4; ++s) {
        const int x = GameState.paletteX, y = GameState.paletteY + 20 * s;
        EXPECT_FALSE(ScreenPixel(x, y + 10) == kWhite && ScreenPixel(x + 10, y + 20) == kWhite)
            << "slot " << s;
    }
}

TEST_F(PaintScreenTest, AClockTickRedrawsOnlyTheClock) {
    PaintSmallGame(Playing, 1);
    // Rows 0 to 14 or an empty request: the clock only; down to row 15 or lower: the whole frame.
    for (const auto& [invalid, whole] :
         {std::pair{kClock, false}, std::pair{Rect32{}, false}, std::pair{Rect32{0, 200, 0, 200}, false},
          std::pair{Rect32{0, 0, 240, 16}, true}, std::pair{Rect32{100, 100, 105, 105}, true}}) {
        PaintFrame(invalid);
        EXPECT_GT(CountOnScreen(kClock, kRay), 0);
        EXPECT_EQ(CountOnScreen(Rect32{0, 15, 240, 268}, kBlack) == 240 * 253, !whole)
            << "nothing drawn below the clock, request " << invalid.top << " to " << invalid.bottom;
    }
}

TEST_F(PaintScreenTest, TheEndOfAGameReadsInThePlayersLanguage) {
    // All ports agree: "Perfect" in green, or with misplaced items "Accepted solution" in cyan; the
    // rows of the banner that the band shows, and where.
    for (const auto& [langue, misplaced, top, height] : {std::tuple{0, 0, 13, 13}, std::tuple{1, 0, 0, 13},
                                                         std::tuple{0, 2, 19, 17}, std::tuple{1, 2, 0, 18}}) {
        PaintSmallGame(Finished, 0, langue, 0, misplaced);
        // The band shows only the words (1-bits) of those rows of the banner.
        const Colour colour = misplaced ? rgb(128, 255, 255) : kRay;
        const Bitmap banner = LoadBitmapW(misplaced ? 123 : 121);
        const int left = misplaced ? 54 : 100, shownTop = misplaced ? 21 : 24;
        int differ = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < banner.width(); ++x)
                differ += ScreenPixel(left + x, shownTop + y) !=
                          (banner.pixel(x, top + y) == kBlack ? kBlack : colour);
        }
        EXPECT_EQ(differ, 0) << "language " << langue;
        const Rect32 shown{left, shownTop, left + banner.width(), shownTop + height};
        EXPECT_EQ(CountOnScreen(kBand, kBlack) + CountOnScreen(shown, colour), 215 * 28)
            << misplaced << " misplaced";
    }
    // Ports that still differ give the number of misplaced items; learning shows how to pick a port.
    for (const auto& [phase, langue, mismatches, misplaced, text] :
         {std::tuple{Finished, 0, 3, 1, u" 1 item not OK "},
          std::tuple{Finished, 1, 3, 1, u" 1 élément mal placé "},
          std::tuple{Finished, 0, 2, 4, u" 4 items not OK "},
          std::tuple{Finished, 1, 1, 0, u" 0 éléments mal placés "},
          std::tuple{Learning, 0, 0, 0, u" Select a number to \r\n display the laser ray "},
          std::tuple{Learning, 1, 0, 0,
                     u"  Sélectionner un nombre pour \r\n afficher le parcours d'un rayon "}}) {
        PaintSmallGame(phase, 0, langue, mismatches, misplaced);
        EXPECT_TRUE(BandShows(text, kPink)) << "language " << langue << ", " << misplaced << " misplaced";
    }
}

TEST_F(PaintScreenTest, EachInternalErrorIsToldOnceLeavesOutWhatItCouldNotDrawAndThenOnlyPanicShows) {
    // Error 20: port 0's ray on the player's board weaves through every row and column and back, 198
    // steps, beyond the tracer's limit. The items row by row: 1 slash and 2 backslash mirrors, a reflector
    // (6) in the corner. The other errors are missing bitmaps.
    const std::string weave = "0121212020000002100000012000000210000001200000021000000121212126";
    // What each error leaves out: the area stays black, or (23) the box shows no number.
    const Rect32 boxes{50, 43, 211, 64}, box{51, 44, 70, 63}, legend{51, 249, 111, 266};
    for (const auto& [bitmap, error, phase, area, blackPixels] :
         {std::tuple{0, 20, Playing, boxes, 161 * 21}, std::tuple{131, 21, Learning, box, 19 * 19},
          std::tuple{120, 23, Playing, box, 0}, std::tuple{122, 24, Playing, legend, 60 * 17},
          std::tuple{121, 25, Finished, kBand, 215 * 28}, std::tuple{123, 26, Finished, kBand, 215 * 28}}) {
        standIn.asked.clear();
        Deal(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        for (int i = 0; i < 64 && error == 20; ++i)
            if (weave[i] != '0') Put(i % 8, i / 8, static_cast<int16_t>(weave[i] - '0'));
        GameState.gamePhase = phase;
        GameState.moveCount = bitmap == 123 ? 2 : 0;
        standIn.failingBitmaps = {bitmap};
        PaintFrame(kScreen);
        standIn.failingBitmaps.clear();
        // Broken (3) already when the box shows: no later step draws the learning text or a result.
        ASSERT_EQ(standIn.asked.size(), 1u) << "error " << error;
        const AskedBox& told = standIn.asked[0];
        EXPECT_EQ(std::tuple(told.TextAndCaption(), told.style, told.phase),
                  std::tuple(u"Internal error " + NumberText(error) + u" (Paint)|Error", BoxStyle::Ok, 3));
        EXPECT_EQ(CountOnScreen(area, kBlack), blackPixels) << "error " << error;
        EXPECT_EQ(CountOnScreen(legend, kBlack) < 60 * 17, error != 24)
            << "error " << error << ": the frame goes on";
        EXPECT_EQ(CountOnScreen(kBand, kPink), 0) << "error " << error;

        PaintFrame(kScreen);
        EXPECT_EQ(standIn.asked.size(), 1u) << "error " << error << " told once";
        EXPECT_TRUE(BandShows(u"Panic, internal problem", kRay)) << "error " << error;
    }
}

// The shown port's ray and the ring of port boxes, each drawn alone on a black 5 x 5 screen.
class RayTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        Deal(5, {});  // board corner (80, 95)
        GameState.gamePhase = Finished;
        Offscreen.bufferDC.SetTextColor(kBlack);
    }
    // Draws the ray of `port` through the puzzle `hidden`; the probes must be green and the `dark` areas not.
    static void ExpectRay(int port, const std::vector<Placed>& hidden, std::initializer_list<Point32> green,
                          std::initializer_list<Rect32> dark) {
        Offscreen.bufferDC.PatBlt(0, 0, 240, 268, RasterOp::Blackness);
        GameState.hiddenBoard = Board{};
        for (const auto& [x, y, item] : hidden) GameState.hiddenBoard[x * 8 + y] = item;
        GameState.shownPort = static_cast<int16_t>(port);
        RefreshShownState();  // traces the shown ray
        DrawRayPath(GameState);
        for (Point32 p : green)
            EXPECT_EQ(ScreenPixel(p.x, p.y), kRay) << "port " << port << " at " << p.x << ", " << p.y;
        for (const Rect32& area : dark) EXPECT_EQ(CountOnScreen(area, kRay), 0) << "port " << port;
    }
    // Whether port p's box shows the black outline, the colour and the number.
    static bool BoxShows(int p, Colour colour, int16_t number) {
        const Rect32 box{Port(p).x, Port(p).y, Port(p).x + 21, Port(p).y + 21};
        DeviceContext dc;
        dc.SelectBitmap(Bitmap(240, 268));
        FillRect(dc.Image(), Rect32{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, colour);
        Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
        DrawNumber(dc, box.left, box.top, box.right, box.bottom, number);
        dc.SetBkMode(BackgroundMode::Transparent);
        if (number >= 100)
            dc.DrawTextW(NumberText(number), box, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
        return ScreenShows(dc.Image(), box);
    }
};

TEST_F(RayTest, TheRayRunsThroughCellCentresTurnsBackJumpsAndStops) {
    // Port 0 (centre (90, 83)) down column 0 to port 14 (centre (90, 207)), 3 pixels wide.
    ExpectRay(0, {}, {{90, 84}, {89, 150}, {91, 150}, {90, 207}}, {Rect32{0, 208, 240, 268}});
    // A reflector in the top row: down to 5 pixels inside the cell (row 100) and back up.
    ExpectRay(2, {{2, 0, TotalReflector}}, {{130, 84}, {130, 100}}, {Rect32{0, 101, 240, 268}});
    // From the right, turned back by a vertical mirror 5 pixels inside its right edge (x = 135).
    ExpectRay(6, {{2, 1, VerticalMirror}}, {{190, 125}, {135, 125}}, {Rect32{0, 0, 134, 268}});
    // From below, turned back by a reflector in the bottom row 5 pixels inside its lower edge (row 190,
    // the pen's round end one row above).
    ExpectRay(12, {{2, 4, TotalReflector}}, {{130, 206}, {130, 189}}, {Rect32{0, 0, 240, 189}});
    // Absorbed in the third cell: the line ends at its centre (90, 145), towards no port.
    ExpectRay(0, {{0, 2, Absorber}}, {{90, 100}, {90, 145}}, {Rect32{0, 146, 240, 268}});
    // 4 x 4 (corner (90, 105)), wormhole ends at (1, 0) and (3, 2): port 1 (centre (120, 93)) into (1, 0),
    // no line to (3, 2), then down through (3, 3) to port 8 (centre (160, 197)).
    GameState.gridSize = 4;
    ComputeLayout();
    GameState.wormholeA = Point32{1, 0};
    GameState.wormholeB = Point32{3, 2};
    ExpectRay(1, {{1, 0, WormholeA}, {3, 2, WormholeB}}, {{120, 95}, {120, 114}, {160, 160}, {160, 197}},
              {Rect32{123, 118, 157, 152}, Rect32{100, 120, 120, 180}, Rect32{150, 118, 170, 152}});
    // Port 6 (centre (183, 155)) into (3, 2), no line to (1, 0), then left through (0, 0) to port 15.
    ExpectRay(6, {{1, 0, WormholeA}, {3, 2, WormholeB}}, {{170, 155}, {110, 115}, {80, 115}},
              {Rect32{125, 122, 155, 150}});
    // While playing the ray runs through the player's board.
    GameState.gamePhase = Playing;
    GameState.hint = 1;  // the ray shows while playing with online hints on
    GameState.playerBoard[1 * 8] = TotalReflector;
    ExpectRay(1, {}, {{120, 95}, {120, 110}}, {Rect32{0, 111, 240, 268}});
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
