// The game's controller: the title screen's end, the clock, the end of a game, the commands.
#include "core/ui/game_flow.h"

#include "core/ui/command_bar.h"
#include "support/board_rows.h"
#include "support/canvas.h"
#include "support/stand_in.h"

namespace {

class GameFlowTest : public GameTest {
  protected:
    // A 5 x 5 puzzle of four items: two slash mirrors, an absorber, a total reflector.
    static void StartKnownPuzzle() {
        StartPlaying();
        UsePuzzle({"/....", ".o...", "../..", "...#.", "....."});
    }
    static bool Saved() { return standIn.settingsWrites > 0; }
    // The phase, the clock's timer period, and Player 1's games, items and total time.
    static auto Outcome() {
        const PlayerStats& s = GameState.stats1;
        return std::tuple(GameState.gamePhase, ClockPeriod(), s.totalplay, s.totalscore, s.totaltime);
    }
};

TEST_F(GameFlowTest, TheFirstTapEndsTheTitleScreenAndOnlyThat) {
    StartGame();  // tapped before the window's first paint
    TapCell(0, 0);
    EXPECT_EQ(ScreenPixel(GameState.boardX + 3, GameState.boardY + 3), kPurple) << "the game is painted";
    EXPECT_EQ(
        std::tuple(GameState.titleStartTick, ClockPeriod(), GameState.playerBoard[0], GameState.moveCount),
        std::tuple(0u, 0u, int16_t{Empty}, 0));
    // The title's first frames ask for another paint until one draws; a title ended before then stops
    // asking, and a mark left in the buffer stays.
    Offscreen.bufferDC.Image().setPixel(0, 100, kRed);
    PaintPending();
    EXPECT_EQ(ScreenPixel(0, 100), kRed) << "the game screen is not painted again and again";
}

TEST_F(GameFlowTest, TheTitleScreenEndsAfterMoreThanFiveSecondsOrAtAnyCommandButTheHints) {
    standIn.now = 0xFFFFF000u;  // the tick counter wraps during the title screen
    Start();
    standIn.now += 5000;
    Tick();
    Command(ID_TOOL_HINT);
    EXPECT_NE(GameState.titleStartTick, 0u) << "5000 ms is not more than 5000, and hints leave it";
    EXPECT_EQ(GameState.hint, 0) << "hints were on by default and are now off";
    standIn.now += 1;
    Tick();
    EXPECT_EQ(GameState.titleStartTick, 0u);

    Start();
    while (GameState.titleFrame < 3) {  // the title animates: its frames no longer ask for repaints
        standIn.now += 60;
        Tick();
    }
    Command(ID_ABOUT);
    EXPECT_EQ(GameState.titleStartTick, 0u);
    ASSERT_EQ(standIn.asked.size(), 1u);
    EXPECT_EQ(standIn.asked[0].caption, u"About");
    EXPECT_EQ(ScreenPixel(GameState.boardX + 3, GameState.boardY + 3), kPurple)
        << "closing the box brings up the game screen, not a frozen title";
}

// Tick 0 is a tick like any other, though a start tick of 0 means "not started" in the game record.
TEST_F(GameFlowTest, ATitleScreenAndAGameClockStartedAtTickZeroRunAsAtAnyOtherTick) {
    standIn.now = 0;
    Start();
    EXPECT_EQ(ClockPeriod(), 60u);
    standIn.now = 4999;
    Tick();
    EXPECT_NE(GameState.titleStartTick, 0u) << "the title screen shows for its five seconds";
    standIn.now = 5001;
    Tick();
    EXPECT_EQ(GameState.titleStartTick, 0u);

    UsePuzzle({"/....", ".o...", "../..", "...#.", "....."});
    standIn.now = 0;
    TapCell(4, 4);
    standIn.now = 1234;
    Tick();
    ASSERT_NE(GameState.gameStartTick, 0u) << "the clock shows";
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 1235u) << "started a millisecond early";
    const Bitmap before = Screen().copy(0, 0, kGameWidth, kGameHeight);
    standIn.now += 1000;
    Tick();
    EXPECT_EQ(ScreenPixel(GameState.boardX + 3, GameState.boardY + 3), kBlack)
        << "a tick draws the clock alone";
    EXPECT_FALSE(ScreenShows(before, Rect32{150, 0, 240, 15})) << "a tick shows the new time";
}

