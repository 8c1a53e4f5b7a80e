// The Options dialog: what it shows, what its buttons do at once, and what OK and Cancel keep.
#include "settings/options_dialog.h"

#include <functional>

#include "settings/dialog_support.h"
#include "settings/settings_fixture.h"

namespace {

const PlayerStats kExample{0, 2, 15, 3, 250500};  // 3 games, 250 500 ms, 15 items, 2 misplaced

const int kRelabelled[] = {OptionsId::GridSizeLabel,   OptionsId::ItemCountLabel, OptionsId::Absorbers,
                           OptionsId::ReflectingItems, OptionsId::Wormhole,       OptionsId::Hints,
                           OptionsId::Statistics,      OptionsId::Reset,          OptionsId::Player1,
                           OptionsId::Player2};
const QStringList kEnglish = {"Size of the grid", "Items",        "absorbtion",      "total reflection",
                              "light warp",       "online hints", "No played games", "Reset statistics",
                              "Player 1",         "Player 2"};
const QStringList kFrench = {"Taille de la grille",
                             "Eléments",
                             "absorbé",
                             "réflexion totale",
                             "tunnel",
                             "aide en ligne",
                             "Pas de partie jouée",
                             "Remise à zéro des statistiques",
                             "Joueur 1",
                             "Joueur 2"};

QStringList Labels(const QDialog& dialog) {
    QStringList labels;
    for (int id : kRelabelled) labels << Shown(dialog, id);
    return labels;
}

class OptionsDialogTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        GameRecord& g = GameState;
        g.langue = 0, g.hint = 1, g.damier = 5, g.items = 4, g.useabsorbed = 1, g.usereflect = 1,
        g.useworm = 0;
    }

    // Opens the dialog as the Options command does, lets `act` click it, and returns how it ended.
    int Run(const std::function<void(OptionsDialog&)>& act) {
        SetDialogActions([&](QDialog& dialog) { act(static_cast<OptionsDialog&>(dialog)); });
        OptionsDialog dialog;
        return RunModal(dialog);
    }
};

TEST(StatisticsText, ThreeGamesOfFifteenItemsWithTwoMisplacedLineByLine) {
    EXPECT_EQ(StatisticsText(kExample, 0).split("\r\n"),
              QStringList({"Total played: 3 during 4'10\"5", "Average time: 1'23\"5",
                           "Items OK/total: 13/15 -> 86%"}));
    EXPECT_EQ(StatisticsText(kExample, 1).split("\r\n"),
              QStringList({"3 parties jouées en 4'10\"5", "Temps moyen d'une partie: 1'23\"5",
                           "Eléments OK/total: 13/15 -> 86%"}));
    EXPECT_EQ(StatisticsText(PlayerStats{0, 0, 0, 2, 5000}, 0), "No played games") << "games without items";
}

TEST_F(OptionsDialogTest, OpensOnTheGameRecordAndAPlayerButtonAndTheResetActAtOnce) {
    GameState.damier = 6, GameState.items = 9, GameState.useworm = 1, GameState.hint = 0,
    GameState.player = 1;
    GameState.stats1 = PlayerStats{1, 0, 4, 1, 60000};
    GameState.stats2 = kExample;
    Run([](OptionsDialog& dialog) {
        for (int id : {1020, 1017, OptionsId::English, OptionsId::Player2, OptionsId::Absorbers,
                       OptionsId::Wormhole}) {
            EXPECT_TRUE(Checked(dialog, id)) << id;
        }
        EXPECT_FALSE(Checked(dialog, OptionsId::Hints));
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics),
                  "Total played: 3 during 4'10\"5\nAverage time: 1'23\"5\nItems OK/total: 13/15 -> 86%");
        Click(dialog, OptionsId::Player1);
        EXPECT_EQ(GameState.player, 0);
        EXPECT_TRUE(Shown(dialog, OptionsId::Statistics).startsWith("Total played: 1 during 1'0\"0"));
        Click(dialog, OptionsId::Reset);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics), "No played games");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(GameState.player, 0) << "Cancel undid the player";
    EXPECT_EQ(GameState.stats1.totalplay + GameState.stats1.totaltime + GameState.stats1.bestscore, 0);
    EXPECT_EQ(GameState.stats2.totaltime, 250500) << "the other player's statistics were touched";
}

TEST_F(OptionsDialogTest, ALanguageButtonRelabelsAtOnceAndHoldsThroughCancel) {
    Run([](OptionsDialog& dialog) {
        EXPECT_EQ(Labels(dialog), kEnglish);
        Click(dialog, OptionsId::French);
        EXPECT_EQ(GameState.langue, 1);
        EXPECT_EQ(Labels(dialog), kFrench);
        EXPECT_EQ(QStringList({Shown(dialog, OptionsId::English), Shown(dialog, OptionsId::French),
                               dialog.windowTitle()}),
                  QStringList({"English", "Français", "Options"}));
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(GameState.langue, 1) << "Cancel undid the language";
    Run([](OptionsDialog& dialog) {
        Click(dialog, OptionsId::English);
        EXPECT_EQ(Labels(dialog), kEnglish);
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(GameState.langue, 0);
}

// Each click, then OK or Cancel: whether OK asks for a new game, and whether the choice holds after Cancel.
TEST_F(OptionsDialogTest, OnlyTheGameDefiningChoicesAskForANewGameAndOnlyOkKeepsThem) {
    const std::tuple<int, int32_t, bool, std::function<bool()>> cases[] = {
        {1023, 1, false, [] { return GameState.damier == 8; }},
        {1000, 1, false, [] { return GameState.items == 3; }},
        {1029, 1, false, [] { return GameState.items == 13; }},
        {OptionsId::Absorbers, 1, false, [] { return GameState.useabsorbed == 0; }},
        {OptionsId::ReflectingItems, 1, false, [] { return GameState.usereflect == 0; }},
        {OptionsId::Wormhole, 1, false, [] { return GameState.useworm == 1; }},
        {OptionsId::Hints, 0, false, [] { return GameState.hint == 0; }},
        {OptionsId::French, 0, true, [] { return GameState.langue == 1; }},
        {OptionsId::Player2, 0, true, [] { return GameState.player == 1; }},
        {1019, 0, true, [] { return GameState.damier == 5; }},  // the grid size it already had
    };
    for (const auto& [click, changed, holdsOnCancel, applied] : cases) {
        for (int close : {IDOK, IDCANCEL}) {
            SetUp();
            Run([&](OptionsDialog& dialog) {
                Click(dialog, click);
                Click(dialog, close);
            });
            EXPECT_EQ(GameState.optionsChanged, close == IDOK ? changed : 0) << "after a click on " << click;
            EXPECT_EQ(applied(), close == IDOK || holdsOnCancel)
                << "after a click on " << click << " and " << close;
        }
    }
}

TEST_F(OptionsDialogTest, TheDialogIsTidyInBothLanguages) {
    GameState.stats1 = kExample;
    for (int32_t langue : {0, 1}) {
        GameState.langue = langue;
        Run([&](OptionsDialog& dialog) {
            ExpectTidy(dialog, langue == 0 ? "options-en" : "options-fr");
            EXPECT_LE(dialog.width() * dialog.height(), 360 * 360);
            dialog.reject();
        });
    }
}

}  // namespace
