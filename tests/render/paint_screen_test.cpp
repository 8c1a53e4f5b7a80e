// What a frame of the game screen shows in each phase, where it puts things, how the clock tick
// repaints, how a game's end reads, and what each internal error leaves out.
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
        Paint(kScreen);
    }
    static bool BandShows(const char* text, QRgb band) {
        return Text(text, QRect(25, 15, 215, 30), kBlack, band).copy(kBand) == Area(kBand);
    }
};

TEST_F(PaintScreenTest, EachPhaseShowsItsOwnPartsOfTheScreen) {
    for (const auto& [phase, hint, clock, puzzle, rayAndMarks, band] :
         {std::tuple{Playing, 0, true, false, false, false}, std::tuple{Playing, 1, true, false, true, false},
          std::tuple{Finished, 0, true, true, true, true},
          std::tuple{Learning, 0, false, true, true, true}}) {
        PaintSmallGame(phase, hint);
        SCOPED_TRACE("phase " + std::to_string(phase) + ", hint " + std::to_string(hint));
        EXPECT_EQ(Area(kClock) == Text("45\"3", kClock, kRay, kBlack, DT_RIGHT).copy(kClock), clock);
        EXPECT_EQ(Pixel(Cell(2, 2) + QPoint(10, 10)) == kRay, rayAndMarks);
        EXPECT_EQ(Pixel(Port(0) + QPoint(1, 1)) == kRed, rayAndMarks) << "port 0 turned by the missed mirror";
        EXPECT_EQ(Count(kBand, kBlack) < 215 * 28, band);
        // The puzzle: a missed mirror and the absorber turn blue, under the player's reflector in red.
        EXPECT_EQ(Pixel(Cell(0, 0) + QPoint(10, 10)), puzzle ? kBlue : kPurple);
        EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(10, 10)), puzzle ? kBlue : kBlack);
        EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(5, 10)), puzzle ? kRed : kWhite);
        EXPECT_EQ(Pixel(Cell(3, 3) + QPoint(10, 10)), kBlack) << "an agreeing item";
        EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "every bitmap is detached again";
    }
}

TEST_F(PaintScreenTest, ThePaletteFramesTheSelectedSlotWhileItemsAreLeftToPlace) {
    // The puzzle hides 1, 1, 5: no slot for types 2 to 4, so the absorber takes slot 2. Columns: items
    // placed wrongly, selected slot, phase, selected item afterwards, framed slot.
    for (const auto& [wrong, slot, phase, selected, framed] :
         {std::tuple{0, 1, Playing, SlashMirror, 1}, std::tuple{0, 2, Playing, Absorber, 2},
          std::tuple{0, 3, Playing, WormholeB, -1}, std::tuple{3, 2, Playing, Absorber, -1},
          std::tuple{0, 2, Finished, Absorber, -1}}) {
        StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
        for (int i = 0; i < wrong; ++i) Place(3 + i, 3, BackslashMirror);
        GameState.paletteSlot = slot;
        GameState.selectedItem = WormholeB;
        GameState.gamePhase = phase;
        Paint(kScreen);
        EXPECT_EQ(GameState.selectedItem, selected) << "slot " << slot;
        for (int s = 0; s < 4; ++s) {
            const QPoint corner(GameState.paletteX, GameState.paletteY + 20 * s);
            EXPECT_EQ(Pixel(corner + QPoint(0, 10)) == kWhite && Pixel(corner + QPoint(10, 20)) == kWhite,
                      s == framed)
                << "slot " << slot << ", phase " << phase << ", " << wrong << " placed: frame on " << s;
        }
    }
}

TEST_F(PaintScreenTest, AClockTickRedrawsOnlyTheClock) {
    PaintSmallGame(Playing, 1);
    // Rows 0 to 14 or an empty request: the clock only; down to row 15 or lower: the whole frame.
    for (const auto& [invalid, whole] :
         {std::pair{kClock, false}, std::pair{QRect(), false}, std::pair{QRect(0, 200, 0, 0), false},
          std::pair{QRect(0, 0, 240, 16), true}, std::pair{QRect(100, 100, 5, 5), true}}) {
        Paint(invalid);
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
        QImage words = LoadBitmapW(misplaced ? 123 : 121).copy(rows);
        words.setColorTable({kBlack, colour});
        EXPECT_EQ(Area(shown), words.convertToFormat(QImage::Format_RGB32)) << "language " << langue;
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
        Paint(kScreen);
        SetBitmapLoadFails(bitmap, false);
        // Broken (3) already when the box shows: no later step draws the learning text or a result.
        EXPECT_EQ(asked, std::vector{QStringLiteral("Internal error %1 (Paint)|Error|0|3").arg(error)});
        EXPECT_EQ(Count(area, kBlack), blackPixels) << "error " << error;
        EXPECT_EQ(Count(legend, kBlack) < 60 * 17, error != 24) << "error " << error << ": the frame goes on";
        EXPECT_EQ(Count(kBand, kPink), 0) << "error " << error;

        const QImage broken = Area(kScreen);
        Paint(kScreen);
        EXPECT_EQ(asked.size(), 1u) << "error " << error << " told once";
        EXPECT_TRUE(BandShows("Panic, internal problem", kRay)) << "error " << error;
        EXPECT_EQ(Area(QRect(0, 45, 240, 223)), broken.copy(0, 45, 240, 223)) << "over the last frame";
    }
}

}  // namespace
