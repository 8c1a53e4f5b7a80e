// What a frame of the game screen shows in each phase, where it puts things, how the clock tick
// repaints, how a game's end reads, and what each internal error leaves out.
#include "render/paint_fixture.h"

namespace {

class PaintScreenTest : public PaintTest {
  protected:
    // 5 x 5: the puzzle hides slash mirrors at (0, 0) and (3, 3) and an absorber at (1, 1); the player
    // has a reflector on (1, 1) and the right mirror on (3, 3). Port 2's ray runs down empty column 2.
    static void StartSmallGame() {
        StartGame(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        Place(1, 1, TotalReflector);
        Place(3, 3, SlashMirror);
        GameState.gameStartTick = 1000;
        GameState.lastTick = 46300;
        GameState.shownPort = 2;
    }
    static int RedMarks() {
        int marks = 0;
        for (int p = 0; p < 4 * GameState.gridSize; ++p) marks += Pixel(Port(p) + QPoint(1, 1)) == kRed;
        return marks;
    }
};

TEST_F(PaintScreenTest, EachPhaseShowsItsOwnPartsOfTheScreen) {
    struct Row {
        GamePhase phase;
        int hint;
        bool clock, puzzleShown, ray, marks, band;
    };
    for (const Row& row :
         {Row{Playing, 0, true, false, false, false, false}, Row{Playing, 1, true, false, true, true, false},
          Row{Finished, 0, true, true, true, true, true}, Row{Learning, 0, false, true, true, true, true}}) {
        GameState = GameRecord{};
        StartSmallGame();
        GameState.gamePhase = row.phase;
        GameState.hint = row.hint;
        GameState.mismatchCount = GameState.moveCount = 2;
        PaintAll();
        const std::string at = "phase " + std::to_string(row.phase) + ", hint " + std::to_string(row.hint);
        EXPECT_EQ(Count(QRect(150, 0, 90, 15), kRay) > 0, row.clock) << at;
        EXPECT_EQ(Pixel(Cell(2, 2) + QPoint(10, 10)) == kRay, row.ray) << at;
        EXPECT_EQ(RedMarks() > 0, row.marks) << at;
        EXPECT_EQ(Count(kBand, kPink) > 0, row.band) << at;
        if (row.puzzleShown) {
            EXPECT_EQ(Pixel(Cell(0, 0) + QPoint(10, 10)), kBlue) << at << ": a missed item turns blue";
            EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(10, 10)), kBlue) << at << ": the puzzle's absorber, blue";
            EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(5, 10)), kRed)
                << at << ": under the player's reflector in red";
            EXPECT_EQ(Pixel(Cell(3, 3) + QPoint(10, 10)), kBlack) << at << ": an agreeing item stays black";
        } else {
            EXPECT_EQ(Pixel(Cell(0, 0) + QPoint(10, 10)), kPurple) << at << ": the puzzle stays hidden";
            EXPECT_EQ(Pixel(Cell(1, 1) + QPoint(5, 10)), kWhite) << at << ": the player's reflector";
        }
    }
}

TEST_F(PaintScreenTest, OnAnEightByEightBoardOneFreeLineSeparatesBoardBoxesAndLegends) {
    StartGame(8, {{0, 0, SlashMirror},
                  {1, 0, SlashMirror},
                  {2, 0, SlashMirror},
                  {3, 0, BackslashMirror},
                  {4, 0, BackslashMirror},
                  {5, 0, BackslashMirror},
                  {0, 2, VerticalMirror},
                  {1, 2, VerticalMirror},
                  {2, 2, HorizontalMirror},
                  {3, 2, HorizontalMirror},
                  {4, 2, Absorber},
                  {5, 2, Absorber},
                  {6, 2, TotalReflector}});
    PaintAll();
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(Pixel(50 + 20 * i, 101), kWhite) << "column line " << i;
        EXPECT_EQ(Pixel(101, 65 + 20 * i), kWhite) << "row line " << i;
    }
    EXPECT_EQ(Pixel(209, 224), kPurple);
    for (QPoint free :
         {QPoint(101, 64), QPoint(101, 226), QPoint(49, 101), QPoint(211, 101), QPoint(191, 248)}) {
        EXPECT_EQ(Pixel(free), kBlack) << free.x() << ", " << free.y();
    }
    EXPECT_EQ(Pixel(191, 227), kBlack) << "bottom boxes' outline";
    EXPECT_NE(Pixel(191, 228), kBlack) << "bottom boxes from row 227";
    EXPECT_NE(Pixel(191, 246), kBlack) << "to row 247";
    const QImage legend = LoadBitmapW(122).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(Offscreen.bufferDC.Image().copy(51, 249, 60, 17), legend.copy(0, 0, 60, 17))
        << "reflected legend";
    EXPECT_EQ(Offscreen.bufferDC.Image().copy(130, 249, 60, 17), legend.copy(0, 17, 60, 17))
        << "absorbed legend";
    // Thirteen palette slots: purple insides from row 6 to row 264, outlines between them.
    for (int slot = 0; slot < 13; ++slot) {
        EXPECT_EQ(Pixel(3, 6 + 20 * slot), kPurple) << "slot " << slot;
        EXPECT_EQ(Pixel(3, 24 + 20 * slot), kPurple) << "slot " << slot;
    }
    EXPECT_EQ(Pixel(3, 4), kBlack);
    EXPECT_EQ(Pixel(3, 266), kBlack);

    GameState.usereflect = 0;
    PaintAll();
    EXPECT_EQ(Count(QRect(51, 249, 60, 17), kBlack), 60 * 17) << "no reflecting items, no reflected legend";
    EXPECT_EQ(Offscreen.bufferDC.Image().copy(130, 249, 60, 17), legend.copy(0, 17, 60, 17));
}

