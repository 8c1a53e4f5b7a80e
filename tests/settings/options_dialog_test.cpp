// The Options dialog: what it shows, what its buttons do at once, and what OK and Cancel keep.
#include "settings/options_dialog.h"

#include <functional>

#include "settings/dialog_support.h"
#include "settings/settings_fixture.h"

namespace {

class OptionsDialogTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        GameRecord& g = GameState;
        g.langue = 0, g.hint = 1, g.damier = 5, g.items = 4, g.useabsorbed = 1, g.usereflect = 1,
        g.useworm = 0;
    }

    // Opens the dialog, lets `act` click it, and returns how it ended.
    int Run(const std::function<void(OptionsDialog&)>& act) {
        SetDialogActions([&](QDialog& dialog) { act(static_cast<OptionsDialog&>(dialog)); });
        OptionsDialog dialog;
        return RunModal(dialog);
    }
};

const PlayerStats kExample{0, 2, 15, 3, 250500};  // 3 games, 250 500 ms, 15 items, 2 misplaced

TEST(StatisticsText, ThreeGamesOfFifteenItemsWithTwoMisplaced) {
    EXPECT_EQ(StatisticsText(kExample, 0).split("\r\n"),
              QStringList({"Total played: 3 during 4'10\"5", "Average time: 1'23\"5",
                           "Items OK/total: 13/15 -> 86%"}));
    EXPECT_EQ(StatisticsText(kExample, 1).split("\r\n"),
              QStringList({QString::fromUtf8("3 parties jouées en 4'10\"5"),
                           QString::fromUtf8("Temps moyen d'une partie: 1'23\"5"),
                           QString::fromUtf8("Eléments OK/total: 13/15 -> 86%")}));
}

TEST(StatisticsText, NoCountedGameOrNoItemSaysSo) {
    EXPECT_EQ(StatisticsText(PlayerStats{}, 0), "No played games");
    EXPECT_EQ(StatisticsText(PlayerStats{}, 1), QString::fromUtf8("Pas de partie jouée"));
    EXPECT_EQ(StatisticsText(PlayerStats{0, 0, 0, 2, 5000}, 0), "No played games");
}

TEST_F(OptionsDialogTest, OpensOnTheGameRecordWithTheStatisticsOnSeparateLines) {
    GameState.damier = 6, GameState.items = 9, GameState.useworm = 1, GameState.hint = 0,
    GameState.player = 1;
    GameState.stats2 = kExample;
    Run([](OptionsDialog& dialog) {
        EXPECT_TRUE(Checked(dialog, 1020)) << "grid size 6";
        EXPECT_TRUE(Checked(dialog, 1017)) << "9 items";
        EXPECT_TRUE(Checked(dialog, OptionsId::English));
        EXPECT_TRUE(Checked(dialog, OptionsId::Player2));
        EXPECT_TRUE(Checked(dialog, OptionsId::Absorbers));
        EXPECT_TRUE(Checked(dialog, OptionsId::Wormhole));
        EXPECT_FALSE(Checked(dialog, OptionsId::Hints));
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics),
                  "Total played: 3 during 4'10\"5\nAverage time: 1'23\"5\nItems OK/total: 13/15 -> 86%");
        EXPECT_EQ(Shown(dialog, OptionsId::GridSizeLabel), "Size of the grid");
        EXPECT_EQ(Shown(dialog, OptionsId::ItemCountLabel), "Items");
        dialog.reject();
    });
}

