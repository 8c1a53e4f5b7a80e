#include <algorithm>
#include <array>
#include <random>
#include <tuple>

#include "model_test.h"

namespace {

using TraceTest = ModelTest;

// Where each port's ray enters and leaves is pinned by the labels and traces of tests/cli, and after
// every random event by the soak's own tracer.
TEST_F(TraceTest, PortsOutsideTheRingAreRefusedAndLeaveTheLastRayAlone) {
    GameState.gridSize = 4;
    const RayPath last = GameState.rayPath;
    uint16_t count = 7;
    EXPECT_EQ(TraceRay(-1, count, kHiddenBoard), TraceNegativePort);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(TraceRay(16, count, kHiddenBoard), TracePortTooLarge);
    EXPECT_EQ(GameState.rayPath, last) << "a refused port leaves the last ray alone";
}

TEST_F(TraceTest, AnEmptyBoardLabelsEveryPortWithItsSize) {
    GameState.hiddenBoard[0] = 9;  // codes outside the item set let the ray through
    GameState.hiddenBoard[9] = -1;
    for (int32_t n = 4; n <= 8; ++n) {
        GameState.gridSize = n;
        ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
        for (int32_t p = 0; p < 32; ++p)
            EXPECT_EQ(GameState.hiddenLabels[p], p < 4 * n ? n : 0) << n << " " << p;
    }
    EXPECT_EQ(GameState.rayPath[10], (Point32{kRayExitMark, 23})) << "rayPath holds the ray of port 0";
}

TEST_F(TraceTest, ARayBeyondTheStepLimitStopsAtEntry196AndFailsTheComparison) {
    SetRows(GameState.playerBoard, kStepLimitRows);
    GameState.hiddenBoard[0] = TotalReflector;
    int32_t misplaced = 9;
    EXPECT_EQ(CompareBoards(misplaced), -1);
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(GameState.playerLabels[17], 196) << "the stopped ray's port gets its bare count";
    EXPECT_EQ(GameState.hiddenLabels, PortLabels{}) << "the player's board never writes the hidden labels";
}

TEST_F(TraceTest, LabellingAllPortsAgreesWithTracingThemOneByOne) {
    std::mt19937 engine{99};
    for (int round = 0; round < 400; ++round) {
        GameState = GameRecord{};
        const auto n = static_cast<int32_t>(4 + engine() % 5);
        GameState.gridSize = n;
        for (int32_t cell = 0; cell < 64; ++cell) {
            if (cell / 8 < n && cell % 8 < n) GameState.hiddenBoard[cell] = engine() % 3 ? 0 : engine() % 9;
        }
        // Every fourth board keeps stray wormhole ends that do not sit where wormholeA and B say.
        const int32_t a = engine() % 64, b = engine() % 64;
        if (round % 4 && a / 8 < n && a % 8 < n && b / 8 < n && b % 8 < n && a != b) {
            GameState.hiddenBoard[a] = WormholeA;
            GameState.hiddenBoard[b] = WormholeB;
        }
        GameState.wormholeA = {a / 8, a % 8};
        GameState.wormholeB = {b / 8, b % 8};
        LabelAllPorts(kHiddenBoard);
        for (int16_t p = 4 * n - 1; p >= 0; --p) {
            uint16_t count = 0;
            const int16_t r = TraceRay(p, count, kHiddenBoard);
            const EdgeLabel expected = r == p ? 0xF000 + count : r == TraceAbsorbed ? 0x0F00 + count : count;
            ASSERT_EQ(GameState.hiddenLabels[p], expected) << "round " << round << " port " << p;
        }
    }
}

}  // namespace
