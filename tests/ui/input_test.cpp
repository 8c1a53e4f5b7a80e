// Taps through the window on the items of the board and the strip; where each tap lands is in
// tests/model/hit_test_test.cpp, the rules of a tap without a window in tests/core/stand_in_test.cpp.
#include "frame_fixture.h"

namespace {

using InputTest = FrameTest;

TEST_F(InputTest, ATapOnAPlacedItemTakesItBackAndSelectsItsTypeAndADoubleTapIsTwoTaps) {
    StartPlaying();
    UsePuzzle({"/....", ".o...", "../..", "...#.", "....."});
    Place(Absorber, 4, 4);
    RecountPalette(SlashMirror);
    TapCell(4, 4);
    EXPECT_EQ(std::tuple(GameState.playerBoard[4 * 8 + 4], GameState.placedCount, GameState.selectedItem),
              std::tuple(int16_t{Empty}, 0, int16_t{Absorber}))
        << "the removed type becomes the selection";
    TapCell(0, 4);
    EXPECT_EQ(GameState.playerBoard[0 * 8 + 4], Absorber) << "the next tap puts the same item back";

    DoubleTap(GameState.boardX + 90, GameState.boardY + 10);
    EXPECT_EQ(std::pair(GameState.playerBoard[4 * 8 + 0], GameState.moveCount), std::pair(int16_t{Empty}, 5))
        << "placed and removed again";
    GameState.shownPort = -99;
    DoubleTap(GameState.boardX + 10, GameState.boardY - 10);
    EXPECT_LT(GameState.shownPort, 0) << "a double tap on a port ends where it started";
}

// The strip of a new 5 x 5 game: slash, slash, absorber, reflector.
TEST_F(InputTest, AnItemPlacedFromTheStripLeavesTheSelectionOnItsSlotUnlessThatWasTheLastSlot) {
    StartPlaying();
    for (const auto& [slot, placed, selected] :
         {std::tuple{0, SlashMirror, 0}, std::tuple{2, Absorber, 2}, std::tuple{3, TotalReflector, 2}}) {
        UsePuzzle({"/....", ".o...", "../..", "...#.", "....."});
        TapSlot(slot);
        TapCell(4, 4);
        EXPECT_EQ((std::array{int{GameState.playerBoard[4 * 8 + 4]}, GameState.paletteSlot}),
                  (std::array{int{placed}, selected}))
            << "slot " << slot;
    }
}

TEST_F(InputTest, WormholeCellsAndEmptyCellsOfAFullBoardChangeNothingButCountAsMoves) {
    StartPlaying();
    UsePuzzle({"/..A", "./..", "../.", "B..."});
    Place(SlashMirror, 3, 3);
    Place(SlashMirror, 3, 2);
    Place(SlashMirror, 3, 1);
    ASSERT_EQ(std::pair(GameState.placedCount, GameState.gamePhase), std::pair(3, Playing));

    const Board board = GameState.playerBoard;
    TapCell(3, 0);
    EXPECT_EQ(GameState.playerBoard, board) << "a wormhole end can be neither placed nor removed";
    TapCell(1, 1);
    EXPECT_EQ(GameState.playerBoard, board) << "all three items stand: nothing more is placed";
    EXPECT_EQ(GameState.moveCount, 5);

    OnSolution();
    TapCell(1, 2);
    EXPECT_EQ(GameState.playerBoard, board) << "once the game is over board taps do nothing";
}

}  // namespace
