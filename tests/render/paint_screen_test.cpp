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
        GameState = GameRecord{};
        StartGame(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        Place(1, 1, TotalReflector);
        Place(3, 3, SlashMirror);
        GameState.gameStartTick = 1000;
        GameState.lastTick = 46300;
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
    // Whether the band shows only the words (1-bits) of banner `number`'s rows from `top`, at `at`.
    static bool BannerShown(int number, int top, QSize size, QPoint at, QRgb colour) {
        QImage expected(240, 268, QImage::Format_RGB32);
        expected.fill(kBlack);
        const QImage bits = LoadBitmapW(number);
        for (int i = 0; i < size.width() * size.height(); ++i) {
            const QPoint p(i % size.width(), i / size.width());
            if (bits.pixelIndex(p.x(), top + p.y()) == 1) expected.setPixel(at + p, colour);
        }
        return expected.copy(kBand) == Area(kBand) && Count(kBand, colour) > 0;
    }
};

TEST_F(PaintScreenTest, EachPhaseShowsItsOwnPartsOfTheScreen) {
    struct Row {
        GamePhase phase;
        int hint;
        bool clock, puzzle, rayAndMarks, band;
    };
    for (const Row& row : {Row{Playing, 0, 1, 0, 0, 0}, Row{Playing, 1, 1, 0, 1, 0},
                           Row{Finished, 0, 1, 1, 1, 1}, Row{Learning, 0, 0, 1, 1, 1}}) {
        PaintSmallGame(row.phase, row.hint);
        const std::string at = "phase " + std::to_string(row.phase) + ", hint " + std::to_string(row.hint);
        int marks = 0;
        for (int p = 0; p < 20; ++p) marks += Pixel(Port(p) + QPoint(1, 1)) == kRed;
        EXPECT_EQ(Count(QRect(150, 0, 90, 15), kRay) > 0, row.clock) << at;
        EXPECT_EQ(Pixel(Cell(2, 2) + QPoint(10, 10)) == kRay, row.rayAndMarks) << at;
        EXPECT_EQ(marks > 0, row.rayAndMarks) << at;
        EXPECT_EQ(Count(kBand, kBlack) < 215 * 28, row.band) << at;
        // The puzzle: a missed mirror and the absorber turn blue, under the player's reflector in red.
        EXPECT_EQ(Pixel(Cell(0, 0) + QPoint(10, 10)), row.puzzle ? kBlue : kPurple) << at;
        EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(10, 10)), row.puzzle ? kBlue : kBlack) << at;
        EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(5, 10)), row.puzzle ? kRed : kWhite) << at;
        EXPECT_EQ(Pixel(Cell(3, 3) + QPoint(10, 10)), kBlack) << at << ": an agreeing item";
    }
}

TEST_F(PaintScreenTest, OnAnEightByEightBoardOneFreeLineSeparatesBoardBoxesAndLegends) {
    StartGame(8, {{0, 0, 1},
                  {1, 0, 1},
                  {2, 0, 1},
                  {3, 0, 2},
                  {4, 0, 2},
                  {5, 0, 2},
                  {0, 2, 3},
                  {1, 2, 3},
                  {2, 2, 4},
                  {3, 2, 4},
                  {4, 2, 5},
                  {5, 2, 5},
                  {6, 2, 6}});
    Paint(kScreen);
    for (int i = 0; i <= 8; ++i) {
        EXPECT_TRUE(Pixel(QPoint(50 + 20 * i, 101)) == kWhite && Pixel(QPoint(101, 65 + 20 * i)) == kWhite)
            << i;
    }
    for (QPoint free :
         {QPoint(101, 64), QPoint(101, 226), QPoint(49, 101), QPoint(211, 101), QPoint(191, 248)}) {
        EXPECT_EQ(Pixel(free), kBlack) << free.x() << ", " << free.y();
    }
    EXPECT_TRUE(Pixel(QPoint(191, 227)) == kBlack && Pixel(QPoint(191, 228)) != kBlack)
        << "boxes from row 227";
    const QImage legend = LoadBitmapW(122).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Area(QRect(51, 249, 60, 17)), legend.copy(0, 0, 60, 17)) << "reflected legend";
    EXPECT_EQ(Area(QRect(130, 249, 60, 17)), legend.copy(0, 17, 60, 17)) << "absorbed legend";
    for (int slot = 0; slot < 13; ++slot) {  // purple insides from row 6 to row 264
        EXPECT_TRUE(Pixel(QPoint(3, 6 + 20 * slot)) == kPurple && Pixel(QPoint(3, 24 + 20 * slot)) == kPurple)
            << slot;
    }
    EXPECT_TRUE(Pixel(QPoint(3, 4)) == kBlack && Pixel(QPoint(3, 266)) == kBlack);
}

TEST_F(PaintScreenTest, ThePaletteFramesTheSelectedSlotWhileItemsAreLeftToPlace) {
    // The puzzle hides 1, 1, 5: no slot for types 2 to 4, so the absorber takes slot 2. Columns: items
    // placed wrongly, selected slot, phase, selected item afterwards, framed slot.
    for (const auto& [wrong, slot, phase, selected, framed] :
         {std::tuple{0, 1, Playing, SlashMirror, 1}, std::tuple{0, 2, Playing, Absorber, 2},
          std::tuple{0, 3, Playing, WormholeB, -1}, std::tuple{3, 2, Playing, Absorber, -1},
          std::tuple{0, 2, Finished, Absorber, -1}}) {
        GameState = GameRecord{};
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
         {std::pair{QRect(150, 0, 90, 15), false}, std::pair{QRect(), false},
          std::pair{QRect(0, 200, 0, 0), false}, std::pair{QRect(0, 0, 240, 16), true},
          std::pair{QRect(100, 100, 5, 5), true}}) {
        GameState.playerLabels.fill(0x0F0F);
        GameState.remaining.fill(7);
        GameState.rayPath[0] = Point32{-99, -99};
        Paint(invalid);
        EXPECT_GT(Count(QRect(150, 0, 90, 15), kRay), 0);
        EXPECT_EQ(Count(QRect(0, 15, 240, 253), kBlack) == 240 * 253, !whole)
            << "nothing drawn below the clock";
        EXPECT_EQ(GameState.playerLabels[0] == 0x0F0F, !whole) << "the labels are left alone";
        EXPECT_EQ(GameState.remaining[1] == 7 && GameState.rayPath[0].x == -99, !whole)
            << "no recount, no trace";
    }
}

