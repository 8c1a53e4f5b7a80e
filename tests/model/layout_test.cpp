#include "model_test.h"

namespace {

using LayoutTest = ModelTest;

TEST_F(LayoutTest, TheBoardIsCentredForEverySizeAndThePaletteForEveryCount) {
    const int16_t corner[] = {90, 80, 70, 60, 50};
    const int16_t paletteY[] = {105, 95, 85, 75, 65, 55, 45, 35, 25, 15, 5};
    for (int32_t n = 4; n <= 8; ++n) {
        for (int32_t k = 3; k <= 13; ++k) {
            GameState.gridSize = n;
            GameState.itemCount = k;
            ComputeLayout();
            const std::array<int16_t, 4> expected{corner[n - 4], static_cast<int16_t>(corner[n - 4] + 15), 2,
                                                  paletteY[k - 3]};
            EXPECT_EQ(
                (std::array{GameState.boardX, GameState.boardY, GameState.paletteX, GameState.paletteY}),
                expected)
                << "N " << n << " K " << k;
        }
    }
}

TEST_F(LayoutTest, PortBoxesSitOnePixelClearOfTheBoardOnEachSide) {
    struct Case {
        int32_t n;
        int16_t port;
        Point32 corner;
    } const cases[] = {{8, 0, {50, 43}},   {8, 7, {190, 43}}, {8, 8, {212, 65}}, {8, 16, {190, 227}},
                       {8, 24, {28, 205}}, {8, 31, {28, 65}}, {4, 4, {172, 105}}};
    for (const Case& c : cases) {
        GameState.gridSize = c.n;
        ComputeLayout();
        Point32 corner{};
        PortPosition(c.port, corner);
        EXPECT_EQ(corner, c.corner) << "N " << c.n << " port " << c.port;
    }
}

}  // namespace
