// What lies under a tap, from the game record alone: cells, palette slots, port boxes and the gaps.
#include "model/hit_test.h"

#include <tuple>

#include "model_test.h"

namespace {

using HitTestTest = ModelTest;

TapHit Cell(int column, int row) {
    return TapHit{TapPlace::Board, column, row, 0, -1};
}
TapHit Slot(int slot) {
    return TapHit{TapPlace::Palette, 0, 0, slot, -1};
}
TapHit Port(int port) {
    return TapHit{TapPlace::Port, 0, 0, 0, static_cast<int16_t>(port)};
}
const TapHit kNothing{};

TEST_F(HitTestTest, AnEightByEightScreenMapsEveryPlaceAndItsEdges) {
    Layout(8, 13);  // board (50, 65) to (210, 225), palette from (2, 5)
    const std::tuple<int, int, TapHit> cases[] = {
        {50, 65, Cell(0, 0)}, {209, 224, Cell(7, 7)}, {69, 84, Cell(0, 0)}, {70, 85, Cell(1, 1)},
        {2, 5, Slot(0)},      {22, 264, Slot(12)},    {22, 265, Slot(13)},  // the strip's last pixel
        {23, 100, kNothing},  {1, 100, kNothing},     {22, 266, kNothing},  {60, 50, Port(0)},
        {50, 43, Port(0)},    {210, 50, Port(8)},     {211, 64, Port(8)},   {215, 100, Port(9)},
        {233, 65, Port(8)},   {233, 226, Port(16)},  // the right band's foot
        {60, 230, Port(23)},  {100, 244, Port(21)},   {49, 226, Port(23)},  {35, 70, Port(31)},
        {28, 205, Port(24)},  {28, 42, kNothing},  // above the left band
        {210, 100, kNothing}, {50, 42, kNothing},     {234, 100, kNothing}, {50, 227, Port(23)},
        {100, 248, Port(21)}, {100, 249, kNothing},   {50, 226, kNothing},  // the foot
        {211, 230, Port(15)},  // the bottom band's last column, like the top band's, names the next port
    };
    for (const auto& [x, y, hit] : cases) {
        const TapHit found = HitTest(GameState, x, y);
        EXPECT_EQ(found, hit) << "tap at (" << x << ", " << y << ") found place "
                              << static_cast<int>(found.place) << ", cell (" << found.column << ", "
                              << found.row << "), slot " << found.slot << ", port " << found.port;
    }
}

TEST_F(HitTestTest, ASmallBoardMovesItsPlacesWithTheLayout) {
    Layout(4, 3);  // board (90, 105) to (170, 185), palette from (2, 105)
    EXPECT_EQ(HitTest(GameState, 90, 105), Cell(0, 0));
    EXPECT_EQ(HitTest(GameState, 169, 184), Cell(3, 3));
    EXPECT_EQ(HitTest(GameState, 170, 184), kNothing) << "the right band starts two pixels out";
    EXPECT_EQ(HitTest(GameState, 172, 184), Port(7));
    EXPECT_EQ(HitTest(GameState, 100, 90), Port(0));
    EXPECT_EQ(HitTest(GameState, 85, 110), Port(15));
    EXPECT_EQ(HitTest(GameState, 10, 110), Slot(0));
    EXPECT_EQ(HitTest(GameState, 10, 104), kNothing) << "above the shorter strip";
    EXPECT_EQ(HitTest(GameState, 10, 365), Slot(13));
    EXPECT_EQ(HitTest(GameState, 10, 366), kNothing);
}

}  // namespace