TEST_F(PaintScreenTest, TheEndOfAGameReadsInThePlayersLanguage) {
    const QRgb green = rgb(0, 255, 0), cyan = rgb(128, 255, 255);
    PaintSmallGame(Finished, 0, 0, 0, 0);
    EXPECT_TRUE(BannerShown(121, 13, QSize(65, 13), QPoint(100, 24), green)) << "Perfect";
    PaintSmallGame(Finished, 0, 1, 0, 0);
    EXPECT_TRUE(BannerShown(121, 0, QSize(65, 13), QPoint(100, 24), green)) << "Parfait";
    PaintSmallGame(Finished, 0, 0, 0, 2);
    EXPECT_TRUE(BannerShown(123, 19, QSize(156, 17), QPoint(54, 21), cyan)) << "Accepted solution";
    PaintSmallGame(Finished, 0, 1, 0, 2);
    EXPECT_TRUE(BannerShown(123, 0, QSize(156, 18), QPoint(54, 21), cyan)) << "Solution acceptée";
    for (const auto& [langue, mismatches, misplaced, text] :
         {std::tuple{0, 3, 1, " 1 item not OK "}, std::tuple{1, 3, 1, " 1 élément mal placé "},
          std::tuple{0, 2, 4, " 4 items not OK "}, std::tuple{1, 1, 0, " 0 éléments mal placés "}}) {
        PaintSmallGame(Finished, 0, langue, mismatches, misplaced);
        EXPECT_TRUE(BandShows(text, kPink)) << text;
    }
    PaintSmallGame(Learning);
    EXPECT_TRUE(BandShows(" Select a number to \r\n display the laser ray ", kPink));
    PaintSmallGame(Learning, 0, 1);
    EXPECT_TRUE(BandShows("  Sélectionner un nombre pour \r\n afficher le parcours d'un rayon ", kPink));
}

TEST_F(PaintScreenTest, EachInternalErrorIsToldOnceAndLeavesOutWhatItCouldNotDraw) {
    // What each missing bitmap leaves out: the area stays black, or (23) the box shows no number.
    const QRect box(51, 44, 19, 19), legend(51, 249, 60, 17);
    for (const auto& [bitmap, error, phase, area, blackPixels] :
         {std::tuple{131, 21, Learning, box, 19 * 19}, std::tuple{120, 23, Playing, box, 0},
          std::tuple{122, 24, Playing, legend, 60 * 17}, std::tuple{121, 25, Finished, kBand, 215 * 28},
          std::tuple{123, 26, Finished, kBand, 215 * 28}}) {
        GameState = GameRecord{};
        asked.clear();
        StartGame(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        GameState.gamePhase = phase;
        GameState.moveCount = bitmap == 123 ? 2 : 0;
        SetBitmapLoadFails(bitmap, true);
        Paint(kScreen);
        SetBitmapLoadFails(bitmap, false);
        // Broken (3) already when the box shows: no later step draws the learning text or a result.
        EXPECT_EQ(asked, std::vector{QStringLiteral("Internal error %1 (Paint)|Error|0|3").arg(error)});
        EXPECT_EQ(Count(area, kBlack), blackPixels) << "error " << error;
        EXPECT_EQ(Count(kBand, kPink), 0) << "error " << error;
    }
}

TEST_F(PaintScreenTest, AnEndlessRayOnThePlayersBoardIsError20AndTheNextFrameOnlySaysPanic) {
    // Port 0's ray weaves through every row and column and back: 198 steps, beyond the tracer's limit.
    const char* const weave[8] = {"./\\/\\/\\.", "\\......\\", "/....../", "\\......\\",
                                  "/....../",    "\\......\\", "/....../", "\\/\\/\\/\\#"};
    StartGame(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
    for (int i = 0; i < 64; ++i) {
        const char c = weave[i / 8][i % 8];
        if (c != '.')
            Place(i % 8, i / 8, c == '/' ? SlashMirror : c == '\\' ? BackslashMirror : TotalReflector);
    }
    Paint(kScreen);
    EXPECT_EQ(asked, std::vector{QStringLiteral("Internal error 20 (Paint)|Error|0|3")});
    EXPECT_EQ(Count(QRect(50, 43, 161, 21), kBlack), 161 * 21) << "no port boxes";
    EXPECT_LT(Count(QRect(51, 249, 60, 17), kBlack), 60 * 17) << "the frame goes on with the legend";

    const QImage broken = Area(kScreen);
    Paint(kScreen);
    EXPECT_EQ(asked.size(), 1u) << "told once";
    EXPECT_TRUE(BandShows("Panic, internal problem", rgb(0, 255, 0)));
    EXPECT_EQ(Area(QRect(0, 45, 240, 223)), broken.copy(0, 45, 240, 223)) << "over the last frame";
}

}  // namespace