// The platform's seed feeds the game's own random source at every start: no two starts deal the same
// puzzle.
TEST_F(GameFlowTest, EveryStartOfTheProgramDealsAnotherPuzzle) {
    StartPlaying();
    const Board first = GameState.hiddenBoard;
    StartPlaying();
    EXPECT_NE(GameState.hiddenBoard, first);
}

TEST_F(GameFlowTest, TheLastItemOfAMatchingBoardEndsTheGameWithItsClockAndCountsItOnce) {
    StartKnownPuzzle();
    standIn.now = 0xFFFFFF00u;  // the game clock wraps
    Place(SlashMirror, 0, 0);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    standIn.now += 83400;
    Place(TotalReflector, 3, 3);
    // No question; no misplaced item: the exact-solution banner.
    EXPECT_EQ(std::tuple(standIn.asked.size(), GameState.mismatchCount, GameState.moveCount,
                         GameState.elapsedMs, Saved()),
              std::tuple(size_t{0}, 0, 0, 83400u, true));
    EXPECT_EQ(Outcome(), std::tuple(Finished, 0u, 1, 4, 83400));
    // The last frame shows the puzzle.
    EXPECT_EQ(ScreenPixel(GameState.boardX + 5, GameState.boardY), kWhite) << "the grid's white lines";
    EXPECT_EQ(ScreenPixel(GameState.boardX + 5, GameState.boardY - 22), kBlack) << "a port box's outline";
    EXPECT_EQ(ScreenPixel(GameState.boardX + 5, GameState.boardY - 20), rgb(100, 255, 100))
        << "port 0's ray leaves by another port: a light green box";

    standIn.now += 500;
    Tick();
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

    // The vertical mirror one cell left of its place turns back the ray from the right port of its row
    // sooner: that port's number alone differs, and the game plays on.
    UsePuzzle({"....", "|..|", "....", "...."});
    Place(VerticalMirror, 0, 1);
    Place(VerticalMirror, 2, 1);
    EXPECT_EQ(std::pair(GameState.placedCount, GameState.gamePhase), std::pair(2, Playing));
}

TEST_F(GameFlowTest, ShowSolutionAsksOnlyWhileItemsAreMissingAndCancelKeepsPlaying) {
    StartKnownPuzzle();
    Place(SlashMirror, 4, 4);
    Place(Absorber, 4, 0);
    standIn.answers = {Answer::Cancel};
    Command(ID_SOLUTION);
    ASSERT_EQ(standIn.asked.size(), 1u);
    EXPECT_EQ(standIn.asked[0].TextAndCaption(), u"Not all items are placed.\r\nSolution anyway?|Solution");
    EXPECT_EQ(standIn.asked[0].style, BoxStyle::OkCancelWarning) << "a warning with OK and Cancel";
    EXPECT_EQ(Outcome(), std::tuple(Playing, 100u, 0, 0, 0)) << "the clock goes on";

    GameState.langue = 1;
    standIn.now += 20000;
    Command(ID_TOOL_SOLUTION);
    ASSERT_EQ(standIn.asked.size(), 2u);
    EXPECT_EQ(standIn.asked[1].text, u"Il reste des éléments à placer.\r\nSolution quand même? ");
    EXPECT_EQ(Outcome(), std::tuple(Finished, 0u, 1, 4, 20000));
    EXPECT_EQ(std::pair(GameState.moveCount, GameState.stats1.totalbad), std::pair(4, 4))
        << "none of the four hidden items is reproduced";
    EXPECT_GT(GameState.mismatchCount, 0) << "the numbers disagree";

    // All four placed, one of them wrong: no question.
    StartKnownPuzzle();
    Place(SlashMirror, 0, 1);
    Place(Absorber, 1, 1);
    Place(SlashMirror, 2, 2);
    Place(TotalReflector, 3, 3);
    OnSolution();
    EXPECT_EQ(std::pair(standIn.asked.size(), GameState.moveCount), std::pair(size_t{2}, 1))
        << "one misplaced item";

    // The reflector at (1, 1) hides behind four absorbers: with them alone every number agrees already.
    StartPlaying();
    UsePuzzle({".o..", "o#o.", ".o..", "...."});
    for (const auto& [x, y] : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}}) TapCell(x, y);
    OnSolution();
    EXPECT_EQ(
        std::tuple(standIn.asked.size(), GameState.gamePhase, GameState.mismatchCount, GameState.moveCount),
        std::tuple(size_t{2}, Finished, 0, 1))
        << "no question: the board is accepted with the hidden reflector not found";
}

