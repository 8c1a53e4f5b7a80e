// The rules dialog: the rules in the player's language, and nothing else changes.
#include "settings/rules_dialog.h"

#include "settings/dialog_support.h"
#include "settings/settings_fixture.h"

namespace {

using RulesDialogTest = SettingsTest;

// Any language but 0 is French. The French list keeps the space before its line breaks and the two
// spaces after "pas,". OK and Cancel both just close the dialog.
TEST_F(RulesDialogTest, ShowsTheRulesOfThePlayersLanguageLineByLineAndOkOrCancelClosesIt) {
    const std::tuple<int32_t, const char*, int, const char*, const char*, int> cases[] = {
        {0, "Rules of the game", 8, "- diagonal mirrors", "shows a reflected ray (input=output).", IDOK},
        {7, "Règles du jeu", 7, "- miroirs diagonaux ", "qui ne ressort pas,  du jaune indique", IDCANCEL},
    };
    for (const auto& [langue, title, lineCount, secondLine, inLastLine, button] : cases) {
        GameState.langue = langue;
        SetDialogActions([&](QDialog& shown) {
            auto& dialog = static_cast<RulesDialog&>(shown);
            const QStringList lines = Shown(dialog, RulesId::Text).split('\n');
            EXPECT_EQ(std::tuple(Shown(dialog, RulesId::Title).toStdString(), lines.size(),
                                 lines.value(1).toStdString()),
                      std::tuple(std::string(title), lineCount, std::string(secondLine)));
            EXPECT_TRUE(lines.last().contains(inLastLine)) << lines.last().toStdString();
            dialog.DoDataExchange(true);
            EXPECT_EQ(dialog.rulesText, lines.join("\r\n")) << "the line breaks did not read back";
            ExpectTidy(dialog, langue == 0 ? "rules-en" : "rules-fr");
            Click(dialog, button);
        });
        RulesDialog dialog;
        EXPECT_EQ(RunModal(dialog), button == IDOK ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace
