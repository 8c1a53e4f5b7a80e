// The game's controller: the title screen's end, the clock, the end of a game, the commands.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTimer>

#include "frame_fixture.h"
#include "core/ui/command_bar.h"

namespace {

class GameFlowTest : public FrameTest {
  protected:
    // A 5 x 5 puzzle of four items: two slash mirrors, an absorber, a total reflector.
    void StartKnownPuzzle() {
        StartPlaying();
        UsePuzzle({"/....", ".o...", "../..", "...#.", "....."});
    }
    bool Saved() const { return QFile::exists(FilePath()); }
    // The phase, the clock's timer period, and Player 1's games, items and total time.
    auto Outcome() const {
        const PlayerStats& s = GameState.stats1;
        return std::tuple(GameState.gamePhase, frame->TimerPeriod(1), s.totalplay, s.totalscore, s.totaltime);
    }
};

TEST_F(GameFlowTest, TheFirstTapEndsTheTitleScreenAndOnlyThat) {
    Start();
    TapCell(0, 0);
    EXPECT_EQ(Pixel(GameState.boardX + 3, GameState.boardY + 3), kPurple) << "the game is painted";
    EXPECT_EQ(std::tuple(GameState.titleStartTick, frame->TimerPeriod(1), GameState.playerBoard[0],
                         GameState.moveCount),
              std::tuple(0u, 0u, int16_t{Empty}, 0));
    // The title's first frames ask for another paint until one draws; a title ended before then stops
    // asking, and a mark left in the buffer stays.
    QTest::qWait(20);
    Offscreen.bufferDC.Image().setPixel(0, 100, kRed);
    QTest::qWait(20);
    EXPECT_EQ(Pixel(0, 100), kRed) << "the game screen is not painted again and again";
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
    QTest::qWait(20);
    EXPECT_EQ(Pixel(GameState.boardX + 3, GameState.boardY + 3), kPurple)
        << "closing the box brings up the game screen, not a frozen title";
}

// Tick 0 is a tick like any other, though a start tick of 0 means "not started" in the game record.
TEST_F(GameFlowTest, ATitleScreenAndAGameClockStartedAtTickZeroRunAsAtAnyOtherTick) {
    now = 0;
    Start();
    EXPECT_EQ(frame->TimerPeriod(1), 60u);
    now = 4999;
    OnTimer(1);
    EXPECT_NE(GameState.titleStartTick, 0u) << "the title screen shows for its five seconds";
    now = 5001;
    OnTimer(1);
    EXPECT_EQ(GameState.titleStartTick, 0u);

    UsePuzzle({"/....", ".o...", "../..", "...#.", "....."});
    now = 0;
    TapCell(4, 4);
    now = 1234;
    OnTimer(1);
    QTest::qWait(1);
    ASSERT_NE(GameState.gameStartTick, 0u) << "the clock shows";
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 1235u) << "started a millisecond early";
    const QImage before = frame->Client()->grab().toImage();
    now += 1000;
    OnTimer(1);
    QTest::qWait(1);
    EXPECT_EQ(Pixel(GameState.boardX + 3, GameState.boardY + 3), kBlack) << "a tick draws the clock alone";
    EXPECT_NE(frame->Client()->grab().toImage(), before) << "the clock shows, and a tick shows the new time";
}

// The platform seeds the game's own random source at every start: no two starts deal the same puzzle.
TEST_F(GameFlowTest, EveryStartOfTheProgramDealsAnotherPuzzle) {
    SetRandomSource(nullptr, nullptr);
    StartPlaying();
    const Board first = GameState.hiddenBoard;
    delete frame;
    StartPlaying();
    EXPECT_NE(GameState.hiddenBoard, first);
}

TEST_F(GameFlowTest, TheLastItemOfAMatchingBoardEndsTheGameWithItsClockAndCountsItOnce) {
    StartKnownPuzzle();
    now = 0xFFFFFF00u;  // the game clock wraps
    Place(SlashMirror, 0, 0);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    now += 83400;
    Place(TotalReflector, 3, 3);
    // No question; no misplaced item: the exact-solution banner.
    EXPECT_EQ(
        std::tuple(asked.size(), GameState.mismatchCount, GameState.moveCount, GameState.elapsedMs, Saved()),
        std::tuple(size_t{0}, 0, 0, 83400u, true));
    EXPECT_EQ(Outcome(), std::tuple(Finished, 0u, 1, 4, 83400));

    now += 500;
    OnTimer(1);
    TapCell(4, 4);
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 83400u) << "the final time stays";
    EXPECT_EQ(GameState.stats1.totalplay, 1) << "counted once";

    // Another arrangement with the same numbers: the backslash mirror gives them at (2, 2) and (3, 3).
    UsePuzzle({"/...", "/...", "..\\.", "...."});
    Place(SlashMirror, 0, 0);
    Place(SlashMirror, 0, 1);
    Place(BackslashMirror, 3, 3);
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.mismatchCount, GameState.moveCount),
              std::tuple(Finished, 0, 1))
        << "one hidden item is not reproduced: the accepted banner";
}

