// The Options dialog: what it shows, what its buttons do at once, and what OK and Cancel keep.
#include "settings/options_dialog.h"

#include <functional>

#include "settings/dialog_support.h"
#include "settings/settings.h"
#include "settings/settings_fixture.h"

namespace {

const PlayerStats kExample{0, 2, 15, 3, 250500};  // 3 games, 250 500 ms, 15 items, 2 misplaced

// Every label a language switch changes, in English and in French.
const std::tuple<int, const char*, const char*> kLabels[] = {
    {OptionsId::GridSizeLabel, "Size of the grid", "Taille de la grille"},
    {OptionsId::ItemCountLabel, "Items", "Eléments"},
    {OptionsId::Absorbers, "absorbtion", "absorbé"},
    {OptionsId::ReflectingItems, "total reflection", "réflexion totale"},
    {OptionsId::Wormhole, "light warp", "tunnel"},
    {OptionsId::Hints, "online hints", "aide en ligne"},
    {OptionsId::Reset, "Reset statistics", "Remise à zéro des statistiques"},
    {OptionsId::Player1, "Player 1", "Joueur 1"},
    {OptionsId::Player2, "Player 2", "Joueur 2"}};

void ExpectLabels(const QDialog& dialog, bool english) {
    for (const auto& [id, englishLabel, frenchLabel] : kLabels)
        EXPECT_EQ(Shown(dialog, id), english ? englishLabel : frenchLabel) << "control " << id;
}

using OptionsDialogTest = SettingsTest;

// Opens the dialog as the Options command does and lets `act` click it.
void Open(const std::function<void(OptionsDialog&)>& act) {
    SetDialogActions([&](QDialog& dialog) { act(static_cast<OptionsDialog&>(dialog)); });
    OptionsDialog dialog;
    RunModal(dialog);
}

TEST(StatisticsText, ThreeGamesOfFifteenItemsWithTwoMisplacedLineByLineAndGamesWithoutItems) {
    EXPECT_EQ(StatisticsText(kExample, 0).split("\r\n"),
              QStringList({"Total played: 3 during 4'10\"5", "Average time: 1'23\"5",
                           "Items OK/total: 13/15 -> 86%"}));
    EXPECT_EQ(StatisticsText(PlayerStats{0, 0, 0, 2, 5000}, 0), "No played games") << "games without items";
}

// The player, language and reset buttons act at once, and Cancel undoes none of them (the player
// holding through Cancel is in the next test).
TEST_F(OptionsDialogTest, OpensOnTheGameRecordAndItsPlayerLanguageAndResetButtonsActAtOnce) {
    InitSettings();
    GameState.damier = 6, GameState.items = 9, GameState.useworm = 1, GameState.hint = 0,
    GameState.player = 1;
    GameState.stats1 = kExample, GameState.stats2 = PlayerStats{1, 0, 4, 1, 60000};
    Open([](OptionsDialog& dialog) {
        for (int id : {1020, 1017, OptionsId::English, OptionsId::Player2, OptionsId::Absorbers,
                       OptionsId::ReflectingItems, OptionsId::Wormhole, -OptionsId::Hints})
            EXPECT_EQ(Checked(dialog, std::abs(id)), id > 0) << id;
        ExpectLabels(dialog, true);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics),
                  "Total played: 1 during 1'0\"0\nAverage time: 1'0\"0\nItems OK/total: 4/4 -> 100%");
        Click(dialog, OptionsId::Player1);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics), StatisticsText(kExample, 0).replace("\r\n", "\n"));
        ExpectTidy(dialog, "options-en");
        EXPECT_LE(dialog.width() * dialog.height(), 360 * 360);
        Click(dialog, OptionsId::French);
        ExpectLabels(dialog, false);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics),
                  "3 parties jouées en 4'10\"5\n"
                  "Temps moyen d'une partie: 1'23\"5\n"
                  "Eléments OK/total: 13/15 -> 86%");
        ExpectTidy(dialog, "options-fr");
        Click(dialog, OptionsId::Player2);
        Click(dialog, OptionsId::Reset);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics), "Pas de partie jouée");
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(GameState.langue, 1) << "Cancel undid the language";
    EXPECT_EQ(GameState.stats2.totalplay + GameState.stats2.totaltime + GameState.stats2.bestscore, 0);
    EXPECT_EQ(GameState.stats1.totaltime, 250500) << "the other player's statistics were touched";
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
            GameState = GameRecord{}, InitSettings();  // the options of a first run
            Open([&](OptionsDialog& dialog) { Click(dialog, click), Click(dialog, close); });
            EXPECT_EQ(GameState.optionsChanged, close == IDOK ? changed : 0) << "after a click on " << click;
            EXPECT_EQ(applied(), close == IDOK || holdsOnCancel)
                << "after a click on " << click << " and " << close;
        }
    }
}

}  // namespace
