#include "model_test.h"

namespace {

using PaletteTest = ModelTest;
using CompareTest = ModelTest;

std::array<int32_t, 2> Selection() {
    return {GameState.paletteSlot, GameState.selectedItem};
}

TEST_F(PaletteTest, APreferredTypeIsSelectedAtTheStartOfItsRunInTheStrip) {
    SetRows(GameState.hiddenBoard, {"/...", "....", "..o.", "/..."});  // strip: [1, 1, 5]
    RecountPalette(5);
    EXPECT_EQ(Selection(), (std::array{2, 5}));
    EXPECT_EQ((std::array{GameState.remaining[1], GameState.remaining[5]}), (std::array<int16_t, 2>{2, 1}));
    RecountPalette(-1);
    EXPECT_EQ(Selection(), (std::array{2, 5})) << "-1 keeps a valid selection";
    RecountPalette(0);
    EXPECT_EQ(Selection(), (std::array{0, 1}));
    GameState.paletteSlot = 1;
    RecountPalette(TotalReflector);
    EXPECT_EQ(Selection(), (std::array{1, 6})) << "a type with nothing left is named, its slot left alone";
}

TEST_F(PaletteTest, PlacedItemsLeaveTheStripOnlyWhilePlaying) {
    SetRows(GameState.hiddenBoard, {"/A..", "....", "..o.", "/..B"});
    SetRows(GameState.playerBoard, {".A..", "..//", "....", "...B"});
    GameState.paletteSlot = 3;
    RecountPalette(-1);
    EXPECT_EQ((std::array{GameState.remaining[1], GameState.remaining[7]}), (std::array<int16_t, 2>{0, 0}));
    EXPECT_EQ(Selection(), (std::array{0, 5})) << "nothing was selected: the first type left";
    GameState.gamePhase = Finished;
    RecountPalette(-1);
    EXPECT_EQ((std::array{GameState.remaining[1], GameState.remaining[8]}), (std::array<int16_t, 2>{2, 1}))
        << "a finished game shows the whole puzzle";
    GameState.hiddenBoard = GameState.playerBoard = Board{};
    GameState.selectedItem = Empty;
    RecountPalette(0);
    EXPECT_EQ(Selection(), (std::array{0, 0})) << "an empty strip selects nothing and keeps its slot";
}

TEST_F(CompareTest, BoardsWithTheSameLabelsMatchAndOnlyHiddenItemsCanBeMisplaced) {
    struct Case {
        std::initializer_list<std::string_view> hidden, player;
        int16_t differing;
        int32_t misplaced;
    } const cases[] = {
        {{"/A..", "....", "..o.", "#..B"}, {"/A..", "....", "..o.", "#..B"}, 0, 0},    // a copy
        {{"/...", ".\\..", "....", "...."}, {"/...", "....", "....", "...\\"}, 0, 1},  // same labels
        {{".A..", "....", "..B/", "...."},
         {"oA..", "....", "..B.", "...."},
         6,
         1},  // the pair never counts: 0, 3, 6, 8, 11, 15 differ
        {{"....", "....", "....", "...."}, {"o...", "....", "....", "...."}, 4, 0},  // ports 0, 4, 11, 15
    };
    for (const Case& c : cases) {
        SetRows(GameState.hiddenBoard, c.hidden);
        SetRows(GameState.playerBoard, c.player);
        LabelAllPorts(kHiddenBoard);
        int32_t misplaced = -5;
        EXPECT_EQ(CompareBoards(misplaced), c.differing) << *c.player.begin();
        EXPECT_EQ(misplaced, c.misplaced) << *c.player.begin();
    }
}

TEST_F(CompareTest, APlayerBoardBeyondTheStepLimitFailsTheComparison) {
    SetRows(GameState.playerBoard, kStepLimitRows);
    GameState.hiddenBoard[0] = TotalReflector;
    int32_t misplaced = 9;
    EXPECT_EQ(CompareBoards(misplaced), -1);
    EXPECT_EQ(misplaced, 0);
}

}  // namespace
