// Options and statistics between runs: defaults, the stored values, old stores, clamps, game results.
#include "settings/settings.h"

#include <QDir>

#include "settings/settings_fixture.h"

namespace {

const std::string kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";

using Settings = SettingsTest;

TEST_F(Settings, AFirstRunStartsWithTheDefaultsAndWritesNothing) {
    InitSettings();
    const GameRecord& g = GameState;
    EXPECT_EQ(g.langue, 0);
    EXPECT_EQ(g.hint, 1);
    EXPECT_EQ(g.damier, 5);
    EXPECT_EQ(g.gridSize, 5);
    EXPECT_EQ(g.items, 4);
    EXPECT_EQ(g.itemCount, 4);
    EXPECT_EQ(g.useabsorbed, 1);
    EXPECT_EQ(g.usereflect, 1);
    EXPECT_EQ(g.useworm, 0);
    EXPECT_EQ(g.player, 0);
    EXPECT_EQ(g.version, 26);
    EXPECT_EQ(g.stats1.totalplay + g.stats1.totaltime + g.stats2.totalplay + g.stats2.totaltime, 0);
    EXPECT_FALSE(QDir(folder.path() + "/Kestory").exists()) << "start-up wrote to the store";
}

TEST_F(Settings, EveryValueComesBackAfterASave) {
    GameRecord& g = GameState;
    g.version = 26, g.langue = 1, g.damier = 7, g.items = 11, g.useabsorbed = 0, g.usereflect = 2,
    g.useworm = 1;
    g.hint = 0, g.player = -2;
    g.stats1 = {1, 2, 3, 4, -5};
    g.stats2 = {6, 7, 8, 9, 2000000000};
    const GameRecord saved = g;
    ASSERT_EQ(SaveSettings(), 0);
    EXPECT_NE(ReadFile().find("\"player\"=hex(4):fe,ff\n"), std::string::npos) << ReadFile();

    g = GameRecord{};
    ASSERT_EQ(LoadSettings(), 0);
    EXPECT_EQ(g.version, saved.version);
    EXPECT_EQ(g.langue, saved.langue);
    EXPECT_EQ(g.damier, saved.damier);
    EXPECT_EQ(g.items, saved.items);
    EXPECT_EQ(g.useabsorbed, saved.useabsorbed);
    EXPECT_EQ(g.usereflect, saved.usereflect);
    EXPECT_EQ(g.useworm, saved.useworm);
    EXPECT_EQ(g.hint, saved.hint);
    EXPECT_EQ(g.player, saved.player);
    for (auto [loaded, original] : {std::pair{g.stats1, saved.stats1}, std::pair{g.stats2, saved.stats2}}) {
        EXPECT_EQ(loaded.bestscore, original.bestscore);
        EXPECT_EQ(loaded.totalbad, original.totalbad);
        EXPECT_EQ(loaded.totalscore, original.totalscore);
        EXPECT_EQ(loaded.totalplay, original.totalplay);
        EXPECT_EQ(loaded.totaltime, original.totaltime);
    }
}

TEST_F(Settings, AVersion25StoreHadPlayerOneTimesInSeconds) {
    WriteFile(kHeader +
              "\"version\"=dword:00000019\n\"totaltime\"=dword:0000005a\n\"totaltime2\"=dword:0000005a\n");
    InitSettings();
    EXPECT_EQ(GameState.stats1.totaltime, 90000);
    EXPECT_EQ(GameState.stats2.totaltime, 90) << "Player 2's time must not be converted";
    SaveSettings();
    const std::string file = ReadFile();
    EXPECT_NE(file.find("\"version\"=dword:0000001a"), std::string::npos);
    EXPECT_NE(file.find("\"totaltime\"=dword:00015f90"), std::string::npos);
}

TEST_F(Settings, AStoreWithoutVersionCountsAsOld) {
    WriteFile(kHeader + "\"totaltime\"=dword:00000002\n");
    InitSettings();
    EXPECT_EQ(GameState.stats1.totaltime, 2000);
}

TEST_F(Settings, GridSizeAndItemCountAreClampedAndStoredClamped) {
    struct Case {
        const char* stored;
        int32_t damier;
        int32_t items;
    };
    for (const Case& c : {Case{"\"damier\"=dword:0000000c\n\"items\"=dword:00000014\n", 8, 13},
                          Case{"\"damier\"=dword:00000000\n\"items\"=dword:00000001\n", 4, 3},
                          Case{"\"damier\"=dword:ffffffff\n\"items\"=dword:80000000\n", 4, 3}}) {
        WriteFile(kHeader + "\"version\"=dword:0000001a\n" + c.stored);
        InitSettings();
        EXPECT_EQ(GameState.damier, c.damier) << c.stored;
        EXPECT_EQ(GameState.gridSize, c.damier) << c.stored;
        EXPECT_EQ(GameState.items, c.items) << c.stored;
        EXPECT_EQ(GameState.itemCount, c.items) << c.stored;
        SaveSettings();
        GameState = GameRecord{};
        LoadSettings();
        EXPECT_EQ(GameState.damier, c.damier) << "the clamped grid size was not stored back";
        EXPECT_EQ(GameState.items, c.items) << "the clamped item count was not stored back";
    }
}

TEST_F(Settings, OddlySizedValuesReadAsTheHandheldReadThem) {
    WriteFile(kHeader +
              "\"version\"=dword:0000001a\n"
              "\"player\"=dword:00020001\n"         // 4 bytes: the low 16 bits count
              "\"damier\"=hex(4):07,00,00,00,00\n"  // longer than 4 bytes: ignored
              "\"items\"=dword:00000006\n"          // ...and the next value is still read
              "\"totaltime\"=hex(4):10,27\n"        // 2 bytes fill the low end
              "\"langue\"=\"x\"\n");                // another type: its 4 bytes as they are
    InitSettings();
    EXPECT_EQ(GameState.player, 1);
    EXPECT_EQ(GameState.damier, 5);
    EXPECT_EQ(GameState.items, 6);
    EXPECT_EQ(GameState.stats1.totaltime, 10000);
    EXPECT_EQ(GameState.langue, 'x');
}

TEST_F(Settings, AGameOfNoMeasurableTimeCountsNothingButIsSaved) {
    GameState.itemCount = 5;
    RecordGame(2, 1, 0);
    EXPECT_EQ(GameState.stats1.totalplay, 0);
    EXPECT_EQ(GameState.stats1.totalscore, 0);
    EXPECT_NE(ReadFile().find("\"totalplay\"=dword:00000000"), std::string::npos) << ReadFile();
}

TEST_F(Settings, ASolvedGameOf83Point4SecondsWithSixItems) {
    GameState.itemCount = 6;
    RecordGame(0, 2, 83400);  // labels equal: misplaced items do not count
    EXPECT_EQ(GameState.stats1.totalplay, 1);
    EXPECT_EQ(GameState.stats1.totalscore, 6);
    EXPECT_EQ(GameState.stats1.totalbad, 0);
    EXPECT_EQ(GameState.stats1.totaltime, 83400);
    EXPECT_NE(ReadFile().find("\"totaltime\"=dword:000145c8"), std::string::npos) << ReadFile();
}

TEST_F(Settings, PlayerTwoGamesChangeOnlyPlayerTwoTotals) {
    GameState.player = 1;
    GameState.itemCount = 7;
    RecordGame(3, 2, 5000);
    RecordGame(1, 1, 1000);
    EXPECT_EQ(GameState.stats2.totalbad, 3);
    EXPECT_EQ(GameState.stats2.totalscore, 14);
    EXPECT_EQ(GameState.stats2.totalplay, 2);
    EXPECT_EQ(GameState.stats2.totaltime, 6000);
    const std::string file = ReadFile();
    for (const char* name : {"totalbad", "totalscore", "totalplay", "totaltime"}) {
        EXPECT_NE(file.find("\"" + std::string(name) + "\"=dword:00000000"), std::string::npos) << name;
    }
}

TEST_F(Settings, TotalsWrapAt32Bits) {
    GameState.stats1.totaltime = 0x7FFFFFFF;
    GameState.itemCount = 3;
    RecordGame(0, 0, 2);
    EXPECT_EQ(GameState.stats1.totaltime, INT32_MIN + 1);
}

TEST_F(Settings, AResetClearsOnlyThatPlayer) {
    GameState.stats1 = {1, 2, 3, 4, 5};
    GameState.stats2 = {1, 2, 3, 4, 5};
    ResetStatistics(1);
    EXPECT_EQ(GameState.stats2.bestscore + GameState.stats2.totalbad + GameState.stats2.totaltime, 0);
    EXPECT_EQ(GameState.stats1.totaltime, 5);
}

TEST_F(Settings, ADamagedStoreStartsTheGameAndKeepsWhatItDoesNotOwn) {
    const std::string damaged =
        "\x01\xfe garbage\n[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:00000008\n" +
        kHeader.substr(10) + "\"damier\"=dword:00000006\n\"damier\"=dword:0000\x07\n" +
        "\"items\"=dword:00000009\n\"unknown\"=dword:1\n\"items\"=hex(4):0a,\\";
    WriteFile(damaged);
    InitSettings();
    EXPECT_EQ(GameState.damier, 6) << "the damaged second copy must not count";
    EXPECT_EQ(GameState.items, 10) << "the last copy counts, even cut short";
    EXPECT_EQ(ReadFile(), damaged) << "start-up changed the store";
    SaveSettings();
    const std::string saved = ReadFile();
    for (const char* kept :
         {"\x01\xfe garbage\n", "[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:00000008\n",
          "\"damier\"=dword:0000\x07\n", "\"unknown\"=dword:1\n"}) {
        EXPECT_NE(saved.find(kept), std::string::npos) << "lost " << kept;
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
