// The game core on a stand-in platform that records what the game asks of it: no window, no Qt. A
// platform turns its pointer or keys into a game point, and keeps the settings as one text (a
// browser's local storage); everything after that is here. The settings file's own rules are tested
// in tests/platform and tests/settings.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "model/hit_test.h"
#include "model/model.h"
#include "seam/host.h"
#include "seam/registry.h"
#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "core/face.h"
#include "core/settings/settings.h"
#include "support/bitmap_sizes.h"
#include "support/board_rows.h"
#include "core/ui/game_flow.h"
#include "core/ui/input.h"

namespace {

// What the stand-in platform was asked.
struct StandIn {
    uint32_t now = 5000;
    std::map<uint32_t, uint32_t> timers;  // id -> period
    int repaints = 0;                     // updateWindow calls
    std::vector<std::u16string> boxes;
    SettingsRead settingsRead = SettingsRead::Missing;
    std::string settings;
    int settingsWrites = 0;
};
StandIn standIn;

Host StandInHost() {
    Host host{};
    host.tickCount = [] { return standIn.now; };
    host.setTimer = [](uint32_t id, uint32_t milliseconds) { return standIn.timers[id] = milliseconds, id; };
    host.killTimer = [](uint32_t id) { standIn.timers.erase(id); };
    // Like a window, it paints the whole screen when asked to update (painting recounts the palette),
    // and an invalid area at once.
    host.updateWindow = [] {
        ++standIn.repaints;
        PaintFrame(Rect32{0, 0, kGameWidth, kGameHeight});
    };
    host.invalidate = [](const Rect32& area) { PaintFrame(area); };
    // Blank bitmaps of the game's sizes.
    host.loadBitmap = [](int number) {
        for (const BitmapSize& b : kBitmapSizes) {
            if (b.number == number) return Bitmap(b.width, b.height, b.twoColour);
        }
        return Bitmap();
    };
    host.messageBox = [](std::u16string_view text, std::u16string_view, unsigned) {
        standIn.boxes.emplace_back(text);
        return IDOK;
    };
    host.readSettings = [](std::string& text) {
        if (standIn.settingsRead == SettingsRead::Present) text = standIn.settings;
        return standIn.settingsRead;
    };
    host.writeSettings = [](const std::string& text) {
        standIn.settings = text, standIn.settingsRead = SettingsRead::Present, ++standIn.settingsWrites;
        return ERROR_SUCCESS;
    };
    return host;
}

class StandInTest : public ::testing::Test {
  protected:
    void SetUp() override {
        standIn = StandIn{};
        SetHost(StandInHost());
        GameState = GameRecord{};
        CreateOffscreenBuffer(kGameWidth, kGameHeight);
        UsePuzzle({"/...", "..o.", "....", "...."});  // a slash mirror at (0, 0), an absorber at (2, 1)
    }
    void TearDown() override {
        DestroyOffscreenBuffer();
        SetHost(Host{});
    }
    static void TapAt(int x, int y) { ApplyTap(HitTest(GameState, x, y)); }
    static void TapCell(int column, int row) {
        TapAt(GameState.boardX + 20 * column + 10, GameState.boardY + 20 * row + 10);
    }
};

TEST_F(StandInTest, TheFirstBoardTapPlacesTheSelectionStartsTheClockAndATapOnItTakesItBack) {
    TapCell(3, 3);
    EXPECT_EQ(GameState.playerBoard[3 * 8 + 3], SlashMirror);
    EXPECT_EQ(std::tuple(GameState.moveCount, GameState.gameStartTick, standIn.timers[1]),
              std::tuple(1, 5000u, 100u))
        << "the game clock ticks every 100 ms from the first counted tap";
    EXPECT_EQ(standIn.repaints, 1) << "every tap repaints at once";
    standIn.now = 6000;
    TapCell(3, 3);
    EXPECT_EQ(std::tuple(GameState.playerBoard[3 * 8 + 3], GameState.placedCount, GameState.moveCount),
              std::tuple(int16_t{Empty}, 0, 2));
    EXPECT_EQ(GameState.gameStartTick, 5000u) << "the clock started once";
}

TEST_F(StandInTest, APortTapShowsItsRayASecondHidesItAndPaletteTapsOnlyPickSlotsThatAreLeft) {
    TapAt(GameState.boardX + 5, GameState.boardY - 10);  // port 0's box
    EXPECT_EQ(GameState.shownPort, 0);
    TapAt(GameState.boardX + 5, GameState.boardY - 10);
    EXPECT_EQ(GameState.shownPort, -89) << "hidden again";
    TapAt(GameState.paletteX + 10, GameState.paletteY + 30);
    EXPECT_EQ(GameState.paletteSlot, 1);
    TapAt(GameState.paletteX + 10, GameState.paletteY + 50);
    EXPECT_EQ(GameState.paletteSlot, 1) << "slot 2 is not in a strip of two";
    EXPECT_EQ(GameState.moveCount, 0) << "port and palette taps are not moves";
    EXPECT_TRUE(standIn.timers.empty());
}

TEST_F(StandInTest, TheLastItemThatMakesTheRingsEqualEndsTheGameAndAFrameShowsTheResult) {
    TapCell(0, 0);  // the slash mirror, selected first
    standIn.now = 65000;
    TapCell(2, 1);  // the absorber: both rings agree
    // The time and the count of a finished game are in the window's game-flow test.
    EXPECT_EQ(std::pair(standIn.timers.size(), standIn.boxes.size()), std::pair(size_t{0}, size_t{0}))
        << "the clock stops; nothing is asked";

    // The last frame shows the puzzle without Qt; only a platform's text is missing.
    const Bitmap& screen = Offscreen.bufferDC.Image();
    EXPECT_EQ(screen.pixel(GameState.boardX + 5, GameState.boardY), rgb(255, 255, 255))
        << "the grid's white lines";
    EXPECT_EQ(screen.pixel(GameState.boardX + 5, GameState.boardY - 22), rgb(0, 0, 0))
        << "a port box's outline";
    EXPECT_EQ(screen.pixel(GameState.boardX + 5, GameState.boardY - 20), rgb(100, 255, 100))
        << "port 0's ray leaves by another port: a light green box";
    EXPECT_EQ(GameState.gamePhase, Finished) << "no internal error while painting";
}

// The vertical mirror one cell left of its place turns back the ray from the right port of its row
// sooner: that port's number alone differs.
TEST_F(StandInTest, AFullBoardWhoseNumbersDifferAtASinglePortPlaysOn) {
    UsePuzzle({"....", "|..|", "....", "...."});
    TapCell(0, 1);
    TapCell(2, 1);
    EXPECT_EQ(std::pair(GameState.placedCount, GameState.gamePhase), std::pair(2, Playing));
}

// Options may change the game under the screen: whatever was chosen, the screen is drawn again.
TEST_F(StandInTest, TheOptionsDrawTheScreenAgain) {
    Offscreen.bufferDC.PatBlt(0, 0, kGameWidth, kGameHeight, RasterOp::Blackness);
    OnOptions();
    EXPECT_EQ(Offscreen.bufferDC.Image().pixel(GameState.boardX + 5, GameState.boardY), rgb(255, 255, 255))
        << "the grid's white lines";
}

TEST_F(StandInTest, LoadingTheSettingsNeverWritesThemAndASaveKeepsWhatItDoesNotOwnAndReadsBack) {
    standIn.settingsRead = SettingsRead::Present;
    standIn.settings =
        "REGEDIT4\n\n; kept\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n\"damier\"=dword:6\n"
        "\"other\"=hex:01\n";
    ASSERT_EQ(LoadSettings(), 0);
    EXPECT_EQ(std::tuple(GameState.damier, standIn.settingsWrites), std::tuple(6, 0)) << "loading wrote";

    GameState.damier = 7;
    ASSERT_EQ(SaveSettings(), ERROR_SUCCESS);
    const std::string& text = standIn.settings;
    EXPECT_NE(text.find("; kept\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"other\"=hex:01\n"), std::string::npos) << text;
    int values = 0;
    for (std::size_t at = text.find("\"="); at != std::string::npos; at = text.find("\"=", at + 1)) ++values;
    EXPECT_EQ(values, 19 + 1) << "the game owns nineteen values:\n" << text;

    GameState.damier = 4;
    ASSERT_EQ(LoadSettings(), 0);
    EXPECT_EQ(GameState.damier, 7);
}

}  // namespace
