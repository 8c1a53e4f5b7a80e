// Never losing a game, on a stand-in platform that keeps the game's store as one text (a browser's
// local storage): undo and redo of board changes, a New Game taken back, the game in progress found
// again after a kill. The kept game's text itself is tested in tests/model.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/face.h"
#include "core/render/offscreen.h"
#include "core/ui/command_bar.h"
#include "core/ui/game_flow.h"
#include "model/model.h"
#include "seam/host.h"
#include "support/bitmap_sizes.h"
#include "support/board_rows.h"

namespace {

struct Platform {
    uint32_t now = 5000;
    std::map<uint32_t, uint32_t> timers;
    int answer = IDOK;
    int boxes = 0;
    std::string kept;  // the store, empty when it holds no game
    int keptWrites = 0;
};
Platform platform;

Host KeepingHost() {
    Host host{};
    host.tickCount = [] { return platform.now; };
    host.setTimer = [](uint32_t id, uint32_t milliseconds) { return platform.timers[id] = milliseconds, id; };
    host.killTimer = [](uint32_t id) { platform.timers.erase(id); };
    // Like a window, it paints the whole screen when asked to update: the palette shows its counts.
    host.updateWindow = [] { PaintFrame(Rect32{0, 0, kGameWidth, kGameHeight}); };
    host.loadBitmap = [](int number) {  // blank bitmaps of the game's sizes
        for (const BitmapSize& b : kBitmapSizes) {
            if (b.number == number) return Bitmap(b.width, b.height, b.twoColour);
        }
        return Bitmap();
    };
    host.messageBox = [](std::u16string_view, std::u16string_view, unsigned) {
        return ++platform.boxes, platform.answer;
    };
    host.readGame = [](std::string& text) {
        text = platform.kept;
        return text.empty() ? SettingsRead::Missing : SettingsRead::Present;
    };
    host.writeGame = [](const std::string& text) { return platform.kept = text, ++platform.keptWrites, 0; };
    return host;
}

class KeepingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform = Platform{};
        SetHost(KeepingHost());
        Start();
        UsePuzzle({"/...", "..o.", "....", "...."});  // a slash mirror at (0, 0), an absorber at (2, 1)
        UpdateWindow();
    }
    void TearDown() override {
        EndGame();
        SetHost(Host{});
    }
    // The program starts (again, as after a kill): a new record, the title screen, then a tap ends it.
    static void Start() {
        GameState = GameRecord{};
        StartGame();
        TapAt(0, 0);
    }
    static void TapCell(int column, int row) {
        TapAt(GameState.boardX + 20 * column + 10, GameState.boardY + 20 * row + 10);
    }
};

TEST_F(KeepingTest, UndoAndRedoPutTheBoardThePaletteAndTheSelectionBackAndANewChangeDropsTheRedo) {
    EXPECT_FALSE(CommandEnabled(ID_EDIT_UNDO) || CommandEnabled(ID_EDIT_REDO)) << "nothing to take yet";
    const GameRecord fresh = GameState;
    TapCell(3, 3);  // the slash mirror, the first slot
    const GameRecord one = GameState;
    TapAt(GameState.paletteX + 10, GameState.paletteY + 10);  // a palette tap is no step
    TapCell(1, 3);
    ASSERT_EQ(GameState.placedCount, 2);

    RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(GameState.playerBoard, one.playerBoard);
    EXPECT_EQ(
        std::tuple(GameState.placedCount, GameState.paletteSlot, GameState.selectedItem, GameState.remaining),
        std::tuple(one.placedCount, one.paletteSlot, one.selectedItem, one.remaining));
    RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(GameState.playerBoard, fresh.playerBoard);
    EXPECT_EQ(std::pair(GameState.selectedItem, GameState.remaining),
              std::pair(fresh.selectedItem, fresh.remaining));
    EXPECT_FALSE(CommandEnabled(ID_EDIT_UNDO));
    EXPECT_EQ(GameState.gameStartTick, 5000u) << "the clock goes on";

    RunCommand(ID_EDIT_REDO);
    EXPECT_EQ(GameState.playerBoard, one.playerBoard);
    TapCell(2, 2);
    EXPECT_FALSE(CommandEnabled(ID_EDIT_REDO)) << "a new change drops the redo steps";
}

