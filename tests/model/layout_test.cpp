#include <tuple>

#include "model_test.h"

namespace {

using LayoutTest = ModelTest;

TEST_F(LayoutTest, TheBoardIsCentredForEverySizeAndThePaletteForEveryCount) {
    const int16_t corner[] = {90, 80, 70, 60, 50};                            // N = 4 to 8
    const int16_t paletteY[] = {105, 95, 85, 75, 65, 55, 45, 35, 25, 15, 5};  // K = 3 to 13
    for (int32_t k = 3; k <= 13; ++k) {
        GameState.gridSize = 4 + k % 5;  // every size comes round at least twice
        GameState.itemCount = k;
        ComputeLayout();
        const int16_t x = corner[GameState.gridSize - 4];
        EXPECT_EQ((std::array{GameState.boardX, GameState.boardY, GameState.paletteX, GameState.paletteY}),
                  (std::array<int16_t, 4>{x, static_cast<int16_t>(x + 15), 2, paletteY[k - 3]}))
            << "N " << GameState.gridSize << " K " << k;
    }
}

TEST_F(LayoutTest, PortBoxesSitOnePixelClearOfTheBoardOnEachSide) {
    // N, the port and the top-left corner of its box.
    const std::tuple<int32_t, int16_t, Point32> cases[] = {
        {8, 0, {50, 43}},   {8, 7, {190, 43}}, {8, 8, {212, 65}}, {8, 16, {190, 227}},
        {8, 24, {28, 205}}, {8, 31, {28, 65}}, {4, 4, {172, 105}}};
    for (const auto& [n, port, expected] : cases) {
        GameState.gridSize = n;
        ComputeLayout();
        Point32 corner{};
        PortPosition(port, corner);
        EXPECT_EQ(corner, expected) << "N " << n << " port " << port;
    }
}

}  // namespace
