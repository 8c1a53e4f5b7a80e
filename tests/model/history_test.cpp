// Undo and redo of the player's board changes: each step gives back the board, the palette counts,
// the placed count and the selection exactly as they were.
#include <vector>

#include "taps.h"

namespace {

class HistoryTest : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        UsePuzzle({"/A..", "..o.", "\\..#", "...B"});  // strip: / \ o #
        Repaint();
    }
    History history;
};

TEST_F(HistoryTest, UndoTakesTheChangesBackInTurnAndRedoPutsThemAgain) {
    std::vector<PlayerSide> sides = {TakePlayerSide(GameState)};
    ASSERT_TRUE(Tap(history, 0, 1));  // a slash mirror
    PickSlot(1);  // the absorber, after the backslash mirror: part of the side before the next change
    sides.push_back(TakePlayerSide(GameState));
    ASSERT_TRUE(Tap(history, 2, 2));
    sides.push_back(TakePlayerSide(GameState));
    ASSERT_TRUE(Tap(history, 0, 1));  // the slash mirror taken back
    sides.push_back(TakePlayerSide(GameState));
    ASSERT_EQ(GameState.placedCount, 1);
    ASSERT_EQ(GameState.selectedItem, SlashMirror) << "a removal selects the removed type";

    for (int step = 2; step >= 0; --step) {
        ASSERT_TRUE(Undo(history, GameState));
        EXPECT_EQ(TakePlayerSide(GameState), sides[static_cast<std::size_t>(step)])
            << "undo to side " << step;
    }
    EXPECT_FALSE(CanUndo(history));
    EXPECT_FALSE(Undo(history, GameState)) << "nothing left to undo";
    EXPECT_EQ(TakePlayerSide(GameState), sides[0]) << "a refused undo changed the board";

    for (int step = 1; step <= 3; ++step) {
        ASSERT_TRUE(Redo(history, GameState));
        EXPECT_EQ(TakePlayerSide(GameState), sides[static_cast<std::size_t>(step)])
            << "redo to side " << step;
    }
    EXPECT_FALSE(CanRedo(history));
    EXPECT_FALSE(Redo(history, GameState));
    EXPECT_EQ(TakePlayerSide(GameState), sides[3]) << "a refused redo changed the board";
    EXPECT_EQ(history.undo.size(), 3u);
}

TEST_F(HistoryTest, ANewChangeDropsTheRedoStepsButATapThatChangedNothingDoesNot) {
    ASSERT_TRUE(Tap(history, 0, 1));
    const PlayerSide one = TakePlayerSide(GameState);
    ASSERT_TRUE(Tap(history, 1, 1));
    ASSERT_TRUE(Undo(history, GameState));

    EXPECT_FALSE(Tap(history, 1, 0)) << "a tap on a wormhole end is no step";
    PickSlot(1);
    EXPECT_FALSE(RecordChange(history, one, GameState)) << "picking a palette slot is no step";
    EXPECT_TRUE(CanRedo(history)) << "a tap that changed nothing dropped the redo steps";

    ASSERT_TRUE(Tap(history, 3, 0));
    EXPECT_FALSE(CanRedo(history)) << "a new change kept the redo steps";
    ASSERT_TRUE(Undo(history, GameState));
    EXPECT_EQ(TakePlayerSide(GameState).playerBoard, one.playerBoard);
}

TEST_F(HistoryTest, TheHistoryKeepsTheLastStepsUpToItsLimit) {
    const auto limit = static_cast<int32_t>(kHistoryLimit);
    for (int32_t change = 0; change < limit + 5; ++change) {
        PlayerSide before = TakePlayerSide(GameState);
        before.placedCount = change;  // marks the step
        GameState.playerBoard[0] = static_cast<int16_t>(change % 2 == 0 ? SlashMirror : Empty);
        before.playerBoard[0] = static_cast<int16_t>(change % 2 == 0 ? Empty : SlashMirror);
        ASSERT_TRUE(RecordChange(history, before, GameState));
    }
    ASSERT_EQ(history.undo.size(), kHistoryLimit);
    EXPECT_EQ(history.undo.front().placedCount, 5) << "the oldest steps go first";
    EXPECT_EQ(history.undo.back().placedCount, limit + 4);
    ASSERT_TRUE(Undo(history, GameState));
    EXPECT_EQ(history.undo.size() + history.redo.size(), kHistoryLimit);
}

using SettleTest = ModelTest;

// Settling a side gives what the recount and the palette's drawing leave in the record.
TEST_F(SettleTest, SettlingAgreesWithThePalettesRecount) {
    struct Case {
        Rows hidden, player;
        int32_t slot;
        int16_t selected;
        int32_t settledSlot;
        int16_t settledItem;
    } const cases[] = {
        {{"/A..", "..o.", "\\..#", "...B"}, {".A..", "....", "....", "...B"}, 2, SlashMirror, 2, Absorber},
        {{"/A..", "..o.", "\\..#", "...B"}, {".A..", "....", "....", "...B"}, 0, Empty, 0, SlashMirror},
        {{"/A..", "..o.", "\\..#", "...B"}, {"oA..", "....", "....", "...B"}, 1, Empty, 0, SlashMirror},
        {{"/...", "....", "....", "...."}, {"/...", "....", "....", "...."}, 0, SlashMirror, 0, SlashMirror},
        {{"//..", "o...", "....", "...."}, {"....", "....", "/...", "...."}, 1, Absorber, 1, Absorber},
    };
    for (const Case& c : cases) {
        GameState = GameRecord{};
        SetRows(GameState.hiddenBoard, c.hidden);
        SetRows(GameState.playerBoard, c.player);
        GameState.paletteSlot = c.slot;
        GameState.selectedItem = c.selected;
        PlayerSide side = TakePlayerSide(GameState);
        SettlePalette(side, GameState.hiddenBoard, GameState.gridSize);
        RecountPalette(-1);
        const std::string name(*c.player.begin());
        EXPECT_EQ(side.remaining, GameState.remaining) << name;
        EXPECT_EQ(side.paletteSlot, c.settledSlot) << name;
        EXPECT_EQ(side.selectedItem, c.settledItem) << name;
        int32_t placed = 0;
        for (int16_t item : GameState.playerBoard) placed += item >= SlashMirror && item <= TotalReflector;
        EXPECT_EQ(side.placedCount, placed) << name;
    }
}

}  // namespace
