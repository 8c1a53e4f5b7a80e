// Never losing a game, and help for a stuck player, through the game's face on the stand-in platform:
// undo and redo, a New Game taken back, the game in progress found again after a kill; Check my board
// and Show a sure cell. The kept game's text and the solver themselves are tested in tests/model.
#include "core/ui/command_bar.h"
#include "support/board_rows.h"
#include "support/stand_in.h"

namespace {

class KeepingTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        StartPlaying();
        UsePuzzle({"/...", "..o.", "....", "...\\"});  // slash (0, 0), absorber (2, 1), backslash (3, 3)
        PaintPending();
    }
};

// Each step gives back the whole side of the board (tests/model/history_test.cpp); here the commands.
TEST_F(KeepingTest, UndoAndRedoPutTheBoardBackWhileTheClockGoesOnAndANewChangeDropsTheRedo) {
    EXPECT_FALSE(CommandEnabled(ID_EDIT_UNDO) || CommandEnabled(ID_EDIT_REDO)) << "nothing to take yet";
    const GameRecord fresh = GameState;
    TapCell(1, 1);
    TapSlot(1);  // a palette tap is no step
    const GameRecord one = GameState;
    TapCell(1, 3);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(std::tuple(GameState.playerBoard, GameState.paletteSlot),
              std::tuple(one.playerBoard, one.paletteSlot));
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(std::tuple(GameState.playerBoard, GameState.selectedItem, GameState.remaining),
              std::tuple(fresh.playerBoard, fresh.selectedItem, fresh.remaining));
    EXPECT_FALSE(CommandEnabled(ID_EDIT_UNDO));
    EXPECT_EQ(GameState.gameStartTick, 1000u) << "the clock goes on";

    Command(ID_EDIT_REDO);
    EXPECT_EQ(GameState.playerBoard, one.playerBoard);
    TapCell(2, 2);
    EXPECT_FALSE(CommandEnabled(ID_EDIT_REDO)) << "a new change drops the redo steps";
}

TEST_F(KeepingTest,
       UndoAfterNewGameBringsTheAbandonedGameBackWithoutTheTimeBetweenUntilTheNextGamesFirstTap) {
    TapCell(1, 1);
    const GameRecord played = GameState;
    standIn.now = 4000;
    Command(ID_NEW_GAME);
    ASSERT_EQ(standIn.asked.size(), 1u) << "the question";
    EXPECT_EQ(std::pair(GameState.moveCount, standIn.kept), std::pair(0, std::string()))
        << "an abandoned game leaves the store";
    EXPECT_TRUE(CommandEnabled(ID_EDIT_UNDO));

    standIn.now = 20000;
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(std::pair(GameState.hiddenBoard, GameState.playerBoard),
              std::pair(played.hiddenBoard, played.playerBoard));
    EXPECT_EQ(std::tuple(GameState.moveCount, GameState.gameStartTick, ClockPeriod()),
              std::tuple(1, 17000u, 100u))
        << "3 s played before the New Game, none counted after it";
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "an abandoned game counts in no statistic";
    EXPECT_NE(standIn.kept, "") << "the game is kept again";

    Command(ID_LEARN);
    Command(ID_NEW_GAME);
    TapCell(0, 0);  // the new game's first counted tap
    Command(ID_EDIT_UNDO);
    Command(ID_EDIT_UNDO);
    EXPECT_NE(GameState.hiddenBoard, played.hiddenBoard) << "the abandoned game is gone for good";
}

