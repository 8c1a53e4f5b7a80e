// Options and statistics between runs: defaults, the stored values, old stores, clamps, game results.
#include "settings/settings.h"

#include <tuple>

#include "settings/settings_fixture.h"

namespace {

const std::string kStore = "REGEDIT4\n\n" + kKeyHeader;

auto Options() {
    const GameRecord& g = GameState;
    return std::tuple(g.version, g.langue, g.damier, g.items, g.useabsorbed, g.usereflect, g.useworm, g.hint,
                      g.player);
}

auto Totals(const PlayerStats& s) {
    return std::tuple(s.bestscore, s.totalbad, s.totalscore, s.totalplay, s.totaltime);
}

using Settings = SettingsTest;

TEST_F(Settings, AFirstRunStartsWithTheDefaultsAndWritesNothing) {
    InitSettings();
    EXPECT_EQ(Options(), std::tuple(26, 0, 5, 4, 1, 1, 0, 1, int16_t{0}));
    EXPECT_EQ(std::tuple(GameState.gridSize, GameState.itemCount), std::tuple(5, 4));
    EXPECT_EQ(Totals(GameState.stats1), Totals(PlayerStats{}));
    EXPECT_EQ(Totals(GameState.stats2), Totals(PlayerStats{}));
    EXPECT_FALSE(QDir(folder.path() + "/Kestory").exists()) << "start-up wrote to the store";
}

TEST_F(Settings, EveryValueComesBackAfterASave) {
    GameRecord& g = GameState;
    g.version = 26, g.langue = 1, g.damier = 7, g.items = 11, g.useabsorbed = 0, g.usereflect = 2,
    g.useworm = 1;
    g.hint = 0, g.player = -2, g.stats1 = {1, 2, 3, 4, -5}, g.stats2 = {6, 7, 8, 9, 2000000000};
    const auto options = Options();
    const GameRecord saved = g;
    ASSERT_EQ(SaveSettings(), 0);
    EXPECT_TRUE(FileHas("\"player\"=hex(4):fe,ff")) << ReadFile();
    g = GameRecord{};
    ASSERT_EQ(LoadSettings(), 0);
    EXPECT_EQ(Options(), options);
    EXPECT_EQ(Totals(g.stats1), Totals(saved.stats1));
    EXPECT_EQ(Totals(g.stats2), Totals(saved.stats2));
}

TEST_F(Settings, OldStoresHadPlayerOneTimesInSeconds) {
    WriteFile(kStore +
              "\"version\"=dword:00000019\n\"totaltime\"=dword:0000005a\n\"totaltime2\"=dword:0000005a\n");
    InitSettings();
    EXPECT_EQ(GameState.stats1.totaltime, 90000);
    EXPECT_EQ(GameState.stats2.totaltime, 90) << "Player 2's time must not be converted";
    SaveSettings();
    EXPECT_TRUE(FileHas("\"version\"=dword:0000001a") && FileHas("\"totaltime\"=dword:00015f90"))
        << ReadFile();

    WriteFile(kStore + "\"totaltime\"=dword:00000002\n");  // no version at all: old too
    InitSettings();
    EXPECT_EQ(GameState.stats1.totaltime, 2000);
}

TEST_F(Settings, GridSizeAndItemCountAreClampedAndStoredClamped) {
    using Case = std::tuple<const char*, const char*, int32_t, int32_t>;  // stored damier, items; clamped
    for (auto [damierText, itemsText, damier, items] :
         {Case{"0000000c", "00000014", 8, 13}, Case{"00000000", "00000001", 4, 3},
          Case{"ffffffff", "80000000", 4, 3}}) {
        WriteFile(kStore + "\"version\"=dword:0000001a\n\"damier\"=dword:" + damierText +
                  "\n\"items\"=dword:" + itemsText + "\n");
        InitSettings();
        EXPECT_EQ(std::tuple(GameState.damier, GameState.gridSize, GameState.items, GameState.itemCount),
                  std::tuple(damier, damier, items, items));
        SaveSettings();
        GameState = GameRecord{};
        LoadSettings();
        EXPECT_EQ(std::tuple(GameState.damier, GameState.items), std::tuple(damier, items))
            << "not stored clamped";
    }
}

TEST_F(Settings, OddlySizedValuesReadAsTheHandheldReadThem) {
    WriteFile(kStore +
              "\"version\"=dword:0000001a\n\"player\"=dword:00020001\n"  // 4 bytes: the low 16 bits
              "\"damier\"=hex(4):07,00,00,00,00\n"                       // longer than 4 bytes: ignored...
              "\"items\"=dword:00000006\n"    // ...and the next value is still read
              "\"totaltime\"=hex(4):10,27\n"  // 2 bytes fill the low end
              "\"langue\"=\"x\"\n");          // another type: its 4 bytes as they are
    InitSettings();
    EXPECT_EQ(std::tuple(GameState.player, GameState.damier, GameState.items, GameState.stats1.totaltime,
                         GameState.langue),
              std::tuple(int16_t{1}, 5, 6, 10000, int32_t{'x'}));
}

TEST_F(Settings, ASolvedGameOf83Point4SecondsWithSixItemsAndOneOfNoMeasurableTime) {
    GameState.itemCount = 6;
    RecordGame(0, 2, 83400);  // labels equal: misplaced items do not count
    EXPECT_EQ(Totals(GameState.stats1), std::tuple(0, 0, 6, 1, 83400));
    EXPECT_TRUE(FileHas("\"totaltime\"=dword:000145c8")) << ReadFile();
    ASSERT_TRUE(QFile::remove(FilePath()));
    RecordGame(2, 1, 0);
    EXPECT_EQ(Totals(GameState.stats1), std::tuple(0, 0, 6, 1, 83400)) << "a game of 0 ms was counted";
    EXPECT_TRUE(FileHas("\"totalplay\"=dword:00000001")) << "a game of 0 ms must still be saved";
}

TEST_F(Settings, PlayerTwoGamesChangeOnlyPlayerTwoTotals) {
    GameState.player = 1;
    GameState.itemCount = 7;
    RecordGame(3, 2, 5000);
    RecordGame(1, 1, 1000);
    EXPECT_EQ(Totals(GameState.stats2), std::tuple(0, 3, 14, 2, 6000));
    for (const char* name : {"totalbad", "totalscore", "totalplay", "totaltime"}) {
        EXPECT_TRUE(FileHas("\"" + std::string(name) + "\"=dword:00000000")) << name;
    }
    GameState.stats2.totaltime = 0x7FFFFFFF;  // totals wrap at 32 bits
    RecordGame(0, 0, 2);
    EXPECT_EQ(GameState.stats2.totaltime, INT32_MIN + 1);
    ResetStatistics(1);
    EXPECT_EQ(Totals(GameState.stats2), Totals(PlayerStats{}));
}

TEST_F(Settings, ADamagedStoreStartsTheGameAndKeepsWhatItDoesNotOwn) {
    const std::string damaged =
        "\x01\xfe garbage\n[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:00000008\n\n" + kKeyHeader +
        "\"damier\"=dword:00000006\n\"damier\"=dword:0000\x07\n" +
        "\"items\"=dword:00000009\n\"unknown\"=dword:1\n\"items\"=hex(4):0a,\\";
    WriteFile(damaged);
    InitSettings();
    EXPECT_EQ(GameState.damier, 6) << "the damaged second copy must not count";
    EXPECT_EQ(GameState.items, 10) << "the last copy counts, even cut short";
    EXPECT_EQ(ReadFile(), damaged) << "start-up changed the store";
    SaveSettings();
    for (const char* kept :
         {"\x01\xfe garbage\n[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:00000008\n",
          "\"damier\"=dword:0000\x07\n", "\"unknown\"=dword:1\n"}) {
        EXPECT_NE(ReadFile().find(kept), std::string::npos) << "lost " << kept;
    }
}

TEST_F(Settings, AStoreThatCannotBeWrittenIsIgnoredQuietly) {
    QFile blocker(folder.path() + "/Kestory");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    GameState.itemCount = 4;
    RecordGame(0, 0, 1000);
    EXPECT_EQ(GameState.stats1.totalplay, 1);
    EXPECT_NE(SaveSettings(), 0);
}

}  // namespace
