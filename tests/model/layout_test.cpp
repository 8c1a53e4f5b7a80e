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
            EXPECT_EQ(GameState.boardX, corner[n - 4]) << "N " << n;
            EXPECT_EQ(GameState.boardY, corner[n - 4] + 15) << "N " << n;
            EXPECT_EQ(GameState.paletteX, 2);
            EXPECT_EQ(GameState.paletteY, paletteY[k - 3]) << "K " << k;
        }
    }
}

TEST_F(LayoutTest, PortBoxesSitOnePixelClearOfTheBoardOnEachSide) {
    struct Case {
        int32_t n;
        int16_t port;
        Point32 corner;
    };
    for (const Case& c :
         {Case{8, 0, {50, 43}}, Case{8, 7, {190, 43}}, Case{8, 8, {212, 65}}, Case{8, 16, {190, 227}},
          Case{8, 24, {28, 205}}, Case{8, 31, {28, 65}}, Case{4, 4, {172, 105}}}) {
        GameState.gridSize = c.n;
        GameState.itemCount = 13;
        ComputeLayout();
        Point32 corner{};
        PortPosition(c.port, corner);
        EXPECT_EQ(corner, c.corner) << "N " << c.n << " port " << c.port;
    }
}

}  // namespace
