// Taps on the client area: what each place on the screen does in each phase.
#include "frame_fixture.h"

namespace {

using InputTest = FrameTest;

TEST_F(InputTest, TapsOnAnEightByEightScreenHitTheRightPortsSlotsAndCells) {
    StartPlaying();
    GameState.damier = 8;
    GameState.items = 13;
    GeneratePuzzle();
    // Where the tap is, and the port it shows.
    const std::tuple<int, int, int16_t> portTaps[] = {
        {215, 100, 9},   {60, 50, 0},    {60, 230, 23}, {35, 70, 31},
        {210, 50, 8},    {100, 244, 21}, {50, 43, 0},   {233, 65, 8},  // band corners
        {28, 205, 24},   {49, 226, 23},  // the left band's last two rows reach the bottom-left port
        {210, 100, -99},                 // the gap between the board and the right-hand boxes
    };
    for (const auto& [x, y, port] : portTaps) {
        GameState.shownPort = -99;
        Tap(x, y);
        EXPECT_EQ(GameState.shownPort, port) << "tap at (" << x << ", " << y << ")";
    }

    // The palette takes the last pixel of its 13th slot and nothing one slot further.
    Tap(GameState.paletteX + 20, GameState.paletteY + 20 * 13 - 1);
    const int32_t lastSlot = GameState.paletteSlot;
    Tap(GameState.paletteX + 10, GameState.paletteY + 20 * 13);
    EXPECT_EQ(std::tuple(lastSlot, GameState.paletteSlot, GameState.moveCount, frame->TimerPeriod(1)),
              std::tuple(12, 12, 0, 0u))
        << "port and palette taps are not moves";

    // The board's first and last pixels are cells (0, 0) and (7, 7); the first counts and starts the clock.
    now = 7000;
    Tap(50, 65);
    now = 9000;
    Tap(209, 224);
    EXPECT_TRUE(GameState.playerBoard[0 * 8 + 0] != Empty && GameState.playerBoard[7 * 8 + 7] != Empty);
    EXPECT_EQ(std::tuple(GameState.moveCount, GameState.gameStartTick, frame->TimerPeriod(1)),
              std::tuple(2, 7000u, 100u))
        << "the game clock ticks every 100 ms";
}

TEST_F(InputTest, ATapOnAPlacedItemTakesItBackAndSelectsItsTypeAndADoubleTapIsTwoTaps) {
    StartPlaying();
    UseHiddenBoard({"/....", ".o...", "../..", "...#.", "....."});
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
        UseHiddenBoard({"/....", ".o...", "../..", "...#.", "....."});
        TapSlot(slot);
        TapCell(4, 4);
        EXPECT_EQ((std::array{int{GameState.playerBoard[4 * 8 + 4]}, GameState.paletteSlot}),
                  (std::array{int{placed}, selected}))
            << "slot " << slot;
    }
}

TEST_F(InputTest, WormholeCellsAndEmptyCellsOfAFullBoardChangeNothingButCountAsMoves) {
    StartPlaying();
    UseHiddenBoard({"/..A", "./..", "../.", "B..."});
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
    GameState.shownPort = -99;
    Tap(GameState.boardX + 30, GameState.boardY - 10);
    EXPECT_EQ(GameState.shownPort, 1) << "but port taps still choose rays";
}

}  // namespace
