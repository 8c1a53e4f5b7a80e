// The game's controller: the title screen's end, the clock, the end of a game, the commands.
#include <QFile>

#include "frame_fixture.h"
#include "settings/settings.h"
#include "ui/command_bar.h"

namespace {

class GameFlowTest : public FrameTest {
  protected:
    // A 5 x 5 puzzle of four items: two slash mirrors, an absorber, a total reflector.
    void StartKnownPuzzle() {
        StartPlaying();
        UseHiddenBoard(5,
                       {{0, 0, SlashMirror}, {1, 1, Absorber}, {2, 2, SlashMirror}, {3, 3, TotalReflector}});
    }
    void PlaceSolution() {
        Place(SlashMirror, 0, 0);
        Place(Absorber, 1, 1);
        Place(SlashMirror, 2, 2);
        Place(TotalReflector, 3, 3);
    }
};

TEST_F(GameFlowTest, TitleScreenEndsAtTheFirstTapWithoutPlacingAnything) {
    Start();
    ASSERT_NE(GameState.titleStartTick, 0u);
    EXPECT_EQ(frame->TimerPeriod(1), 60u) << "the title screen runs on a 60 ms timer";
    const QRgb cellPixel = rgb(128, 0, 128);  // an empty cell's inside
    EXPECT_NE(Pixel(GameState.boardX + 3, GameState.boardY + 3), cellPixel) << "the title screen shows";
    Tap(GameState.boardX + 10, GameState.boardY + 10);
    EXPECT_EQ(Pixel(GameState.boardX + 3, GameState.boardY + 3), cellPixel) << "the game is painted at once";
    EXPECT_EQ(GameState.titleStartTick, 0u);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    EXPECT_EQ(GameState.playerBoard[0], Empty);
    EXPECT_EQ(GameState.moveCount, 0);
}

TEST_F(GameFlowTest, TitleScreenEndsAfterMoreThanFiveSecondsOfTicks) {
    now = 0xFFFFF000u;  // the tick counter wraps during the title screen
    Start();
    now += 5000;
    OnTimer(1);
    EXPECT_NE(GameState.titleStartTick, 0u) << "exactly 5000 ms is not yet more than 5000";
    now += 1;
    OnTimer(1);
    EXPECT_EQ(GameState.titleStartTick, 0u);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
}

TEST_F(GameFlowTest, EveryCommandButTheHintToggleEndsTheTitleScreen) {
    Start();
    frame->OnCommand(ID_TOOL_HINT);
    EXPECT_NE(GameState.titleStartTick, 0u);
    EXPECT_EQ(GameState.hint, 0) << "hints were on by default and are now off";
    frame->OnCommand(ID_TOOL_HINT);
    EXPECT_EQ(GameState.hint, 1) << "twice gives back the start";
    frame->OnCommand(ID_ABOUT);
    EXPECT_EQ(GameState.titleStartTick, 0u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "About");
    EXPECT_TRUE(asked[0].text.startsWith("Mirovane 2.7\r\n"));
    EXPECT_EQ(asked[0].text.count("\r\n"), 4) << "five lines";
}

TEST_F(GameFlowTest, TheClockShowsTheTimeOfTheLastTickAndStopsWhenTheGameEnds) {
    StartKnownPuzzle();
    now = 0xFFFFFF00u;  // the game clock wraps too
    TapCell(4, 4);
    TapCell(4, 4);
    now += 1234;
    OnTimer(1);
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 1234u);
    PlaceSolution();
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.elapsedMs, 1234u);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    now += 500;
    OnTimer(1);
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 1234u) << "the final time stays";
}

TEST_F(GameFlowTest, TheLastItemOfAMatchingBoardEndsTheGameAndCountsItOnce) {
    StartKnownPuzzle();
    now = 2000;
    Place(SlashMirror, 0, 0);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    now = 85400;
    Place(TotalReflector, 3, 3);
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_TRUE(asked.empty()) << "no question";
    EXPECT_EQ(GameState.mismatchCount, 0);
    EXPECT_EQ(GameState.moveCount, 0) << "no misplaced item: the exact-solution banner";
    EXPECT_EQ(GameState.stats1.totalplay, 1);
    EXPECT_EQ(GameState.stats1.totalscore, 4);
    EXPECT_EQ(GameState.stats1.totaltime, 83400);
    EXPECT_TRUE(QFile::exists(configDir.path() + "/Kestory/Mirovane.reg")) << "the end saves";

    TapCell(4, 4);
    EXPECT_EQ(GameState.stats1.totalplay, 1) << "counted once";
}

