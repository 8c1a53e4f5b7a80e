// The game's controller: the title screen's end, the clock, the end of a game, the commands.
#include <QFile>

#include "frame_fixture.h"
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
    bool Saved() const { return QFile::exists(configDir.path() + "/Kestory/Mirovane.reg"); }
};

TEST_F(GameFlowTest, TheFirstTapEndsTheTitleScreenAndOnlyThat) {
    Start();
    EXPECT_EQ(frame->TimerPeriod(1), 60u) << "the title screen runs on a 60 ms timer";
    const QRgb emptyCell = rgb(128, 0, 128);
    Tap(GameState.boardX + 10, GameState.boardY + 10);
    EXPECT_EQ(Pixel(GameState.boardX + 3, GameState.boardY + 3), emptyCell) << "the game is painted at once";
    EXPECT_EQ(GameState.titleStartTick, 0u);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    EXPECT_EQ(GameState.playerBoard[0], Empty);
    EXPECT_EQ(GameState.moveCount, 0);
}

TEST_F(GameFlowTest, TheTitleScreenEndsAfterMoreThanFiveSecondsOrAtAnyCommandButTheHints) {
    now = 0xFFFFF000u;  // the tick counter wraps during the title screen
    Start();
    now += 5000;
    OnTimer(1);
    frame->OnCommand(ID_TOOL_HINT);
    EXPECT_NE(GameState.titleStartTick, 0u) << "5000 ms is not more than 5000, and hints leave it";
    EXPECT_EQ(GameState.hint, 0) << "hints were on by default and are now off";
    now += 1;
    OnTimer(1);
    EXPECT_EQ(GameState.titleStartTick, 0u);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);

    delete frame;
    Start();
    while (GameState.titleFrame < 3) {  // the title animates: its frames no longer ask for repaints
        now += 60;
        OnTimer(1);
        QTest::qWait(1);
    }
    frame->OnCommand(ID_ABOUT);
    EXPECT_EQ(GameState.titleStartTick, 0u);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "About");
    EXPECT_TRUE(asked[0].text.startsWith("Mirovane 2.7\r\n"));
    EXPECT_EQ(asked[0].text.count("\r\n"), 4) << "five lines";
    QTest::qWait(20);
    EXPECT_EQ(Pixel(GameState.boardX + 3, GameState.boardY + 3), rgb(128, 0, 128))
        << "closing the box brings up the game screen, not a frozen title";
}

TEST_F(GameFlowTest, TheLastItemOfAMatchingBoardEndsTheGameWithItsClockAndCountsItOnce) {
    StartKnownPuzzle();
    now = 0xFFFFFF00u;  // the game clock wraps
    Place(SlashMirror, 0, 0);
    now += 1234;
    OnTimer(1);
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 1234u);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    now += 82166;
    Place(TotalReflector, 3, 3);
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_TRUE(asked.empty()) << "no question";
    EXPECT_EQ(GameState.mismatchCount, 0);
    EXPECT_EQ(GameState.moveCount, 0) << "no misplaced item: the exact-solution banner";
    EXPECT_EQ(GameState.elapsedMs, 83400u);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    EXPECT_EQ(GameState.stats1.totalplay, 1);
    EXPECT_EQ(GameState.stats1.totalscore, 4);
    EXPECT_EQ(GameState.stats1.totaltime, 83400);
    EXPECT_TRUE(Saved());

    now += 500;
    OnTimer(1);
    TapCell(4, 4);
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 83400u) << "the final time stays";
    EXPECT_EQ(GameState.stats1.totalplay, 1) << "counted once";
}

TEST_F(GameFlowTest, AnotherArrangementWithTheSameNumbersIsAccepted) {
    StartPlaying();
    // The backslash mirror gives the same numbers at (2, 2) and at (3, 3).
    UseHiddenBoard(4, {{0, 0, SlashMirror}, {0, 1, SlashMirror}, {2, 2, BackslashMirror}});
    Place(SlashMirror, 0, 0);
    Place(SlashMirror, 0, 1);
    Place(BackslashMirror, 3, 3);
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.mismatchCount, 0);
    EXPECT_EQ(GameState.moveCount, 1) << "one hidden item is not reproduced: the accepted banner";
}

TEST_F(GameFlowTest, ShowSolutionAsksOnlyWhileItemsAreMissingAndCancelKeepsPlaying) {
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
    now += 20000;
    frame->OnCommand(ID_TOOL_SOLUTION);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QString::fromUtf16(u"Il reste des éléments à placer.\r\nSolution quand même? "));
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.moveCount, 4) << "none of the four hidden items is reproduced";
    EXPECT_EQ(GameState.stats1.totalbad, 4);

    // All four placed, one of them wrong: no question.
    delete frame;
    StartKnownPuzzle();
    Place(SlashMirror, 0, 1);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    Place(TotalReflector, 3, 3);
    OnSolution();
    EXPECT_EQ(asked.size(), 2u);
    EXPECT_EQ(GameState.moveCount, 1) << "one misplaced item";
}

