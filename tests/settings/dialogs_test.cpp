// The game's dialogs driven through their real controls, found by their ids: the Options dialog (what
// it shows, what its buttons do at once, what OK and Cancel keep) and the rules dialog.
#include <QAbstractButton>
#include <QGroupBox>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

#include "platform/dialog_template.h"
#include "settings/options_dialog.h"
#include "settings/rules_dialog.h"
#include "settings/settings.h"
#include "settings/settings_fixture.h"

namespace {

void Click(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

bool Checked(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, id));
    return button != nullptr && button->isChecked();
}

// What a control shows: a button's label or an edit's text (line breaks as "\n").
QString Shown(const QDialog& dialog, int id) {
    const QWidget* control = FindControl(dialog, id);
    if (control == nullptr) return QStringLiteral("(no control %1)").arg(id);
    return control->property(qobject_cast<const QTextEdit*>(control) ? "plainText" : "text").toString();
}

// A tidy dialog: inside its window, no label wider than its button (the number buttons show only
// their circle, their numbers stand above them), no two controls over each other (a group box only
// frames the controls in it, a borderless edit takes only the height of its text). Saves a picture
// when MIROVANE_SCREENSHOTS names a folder.
void ExpectTidy(QDialog& dialog, const char* picture) {
    const auto taken = [](const QWidget* control) {
        QRect rect = control->geometry();
        if (auto* edit = qobject_cast<const QTextEdit*>(control);
            edit && edit->frameShape() == QFrame::NoFrame)
            rect.setHeight(std::min(rect.height(), static_cast<int>(edit->document()->size().height())));
        return rect;
    };
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(dialog.rect().contains(control->geometry())) << name;
        auto* button = qobject_cast<QAbstractButton*>(control);
        EXPECT_TRUE(!button || button->text().toInt() != 0 || button->sizeHint().width() <= button->width())
            << "clipped: " << name;
        for (QWidget* other : controls) {
            if (other != control && !qobject_cast<QGroupBox*>(other) && !qobject_cast<QGroupBox*>(control)) {
                EXPECT_FALSE(taken(control).intersects(taken(other)))
                    << name << " overlaps " << other->objectName().toStdString();
            }
        }
    }
    const QByteArray folder = qgetenv("MIROVANE_SCREENSHOTS");
    if (!folder.isEmpty()) dialog.grab().save(QString::fromLocal8Bit(folder) + "/" + picture + ".png");
}

using DialogTest = SettingsTest;

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

// Opens a dialog as its command does, lets `act` click it, and returns how it closed.
template <typename Dialog>
int Open(const std::function<void(Dialog&)>& act) {
    SetDialogActions([&](QDialog& dialog) { act(static_cast<Dialog&>(dialog)); });
    Dialog dialog;
    return RunModal(dialog);
}

TEST(StatisticsText, ThreeGamesOfFifteenItemsWithTwoMisplacedLineByLineAndGamesWithoutItems) {
    EXPECT_EQ(StatisticsText(kExample, 0).split("\r\n"),
              QStringList({"Total played: 3 during 4'10\"5", "Average time: 1'23\"5",
                           "Items OK/total: 13/15 -> 86%"}));
    EXPECT_EQ(StatisticsText(PlayerStats{0, 0, 0, 2, 5000}, 0), "No played games") << "games without items";
}

// The player, language and reset buttons act at once, and Cancel undoes none of them (the player
// holding through Cancel is in the next test).
TEST_F(DialogTest, OpensOnTheGameRecordAndItsPlayerLanguageAndResetButtonsActAtOnce) {
    InitSettings();
    GameState.damier = 6, GameState.items = 9, GameState.useworm = 1, GameState.hint = 0,
    GameState.player = 1;
    GameState.stats1 = kExample, GameState.stats2 = PlayerStats{1, 0, 4, 1, 60000};
    Open<OptionsDialog>([](OptionsDialog& dialog) {
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
                  "3 parties jouées en 4'10\"5\nTemps moyen d'une partie: 1'23\"5\n"
                  "Eléments OK/total: 13/15 -> 86%");
        ExpectTidy(dialog, "options-fr");
        Click(dialog, OptionsId::Player2);
        Click(dialog, OptionsId::Reset);
        EXPECT_EQ(Shown(dialog, OptionsId::Statistics), "Pas de partie jouée");
        Click(dialog, IDCANCEL);
    });
    // Cancel keeps the language and the reset, and the other player's statistics stay as they were
    EXPECT_EQ(std::tuple(GameState.langue, GameState.stats2.totalplay, GameState.stats1.totaltime),
              std::tuple(1, 0, 250500));
}

// Each click, then OK or Cancel: whether OK asks for a new game, and whether the choice holds after Cancel.
TEST_F(DialogTest, OnlyTheGameDefiningChoicesAskForANewGameAndOnlyOkKeepsThem) {
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
            Open<OptionsDialog>([&](OptionsDialog& dialog) { Click(dialog, click), Click(dialog, close); });
            EXPECT_EQ(GameState.optionsChanged, close == IDOK ? changed : 0) << "after a click on " << click;
            EXPECT_EQ(applied(), close == IDOK || holdsOnCancel)
                << "after a click on " << click << " and " << close;
        }
    }
}

// Any language but 0 is French. The French list keeps the space before its line breaks and the two
// spaces after "pas,". OK and Cancel both just close the dialog.
TEST_F(DialogTest, ShowsTheRulesOfThePlayersLanguageLineByLineAndOkOrCancelClosesIt) {
    const std::tuple<int32_t, const char*, int, const char*, const char*, int> cases[] = {
        {0, "Rules of the game", 8, "- diagonal mirrors", "shows a reflected ray (input=output).", IDOK},
        {7, "Règles du jeu", 7, "- miroirs diagonaux ", "qui ne ressort pas,  du jaune indique", IDCANCEL},
    };
    for (const auto& [langue, title, lineCount, secondLine, inLastLine, button] : cases) {
        GameState.langue = langue;
        const int closed = Open<RulesDialog>([&](RulesDialog& dialog) {
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
        EXPECT_EQ(closed, button == IDOK ? QDialog::Accepted : QDialog::Rejected);
    }
}

}  // namespace