TEST_F(KeepingTest,
       UndoAfterNewGameBringsTheAbandonedGameBackWithoutTheTimeBetweenUntilTheNextGamesFirstTap) {
    TapCell(3, 3);
    const GameRecord played = GameState;
    platform.now = 8000;
    RunCommand(ID_NEW_GAME);
    ASSERT_EQ(platform.boxes, 1) << "the question";
    ASSERT_EQ(GameState.moveCount, 0);
    EXPECT_EQ(platform.kept, "") << "an abandoned game leaves the store";
    EXPECT_TRUE(CommandEnabled(ID_EDIT_UNDO));

    platform.now = 20000;
    RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(GameState.hiddenBoard, played.hiddenBoard);
    EXPECT_EQ(GameState.playerBoard, played.playerBoard);
    EXPECT_EQ(std::tuple(GameState.moveCount, GameState.gameStartTick, platform.timers[1]),
              std::tuple(1, 17000u, 100u))
        << "3 s played before the New Game, none counted after it";
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "an abandoned game counts in no statistic";
    EXPECT_NE(platform.kept, "") << "the game is kept again";

    RunCommand(ID_LEARN);
    TapAt(0, 0);
    RunCommand(ID_NEW_GAME);
    TapCell(0, 0);  // the new game's first counted tap
    RunCommand(ID_EDIT_UNDO);
    RunCommand(ID_EDIT_UNDO);
    EXPECT_NE(GameState.hiddenBoard, played.hiddenBoard) << "the abandoned game is gone for good";
}

TEST_F(KeepingTest, AKilledGameIsFoundAgainAfterTheTitleWithItsStepsAndItsClock) {
    UsePuzzle({"/...", "..o.", "....", "...\\"});  // a game keeps 3 items at least
    TapCell(3, 3);
    TapCell(1, 3);
    RunCommand(ID_EDIT_UNDO);
    platform.now = 10000;
    TimerFired(1);  // 5 s on the clock, written every 5 s
    const GameRecord played = GameState;

    platform.now = 60000;
    Start();  // the title, then a tap
    EXPECT_EQ(GameState.playerBoard, played.playerBoard);
    EXPECT_EQ(GameState.hiddenLabels, played.hiddenLabels);
    EXPECT_EQ(GameState.playerLabels, played.playerLabels);
    EXPECT_EQ(GameState.lastTick - GameState.gameStartTick, 5000u)
        << "the clock as it was, time away not counted";
    RunCommand(ID_EDIT_REDO);
    EXPECT_EQ(GameState.placedCount, 2) << "the steps were kept too";

    platform.kept = platform.kept.substr(0, platform.kept.size() / 2);  // cut: ignored, a new deal
    Start();
    EXPECT_EQ(std::pair(GameState.moveCount, GameState.placedCount), std::pair(0, 0));
}

TEST_F(KeepingTest, AGameThatEndsOrIsAbandonedByExitLeavesTheStore) {
    TapCell(0, 0);
    ASSERT_NE(platform.kept, "");
    TapCell(2, 1);  // the absorber: solved
    EXPECT_EQ(std::pair(GameState.gamePhase, platform.kept), std::pair(Finished, std::string()));
    EXPECT_FALSE(CommandEnabled(ID_EDIT_UNDO)) << "an ended game takes no step back";

    RunCommand(ID_NEW_GAME);
    UsePuzzle({"/...", "..o.", "....", "...."});
    TapCell(3, 3);
    platform.answer = IDCANCEL;
    EXPECT_FALSE(RequestClose()) << "Cancel keeps playing";
    EXPECT_NE(platform.kept, "");
    platform.answer = IDOK;
    EXPECT_TRUE(RequestClose());
    EXPECT_EQ(platform.kept, "");
}

}  // namespace
