#include <random>
#include <stdexcept>
#include <vector>

#include "model_test.h"

namespace {

uint32_t EngineDraw(void* engine) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(engine))());
}

using GenerateTest = ModelTest;

// Hands out a fixed list of draws, in order; a draw past its end aborts the generator.
struct Script {
    std::vector<uint32_t> draws;
    std::size_t next = 0;
    static uint32_t Draw(void* self) {
        auto& script = *static_cast<Script*>(self);
        if (script.next == script.draws.size())
            throw std::runtime_error("the generator drew past the script");
        return script.draws[script.next++];
    }
};

void NewGame(int32_t n, int32_t k, bool reflect, bool absorb, bool worm) {
    GameState.damier = n;
    GameState.items = k;
    GameState.usereflect = reflect;
    GameState.useabsorbed = absorb;
    GameState.useworm = worm;
    GeneratePuzzle();
}

TEST_F(GenerateTest, EveryPuzzleKeepsTheRulesOfTheItemSet) {
    std::mt19937 engine{2024};
    SetRandomSource(EngineDraw, &engine);
    for (int32_t n = 4; n <= 8; ++n) {
        for (int32_t k = 3; k <= 13; ++k) {
            for (int options = 0; options < 8 * 4; ++options) {
                const bool reflect = options & 1, absorb = options & 2, worm = options & 4;
                NewGame(n, k, reflect, absorb, worm);
                SCOPED_TRACE(testing::Message() << "N " << n << " K " << k << " options " << options % 8);
                std::array<int, 9> kinds{};
                for (int32_t cell = 0; cell < 64; ++cell) {
                    const int16_t hidden = GameState.hiddenBoard[cell], player = GameState.playerBoard[cell];
                    ASSERT_TRUE(hidden >= Empty && hidden <= WormholeB);
                    ++kinds[hidden];
                    if (cell / 8 >= n || cell % 8 >= n) {
                        EXPECT_EQ(hidden, Empty) << "cell beyond the grid";
                    }
                    EXPECT_EQ(player, hidden >= WormholeA ? hidden : int16_t{Empty})
                        << "player's board: the pair only";
                }
                EXPECT_EQ(kinds[1] + kinds[2] + kinds[3] + kinds[4] + kinds[5] + kinds[6], k);
                EXPECT_LE(k - kinds[1] - kinds[2], k - k / 2) << "the last K / 2 items are diagonal mirrors";
                EXPECT_TRUE(reflect || kinds[3] + kinds[4] + kinds[6] == 0) << "reflecting items are off";
                EXPECT_TRUE(absorb || kinds[5] == 0) << "absorbers are off";
                EXPECT_EQ(kinds[7] + kinds[8], worm ? 2 : 0);
                const Point32 a = GameState.wormholeA, b = GameState.wormholeB;
                if (worm) {
                    EXPECT_EQ(GameState.hiddenBoard[a.x * 8 + a.y], WormholeA);
                    EXPECT_EQ(GameState.hiddenBoard[b.x * 8 + b.y], WormholeB);
                } else {
                    EXPECT_EQ(a, (Point32{-1, -1}));
                    EXPECT_EQ(b, (Point32{-1, -1}));
                }
                const PortLabels labels = GameState.hiddenLabels;
                ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
                EXPECT_EQ(labels, GameState.hiddenLabels) << "hidden labels belong to the new board";
                EXPECT_EQ(GameState.playerLabels, PortLabels{});
                EXPECT_EQ(GameState.gamePhase, Playing);
            }
        }
    }
}

TEST_F(GenerateTest, DrawsComeAsXThenYThenCodeAndRejectedDrawsAreRepeated) {
    // Wormhole A: (5, 0) is off the 4 x 4 grid, then (1, 1). Wormhole B: (1, 1) is taken, then (2, 3).
    // Items: a TotalReflector at (1, 2), a SlashMirror at (0, 0); then for the last item, code 3 is
    // refused (the last K / 2 must be diagonal), code 0 too, and a BackslashMirror lands at (3, 3).
    Script script{{5, 0, 1, 1, 1, 1, 2, 3, 1, 2, 6, 0, 0, 1, 3, 3, 3, 3, 3, 0, 3 | 8, 3 | 16, 2 | 32}};
    SetRandomSource(Script::Draw, &script);
    NewGame(4, 3, true, true, true);
    EXPECT_EQ(script.next, script.draws.size());
    EXPECT_EQ(GameState.wormholeA, (Point32{1, 1}));
    EXPECT_EQ(GameState.wormholeB, (Point32{2, 3}));
    Board expected{};
    SetRows(expected, {"/...", ".A..", ".#..", "..B\\"});
    EXPECT_EQ(GameState.hiddenBoard, expected);
}

TEST_F(GenerateTest, ANewGameResetsTheClockTheLayoutAndTheShownRay) {
    std::mt19937 engine{7};
    SetRandomSource(EngineDraw, &engine);
    GameState.gamePhase = Broken;
    GameState.hiddenBoard[0] = Absorber;  // the previous game: an absorber left to place
    GameState.gridSize = 4;
    GameState.moveCount = 9;
    GameState.mismatchCount = 3;
    GameState.elapsedMs = GameState.gameStartTick = GameState.lastTick = 100;
    GameState.placedCount = 2;
    GameState.paletteSlot = 4;
    GameState.playerLabels[0] = 5;
    NewGame(5, 4, true, true, false);
    EXPECT_EQ(GameState.selectedItem, Absorber) << "the first type left in the previous game";
    EXPECT_EQ(GameState.paletteSlot, 0);
    EXPECT_EQ(GameState.mismatchCount, 3);
    for (uint32_t field :
         {uint32_t(GameState.moveCount), GameState.elapsedMs, GameState.gameStartTick, GameState.lastTick,
          uint32_t(GameState.placedCount), uint32_t(GameState.playerLabels[0])}) {
        EXPECT_EQ(field, 0u);
    }
    EXPECT_EQ(GameState.shownPort, -99);
    EXPECT_EQ(GameState.gridSize, 5);
    EXPECT_EQ(GameState.itemCount, 4);
    EXPECT_EQ(GameState.boardX, 80);
    EXPECT_EQ(GameState.paletteY, 95);
}

}  // namespace
