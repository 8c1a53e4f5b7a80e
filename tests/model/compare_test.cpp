#include "model_test.h"

namespace {

using PaletteTest = ModelTest;
using CompareTest = ModelTest;

TEST_F(PaletteTest, APreferredTypeIsSelectedAtTheStartOfItsRunInTheStrip) {
    SetRows(GameState.hiddenBoard, {"/...", "....", "..o.", "/..."});  // strip: [1, 1, 5]
    RecountPalette(5);
    EXPECT_EQ(GameState.remaining[SlashMirror], 2);
    EXPECT_EQ(GameState.remaining[Absorber], 1);
    EXPECT_EQ(GameState.paletteSlot, 2);
    EXPECT_EQ(GameState.selectedItem, Absorber);
    RecountPalette(-1);
    EXPECT_EQ(GameState.paletteSlot, 2) << "-1 keeps a valid selection";
    EXPECT_EQ(GameState.selectedItem, Absorber);
    RecountPalette(0);
    EXPECT_EQ(GameState.paletteSlot, 0);
    EXPECT_EQ(GameState.selectedItem, SlashMirror);
    GameState.paletteSlot = 1;
    RecountPalette(TotalReflector);
    EXPECT_EQ(GameState.selectedItem, TotalReflector) << "a type with nothing left is still named";
    EXPECT_EQ(GameState.paletteSlot, 1) << "but its slot is left alone";
}

TEST_F(PaletteTest, PlacedItemsLeaveTheStripOnlyWhilePlaying) {
    SetRows(GameState.hiddenBoard, {"/A..", "....", "..o.", "/..B"});
    SetRows(GameState.playerBoard, {".A..", "..//", "....", "...B"});
    GameState.paletteSlot = 3;
    RecountPalette(-1);
    EXPECT_EQ(GameState.remaining[SlashMirror], 0) << "two placed, two hidden";
    EXPECT_EQ(GameState.remaining[WormholeA], 0);
    EXPECT_EQ(GameState.selectedItem, Absorber) << "nothing selected: the first type left";
    EXPECT_EQ(GameState.paletteSlot, 0);
    GameState.gamePhase = Finished;
    RecountPalette(-1);
    EXPECT_EQ(GameState.remaining[SlashMirror], 2) << "a finished game shows the whole puzzle";
    EXPECT_EQ(GameState.remaining[WormholeB], 1);
    GameState = GameRecord{};
    GameState.gridSize = 4;
    GameState.paletteSlot = 3;
    RecountPalette(0);
    EXPECT_EQ(GameState.selectedItem, Empty) << "an empty puzzle selects nothing";
    EXPECT_EQ(GameState.paletteSlot, 3);
}

TEST_F(CompareTest, ACopyOfThePuzzleMatchesWithNothingMisplaced) {
    SetRows(GameState.hiddenBoard, {"/A..", "....", "..o.", "#..B"});
    GameState.playerBoard = GameState.hiddenBoard;
    LabelAllPorts(kHiddenBoard);
    int32_t misplaced = -5;
    EXPECT_EQ(CompareBoards(misplaced), 0);
    EXPECT_EQ(misplaced, 0);
}

TEST_F(CompareTest, AnotherArrangementWithTheSameLabelsMatchesWithItemsMisplaced) {
    SetRows(GameState.hiddenBoard, {"/...", ".\\..", "....", "...."});
    SetRows(GameState.playerBoard, {"/...", "....", "....", "...\\"});
    LabelAllPorts(kHiddenBoard);
    int32_t misplaced = 0;
    EXPECT_EQ(CompareBoards(misplaced), 0);
    EXPECT_EQ(misplaced, 1);
}

TEST_F(CompareTest, AnExtraItemChangesLabelsButIsNotMisplacedNorIsTheWormholePair) {
    SetRows(GameState.hiddenBoard, {".A..", "....", "..B/", "...."});
    SetRows(GameState.playerBoard, {"oA..", "....", "..B.", "...."});
    LabelAllPorts(kHiddenBoard);
    int32_t misplaced = 0;
    EXPECT_GT(CompareBoards(misplaced), 0);
    EXPECT_EQ(misplaced, 1) << "only the hidden mirror at (3, 2) is missing";
    GameState.hiddenBoard[3 * 8 + 2] = Empty;
    LabelAllPorts(kHiddenBoard);
    EXPECT_EQ(CompareBoards(misplaced), 4) << "the absorber at (0, 0) stops the rays of ports 0, 4, 11, 15";
    EXPECT_EQ(misplaced, 0);
}

TEST_F(CompareTest, APlayerBoardBeyondTheStepLimitFailsTheComparison) {
    SetStepLimitBoard(GameState.playerBoard);
    GameState.hiddenBoard[0] = TotalReflector;
    int32_t misplaced = 9;
    EXPECT_EQ(CompareBoards(misplaced), -1);
    EXPECT_EQ(misplaced, 0);
}

}  // namespace
