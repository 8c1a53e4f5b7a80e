// What the play screen reads from the model: the palette, the comparison of the boards, where the
// board, the boxes and the palette lie, and the clock's text.
#include <string>
#include <tuple>

#include "model_test.h"

namespace {

using PaletteTest = ModelTest;
using CompareTest = ModelTest;
using ElapsedTest = ModelTest;
using LayoutTest = ModelTest;

// Recounts the palette and gives the selection it leaves: the slot, then the item type.
std::array<int32_t, 2> Recount(int16_t preferred) {
    RecountPalette(preferred);
    return {GameState.paletteSlot, GameState.selectedItem};
}

TEST_F(PaletteTest, TheSelectionFollowsTheStripOfWhatIsLeftToPlace) {
    SetRows(GameState.hiddenBoard, {"/A..", "....", "..o.", "/..B"});  // strip: [1, 1, 5]
    SetRows(GameState.playerBoard, {".A..", "....", "....", "...B"});
    EXPECT_EQ(Recount(Absorber), (std::array{2, 5})) << "a preferred type at the start of its run";
    EXPECT_EQ((std::array{GameState.remaining[1], GameState.remaining[5], GameState.remaining[7]}),
              (std::array<int16_t, 3>{2, 1, 0}));
    EXPECT_EQ(Recount(-1), (std::array{2, 5})) << "-1 keeps a valid selection";
    EXPECT_EQ(Recount(0), (std::array{0, 1}));
    GameState.paletteSlot = 1;
    EXPECT_EQ(Recount(TotalReflector), (std::array{1, 6})) << "a type with nothing left: its slot is kept";

    SetRows(GameState.playerBoard, {".A..", "..//", "....", "...B"});  // strip: [5]
    GameState.selectedItem = Empty;
    EXPECT_EQ(Recount(-1), (std::array{0, 5})) << "nothing was selected: the first type left";
    EXPECT_EQ(GameState.remaining[1], 0);
    GameState.gamePhase = Finished;
    RecountPalette(-1);
    EXPECT_EQ((std::array{GameState.remaining[1], GameState.remaining[8]}), (std::array<int16_t, 2>{2, 1}))
        << "a finished game shows the whole puzzle";
    GameState.hiddenBoard = GameState.playerBoard = Board{};
    GameState.selectedItem = Empty;
    GameState.paletteSlot = 3;
    EXPECT_EQ(Recount(0), (std::array{3, 0})) << "an empty strip selects nothing and keeps its slot";
}

TEST_F(CompareTest, BoardsWithTheSameLabelsMatchAndOnlyHiddenItemsCanBeMisplaced) {
    struct Case {
        std::initializer_list<std::string_view> hidden, player;
        int16_t differing;
        int32_t misplaced;
    } const cases[] = {
        {{"/A..", "....", "..o.", "#..B"}, {"/A..", "....", "..o.", "#..B"}, 0, 0},    // a copy
        {{"/...", ".\\..", "....", "...."}, {"/...", "....", "....", "...\\"}, 0, 1},  // same labels
        // Ports 0, 3, 6, 8, 11 and 15 differ; the wormhole pair never counts as misplaced.
        {{".A..", "....", "..B/", "...."}, {"oA..", "....", "..B.", "...."}, 6, 1},
        {{"....", "....", "....", "...."}, {"o...", "....", "....", "...."}, 4, 0},  // ports 0, 4, 11, 15
    };
    for (const Case& c : cases) {
        SetRows(GameState.hiddenBoard, c.hidden);
        SetRows(GameState.playerBoard, c.player);
        LabelAllPorts(kHiddenBoard);
        int32_t misplaced = -5;
        EXPECT_EQ(CompareBoards(misplaced), c.differing) << *c.player.begin();
        EXPECT_EQ(misplaced, c.misplaced) << *c.player.begin();
    }
}

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

TEST_F(ElapsedTest, DurationsReadAsHoursMinutesSecondsAndTruncatedTenths) {
    const std::pair<uint32_t, std::wstring> table[] = {
        {0, L"0\"0"},           {45300, L"45\"3"},
        {59999, L"59\"9"},      {60000, L"1'0\"0"},
        {65300, L"1'5\"3"},     {3599999, L"59'59\"9"},
        {3600000, L"1h0'0\"0"}, {3723456, L"1h2'3\"4"},
        {999, L"0\"9"},         {4294967295u, L"1193h2'47\"2"}};
    for (const auto& [ms, text] : table) {
        wchar_t buffer[13];
        EXPECT_EQ(FormatElapsed(buffer, 13, ms), static_cast<int>(text.size())) << ms;
        EXPECT_EQ(std::wstring(buffer), text) << ms;
    }
    wchar_t shortBuffer[4];
    EXPECT_EQ(FormatElapsed(shortBuffer, 4, 65300), 3);
    EXPECT_EQ(std::wstring(shortBuffer), L"1'5") << "a short buffer gets what fits and its terminating zero";
}

}  // namespace