TEST_F(PaintScreenTest, ThePaletteFramesTheSelectedSlotWhileItemsAreLeftToPlace) {
    struct Case {
        int placedWrong, slot;
        GamePhase phase;
        int16_t selected;  // expected afterwards
        int framed;        // the framed slot, or -1
    };
    // The puzzle hides 1, 1, 5: the strip is two slash mirrors and the absorber in slot 2.
    for (const Case& c : {Case{0, 1, Playing, SlashMirror, 1}, Case{0, 2, Playing, Absorber, 2},
                          Case{0, 3, Playing, WormholeB, -1}, Case{3, 2, Playing, Absorber, -1},
                          Case{0, 2, Finished, Absorber, -1}}) {
        GameState = GameRecord{};
        StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
        for (int i = 0; i < c.placedWrong; ++i) Place(3 + i, 3, BackslashMirror);
        GameState.paletteSlot = c.slot;
        GameState.selectedItem = WormholeB;
        GameState.gamePhase = c.phase;
        PaintAll();
        EXPECT_EQ(GameState.selectedItem, c.selected) << "slot " << c.slot;
        for (int s = 0; s < 4; ++s) {
            const QPoint corner(GameState.paletteX, GameState.paletteY + 20 * s);
            EXPECT_EQ(Pixel(corner + QPoint(0, 10)) == kWhite && Pixel(corner + QPoint(10, 20)) == kWhite,
                      s == c.framed)
                << "slot " << c.slot << ", " << c.placedWrong << " placed, phase " << c.phase << ": frame on "
                << s;
        }
    }
}

TEST_F(PaintScreenTest, AClockTickRedrawsOnlyTheClock) {
    StartSmallGame();
    GameState.hint = 1;
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
        EXPECT_EQ(GameState.remaining[1] == 7, !whole) << "the palette is not recounted";
        EXPECT_EQ(GameState.rayPath[0].x == -99, !whole) << "the ray is not traced";
    }
}

TEST_F(PaintScreenTest, TheEndOfAGameReadsInThePlayersLanguage) {
    struct Case {
        GamePhase phase;
        int langue, mismatches, misplaced, banner;
        QRect source;
        QPoint at;
        QRgb colour;
        const char* text;
    };
    const QRgb green = rgb(0, 255, 0), cyan = rgb(128, 255, 255);
    for (const Case& c :
         {Case{Finished, 0, 0, 0, 121, {0, 13, 65, 13}, {100, 24}, green, nullptr},
          Case{Finished, 1, 0, 0, 121, {0, 0, 65, 13}, {100, 24}, green, nullptr},
          Case{Finished, 0, 0, 2, 123, {0, 19, 156, 17}, {54, 21}, cyan, nullptr},
          Case{Finished, 1, 0, 2, 123, {0, 0, 156, 18}, {54, 21}, cyan, nullptr},
          Case{Finished, 0, 3, 1, 0, {}, {}, 0, " 1 item not OK "},
          Case{Finished, 1, 3, 1, 0, {}, {}, 0, " 1 élément mal placé "},
          Case{Finished, 0, 2, 4, 0, {}, {}, 0, " 4 items not OK "},
          Case{Finished, 1, 1, 0, 0, {}, {}, 0, " 0 éléments mal placés "},
          Case{Learning, 0, 0, 0, 0, {}, {}, 0, " Select a number to \r\n display the laser ray "},
          Case{Learning,
               1,
               0,
               0,
               0,
               {},
               {},
               0,
               "  Sélectionner un nombre pour \r\n afficher le parcours d'un rayon "}}) {
        GameState = GameRecord{};
        StartSmallGame();
        GameState.gamePhase = c.phase;
        GameState.langue = c.langue;
        GameState.mismatchCount = c.mismatches;
        GameState.moveCount = c.misplaced;
        PaintAll();
        const QRect band(25, 15, 215, 30);
        if (c.text != nullptr) {
            EXPECT_TRUE(ShowsText(QString::fromUtf8(c.text), band, band, kBlack, kPink)) << c.text;
            continue;
        }
        // The banner's words are its 1-bits in their colour; everything else in the band stays black.
        QImage expected(240, 268, QImage::Format_RGB32);
        expected.fill(kBlack);
        const QImage bits = LoadBitmapW(c.banner);
        for (int y = 0; y < c.source.height(); ++y) {
            for (int x = 0; x < c.source.width(); ++x) {
                if (bits.pixelIndex(c.source.x() + x, c.source.y() + y) == 1)
                    expected.setPixel(c.at + QPoint(x, y), c.colour);
            }
        }
        EXPECT_EQ(Offscreen.bufferDC.Image().copy(band), expected.copy(band))
            << "banner " << c.banner << ", langue " << c.langue;
    }
}

