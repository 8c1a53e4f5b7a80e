// Options and statistics between runs: defaults, the stored values, old stores, clamps, game results,
// and stores that are damaged, odd or out of reach.
#include "core/settings/settings.h"

#include <sstream>
#include <tuple>

#include "seam/registry.h"
#include "support/stand_in.h"

namespace {

auto Totals(const PlayerStats& s) {
    return std::tuple(s.bestscore, s.totalbad, s.totalscore, s.totalplay, s.totaltime);
}

// Every stored value: the options, then the two players' totals.
auto Stored() {
    const GameRecord& g = GameState;
    return std::tuple(g.version, g.langue, g.damier, g.items, g.useabsorbed, g.usereflect, g.useworm, g.hint,
                      g.player, Totals(g.stats1), Totals(g.stats2));
}

// Whether every line of `before` is still in `after`, in order, but the copies of "damier" and "items"
// that a save writes over.
bool KeepsEveryLine(const std::string& before, const std::string& after) {
    std::istringstream old(before), now(after);
    for (std::string line, kept; std::getline(old, line);) {
        const std::string_view value =
            std::string_view(line).substr(std::min(line.find_first_not_of(" \t"), line.size()));
        if (value.starts_with("\"damier\"=hex") || value.starts_with("\"items\"=")) continue;
        while (std::getline(now, kept) && kept != line) continue;
        if (!now) return false;
    }
    return true;
}

inline const std::string kKeyHeader = "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";
inline const std::string kStore = "REGEDIT4\n\n" + kKeyHeader;  // a store holding our key alone

// Saves, forgets the game record and loads it again.
void SaveAndReload() {
    SaveSettings();
    GameState = GameRecord{};
    LoadSettings();
}

class Settings : public GameTest {
  protected:
    static void Store(const std::string& text) {
        standIn.settingsRead = SettingsRead::Present;
        standIn.settings = text;
    }
    static bool StoreHas(const std::string& line) {
        return standIn.settings.find(line + "\n") != std::string::npos;
    }
};

TEST_F(Settings, AFirstRunStartsWithTheDefaultsAndWritesNothingAndEveryValueComesBackAfterASave) {
    InitSettings();
    EXPECT_EQ(Stored(), std::tuple(26, 0, 5, 4, 1, 1, 0, 1, int16_t{0}, Totals({}), Totals({})));
    EXPECT_EQ(standIn.settingsWrites, 0) << "start-up wrote to the store";
    GameRecord& g = GameState;
    g.langue = 1, g.damier = 7, g.items = 11, g.useabsorbed = 0, g.usereflect = 2, g.useworm = 1, g.hint = 0;
    g.player = -2, g.stats1 = {1, 2, 3, 4, -5}, g.stats2 = {6, 7, 8, 9, 2000000000};
    const auto saved = Stored();
    SaveAndReload();
    EXPECT_EQ(Stored(), saved);
    EXPECT_TRUE(StoreHas("\"player\"=hex(4):fe,ff")) << standIn.settings;
    std::size_t values = 0;
    for (std::size_t at = 0; (at = standIn.settings.find("\"=", at) + 1) != 0;) ++values;
    EXPECT_EQ(values, 19u) << "the game owns nineteen values:\n" << standIn.settings;
}

// Stores of older versions or other tools: what the game starts with, and the next save keeps just that.
TEST_F(Settings, OldOutOfRangeAndOddlyWrittenValuesStartTheGameAsTheHandheldReadThem) {
    auto started = [] {
        const GameRecord& g = GameState;
        return std::tuple(g.damier, g.items, g.player, g.langue, g.stats1.totaltime, g.stats2.totaltime);
    };
    const std::pair<const char*, decltype(started())> cases[] = {
        // version 25 counted Player 1's time in seconds, and Player 2's already in milliseconds
        {"\"version\"=dword:00000019\n\"totaltime\"=dword:0000005a\n\"totaltime2\"=dword:0000005a\n",
         {5, 4, 0, 0, 90000, 90}},
        // no version at all: old too; a text of two letters takes 6 bytes, too many for a number
        {"\"totaltime\"=dword:00000002\n\"langue\"=\"ab\"\n", {5, 4, 0, 0, 2000, 0}},
        {"\"damier\"=dword:0000000c\n\"items\"=dword:00000014\n", {8, 13, 0, 0, 0, 0}},
        {"\"damier\"=dword:00000000\n\"items\"=dword:00000001\n", {4, 3, 0, 0, 0, 0}},
        {"\"damier\"=dword:ffffffff\n\"items\"=dword:80000000\n", {4, 3, 0, 0, 0, 0}},
        {"\"version\"=dword:0000001A\n\"player\"=dword:00020001\n"  // 4 bytes: the low 16 bits
         "\"damier\"=hex(4):07,00,00,00,00\n"                       // longer than 4 bytes: ignored...
         "\"items\"=dword:00000006\n"                               // ...and the next value is still read
         "\"totaltime\"=hex(4):10,27\n"                             // 2 bytes fill the low end
         "\"langue\"=\"\\\\\"\n",  // a text, in UTF-16 with its end: "\\" is one backslash
         {5, 6, 1, '\\', 10000, 0}},
        // the last copy counts, whatever the case of its name, its type, or a line break in its data;
        // a deleted value is missing
        {"\"damier\"=dword:00000006\n\"DAMIER\"=hex:07,00,\\\n00,00\n\"items\"=dword:9\n\"items\"=-\n",
         {7, 4, 0, 0, 0, 0}},
    };
    for (const auto& [store, expected] : cases) {
        Store(kStore + store);
        InitSettings();
        EXPECT_EQ(started(), expected) << store;
        EXPECT_EQ(std::tuple(GameState.gridSize, GameState.itemCount),
                  std::tuple(GameState.damier, GameState.items));
        SaveAndReload();
        EXPECT_EQ(std::tuple(GameState.version, started()), std::tuple(26, expected))
            << "saved back: " << store;
    }
}

// Binary, cut short, a very long line, another key (or only a subkey of ours) around our values,
// duplicates and damaged copies: start-up reads what it can and writes nothing, and the next save
// loses nothing else and reads back.
TEST_F(Settings, DamagedStoresStartTheGameAndLoseNothingAtTheNextSave) {
    const std::tuple<std::string, int32_t, int32_t> cases[] = {
        {std::string("\x00\xff\xfe\x01 binary\r\x00", 12), 5, 4},
        {kStore + "\"damier\"=hex(4):06,\\", 6, 4},          // cut short in the middle of a value
        {kStore + "\"damier\"=hex(4):07,0g,00,00\n", 5, 4},  // not a hex digit: not a value
        {kStore + "\"damier\"=hex(4)07,00,00,00\n", 5, 4},   // no colon after the type: not a value
        {"REGEDIT4\n  " + kKeyHeader + " \t\"items\"=dword:00000009\n", 5, 9},  // blanks lead the lines
        {kStore + "\"damier\"=dword:000000006\n", 5, 4},                        // nine digits: not a value
        {kStore + "\"jtems\"=dword:00000009\n", 5, 4},                  // another name, one letter apart
        {kStore + "\"items\"=dword:00000009\n\"items\"=hex:\n", 5, 4},  // the last copy, empty
        {kStore + "\"cut\"=hex:01,\\", 5, 4},  // the values saved after it must not read as its data
        {kStore + "\"long\"=\"" + std::string(1u << 20, 'x') + "\"\n", 5, 4},
        {kStore + std::string(1u << 20, '[') + "\n\"damier\"=dword:00000006\n", 5, 4},
        {kStore + "\"cut\"=hex:01,\\\n[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:6\n", 5, 4},
        {"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"damier\"=dword:6\n", 5, 4},
        {"\x01\xfe garbage\n[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:00000008\n\n" +
             kKeyHeader +
             "\"damier\"=dword:00000006\n\"damier\"=dword:0000\x07\n\"items\"=dword:00000009\n"
             "\"unknown\"=dword:1\n\"items\"=hex(4):0a,\\",
         6, 10},
    };
    for (const auto& [text, damier, items] : cases) {
        const std::string start = testing::PrintToString(text.substr(0, 40));
        Store(text);
        standIn.settingsWrites = 0;
        InitSettings();
        EXPECT_EQ(std::tuple(GameState.damier, GameState.items), std::tuple(damier, items)) << start;
        EXPECT_EQ(standIn.settingsWrites, 0) << "start-up wrote the store starting " << start;
        const auto saved = Stored();
        SaveAndReload();
        EXPECT_TRUE(KeepsEveryLine(text, standIn.settings))
            << "content lost from the store starting " << start;
        EXPECT_EQ(Stored(), saved) << "the save did not read back in the store starting " << start;
    }
}

// A store too large to read, or one that cannot be read or written: the game goes on with what it has,
// counts its games, and leaves the store alone.
TEST_F(Settings, AStoreThatCannotBeReadOrWrittenIsIgnoredQuietly) {
    Store(kStore + "\"damier\"=dword:00000006\n");
    standIn.settingsRead = SettingsRead::TooLarge;
    InitSettings();
    EXPECT_EQ(std::tuple(GameState.damier, SaveSettings(), standIn.settingsWrites),
              std::tuple(5, ERROR_FILE_TOO_LARGE, 0));
    standIn.settingsRead = SettingsRead::Unreadable;
    EXPECT_EQ(std::tuple(LoadSettings(), SaveSettings(), standIn.settingsWrites),
              std::tuple(-1, ERROR_ACCESS_DENIED, 0));
    standIn.settingsRead = SettingsRead::Missing;
    standIn.writeError = ERROR_WRITE_FAULT;
    RecordGame(0, 0, 1000);
    EXPECT_EQ(std::tuple(GameState.stats1.totalplay, SaveSettings()), std::tuple(1, ERROR_WRITE_FAULT));
}

// Player 1 solves 6 items in 83.4 s (labels equal: misplaced items do not count), then a game of no
// measurable time is saved but not counted; Player 2's games change only Player 2's totals, which wrap.
TEST_F(Settings, GamesCountForThePlayerWhoPlayedThemAndAreSaved) {
    GameState.itemCount = 6;
    RecordGame(0, 2, 83400);
    ASSERT_EQ(standIn.settingsWrites, 1) << "the game was not saved";
    standIn.settings.clear();
    RecordGame(2, 1, 0);
    EXPECT_TRUE(StoreHas("\"totalplay\"=dword:00000001")) << "a game of 0 ms must still be saved";
    GameState.player = 2, GameState.itemCount = 7;  // any player but 0 is Player 2
    RecordGame(3, 2, 5000);
    RecordGame(1, 1, 1000);
    EXPECT_EQ(Totals(GameState.stats2), std::tuple(0, 3, 14, 2, 6000));
    GameState.stats2.totaltime = 0x7FFFFFFF;
    RecordGame(0, 0, 2);
    EXPECT_EQ(GameState.stats2.totaltime, INT32_MIN + 1);
    ResetStatistics(-1);
    EXPECT_EQ(std::tuple(Totals(GameState.stats1), Totals(GameState.stats2)),
              std::tuple(std::tuple(0, 0, 6, 1, 83400), Totals({})));
}

}  // namespace