TEST_F(GameFlowTest, AGameWhoseClockNeverRanOrRanNoTimeCountsNothing) {
    StartKnownPuzzle();
    OnSolution();
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.gameStartTick, Saved(), GameState.mismatchCount > 0),
              std::tuple(Finished, 0u, false, true))
        << "no clock, nothing written, the numbers compared";
    OnSolution();
    EXPECT_EQ(standIn.asked.size(), 1u) << "does nothing once finished";

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
    EXPECT_TRUE(standIn.asked.empty());
    EXPECT_NE(GameState.hiddenBoard, hidden);

    TapCell(0, 0);
    const Board player = GameState.playerBoard;
    standIn.answers = {Answer::Cancel, Answer::Cancel};
    Command(ID_NEW_GAME);
    Command(ID_APP_EXIT);
    ASSERT_EQ(standIn.asked.size(), 2u);
    EXPECT_EQ(standIn.asked[0].TextAndCaption(), u"This will abort the current game. Abort?|Warning");
    EXPECT_EQ(standIn.asked[1].text, standIn.asked[0].text);
    EXPECT_FALSE(standIn.closed) << "Cancel keeps the program running";
    EXPECT_EQ(std::pair(GameState.playerBoard, ClockPeriod()), std::pair(player, 100u));

    GameState.langue = 1;
    Command(ID_TOOL_NEW_GAME);
    ASSERT_EQ(standIn.asked.size(), 3u);
    EXPECT_EQ(standIn.asked[2].TextAndCaption(), u"Cela va arrêter la partie en-cours. Arrêter? |Attention");
    EXPECT_EQ(std::tuple(GameState.moveCount, ClockPeriod(), GameState.stats1.totalplay),
              std::tuple(0, 0u, 0))
        << "an abandoned game is not counted";
    EXPECT_TRUE(RequestClose());
    Command(ID_APP_EXIT);
    EXPECT_EQ(std::pair(standIn.asked.size(), standIn.closed), std::pair(size_t{3}, true))
        << "a game not started closes without a question";
}

TEST_F(GameFlowTest, LearnRulesShowsTheDemonstrationAndNewGameReturnsToThePlayedSize) {
    StartPlaying();
    GameState.damier = 6;
    GameState.items = 7;
    GeneratePuzzle();
    GameState.damier = 4;  // chosen for the next game, but the demonstration copies the played size
    Command(ID_LEARN);
    ASSERT_EQ(standIn.dialogsShown.size(), 1u) << "the rules dialog comes first";
    // The demonstration itself (its board, ray and palette) is in the learn_rules pictures of
    // docs/screenshots, which the screens test draws again through the same routine.
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.damier, GameState.items), std::tuple(Learning, 6, 7))
        << "the next game keeps the played size";
    TapSlot(2);
    EXPECT_NE(GameState.paletteSlot, 2) << "only two palette slots answer";
    TapSlot(1);
    EXPECT_EQ(GameState.paletteSlot, 1);

    Command(ID_TOOL_LEARN);  // again: the demonstration's own size is copied
    EXPECT_EQ(GameState.damier * 100 + GameState.items, 812);
    OnNewGame();
    EXPECT_TRUE(standIn.asked.empty()) << "leaving the demonstration asks nothing";
    EXPECT_EQ(GameState.gamePhase, Playing);
}

}  // namespace