TEST_F(KeepingTest, AKilledGameIsFoundAgainAfterTheTitleWithItsStepsAndItsClockAndADamagedOneIsNot) {
    TapCell(1, 1);
    TapCell(1, 3);
    Command(ID_EDIT_UNDO);
    standIn.now = 6000;
    Tick();  // 5 s on the clock, written every 5 s
    const GameRecord played = GameState;

    standIn.now = 60000;
    Start();
    EXPECT_EQ(ClockPeriod(), 60u) << "the title screen first";
    Tap(235, 5);
    EXPECT_EQ(std::tuple(GameState.playerBoard, GameState.hiddenLabels, GameState.playerLabels),
              std::tuple(played.playerBoard, played.hiddenLabels, played.playerLabels));
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 5000u)
        << "the clock as it was, time away not counted";
    Command(ID_EDIT_REDO);
    EXPECT_EQ(GameState.placedCount, 2) << "the steps were kept too";

    standIn.kept.resize(standIn.kept.size() / 2);  // a cut text: ignored, a new deal
    Start();
    EXPECT_EQ(std::pair(GameState.moveCount, GameState.placedCount), std::pair(0, 0));
}

TEST_F(KeepingTest, AGameThatEndsOrIsAbandonedByExitLeavesTheStore) {
    Place(SlashMirror, 0, 0);
    ASSERT_NE(standIn.kept, "");
    Place(Absorber, 2, 1);
    Place(BackslashMirror, 3, 3);  // solved
    EXPECT_EQ(std::pair(GameState.gamePhase, standIn.kept), std::pair(Finished, std::string()));
    EXPECT_FALSE(CommandEnabled(ID_EDIT_UNDO)) << "an ended game takes no step back";

    Command(ID_NEW_GAME);
    TapCell(3, 3);
    standIn.answers = {Answer::Cancel};
    EXPECT_FALSE(RequestClose()) << "Cancel keeps playing";
    EXPECT_NE(standIn.kept, "");
    EXPECT_TRUE(RequestClose());
    EXPECT_EQ(standIn.kept, "");
}

// The puzzle has one answer; the player's wrong item on (1, 1) first, then the right one on (0, 0).
TEST_F(KeepingTest, CheckMyBoardSaysWhetherThePlacedItemsCanStayAndEachHelpCosts30Seconds) {
    Command(ID_HELP_CHECK);
    EXPECT_EQ(standIn.asked.back().TextAndCaption(), u"Every item you have placed can stay.|Check my board");
    EXPECT_EQ(std::tuple(GameState.moveCount, GameState.gameStartTick, ClockPeriod()),
              std::tuple(1, 1000u - 30000u, 100u))
        << "the help started the idle clock 30 s ahead";
    Place(SlashMirror, 1, 1);
    Command(ID_HELP_CHECK);
    EXPECT_EQ(standIn.asked.back().text, u"Some item you have placed cannot stay.");
    EXPECT_EQ(GameState.gameStartTick, 1000u - 60000u);
    TapCell(1, 1);
    Command(ID_HELP_CHECK);
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "the statistics keep their meaning: no game ended yet";
}

TEST_F(KeepingTest, ShowASureCellSelectsItsItemOutlinesItsCellUntilTheNextTapOrSaysTheBoardIsLost) {
    Place(BackslashMirror, 3, 3);
    Command(ID_HELP_SURE_CELL);
    ASSERT_TRUE(standIn.asked.empty()) << "a sure cell is found, nothing is said";
    EXPECT_EQ(GameState.selectedItem, SlashMirror) << "the first sure item not yet placed: (0, 0)'s";
    Overlay overlays[2];
    const ZoomView view{1, 0, 0};
    ASSERT_EQ(Overlays(view, overlays), 1);
    EXPECT_EQ(std::pair(overlays[0].colour, overlays[0].outer.left),
              std::pair(kSureCellColour, GameState.boardX - 1));
    TapCell(0, 0);
    EXPECT_EQ(GameState.playerBoard[0], SlashMirror);
    EXPECT_EQ(Overlays(view, overlays), 0) << "the outline lasts until the next tap";

    TapCell(0, 0);
    Place(Absorber, 1, 2);  // no arrangement keeps it
    Command(ID_HELP_SURE_CELL);
    EXPECT_EQ(standIn.asked.back().text, u"Your board can no longer be completed: take an item back.");
}

}  // namespace
