#include <random>
#include <stdexcept>
#include <vector>

#include "model_test.h"

namespace {

using GenerateTest = ModelTest;

uint32_t EngineDraw(void* engine) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(engine))());
}

// Hands out a fixed list of draws, in order; a draw past its end aborts the generator.
uint32_t ScriptDraw(void* script) {
    auto& draws = *static_cast<std::vector<uint32_t>*>(script);
    if (draws.empty()) throw std::runtime_error("the generator drew past the script");
    const uint32_t draw = draws.front();
    draws.erase(draws.begin());
    return draw;
}

void NewGame(int32_t n, int32_t k, int options) {
    GameState.damier = n;
    GameState.items = k;
    GameState.usereflect = options & 1;
    GameState.useabsorbed = options & 2;
    GameState.useworm = options & 4;
    GeneratePuzzle();
}

TEST_F(GenerateTest, EveryPuzzleKeepsTheRulesOfTheItemSet) {
    std::mt19937 engine{2024};
    SetRandomSource(EngineDraw, &engine);
    for (int32_t n = 4; n <= 8; ++n) {
        for (int32_t k = 3; k <= 13; ++k) {
            for (int round = 0; round < 32; ++round) {
                const int options = round % 8;
                NewGame(n, k, options);
                SCOPED_TRACE(testing::Message() << "N " << n << " K " << k << " options " << options);
                std::array<int, 9> kinds{};
                for (int32_t cell = 0; cell < 64; ++cell) {
                    const int16_t hidden = GameState.hiddenBoard[cell];
                    ASSERT_TRUE(hidden >= Empty && hidden <= WormholeB);
                    kinds[hidden] += cell / 8 < n && cell % 8 < n ? 1 : 100;  // nothing beyond the grid
                    EXPECT_EQ(GameState.playerBoard[cell], hidden >= WormholeA ? hidden : 0)
                        << "the pair only";
                }
                EXPECT_EQ(kinds[1] + kinds[2] + kinds[3] + kinds[4] + kinds[5] + kinds[6], k);
                EXPECT_LE(k - kinds[1] - kinds[2], k - k / 2) << "the last K / 2 items are diagonal mirrors";
                EXPECT_TRUE((options & 1) || kinds[3] + kinds[4] + kinds[6] == 0)
                    << "reflecting items are off";
                EXPECT_TRUE((options & 2) || kinds[5] == 0) << "absorbers are off";
                const Point32 a = GameState.wormholeA, b = GameState.wormholeB;
                if (options & 4) {
                    EXPECT_EQ(kinds[7] + kinds[8], 2);
                    EXPECT_EQ(
                        GameState.hiddenBoard[a.x * 8 + a.y] * 10 + GameState.hiddenBoard[b.x * 8 + b.y], 78);
                } else {
                    EXPECT_EQ(kinds[7] + kinds[8], 0);
                    EXPECT_EQ((std::array{a, b}), (std::array{Point32{-1, -1}, Point32{-1, -1}}));
                }
                const PortLabels labels = GameState.hiddenLabels;
                ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
                EXPECT_EQ(labels, GameState.hiddenLabels) << "hidden labels belong to the new board";
                EXPECT_EQ(GameState.playerLabels, PortLabels{});
            }
        }
    }
}

TEST_F(GenerateTest, DrawsComeAsXThenYThenCodeAndRejectedDrawsAreRepeated) {
    // Wormhole A: (5, 0) is off the 4 x 4 grid, then (1, 1). Wormhole B: (1, 1) is taken, then (2, 3).
    // Items: a TotalReflector at (1, 2), a SlashMirror at (0, 0); then for the last item, code 3 is
    // refused (the last K / 2 must be diagonal), code 0 too, and a BackslashMirror lands at (3, 3).
    std::vector<uint32_t> script{5, 0, 1, 1, 1, 1, 2, 3, 1,     2,      6,     0,
                                 0, 1, 3, 3, 3, 3, 3, 0, 3 | 8, 3 | 16, 2 | 32};
    SetRandomSource(ScriptDraw, &script);
    NewGame(4, 3, 7);
    EXPECT_TRUE(script.empty());
    EXPECT_EQ((std::array{GameState.wormholeA, GameState.wormholeB}),
              (std::array{Point32{1, 1}, Point32{2, 3}}));
    Board expected{};
    SetRows(expected, {"/...", ".A..", ".#..", "..B\\"});
    EXPECT_EQ(GameState.hiddenBoard, expected);
}

TEST_F(GenerateTest, ANewGameResetsTheClockTheLayoutAndThePaletteSelection) {
    std::mt19937 engine{7};
    SetRandomSource(EngineDraw, &engine);
    GameState.gamePhase = Broken;
    SetRows(GameState.hiddenBoard, {"o...", "....", "....", "...."});  // the previous game, nothing placed
    GameState.moveCount = GameState.mismatchCount = GameState.placedCount = GameState.paletteSlot = 3;
    GameState.elapsedMs = GameState.gameStartTick = GameState.lastTick = 100;
    NewGame(5, 4, 3);
    EXPECT_EQ(GameState.selectedItem, Absorber) << "the first type left in the previous game";
    EXPECT_EQ((std::array{GameState.paletteSlot, GameState.moveCount, GameState.placedCount}),
              (std::array{0, 0, 0}));
    EXPECT_EQ((std::array{GameState.elapsedMs, GameState.gameStartTick, GameState.lastTick}),
              (std::array{0u, 0u, 0u}));
    EXPECT_EQ(GameState.mismatchCount, 3);
    EXPECT_EQ(GameState.gamePhase, Playing);
    EXPECT_EQ(GameState.shownPort, -99);
    EXPECT_EQ((std::array{GameState.boardX, GameState.paletteY}), (std::array<int16_t, 2>{80, 95}));
}

}  // namespace