TEST_F(GameFlowTest, ShowSolutionAsksOnlyWhileItemsAreMissingAndCancelKeepsPlaying) {
    StartKnownPuzzle();
    Place(SlashMirror, 4, 4);
    Place(Absorber, 4, 0);
    answers = {IDCANCEL};
    frame->OnCommand(ID_SOLUTION);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text + '|' + asked[0].caption,
              "Not all items are placed.\r\nSolution anyway?|Solution");
    EXPECT_EQ(Outcome(), std::tuple(Playing, 100u, 0, 0, 0)) << "the clock goes on";

    GameState.langue = 1;
    now += 20000;
    frame->OnCommand(ID_TOOL_SOLUTION);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QString::fromUtf16(u"Il reste des éléments à placer.\r\nSolution quand même? "));
    EXPECT_EQ(Outcome(), std::tuple(Finished, 0u, 1, 4, 20000));
    EXPECT_EQ(std::pair(GameState.moveCount, GameState.stats1.totalbad), std::pair(4, 4))
        << "none of the four hidden items is reproduced";
    EXPECT_GT(GameState.mismatchCount, 0) << "the numbers disagree";

    // All four placed, one of them wrong: no question.
    delete frame;
    StartKnownPuzzle();
    Place(SlashMirror, 0, 1);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    Place(TotalReflector, 3, 3);
    OnSolution();
    EXPECT_EQ(std::pair(asked.size(), GameState.moveCount), std::pair(size_t{2}, 1)) << "one misplaced item";

    // The reflector at (1, 1) hides behind four absorbers: with them alone every number agrees already.
    delete frame;
    StartPlaying();
    UsePuzzle({".o..", "o#o.", ".o..", "...."});
    for (const auto& [x, y] : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}}) TapCell(x, y);
    OnSolution();
    EXPECT_EQ(std::tuple(asked.size(), GameState.gamePhase, GameState.mismatchCount, GameState.moveCount),
              std::tuple(size_t{2}, Finished, 0, 1))
        << "no question: the board is accepted with the hidden reflector not found";
}

// The desktop's own message box, answered by a click: its lines, icon and buttons.
TEST_F(GameFlowTest, TheQuestionIsARealMessageBoxWithItsLinesAWarningIconAndOkAndCancel) {
    StartKnownPuzzle();
    TapCell(4, 4);
    SetMessageBoxAnswers({});
    QString seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = box->windowTitle() + '|' + box->text() + '|' + QString::number(box->icon()) + '|' +
               QString::number(box->standardButtons());
        box->button(QMessageBox::Cancel)->click();
    });
    frame->OnCommand(ID_SOLUTION);
    EXPECT_EQ(seen, QStringLiteral("Solution|Not all items are placed.\nSolution anyway?|%1|%2")
                        .arg(QMessageBox::Warning)
                        .arg(QMessageBox::Ok | QMessageBox::Cancel));
    EXPECT_EQ(GameState.gamePhase, Playing) << "Cancel keeps playing";
}

TEST_F(GameFlowTest, AGameWhoseClockNeverRanOrRanNoTimeCountsNothing) {
    StartKnownPuzzle();
    OnSolution();
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.gameStartTick, Saved(), GameState.mismatchCount > 0),
              std::tuple(Finished, 0u, false, true))
        << "no clock, nothing written, the numbers compared";
    OnSolution();
    EXPECT_EQ(asked.size(), 1u) << "does nothing once finished";

    UsePuzzle({"/....", ".o...", "../..", ".....", "....."});
    TapCell(4, 4);
    OnSolution();
    EXPECT_EQ(std::pair(GameState.stats1.totalplay, Saved()), std::pair(0, true))
        << "ended in its first millisecond: not counted, but the settings are saved";
}

TEST_F(GameFlowTest, TheFinishedScreenShowsTheLongestHiddenRayLowestPortOnTies) {
    StartPlaying();
    // Labels 0xF001 4 4 0x0F01 0x0F01 4 4 4 0x0F04 4 4 4 0xF007 4 4 0xF001: port 12 crosses 7 cells.
    UsePuzzle({"#..o", "....", "....", "/..."});
    OnSolution();
    EXPECT_EQ(GameState.shownPort, 12);
    UsePuzzle({"....", "....", "....", "...."});  // every count is 4: port 0 wins
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
    EXPECT_EQ(asked[0].text + '|' + asked[0].caption, "This will abort the current game. Abort?|Warning");
    EXPECT_EQ(asked[1].text, asked[0].text);
    EXPECT_TRUE(frame->isVisible()) << "Cancel keeps the program running";
    EXPECT_EQ(std::pair(GameState.playerBoard, frame->TimerPeriod(1)), std::pair(player, 100u));

    GameState.langue = 1;
    frame->OnCommand(ID_TOOL_NEW_GAME);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[2].text + '|' + asked[2].caption,
              QString::fromUtf16(u"Cela va arrêter la partie en-cours. Arrêter? |Attention"));
    EXPECT_EQ(std::tuple(GameState.moveCount, frame->TimerPeriod(1), GameState.stats1.totalplay),
              std::tuple(0, 0u, 0))
        << "an abandoned game is not counted";
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
    // The demonstration itself (its board, ray and palette) is in the learn_rules pictures of
    // docs/screenshots, which the screens test draws again through the same routine.
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.damier, GameState.items), std::tuple(Learning, 6, 7))
        << "the next game keeps the played size";
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