TEST_F(PaintScreenTest, EachInternalErrorIsToldOnceAndLeavesOutWhatItCouldNotDraw) {
    struct Case {
        int bitmap, error;
        GamePhase phase;
        QRect area;
        bool allBlack;  // else: no black at all
    };
    for (const Case& c : {Case{131, 21, Learning, QRect(51, 44, 19, 19), true},
                          Case{120, 23, Playing, QRect(51, 44, 19, 19), false},
                          Case{122, 24, Playing, QRect(51, 249, 60, 17), true},
                          Case{121, 25, Finished, kBand, true}, Case{123, 26, Finished, kBand, true}}) {
        GameState = GameRecord{};
        asked.clear();
        phaseWhenAsked.clear();
        StartGame(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        GameState.playerLabels = GameState.hiddenLabels;
        GameState.gamePhase = c.phase;
        GameState.moveCount = c.bitmap == 123 ? 2 : 0;
        SetBitmapLoadFails(c.bitmap, true);
        PaintAll();
        SetBitmapLoadFails(c.bitmap, false);
        ASSERT_EQ(asked.size(), 1u) << "bitmap " << c.bitmap;
        EXPECT_EQ(asked[0], QStringLiteral("Internal error %1 (Paint)|Error|0").arg(c.error));
        EXPECT_EQ(phaseWhenAsked[0], Broken) << "frozen before the box shows";
        EXPECT_EQ(Count(c.area, kBlack), c.allBlack ? c.area.width() * c.area.height() : 0)
            << "error " << c.error;
        EXPECT_EQ(Count(kBand, kPink), 0) << "error " << c.error << ": no message of the old phase";
    }
}

TEST_F(PaintScreenTest, AnEndlessRayOnThePlayersBoardIsError20AndTheNextFrameOnlySaysPanic) {
    // Port 0's ray weaves through every row and column and back: 198 steps, beyond the tracer's limit.
    const char* const weave[8] = {"./\\/\\/\\.", "\\......\\", "/....../", "\\......\\",
                                  "/....../",    "\\......\\", "/....../", "\\/\\/\\/\\#"};
    StartGame(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const char c = weave[y][x];
            if (c != '.') Place(x, y, c == '/' ? SlashMirror : c == '\\' ? BackslashMirror : TotalReflector);
        }
    }
    PaintAll();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], QStringLiteral("Internal error 20 (Paint)|Error|0"));
    EXPECT_EQ(Count(QRect(50, 43, 161, 21), kBlack), 161 * 21) << "no port boxes";
    EXPECT_LT(Count(QRect(51, 249, 60, 17), kBlack), 60 * 17) << "the frame goes on with the legend";

    const QImage broken = Offscreen.bufferDC.Image().copy();
    GameState.shownPort = 3;
    PaintAll();
    EXPECT_EQ(asked.size(), 1u) << "told once";
    EXPECT_TRUE(ShowsText(QStringLiteral("Panic, internal problem"), QRect(25, 15, 215, 30), kBand, kBlack,
                          rgb(0, 255, 0)));
    EXPECT_EQ(Offscreen.bufferDC.Image().copy(0, 45, 240, 223), broken.copy(0, 45, 240, 223))
        << "over the last frame";
}

}  // namespace