TEST_F(OptionsDialogTest, ALanguageButtonRelabelsAtOnceAndHoldsThroughCancel) {
    const int ids[] = {OptionsId::GridSizeLabel,   OptionsId::ItemCountLabel, OptionsId::Absorbers,
                       OptionsId::ReflectingItems, OptionsId::Wormhole,       OptionsId::Hints,
                       OptionsId::Statistics,      OptionsId::Reset,          OptionsId::Player1,
                       OptionsId::Player2};
    const char* french[] = {"Taille de la grille",
                            "Eléments",
                            "absorbé",
                            "réflexion totale",
                            "tunnel",
                            "aide en ligne",
                            "Pas de partie jouée",
                            "Remise à zéro des statistiques",
                            "Joueur 1",
                            "Joueur 2"};
    const char* english[] = {"Size of the grid", "Items",        "absorbtion",      "total reflection",
                             "light warp",       "online hints", "No played games", "Reset statistics",
                             "Player 1",         "Player 2"};
    Run([&](OptionsDialog& dialog) {
        for (int i = 0; i < 10; ++i) EXPECT_EQ(Shown(dialog, ids[i]), english[i]);
        Click(dialog, OptionsId::French);
        EXPECT_EQ(GameState.langue, 1);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(Shown(dialog, ids[i]), QString::fromUtf8(french[i]));
        EXPECT_EQ(Shown(dialog, OptionsId::English), "English");
        EXPECT_EQ(Shown(dialog, OptionsId::French), QString::fromUtf8("Français"));
        EXPECT_EQ(dialog.windowTitle(), "Options");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(GameState.langue, 1) << "Cancel undid the language";
    Run([&](OptionsDialog& dialog) {
        EXPECT_TRUE(Checked(dialog, OptionsId::French));
        Click(dialog, OptionsId::English);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(Shown(dialog, ids[i]), english[i]);
        Click(dialog, IDOK);
    });
    EXPECT_EQ(GameState.langue, 0);
}

TEST_F(OptionsDialogTest, PlayerTwoShowsItsOwnStatisticsAndTheResetClearsOnlyThem) {
    GameState.stats1 = kExample;
    GameState.stats2 = PlayerStats{1, 0, 4, 1, 60000};
    Run([](OptionsDialog& dialog) {
        EXPECT_TRUE(Shown(dialog, OptionsId::Statistics).startsWith("Total played: 3 during"));
        Click(dialog, OptionsId::Player2);
        EXPECT_EQ(GameState.player, 1);
        EXPECT_TRUE(Shown(dialog, OptionsId::Statistics).startsWith("Total played: 1 during 1'0\"0"));
        Click(dialog, OptionsId::Reset);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics), "No played games");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(GameState.player, 1) << "Cancel undid the player";
    EXPECT_EQ(GameState.stats2.totalplay + GameState.stats2.totaltime + GameState.stats2.bestscore, 0);
    EXPECT_EQ(GameState.stats1.totaltime, 250500) << "Player 1's statistics were touched";
}

TEST_F(OptionsDialogTest, OnlyTheGameDefiningChoicesAskForANewGame) {
    struct Case {
        const char* what;
        int click;
        int32_t changed;
        std::function<bool()> applied;
    };
    const Case cases[] = {
        {"grid size 8", 1023, 1, [] { return GameState.damier == 8; }},
        {"3 items", 1000, 1, [] { return GameState.items == 3; }},
        {"13 items", 1029, 1, [] { return GameState.items == 13; }},
        {"absorbers off", OptionsId::Absorbers, 1, [] { return GameState.useabsorbed == 0; }},
        {"reflecting items off", OptionsId::ReflectingItems, 1, [] { return GameState.usereflect == 0; }},
        {"wormhole on", OptionsId::Wormhole, 1, [] { return GameState.useworm == 1; }},
        {"hints off", OptionsId::Hints, 0, [] { return GameState.hint == 0; }},
        {"French", OptionsId::French, 0, [] { return GameState.langue == 1; }},
        {"Player 2", OptionsId::Player2, 0, [] { return GameState.player == 1; }},
        {"the same grid size", 1019, 0, [] { return GameState.damier == 5; }},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(Run([&](OptionsDialog& dialog) {
                      Click(dialog, c.click);
                      Click(dialog, IDOK);
                  }),
                  QDialog::Accepted);
        EXPECT_EQ(GameState.optionsChanged, c.changed) << c.what;
        EXPECT_TRUE(c.applied()) << c.what << " did not reach the game record";
    }
}

TEST_F(OptionsDialogTest, CancelDropsTheChoicesThatWaitForOk) {
    const GameRecord before = GameState;
    EXPECT_EQ(Run([](OptionsDialog& dialog) {
                  for (int id : {1023, 1029, OptionsId::Absorbers, OptionsId::ReflectingItems,
                                 OptionsId::Wormhole, OptionsId::Hints}) {
                      Click(dialog, id);
                  }
                  Click(dialog, IDCANCEL);
              }),
              QDialog::Rejected);
    EXPECT_EQ(GameState.damier, before.damier);
    EXPECT_EQ(GameState.items, before.items);
    EXPECT_EQ(GameState.useabsorbed, before.useabsorbed);
    EXPECT_EQ(GameState.usereflect, before.usereflect);
    EXPECT_EQ(GameState.useworm, before.useworm);
    EXPECT_EQ(GameState.hint, before.hint);
    EXPECT_EQ(GameState.optionsChanged, 0);
}

TEST_F(OptionsDialogTest, TheDialogIsTidyInBothLanguages) {
    GameState.stats1 = kExample;
    for (int32_t langue : {0, 1}) {
        GameState.langue = langue;
        Run([&](OptionsDialog& dialog) {
            ExpectTidy(dialog);
            EXPECT_LE(dialog.width(), 360);
            EXPECT_LE(dialog.height(), 380);
            SaveScreenshot(dialog, langue == 0 ? "options-en" : "options-fr");
            dialog.reject();
        });
    }
}

}  // namespace
