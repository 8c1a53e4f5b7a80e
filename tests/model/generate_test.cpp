#include <random>
#include <vector>

#include "model_test.h"

namespace {

using GenerateTest = ModelTest;

void NewGame(int32_t n, int32_t k, int options) {
    GameState.damier = n;
    GameState.items = k;
    GameState.usereflect = options & 1;
    GameState.useabsorbed = options & 2;
    GameState.useworm = options & 4;
    GeneratePuzzle();
}

// Where the wormhole ends stand, the player's board and the labels of a new game are checked after every
// new game of random play.
TEST_F(GenerateTest, EveryPuzzleKeepsTheRulesOfTheItemSet) {
    std::mt19937 engine{2024};
    SetRandomSource([](void* e) { return static_cast<uint32_t>((*static_cast<std::mt19937*>(e))()); },
                    &engine);
    for (int game = 0; game < 5 * 11 * 32; ++game) {  // every N and K, each option set four times
        const int32_t n = 4 + game % 5, k = 3 + game / 5 % 11, options = game / 55 % 8;
        NewGame(n, k, options);
        SCOPED_TRACE(testing::Message() << "N " << n << " K " << k << " options " << options);
        std::array<int, 9> kinds{};
        for (int32_t cell = 0; cell < 64; ++cell) {
            const int16_t hidden = GameState.hiddenBoard[cell];
            kinds.at(hidden) += cell / 8 < n && cell % 8 < n ? 1 : 100;  // nothing beyond the grid
        }
        EXPECT_EQ(kinds[1] + kinds[2] + kinds[3] + kinds[4] + kinds[5] + kinds[6], k);
        EXPECT_LE(k - kinds[1] - kinds[2], k - k / 2) << "the last K / 2 items are diagonal mirrors";
        EXPECT_TRUE((options & 1) || kinds[3] + kinds[4] + kinds[6] == 0) << "reflecting items are off";
        EXPECT_TRUE((options & 2) || kinds[5] == 0) << "absorbers are off";
        EXPECT_EQ(kinds[7] + kinds[8], options & 4 ? 2 : 0);
    }
}

// Hands out a fixed list of draws, in order; a draw past its end throws and so fails the test.
struct Script {
    std::vector<uint32_t> draws;
    std::size_t used = 0;

    static uint32_t Draw(void* self) {
        Script& script = *static_cast<Script*>(self);
        return script.draws.at(script.used++);
    }
};

TEST_F(GenerateTest, DrawsComeAsXThenYThenCodeOnFreshBoardsAndTheLastGameIsReset) {
    // The last game, nothing placed: a broken phase, a running clock, a type selected with none left.
    SetRows(GameState.hiddenBoard, {"o...", "....", "....", "...."});
    GameState.gamePhase = Broken;
    GameState.selectedItem = TotalReflector;
    GameState.moveCount = GameState.mismatchCount = GameState.placedCount = GameState.paletteSlot = 3;
    GameState.elapsedMs = GameState.gameStartTick = GameState.lastTick = 100;
    // Wormhole A: (5, 0) is off the 4 x 4 grid, then (1, 1). Wormhole B: (1, 1) is taken, then (2, 3).
    // Items: a TotalReflector at (1, 2), a SlashMirror at (0, 0) where the last game's absorber was;
    // then for the last item, code 3 is refused (the last K / 2 must be diagonal), code 0 too, and a
    // BackslashMirror lands at (3, 3).
    Script script{{5, 0, 1, 1, 1, 1, 2, 3, 1, 2, 6, 0, 0, 1, 3, 3, 3, 3, 3, 0, 3 | 8, 3 | 16, 2 | 32}};
    SetRandomSource(Script::Draw, &script);
    NewGame(4, 3, 7);
    EXPECT_EQ(script.used, script.draws.size());
    Board expected{};
    SetRows(expected, {"/...", ".A..", ".#..", "..B\\"});
    EXPECT_EQ(GameState.hiddenBoard, expected);

    // The palette falls back on the first type left in the last game; the mismatch count stays.
    EXPECT_EQ((std::vector<int64_t>{GameState.selectedItem, GameState.paletteSlot, GameState.placedCount,
                                    GameState.moveCount, GameState.mismatchCount, GameState.elapsedMs,
                                    GameState.gameStartTick, GameState.lastTick, GameState.gamePhase,
                                    GameState.shownPort, GameState.boardX, GameState.paletteY}),
              (std::vector<int64_t>{Absorber, 0, 0, 0, 3, 0, 0, 0, Playing, -99, 90, 105}));
}

}  // namespace