TEST_F(GameFlowTest, AGameWhoseClockNeverRanOrRanNoTimeCountsNothing) {
    StartKnownPuzzle();
    OnSolution();
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.gameStartTick, 0u) << "no clock";
    EXPECT_FALSE(Saved()) << "nothing is written";
    OnSolution();
    EXPECT_EQ(asked.size(), 1u) << "does nothing once finished";

    UseHiddenBoard(5, {{0, 0, SlashMirror}, {1, 1, Absorber}, {2, 2, SlashMirror}});
    TapCell(4, 4);
    OnSolution();
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "ended in its first millisecond";
    EXPECT_TRUE(Saved()) << "but the settings are saved";
}

TEST_F(GameFlowTest, TheFinishedScreenShowsTheLongestHiddenRayLowestPortOnTies) {
    StartPlaying();
    UseHiddenBoard(4, {{0, 0, TotalReflector}, {3, 0, Absorber}, {0, 3, SlashMirror}});
    int16_t best = 0;
    for (int16_t p = 1; p < 16; ++p) {
        if ((GameState.hiddenLabels[p] & 0xFF) > (GameState.hiddenLabels[best] & 0xFF)) best = p;
    }
    ASSERT_NE(best, 0);
    OnSolution();
    EXPECT_EQ(GameState.shownPort, best);

    UseHiddenBoard(4, {});  // every count is 4: port 0 wins
    OnSolution();
    EXPECT_EQ(GameState.shownPort, 0);
}

TEST_F(GameFlowTest, NewGameAndExitAskOnlyWhileTheClockRuns) {
    StartKnownPuzzle();
    const Board hidden = GameState.hiddenBoard;
    OnNewGame();
    EXPECT_TRUE(asked.empty());
    EXPECT_NE(GameState.hiddenBoard, hidden);

    TapCell(0, 0);
    const Board player = GameState.playerBoard;
    answers = {IDCANCEL, IDCANCEL};
    frame->OnCommand(ID_NEW_GAME);
    frame->OnCommand(ID_APP_EXIT);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].text, "This will abort the current game. Abort?");
    EXPECT_EQ(asked[0].caption, "Warning");
    EXPECT_EQ(asked[1].text, asked[0].text);
    EXPECT_TRUE(frame->isVisible()) << "Cancel keeps the program running";
    EXPECT_EQ(GameState.playerBoard, player);
    EXPECT_EQ(frame->TimerPeriod(1), 100u);

    GameState.langue = 1;
    frame->OnCommand(ID_TOOL_NEW_GAME);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].text, QString::fromUtf16(u"Cela va arrêter la partie en-cours. Arrêter? "));
    EXPECT_EQ(asked[2].caption, "Attention");
    EXPECT_EQ(GameState.moveCount, 0);
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "an abandoned game is not counted";
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(asked.size(), 3u) << "a game not started closes without a question";
}

TEST_F(GameFlowTest, LearnRulesShowsTheDemonstrationAndNewGameReturnsToThePlayedSize) {
    StartPlaying();
    GameState.damier = 6;
    GameState.items = 7;
    GeneratePuzzle();
    GameState.damier = 4;  // chosen for the next game, but the demonstration copies the played size
    frame->OnCommand(ID_LEARN);
    ASSERT_EQ(dialogsShown.size(), 1u) << "the rules dialog comes first";
    EXPECT_EQ(GameState.gamePhase, Learning);
    EXPECT_EQ(GameState.gridSize * 100 + GameState.itemCount, 812);
    EXPECT_EQ(GameState.placedCount, 10);
    EXPECT_EQ(GameState.paletteY, 15);
    EXPECT_EQ(GameState.shownPort, 23);
    EXPECT_EQ(GameState.playerBoard, GameState.hiddenBoard);
    EXPECT_EQ(GameState.hiddenBoard[4 * 8 + 5], WormholeA);
    EXPECT_EQ(GameState.hiddenBoard[2 * 8 + 5], WormholeB);
    EXPECT_EQ(GameState.damier * 100 + GameState.items, 607);

    TapCell(0, 5);
    EXPECT_EQ(GameState.playerBoard, GameState.hiddenBoard) << "board taps do nothing";
    OnSolution();
    EXPECT_EQ(GameState.gamePhase, Learning);
    TapSlot(2);
    EXPECT_NE(GameState.paletteSlot, 2) << "only two palette slots answer";
    TapSlot(1);
    EXPECT_EQ(GameState.paletteSlot, 1);

    frame->OnCommand(ID_TOOL_LEARN);  // again: the demonstration's own size is copied
    EXPECT_EQ(GameState.damier * 100 + GameState.items, 812);
    OnNewGame();
    EXPECT_TRUE(asked.empty()) << "leaving the demonstration asks nothing";
    EXPECT_EQ(GameState.gamePhase, Playing);
}

}  // namespace
