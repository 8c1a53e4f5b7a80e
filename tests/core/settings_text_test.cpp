// The settings as a platform without files keeps them: one text that the host reads and replaces as a
// whole (a browser's local storage). The file's own rules are tested in tests/platform and
// tests/settings.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "model/game_state.h"
#include "platform/host.h"
#include "platform/registry.h"
#include "settings/settings.h"

namespace {

struct Store {
    SettingsRead read = SettingsRead::Missing;
    std::string text;
    int writes = 0;
};
Store store;

class SettingsTextTest : public ::testing::Test {
  protected:
    void SetUp() override {
        store = Store{};
        Host host{};
        host.readSettings = [](std::string& text) {
            if (store.read == SettingsRead::Present) text = store.text;
            return store.read;
        };
        host.writeSettings = [](const std::string& text) {
            store.text = text, store.read = SettingsRead::Present, ++store.writes;
            return ERROR_SUCCESS;
        };
        SetHost(host);
        GameState = GameRecord{};
    }
    void TearDown() override { SetHost(Host{}); }
};

const std::string kHeader = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";

TEST_F(SettingsTextTest, WithoutAPlatformThereAreNoSettingsAndASaveFailsQuietly) {
    SetHost(Host{});
    EXPECT_EQ(LoadSettings(), -1);
    EXPECT_NE(SaveSettings(), ERROR_SUCCESS);
}

TEST_F(SettingsTextTest, LoadingNeverWritesAndASaveKeepsWhatItDoesNotOwnAndReadsBack) {
    store.read = SettingsRead::Present;
    store.text =
        "REGEDIT4\n\n; kept\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n\"damier\"=dword:6\n"
        "\"other\"=hex:01\n";
    ASSERT_EQ(LoadSettings(), 0);
    EXPECT_EQ(std::tuple(GameState.damier, store.writes), std::tuple(6, 0)) << "loading wrote the settings";

    GameState.damier = 7;
    ASSERT_EQ(SaveSettings(), ERROR_SUCCESS);
    EXPECT_NE(store.text.find("; kept\n"), std::string::npos) << store.text;
    EXPECT_NE(store.text.find("\"other\"=hex:01\n"), std::string::npos) << store.text;
    int values = 0;
    for (std::size_t at = store.text.find("\"="); at != std::string::npos;
         at = store.text.find("\"=", at + 1))
        ++values;
    EXPECT_EQ(values, 19 + 1) << "the game owns nineteen values:\n" << store.text;

    GameState.damier = 4;
    ASSERT_EQ(LoadSettings(), 0);
    EXPECT_EQ(GameState.damier, 7);
}

TEST_F(SettingsTextTest, AnUnreadableOrTooLargeTextIsNeitherParsedNorReplaced) {
    store.text = kHeader + "\"damier\"=dword:6\n";
    for (const SettingsRead read : {SettingsRead::Unreadable, SettingsRead::TooLarge}) {
        store.read = read;
        EXPECT_EQ(LoadSettings(), -1);
        EXPECT_EQ(SaveSettings(),
                  read == SettingsRead::TooLarge ? ERROR_FILE_TOO_LARGE : ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(std::tuple(GameState.damier, store.writes), std::tuple(0, 0));
}

}  // namespace
