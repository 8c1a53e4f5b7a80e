// What the play screen reads from the model: the palette, the comparison of the boards and the clock's
// text. Where the board, the boxes and the palette lie is drawn in the pictures of docs/screenshots
// and mapped back by the hit-test tables.
#include <string>
#include <tuple>

#include "model_test.h"

namespace {

using PaletteTest = ModelTest;
using CompareTest = ModelTest;
using ElapsedTest = ModelTest;

// Recounts the palette and gives the selection it leaves: the slot, then the item type.
std::array<int32_t, 2> Recount(int16_t preferred) {
    RecountPalette(preferred);
    return {GameState.paletteSlot, GameState.selectedItem};
}

TEST_F(PaletteTest, TheSelectionFollowsTheStripOfWhatIsLeftToPlace) {
    SetRows(GameState.hiddenBoard, {"/A..", "....", "..o.", "/..B"});  // strip: [1, 1, 5]
    SetRows(GameState.playerBoard, {".A..", "....", "....", "...B"});
    EXPECT_EQ(Recount(Absorber), (std::array{2, 5})) << "a preferred type at the start of its run";
    EXPECT_EQ(Recount(-1), (std::array{2, 5})) << "-1 keeps a valid selection";
    EXPECT_EQ(Recount(0), (std::array{0, 1}));
    GameState.paletteSlot = 1;
    EXPECT_EQ(Recount(TotalReflector), (std::array{1, 6})) << "a type with nothing left: its slot is kept";

    SetRows(GameState.playerBoard, {".A..", "..//", "....", "...B"});  // strip: [5]
    GameState.selectedItem = Empty;
    EXPECT_EQ(Recount(-1), (std::array{0, 5})) << "nothing was selected: the first type left";
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
