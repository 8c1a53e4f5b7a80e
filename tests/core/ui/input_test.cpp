// Taps on the board, the port boxes and the strip; where each tap lands is in
// tests/model/hit_test_test.cpp.
#include "core/ui/input.h"

#include "core/ui/game_flow.h"
#include "support/board_rows.h"
#include "support/stand_in.h"

namespace {

class InputTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        standIn.now = 5000;
        StartPlaying();
        UsePuzzle(
            {"/....", ".o...", "../..", "...#.", "....."});  // the strip: slash, slash, absorber, reflector
    }
};

TEST_F(InputTest, TheFirstBoardTapPlacesTheSelectionStartsTheClockAndATapOnItTakesItBack) {
    const int updates = standIn.updates;
    TapCell(3, 3);
    EXPECT_EQ(GameState.playerBoard[3 * 8 + 3], SlashMirror);
    EXPECT_EQ(std::tuple(GameState.moveCount, GameState.gameStartTick, standIn.timers[1]),
              std::tuple(1, 5000u, 100u))
        << "the game clock ticks every 100 ms from the first counted tap";
    EXPECT_EQ(standIn.updates, updates + 1) << "every tap repaints at once";
    standIn.now = 6000;
    TapCell(3, 3);
    EXPECT_EQ(std::tuple(GameState.playerBoard[3 * 8 + 3], GameState.placedCount, GameState.moveCount),
              std::tuple(int16_t{Empty}, 0, 2));
    EXPECT_EQ(GameState.gameStartTick, 5000u) << "the clock started once";
}

TEST_F(InputTest, APortTapShowsItsRayASecondHidesItAndPaletteTapsOnlyPickSlotsThatAreLeft) {
    UsePuzzle({"/...", "..o.", "....", "...."});       // a strip of two: slash, absorber
    Tap(GameState.boardX + 5, GameState.boardY - 10);  // port 0's box
    EXPECT_EQ(GameState.shownPort, 0);
    Tap(GameState.boardX + 5, GameState.boardY - 10);
    EXPECT_EQ(GameState.shownPort, -89) << "hidden again";
    TapSlot(1);
    EXPECT_EQ(GameState.paletteSlot, 1);
    TapSlot(2);
    EXPECT_EQ(GameState.paletteSlot, 1) << "slot 2 is not in a strip of two";
    EXPECT_EQ(GameState.moveCount, 0) << "port and palette taps are not moves";
    EXPECT_FALSE(standIn.timers.contains(1)) << "nor do they start the clock";
}

TEST_F(InputTest, ATapOnAPlacedItemTakesItBackAndSelectsItsTypeAndADoubleTapIsTwoTaps) {
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

TEST_F(InputTest, AnItemPlacedFromTheStripLeavesTheSelectionOnItsSlotUnlessThatWasTheLastSlot) {
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
