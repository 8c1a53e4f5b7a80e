// The rules dialog: the rules in the player's language, and nothing else changes.
#include "settings/rules_dialog.h"

#include "settings/dialog_support.h"
#include "settings/settings_fixture.h"

namespace {

const char* const kEnglish =
    "Place the mirrors in the grid, using laser. Laser rays follow the usual reflection law. Existing items "
    "are:\r\n- diagonal mirrors\r\n- vertical/horizontal mirrors\r\n- absorbing elements\r\n- light "
    "tunnel\r\nSelect the size of the grid and the number of items to place.\r\nNumbers on the edges show "
    "the "
    "number of blocks the laser ray crosses until output or absorption.\r\nGrey color indicates an absorbed "
    "ray, "
    "while yellow shows a reflected ray (input=output).";

const char* const kFrench =
    "Placer les miroirs dans la grille en utilisant des rayons laser. Les rayons suivent les lois usuelles "
    "de "
    "l'optique. Eléments disponibles, sélectionables:\r\n- miroirs diagonaux \r\n- miroirs "
    "verticaux/horizontaux "
    "\r\n- éléments absorbants \r\n- un tunnel de lumière\r\nOn peut sélectionner la taille de la grille "
    "carrée, "
    "ainsi que le nombre d'éléments à trouver.\r\nLes cotés indiquent le nombre de cases parcourues par le "
    "rayon "
    "jusqu'à ce qu'il ressorte ou qu'il soit absorbé. Du gris indique un rayon absorbé, qui ne ressort pas,  "
    "du "
    "jaune indique un rayon réfléchi, qui ressort sur lui-même.";

using RulesDialogTest = SettingsTest;

TEST_F(RulesDialogTest, ShowsTheRulesOfThePlayersLanguageLineByLine) {
    for (auto [langue, rules, title] :
         {std::tuple(0, kEnglish, "Rules of the game"), std::tuple(7, kFrench, "Règles du jeu")}) {
        GameState.langue = langue;
        SetDialogActions([&](QDialog& shown) {
            auto& dialog = static_cast<RulesDialog&>(shown);
            EXPECT_EQ(Shown(dialog, RulesId::Text), QString(rules).replace("\r\n", "\n"));
            EXPECT_EQ(QStringList({Shown(dialog, RulesId::Title), Shown(dialog, RulesId::SpareEdit),
                                   dialog.windowTitle()}),
                      QStringList({title, "", "Dialog"}));
            dialog.DoDataExchange(true);
            EXPECT_EQ(dialog.rulesText, rules) << "the line breaks did not read back";
            ExpectTidy(dialog, langue == 0 ? "rules-en" : "rules-fr");
            dialog.accept();
        });
        RulesDialog dialog;
        RunModal(dialog);
    }
}

TEST_F(RulesDialogTest, OkAndCancelBothJustCloseIt) {
    GameState.langue = 1;
    GameState.damier = 6;
    for (int button : {IDOK, IDCANCEL}) {
        SetDialogActions([&](QDialog& dialog) { Click(dialog, button); });
        RulesDialog dialog;
        EXPECT_EQ(RunModal(dialog), button == IDOK ? QDialog::Accepted : QDialog::Rejected);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(std::tuple(GameState.langue, GameState.damier, GameState.optionsChanged),
                  std::tuple(1, 6, 0));
    }
}

}  // namespace