TEST_F(GameFlowTest, AnotherArrangementWithTheSameNumbersIsAccepted) {
    StartPlaying();
    // Two slash mirrors in the corner of column 0 and a backslash mirror on the diagonal: the
    // backslash mirror gives the same numbers at (2, 2) and at (3, 3).
    UseHiddenBoard(4, {{0, 0, SlashMirror}, {0, 1, SlashMirror}, {2, 2, BackslashMirror}});
    Place(SlashMirror, 0, 0);
    Place(SlashMirror, 0, 1);
    Place(BackslashMirror, 3, 3);
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.mismatchCount, 0);
    EXPECT_EQ(GameState.moveCount, 1) << "one hidden item is not reproduced: the accepted banner";
    EXPECT_EQ(GameState.stats1.totalbad, 0) << "a solved game adds nothing to the misplaced total";
}

TEST_F(GameFlowTest, ShowSolutionWithItemsMissingAsksAndCancelKeepsPlaying) {
    StartKnownPuzzle();
    Place(SlashMirror, 4, 4);
    Place(Absorber, 4, 0);
    answers = {IDCANCEL};
    frame->OnCommand(ID_SOLUTION);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "Not all items are placed.\r\nSolution anyway?");
    EXPECT_EQ(asked[0].caption, "Solution");
    EXPECT_EQ(asked[0].style, MB_OKCANCEL | MB_ICONEXCLAMATION);
    EXPECT_EQ(GameState.gamePhase, Playing);
    EXPECT_EQ(frame->TimerPeriod(1), 100u) << "the clock goes on";

    GameState.langue = 1;
    answers = {IDOK};
    now += 20000;
    frame->OnCommand(ID_TOOL_SOLUTION);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QString::fromUtf16(u"Il reste des éléments à placer.\r\nSolution quand même? "));
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_GT(GameState.mismatchCount, 0);
    EXPECT_EQ(GameState.moveCount, 4) << "none of the four hidden items is reproduced";
    EXPECT_EQ(GameState.stats1.totalplay, 1);
    EXPECT_EQ(GameState.stats1.totalbad, 4);
}

TEST_F(GameFlowTest, ShowSolutionWithAllItemsPlacedWrongAsksNothing) {
    StartKnownPuzzle();
    Place(SlashMirror, 0, 1);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    Place(TotalReflector, 3, 3);
    ASSERT_EQ(GameState.gamePhase, Playing);
    OnSolution();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.moveCount, 1) << "one misplaced item";
}

TEST_F(GameFlowTest, ShowSolutionBeforeTheFirstTapCountsAndSavesNothing) {
    StartKnownPuzzle();
    answers = {IDOK};
    OnSolution();
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.gameStartTick, 0u) << "no clock";
    EXPECT_EQ(GameState.stats1.totalplay, 0);
    EXPECT_FALSE(QFile::exists(configDir.path() + "/Kestory/Mirovane.reg"));
    OnSolution();
    EXPECT_EQ(asked.size(), 1u) << "does nothing once finished";
}

TEST_F(GameFlowTest, AGameEndedWithinItsFirstMillisecondCountsNothingButSaves) {
    StartKnownPuzzle();
    now = 3000;
    TapCell(4, 4);
    answers = {IDOK};
    OnSolution();
    EXPECT_EQ(GameState.stats1.totalplay, 0);
    EXPECT_TRUE(QFile::exists(configDir.path() + "/Kestory/Mirovane.reg"));
}

TEST_F(GameFlowTest, TheFinishedScreenShowsTheLongestHiddenRayLowestPortOnTies) {
    StartPlaying();
    UseHiddenBoard(4, {{0, 0, TotalReflector}, {3, 0, Absorber}, {0, 3, SlashMirror}});
    int best = 0;
    for (int p = 1; p < 16; ++p) {
        if ((GameState.hiddenLabels[p] & 0xFF) > (GameState.hiddenLabels[best] & 0xFF)) best = p;
    }
    OnSolution();
    EXPECT_EQ(GameState.shownPort, best);

    // An empty 4 x 4 board: every count is 4, so port 0 wins.
    UseHiddenBoard(4, {});
    OnSolution();
    EXPECT_EQ(GameState.shownPort, 0);
}

