// The game's view for a platform: whole-number zoom, platform points mapped back to game points, and
// the keyboard's cursor over the board, the port bands and the palette.
#include "core/ui/game_flow.h"
#include "core/ui/key_cursor.h"
#include "core/ui/zoom.h"
#include "support/board_rows.h"
#include "support/stand_in.h"

namespace {

TEST(ZoomTest, AFirstStartTakesTheLargestZoomUpToFourWithinSixtyPercentOfTheScreenHeight) {
    const std::pair<int, int> cases[] = {{600, 1},  {768, 1},  {893, 1},  {894, 2}, {1080, 2},
                                         {1340, 3}, {1440, 3}, {2160, 4}, {4320, 4}};
    for (const auto& [available, zoom] : cases)
        EXPECT_EQ(FirstStartZoom(available), zoom) << available << " pixels high";
}

TEST(ZoomTest, TheGameIsCentredAtTheLargestFittingZoomAndTapsMapBackToItsPixels) {
    const ZoomView view = CentredView(1000, 700, FittingZoom(1000, 700));
    EXPECT_EQ(std::tuple(view.zoom, view.left, view.top), std::tuple(2, 260, 82))
        << "the height allows zoom 2, the width 4";
    // Window point, then the game point it maps to or (-1, -1) outside the game.
    const std::array<int, 4> taps[] = {{260, 82, 0, 0},      {261, 83, 0, 0},    {262, 82, 1, 0},
                                       {739, 617, 239, 267}, {259, 100, -1, -1}, {740, 100, -1, -1},
                                       {300, 81, -1, -1},    {300, 618, -1, -1}};
    for (const auto& [x, y, gameX, gameY] : taps) {
        int mappedX = -1;
        int mappedY = -1;
        const bool inside = ToGamePoint(view, x, y, mappedX, mappedY);
        EXPECT_EQ(inside ? std::pair(mappedX, mappedY) : std::pair(-1, -1), std::pair(gameX, gameY))
            << x << "," << y;
    }
    EXPECT_EQ(FittingZoom(100, 100), 1) << "a window smaller than the game still shows it at 1";
}

class KeyCursorTest : public testing::Test {
  protected:
    void SetUp() override {
        GameState = GameRecord{};
        Layout(5, 4);
    }
    // Where the cursor stands, as "cell c,r", "port p" or "slot s".
    static std::string Where(const KeyCursor& cursor) {
        switch (cursor.place) {
            case CursorPlace::Board:
                return "cell " + std::to_string(cursor.column) + "," + std::to_string(cursor.row);
            case CursorPlace::Port:
                return "port " + std::to_string(cursor.port);
            case CursorPlace::Palette:
                return "slot " + std::to_string(cursor.slot);
        }
        return "";
    }
    std::string After(const std::string& keys) {
        for (char key : keys) {
            MoveCursor(cursor, key == 'L'   ? CursorKey::Left
                               : key == 'R' ? CursorKey::Right
                               : key == 'U' ? CursorKey::Up
                                            : CursorKey::Down);
        }
        return Where(cursor);
    }
    KeyCursor cursor;
};

TEST_F(KeyCursorTest, ArrowsWalkTheBoardTheFourBandsOfPortsAndThePalette) {
    // Keys from a hidden cursor (the first key only shows it), and where they lead.
    const std::pair<const char*, const char*> walks[] = {
        {"R", "cell 0,0"},          {"RRRD", "cell 2,1"},       {"RRRU", "port 2"},
        {"RRRUD", "cell 2,0"},      {"RRRUR", "port 3"},        {"RRRRRRR", "port 5"},
        {"RRRRRRRRUU", "port 5"},   {"DRRRRRRDD", "port 7"},    {"DRRRRRRDL", "cell 4,1"},
        {"DDDDDDR", "port 13"},     {"DDDDDDRRRRR", "port 10"}, {"DDDDDDRU", "cell 1,4"},
        {"DLDDDL", "slot 0"},       {"DLDDDLDU", "slot 0"},     {"DLDDDLDDDD", "slot 3"},
        {"DLDDDLDDDDR", "port 16"}, {"DLDDDLDR", "port 16"},    {"DLDDDLLU", "slot 0"},
        {"DDLUU", "port 19"},       {"LLR", "cell 0,0"},        {"LLDDDDDD", "port 15"},
    };
    for (const auto& [keys, where] : walks) {
        cursor = KeyCursor{};
        EXPECT_EQ(After(keys), where) << keys;
    }

    // A key tap acts on what a pointer tap at the centre of the cursor's square finds.
    for (const char* keys : {"RRRD", "RRRU", "DLDDDLDD", "DDDDDDR"}) {
        cursor = KeyCursor{};
        After(keys);
        const Rect32 square = CursorSquare(cursor);
        EXPECT_EQ(CursorHit(cursor), HitTest(GameState, square.left + 10, square.top + 10)) << keys;
    }
}

TEST_F(KeyCursorTest, AnEmptyPaletteIsSkippedAndASmallerBoardPullsTheCursorIn) {
    After("DLDDDL");
    ASSERT_EQ(Where(cursor), "slot 0");
    GameState.placedCount = GameState.itemCount;
    ClampCursor(cursor);
    EXPECT_EQ(Where(cursor), "port 16") << "the strip emptied under the cursor";
    EXPECT_EQ(After("L"), "port 16");
    EXPECT_EQ(PaletteSlotHit(0).place, TapPlace::Nothing) << "a digit finds no slot in an empty strip";

    for (const char* keys : {"RRRRRDDDD", "DDLUU", "RU"}) {  // cell 4,4, port 19 and port 0
        cursor = KeyCursor{};
        After(keys);
        Layout(4, 4);
        ClampCursor(cursor);
        EXPECT_EQ(Where(cursor), keys[1] == 'R' ? "cell 3,3" : keys[1] == 'D' ? "port 15" : "port 0");
        Layout(5, 4);
    }
}

using KeyboardTest = GameTest;

TEST_F(KeyboardTest, TheKeysActOnTheCellUnderTheCursorWhichAPlatformDrawsAroundItsSquare) {
    StartPlaying();
    const ZoomView view{2, 10, 20};
    Overlay overlays[2];
    Key(GameKey::Tap);
    ASSERT_EQ(Overlays(view, overlays), 1) << "the tap key only shows a hidden cursor";
    const Overlay& outline = overlays[0];
    EXPECT_EQ(std::tuple(outline.outer, outline.thickness, outline.inner, outline.colour),
              std::tuple(Rect32{9 + 2 * GameState.boardX, 19 + 2 * GameState.boardY,
                                11 + 2 * (GameState.boardX + 21), 21 + 2 * (GameState.boardY + 21)},
                         2, 1, kCursorColour))
        << "2 pixels wide on the edge of cell (0, 0)'s box";
    EXPECT_EQ(GameState.moveCount, 0);
    for (GameKey key : {GameKey::Right, GameKey::Right, GameKey::Down, GameKey::Tap}) Key(key);
    EXPECT_NE(GameState.playerBoard[2 * 8 + 1], Empty) << "the tap key placed an item in cell (2, 1)";
    Key(GameKey::Slot2);
    EXPECT_EQ(GameState.paletteSlot, 1) << "the digit 2 picks the second slot";
    Key(GameKey::Slot9);
    EXPECT_EQ(GameState.paletteSlot, 1) << "a slot the strip does not have changes nothing";
    Tap(0, 0);
    EXPECT_EQ(Overlays(view, overlays), 0) << "a pointer tap hides the cursor";

    // On cell (4, 4) of a 5 x 5 board, then a 4 x 4 game: the tap key taps the nearest cell, (3, 3).
    for (int i = 0; i < 9; ++i) Key(i < 5 ? GameKey::Right : GameKey::Down);
    GameState.damier = 4;
    OnNewGame();
    Key(GameKey::Tap);
    EXPECT_NE(GameState.playerBoard[3 * 8 + 3], Empty);
}

}  // namespace
