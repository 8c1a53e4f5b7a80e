// What a full frame shows in each phase of the game: clock, cells, palette, ray, marks, message band.
#include "render/paint_fixture.h"

namespace {

class PaintPhaseTest : public PaintTest {
  protected:
    // A 5 x 5 puzzle of two slash mirrors and an absorber; the player has put a total reflector on the
    // absorber's cell and a slash mirror where the puzzle has one.
    void SetUp() override {
        PaintTest::SetUp();
        StartGame(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        Place(1, 1, TotalReflector);
        Place(3, 3, SlashMirror);
        GameState.gameStartTick = 1000;
        GameState.lastTick = 46300;
    }

    static int ClockPixels() { return Count(kClockStrip, kRayGreen); }
    // Column 2 of the board is empty in both boards: a ray from port 2 runs straight down it.
    static QRgb RayProbe() { return Pixel(CellCentre(2, 2).x(), CellCentre(2, 2).y()); }
};

TEST_F(PaintPhaseTest, WhilePlayingTheCellsShowThePlayersItemsNotThePuzzles) {
    PaintAll();
    const QPoint reflector = CellCentre(1, 1);
    EXPECT_EQ(Pixel(reflector.x(), reflector.y()), kBlack) << "the player's total reflector is drawn";
    EXPECT_EQ(Pixel(reflector.x() - 5, reflector.y()), kWhite) << "its white border, not the absorber's disc";
    const QPoint hiddenMirror = CellCentre(0, 0);
    EXPECT_EQ(Pixel(hiddenMirror.x(), hiddenMirror.y()), kPurple) << "the puzzle's mirror stays hidden";
}

TEST_F(PaintPhaseTest, AfterTheGameDifferingCellsShowThePuzzlesItemInBlueUnderTheirRedOutline) {
    GameState.gamePhase = Finished;
    PaintAll();
    const QPoint corner = CellCorner(1, 1);
    EXPECT_EQ(Pixel(corner.x() + 10, corner.y() + 10), kBlue) << "the hidden absorber turns blue";
    EXPECT_EQ(Pixel(corner.x() + 5, corner.y() + 10), kRed) << "the player's reflector outlined in red";
    EXPECT_EQ(Pixel(corner.x() + 15, corner.y() + 12), kRed);
    const QPoint agreeing = CellCentre(3, 3);
    EXPECT_EQ(Pixel(agreeing.x(), agreeing.y()), kBlack) << "a cell where both agree stays black";
    const QPoint unplaced = CellCentre(0, 0);
    EXPECT_EQ(Pixel(unplaced.x(), unplaced.y()), kBlue) << "a hidden item the player missed turns blue";
}

TEST_F(PaintPhaseTest, TheLearningBoardIsShownLikeAFinishedOne) {
    GameState.gamePhase = Learning;
    PaintAll();
    EXPECT_EQ(Pixel(CellCentre(1, 1).x(), CellCentre(1, 1).y()), kBlue);
    EXPECT_EQ(Pixel(CellCorner(1, 1).x() + 5, CellCorner(1, 1).y() + 10), kRed);
}

TEST_F(PaintPhaseTest, TheClockShowsOnceTheGameHasStartedAndNotWhileLearning) {
    GameState.gameStartTick = 0;
    PaintAll();
    EXPECT_EQ(ClockPixels(), 0) << "no clock before the first counted tap";

    GameState.gameStartTick = 1000;
    PaintAll();
    EXPECT_GT(ClockPixels(), 0) << "the clock runs while playing";

    GameState.gamePhase = Finished;
    PaintAll();
    EXPECT_GT(ClockPixels(), 0) << "the final time stays after the game";

    GameState.gamePhase = Learning;
    PaintAll();
    EXPECT_EQ(ClockPixels(), 0) << "the demonstration has no clock";
}

TEST_F(PaintPhaseTest, TheClockIsRightAlignedInItsStrip) {
    PaintAll();
    int rightmost = -1;
    for (int y = 0; y < 15; ++y) {
        for (int x = 150; x < 240; ++x) {
            if (Pixel(x, y) == kRayGreen && x > rightmost) rightmost = x;
        }
    }
    EXPECT_GE(rightmost, 230) << "the text ends at the strip's right edge";
    EXPECT_EQ(Count(QRect(0, 0, 150, 15), kRayGreen), 0) << "nothing of the clock left of the strip";
}

TEST_F(PaintPhaseTest, WhilePlayingThePaletteOffersOnlyWhatIsLeftToPlace) {
    PaintAll();
    EXPECT_EQ(GameState.remaining[SlashMirror], 1);
    EXPECT_EQ(GameState.remaining[Absorber], 1);
    EXPECT_EQ(GameState.remaining[TotalReflector], -1) << "the reflector placed in excess is owed";
    const int x = GameState.paletteX;
    const int y = GameState.paletteY;
    EXPECT_EQ(Pixel(x + 10, y + 10), kBlack) << "slot 0: a slash mirror";
    EXPECT_EQ(Pixel(x + 10, y + 30), kBlack) << "slot 1: the absorber";
    EXPECT_EQ(Pixel(x + 1, y + 41), kBlack) << "no third slot";
}

TEST_F(PaintPhaseTest, AfterTheGameThePaletteShowsThePuzzlesItemsWithoutAFrame) {
    GameState.gamePhase = Finished;
    PaintAll();
    const int x = GameState.paletteX;
    const int y = GameState.paletteY;
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(Pixel(x + 1, y + 20 * slot + 1), kPurple) << "slot " << slot << " is there";
    }
    EXPECT_EQ(Pixel(x + 1, y + 61), kBlack) << "only three slots";
    EXPECT_EQ(Pixel(x, y + 10), kBlack) << "no white frame";
    EXPECT_EQ(Pixel(x + 20, y + 10), kBlack);
}

TEST_F(PaintPhaseTest, WhilePlayingTheRayShowsOnlyWithHintsOn) {
    GameState.shownPort = 2;
    PaintAll();
    EXPECT_EQ(RayProbe(), kPurple) << "hints off: no ray";

    GameState.hint = 1;
    PaintAll();
    EXPECT_EQ(RayProbe(), kRayGreen) << "hints on: the ray of the shown port";
}

TEST_F(PaintPhaseTest, AfterTheGameAndWhileLearningTheRayShowsWithHintsOff) {
    GameState.shownPort = 2;
    GameState.gamePhase = Finished;
    PaintAll();
    EXPECT_EQ(RayProbe(), kRayGreen);

    GameState.gamePhase = Learning;
    PaintAll();
    EXPECT_EQ(RayProbe(), kRayGreen);
}

TEST_F(PaintPhaseTest, NoPortShownMeansNoRay) {
    GameState.hint = 1;
    GameState.shownPort = -89;
    PaintAll();
    EXPECT_EQ(Count(QRect(0, 45, 240, 200), kRayGreen), 0);
}

TEST_F(PaintPhaseTest, WhilePlayingWithHintsOffNoPortIsMarked) {
    PaintAll();
    for (int p = 0; p < 20; ++p) {
        EXPECT_EQ(Count(PortBox(p), kRed), 0) << "port " << p;
        EXPECT_EQ(Count(PortBox(p), kBlue), 0) << "port " << p;
    }
}

TEST_F(PaintPhaseTest, MarksShowWhereThePlayersLabelsDifferWithHintsOnOrAfterTheGame) {
    for (GamePhase phase : {Playing, Finished, Learning}) {
        GameState.gamePhase = phase;
        GameState.hint = phase == Playing ? 1 : 0;
        PaintAll();
        int marked = 0;
        for (int p = 0; p < 20; ++p) {
            const bool differs = GameState.playerLabels[p] != GameState.hiddenLabels[p];
            const bool red = Pixel(PortCorner(p).x() + 1, PortCorner(p).y() + 1) == kRed;
            EXPECT_EQ(red, differs) << "phase " << phase << ", port " << p;
            marked += red ? 1 : 0;
        }
        EXPECT_GT(marked, 0) << "the player's board differs somewhere";
    }
}

TEST_F(PaintPhaseTest, WhilePlayingTheMessageBandStaysEmpty) {
    GameState.mismatchCount = 3;
    GameState.moveCount = 2;
    PaintAll();
    EXPECT_EQ(Count(kMessageBand, kBlack), kMessageBand.width() * kMessageBand.height());
}

TEST_F(PaintPhaseTest, WhileLearningTheBandAsksToSelectANumberInThePlayersLanguage) {
    GameState.gamePhase = Learning;
    for (int langue : {0, 1}) {
        GameState.langue = langue;
        PaintAll();
        const QString text = langue == 0 ? QStringLiteral(" Select a number to \r\n display the laser ray ")
                                         : QStringLiteral(
                                               "  Sélectionner un nombre pour \r\n afficher le parcours "
                                               "d'un rayon ");
        EXPECT_TRUE(SameInside(Reference(text, kMessageBand, DT_CENTER, kBlack, kPink), kMessageBand))
            << "langue " << langue;
        EXPECT_GT(Count(kMessageBand, kPink), 0);
    }
}

TEST_F(PaintPhaseTest, ABrokenGameOnlyWritesThePanicTextOverTheLastFrame) {
    GameState.hint = 1;
    GameState.shownPort = 2;
    PaintAll();
    const QImage before = Screen();

    GameState.gamePhase = Broken;
    GameState.hiddenBoard = Board{};  // whatever changes now, nothing of it is drawn
    GameState.shownPort = 7;
    PaintAll();

    const QImage expected =
        Reference(QStringLiteral("Panic, internal problem"), kMessageBand, DT_CENTER, kBlack, rgb(0, 255, 0));
    EXPECT_TRUE(SameInside(expected, kMessageBand)) << "the panic text on a green band";
    const QImage after = Screen();
    int changedOutside = 0;
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int x = 0; x < kScreenWidth; ++x) {
            if (!kMessageBand.contains(x, y) && after.pixel(x, y) != before.pixel(x, y)) ++changedOutside;
        }
    }
    EXPECT_EQ(changedOutside, 0) << "the rest of the screen keeps the last frame";
    EXPECT_TRUE(asked.empty());
}

}  // namespace