TEST_F(GameFlowTest, NewGameAsksOnlyOnceTheClockRuns) {
    StartKnownPuzzle();
    const Board hidden = GameState.hiddenBoard;
    OnNewGame();
    EXPECT_TRUE(asked.empty());
    EXPECT_NE(GameState.hiddenBoard, hidden);

    TapCell(0, 0);
    const Board player = GameState.playerBoard;
    answers = {IDCANCEL};
    frame->OnCommand(ID_NEW_GAME);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "This will abort the current game. Abort?");
    EXPECT_EQ(asked[0].caption, "Warning");
    EXPECT_EQ(GameState.playerBoard, player);
    EXPECT_EQ(GameState.moveCount, 1);
    EXPECT_EQ(frame->TimerPeriod(1), 100u);

    GameState.langue = 1;
    answers = {IDOK};
    frame->OnCommand(ID_TOOL_NEW_GAME);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QString::fromUtf16(u"Cela va arrêter la partie en-cours. Arrêter? "));
    EXPECT_EQ(asked[1].caption, "Attention");
    EXPECT_EQ(GameState.moveCount, 0);
    EXPECT_EQ(GameState.placedCount, 0);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "an abandoned game is not counted";
}

TEST_F(GameFlowTest, LearnRulesShowsTheDemonstrationAndNewGameReturnsToThePlayedSize) {
    StartPlaying();
    GameState.damier = 6;
    GameState.items = 7;
    GeneratePuzzle();
    GameState.damier = 4;  // changed for the next game, but the demonstration copies the played size
    frame->OnCommand(ID_LEARN);
    ASSERT_EQ(dialogsShown.size(), 1u) << "the rules dialog comes first";
    EXPECT_EQ(GameState.gamePhase, Learning);
    EXPECT_EQ(GameState.gridSize, 8);
    EXPECT_EQ(GameState.itemCount, 12);
    EXPECT_EQ(GameState.placedCount, 10);
    EXPECT_EQ(GameState.paletteY, 15);
    EXPECT_EQ(GameState.shownPort, 23);
    EXPECT_EQ(GameState.playerBoard, GameState.hiddenBoard);
    EXPECT_EQ(GameState.hiddenBoard[4 * 8 + 5], WormholeA);
    EXPECT_EQ(GameState.hiddenBoard[2 * 8 + 5], WormholeB);
    EXPECT_EQ(GameState.damier, 6);
    EXPECT_EQ(GameState.items, 7);

    // Board taps do nothing; Show solution does nothing; a palette tap reaches only two slots.
    TapCell(0, 5);
    EXPECT_EQ(GameState.playerBoard, GameState.hiddenBoard);
    OnSolution();
    EXPECT_EQ(GameState.gamePhase, Learning);
    TapSlot(2);
    EXPECT_NE(GameState.paletteSlot, 2);
    TapSlot(1);
    EXPECT_EQ(GameState.paletteSlot, 1);

    frame->OnCommand(ID_TOOL_LEARN);  // again: the demonstration's own size is copied
    EXPECT_EQ(GameState.damier, 8);
    EXPECT_EQ(GameState.items, 12);

    OnNewGame();
    EXPECT_TRUE(asked.empty()) << "leaving the demonstration asks nothing";
    EXPECT_EQ(GameState.gamePhase, Playing);
    EXPECT_EQ(GameState.gridSize, 8);
}

TEST_F(GameFlowTest, ClosingAsksOnlyWhileTheClockRuns) {
    StartKnownPuzzle();
    EXPECT_TRUE(frame->close());
    EXPECT_TRUE(asked.empty());
    delete frame;
    frame = nullptr;
    ExitInstance();

    StartKnownPuzzle();
    TapCell(4, 4);
    answers = {IDCANCEL};
    frame->OnCommand(ID_APP_EXIT);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(frame->isVisible()) << "Cancel keeps the program running";
    EXPECT_EQ(frame->TimerPeriod(1), 100u);

    OnSolution();
    const size_t questions = asked.size();
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(asked.size(), questions) << "a finished game closes without a question";
}

}  // namespace
