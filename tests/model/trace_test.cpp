#include "model_test.h"

namespace {

using TraceTest = ModelTest;

int16_t Trace(int16_t port, uint16_t board = kHiddenBoard) {
    uint16_t count = 0;
    return TraceRay(port, count, board);
}

TEST_F(TraceTest, EachPortOfAFourByFourGridEntersAtItsSideAndLeavesThroughTheOppositePort) {
    SetRows(GameState.hiddenBoard, {"....", "....", "....", "...."});
    struct Case {
        int16_t port;
        Point32 outside, firstCell;
        int16_t exit;
    };
    for (const Case& c :
         {Case{0, {0, -1}, {0, 0}, 11}, Case{4, {4, 0}, {3, 0}, 15}, Case{8, {3, 4}, {3, 3}, 3},
          Case{12, {-1, 3}, {0, 3}, 7}, Case{15, {-1, 0}, {0, 0}, 4}}) {
        EXPECT_EQ(Trace(c.port), c.exit) << "port " << c.port;
        EXPECT_EQ(GameState.rayPath[0], c.outside) << "port " << c.port;
        EXPECT_EQ(GameState.rayPath[1], c.firstCell) << "port " << c.port;
        EXPECT_EQ(GameState.rayPath[6], (Point32{kRayExitMark, c.exit})) << "port " << c.port;
    }
}

TEST_F(TraceTest, AnEmptyBoardLabelsEveryPortWithItsSize) {
    for (int32_t n = 4; n <= 8; ++n) {
        GameState = GameRecord{};
        GameState.gridSize = n;
        ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
        for (int32_t p = 0; p < 32; ++p) EXPECT_EQ(GameState.hiddenLabels[p], p < 4 * n ? n : 0) << p;
        EXPECT_EQ(Trace(1), 3 * n - 2) << "a top ray leaves at the bottom, N = " << n;
    }
}

TEST_F(TraceTest, MirrorAbsorberAndReflectorGiveTheWorkedLabels) {
    SetRows(GameState.hiddenBoard, {"...#", "./..", "....", "..o."});
    ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
    const PortLabels expected{0x0004, 0x0003, 0x0F04, 0xF001, 0xF001, 0x0005, 0x0004, 0x0F02,
                              0xF007, 0x0F01, 0x0005, 0x0004, 0x0F03, 0x0004, 0x0003, 0xF007};
    EXPECT_EQ(GameState.hiddenLabels, expected);
    EXPECT_EQ(GameState.rayPath[6], (Point32{kRayExitMark, 11})) << "rayPath holds the ray of port 0";
}

TEST_F(TraceTest, SingleItemsNextToTheEdge) {
    struct Case {
        std::string_view row0;
        int16_t port;
        EdgeLabel label;
    };
    for (const Case& c : {Case{"#....", 0, 0xF001}, Case{"#....", 19, 0xF001}, Case{"..o..", 2, 0x0F01},
                          Case{"..o..", 5, 0x0F03}, Case{"/....", 0, 1}, Case{"/....", 19, 1}}) {
        GameState = GameRecord{};
        SetRows(GameState.hiddenBoard, {c.row0, ".....", ".....", ".....", "....."});
        LabelAllPorts(kHiddenBoard);
        EXPECT_EQ(GameState.hiddenLabels[c.port], c.label) << c.row0 << " port " << c.port;
    }
}

TEST_F(TraceTest, CellCodesOutsideTheItemSetLetTheRayThrough) {
    GameState.gridSize = 4;
    GameState.hiddenBoard[0] = 9;
    GameState.hiddenBoard[1] = -1;
    EXPECT_EQ(Trace(0), 11);
}

TEST_F(TraceTest, AWormholeJumpIsRecordedAndCounted) {
    SetRows(GameState.hiddenBoard, {".A..", "....", "...B", "...."});
    uint16_t count = 0;
    EXPECT_EQ(TraceRay(1, count, kHiddenBoard), 8);
    EXPECT_EQ(count, 3);
    const Point32 path[] = {{1, -1}, {1, 0}, {3, 2}, {3, 3}, {3, 4}, {kRayExitMark, 8}};
    for (int i = 0; i < kRayPathCapacity; ++i) {
        const Point32 unwritten{kRayUnwritten, kRayUnwritten};
        EXPECT_EQ(GameState.rayPath[i], i < 6 ? path[i] : unwritten) << i;
    }
}

TEST_F(TraceTest, PortsOutOfRangeAreRefusedWithoutTouchingThePath) {
    SetRows(GameState.hiddenBoard, {"....", "....", "....", "...."});
    Trace(2);
    const RayPath before = GameState.rayPath;
    uint16_t count = 7;
    EXPECT_EQ(TraceRay(-1, count, kHiddenBoard), TraceNegativePort);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(Trace(16), TracePortTooLarge);
    EXPECT_EQ(GameState.rayPath, before);
}

TEST_F(TraceTest, ARayLongerThanTheStepLimitStopsAtEntry197) {
    SetStepLimitBoard(GameState.playerBoard);
    uint16_t count = 0;
    EXPECT_EQ(TraceRay(17, count, kPlayerBoard), TraceStepLimit);
    EXPECT_EQ(count, 196);
    EXPECT_GE(GameState.rayPath[196].x, 0) << "the last move stays inside, with no exit entry";
    EXPECT_EQ(GameState.rayPath[197].x, kRayUnwritten);
    EXPECT_EQ(LabelAllPorts(kPlayerBoard), -1);
    EXPECT_EQ(GameState.playerLabels[17], 196) << "a stopped ray keeps its bare count";
    EXPECT_EQ(GameState.hiddenLabels, PortLabels{}) << "the player's board never writes the hidden labels";
}

}  // namespace
