#include <algorithm>
#include <array>
#include <random>

#include "model_test.h"

namespace {

using TraceTest = ModelTest;

int16_t Trace(int16_t port, uint16_t& count, uint16_t board = kHiddenBoard) {
    return TraceRay(port, count, board);
}

TEST_F(TraceTest, EachPortOfAFourByFourGridEntersAtItsSideAndLeavesThroughTheOppositePort) {
    GameState.gridSize = 4;
    struct Case {
        int16_t port;
        Point32 outside, firstCell;
        int16_t exit;
    } const cases[] = {{0, {0, -1}, {0, 0}, 11},
                       {4, {4, 0}, {3, 0}, 15},
                       {8, {3, 4}, {3, 3}, 3},
                       {12, {-1, 3}, {0, 3}, 7},
                       {15, {-1, 0}, {0, 0}, 4}};
    for (const Case& c : cases) {
        uint16_t count = 0;
        EXPECT_EQ(Trace(c.port, count), c.exit) << "port " << c.port;
        EXPECT_EQ((std::array{GameState.rayPath[0], GameState.rayPath[1], GameState.rayPath[6]}),
                  (std::array{c.outside, c.firstCell, Point32{kRayExitMark, c.exit}}))
            << "port " << c.port;
    }
}

TEST_F(TraceTest, AnEmptyBoardLabelsEveryPortWithItsSize) {
    for (int32_t n = 4; n <= 8; ++n) {
        GameState.gridSize = n;
        ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
        for (int32_t p = 0; p < 32; ++p)
            EXPECT_EQ(GameState.hiddenLabels[p], p < 4 * n ? n : 0) << n << " " << p;
    }
}

TEST_F(TraceTest, MirrorAbsorberAndReflectorGiveTheWorkedLabels) {
    SetRows(GameState.hiddenBoard, {"...#", "./..", "....", "..o."});
    ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
    EXPECT_EQ(GameState.hiddenLabels,
              (PortLabels{0x0004, 0x0003, 0x0F04, 0xF001, 0xF001, 0x0005, 0x0004, 0x0F02, 0xF007, 0x0F01,
                          0x0005, 0x0004, 0x0F03, 0x0004, 0x0003, 0xF007}));
    EXPECT_EQ(GameState.rayPath[6], (Point32{kRayExitMark, 11})) << "rayPath holds the ray of port 0";
}

TEST_F(TraceTest, CellCodesOutsideTheItemSetLetTheRayThrough) {
    GameState.gridSize = 4;
    GameState.hiddenBoard[0] = 9;
    GameState.hiddenBoard[1] = -1;
    uint16_t count = 0;
    EXPECT_EQ(Trace(0, count), 11);
}

TEST_F(TraceTest, AWormholeJumpIsRecordedAndCounted) {
    SetRows(GameState.hiddenBoard, {".A..", "....", "...B", "...."});
    uint16_t count = 0;
    EXPECT_EQ(Trace(1, count), 8);
    EXPECT_EQ(count, 3);
    RayPath path;
    path.fill({kRayUnwritten, kRayUnwritten});
    const Point32 walked[] = {{1, -1}, {1, 0}, {3, 2}, {3, 3}, {3, 4}, {kRayExitMark, 8}};
    std::copy(std::begin(walked), std::end(walked), path.begin());
    EXPECT_EQ(GameState.rayPath, path);
}

TEST_F(TraceTest, PortsOutOfRangeAreRefusedWithoutTouchingThePath) {
    GameState.gridSize = 4;
    uint16_t count = 7;
    EXPECT_EQ(Trace(-1, count), TraceNegativePort);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Trace(16, count), TracePortTooLarge);
    EXPECT_EQ(GameState.rayPath, RayPath{});
}

TEST_F(TraceTest, ARayLongerThanTheStepLimitStopsAtEntry196WithItsBareCount) {
    SetRows(GameState.playerBoard, kStepLimitRows);
    uint16_t count = 0;
    EXPECT_EQ(Trace(17, count, kPlayerBoard), TraceStepLimit);
    EXPECT_EQ(count, 196);
    EXPECT_GE(GameState.rayPath[196].x, 0) << "the last move stays inside, with no exit entry";
    EXPECT_EQ(GameState.rayPath[197].x, kRayUnwritten);
    EXPECT_EQ(LabelAllPorts(kPlayerBoard), -1);
    EXPECT_EQ(GameState.playerLabels[17], 196);
    EXPECT_EQ(GameState.hiddenLabels, PortLabels{}) << "the player's board never writes the hidden labels";
}

TEST_F(TraceTest, LabellingAllPortsAgreesWithTracingThemOneByOne) {
    std::mt19937 engine{99};
    for (int round = 0; round < 400; ++round) {
        GameState = GameRecord{};
        const auto n = static_cast<int32_t>(4 + engine() % 5);
        GameState.gridSize = n;
        for (int32_t x = 0; x < n * 8; x += 8) {
            for (int32_t y = 0; y < n; ++y) GameState.hiddenBoard[x + y] = engine() % 3 ? 0 : engine() % 9;
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
        const PortLabels labels = GameState.hiddenLabels;
        for (int16_t p = 4 * n - 1; p >= 0; --p) {
            uint16_t count = 0;
            const int16_t r = Trace(p, count);
            const EdgeLabel expected = r == p ? 0xF000 + count : r == TraceAbsorbed ? 0x0F00 + count : count;
            ASSERT_EQ(labels[p], expected) << "round " << round << " port " << p;
        }
    }
}

}  // namespace
