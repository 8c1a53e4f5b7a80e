// The game's dialogs as the desktop builds them from their templates, driven through their real
// controls found by their ids: what the Options dialog and the rules dialog show.
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

#include "core/settings/options_dialog.h"
#include "core/settings/rules_dialog.h"
#include "core/settings/settings.h"
#include "qt/settings_fixture.h"

namespace {

// What a control shows: a button's label or an edit's text (line breaks as "\n").
QString Shown(const QDialog& dialog, int id) {
    const QWidget* control = FindControl(dialog, id);
    if (control == nullptr) return QStringLiteral("(no control %1)").arg(id);
    return control->property(qobject_cast<const QTextEdit*>(control) ? "plainText" : "text").toString();
}

// Every control of a dialog, one a line in the order the template adds them: its kind, id, place and
// size in pixels, state and text, and for edits their frame, alignment, scroll bars and whether they
// are drawn on the dialog's background or (as labels) let it show through. A radio button names the
// first button of its group.
QString Controls(const QDialog& dialog) {
    QString all = QString::asprintf("%ls %d x %d\n", qUtf16Printable(dialog.windowTitle()), dialog.width(),
                                    dialog.height());
    for (const QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect r = control->geometry();
        QString line = QString::asprintf("%s %d (%d, %d, %d x %d)", control->metaObject()->className(),
                                         ControlId(control), r.x(), r.y(), r.width(), r.height());
        if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
            line += button->isChecked() ? " checked" : "";
            if (button->group())
                line += QString::asprintf(" group %d", ControlId(button->group()->buttons()[0]));
        } else if (auto* edit = qobject_cast<const QTextEdit*>(control)) {
            line += QString::asprintf(" frame %d align %d scroll %d/%d margin %g", edit->frameShape(),
                                      int(edit->document()->defaultTextOption().alignment()),
                                      edit->horizontalScrollBarPolicy(), edit->verticalScrollBarPolicy(),
                                      edit->document()->documentMargin());
            line += edit->viewport()->autoFillBackground() ? "" : " see-through";
        } else if (auto* edit = qobject_cast<const QLineEdit*>(control)) {
            const QMargins margins = edit->textMargins();
            line += QString::asprintf(" frame %d align %d margins %d %d %d %d", edit->hasFrame(),
                                      int(edit->alignment()), margins.left(), margins.top(), margins.right(),
                                      margins.bottom());
        } else if (auto* label = qobject_cast<const QLabel*>(control)) {
            line += QString::asprintf(" align %d", int(label->alignment()));
        } else if (auto* box = qobject_cast<const QDialogButtonBox*>(control)) {
            for (const QAbstractButton* button : box->buttons()) line += ' ' + button->text();
        }
        const QPalette& colours = control->palette();
        if ((qobject_cast<const QLineEdit*>(control) || qobject_cast<const QTextEdit*>(control)) &&
            colours.color(QPalette::Base) == colours.color(QPalette::Window))
            line += " on the background";
        const QVariant text = control->property(qobject_cast<const QTextEdit*>(control)   ? "plainText"
                                                : qobject_cast<const QGroupBox*>(control) ? "title"
                                                                                          : "text");
        all += line + (text.isValid() ? " \"" + text.toString() + '"' : QString()) + '\n';
    }
    return all;
}

// The dialog's controls are those listed in tests/qt/<name>.controls. When they are not, the
// listing of what the dialog shows is left in the test's folder, to compare. Saves a picture of the
// dialog when MIROVANE_SCREENSHOTS names a folder.
void ExpectControls(QDialog& dialog, const QString& name) {
    const QString pictures = qEnvironmentVariable("MIROVANE_SCREENSHOTS");
    if (!pictures.isEmpty()) dialog.grab().save(pictures + "/" + name + ".png");
    QFile expected(QStringLiteral(QT_TESTCASE_SOURCEDIR "/") + name + ".controls");
    const QString shown = Controls(dialog);
    if (expected.open(QIODevice::ReadOnly) && QString::fromUtf8(expected.readAll()) == shown) return;
    QFile actual(name + ".controls");
    if (actual.open(QIODevice::WriteOnly)) actual.write(shown.toUtf8());
    ADD_FAILURE() << "the controls differ from " << name.toStdString() << ".controls; see "
                  << QFileInfo(actual).absoluteFilePath().toStdString();
}

using DialogTest = SettingsTest;

const PlayerStats kExample{0, 2, 15, 3, 250500};  // 3 games, 250 500 ms, 15 items, 2 misplaced

// Opens a dialog as its command does (`run`), lets `act` click it, and returns how it closed.
Answer Open(Answer (*run)(), const std::function<void(QDialog&)>& act) {
    SetDialogActions([&](QDialog& dialog) { act(dialog); });
    return run();
}

// What the Options dialog shows in English and in French is in options-en.controls and
// options-fr.controls; what its buttons do is in tests/core/ui/options_command_test.cpp.
TEST_F(DialogTest, OpensOnTheGameRecordInThePlayersLanguageWithThePlayersStatistics) {
    InitSettings();
    GameState.damier = 6, GameState.items = 9, GameState.useworm = 1, GameState.hint = 0;
    GameState.player = 1, GameState.stats1 = kExample, GameState.stats2 = PlayerStats{1, 0, 4, 1, 60000};
    Open(&RunOptionsDialog, [](QDialog& dialog) {
        ExpectControls(dialog, "options-en");  // Player 2's statistics
        Click(dialog, OptionsId::Player1);
        Click(dialog, OptionsId::French);
        ExpectControls(dialog, "options-fr");  // Player 1's statistics
        Click(dialog, AnswerId(Answer::Cancel));
    });
}

// Any language but 0 is French (the texts are in rules-en.controls and rules-fr.controls); the text
// reads back with its "\r\n" line breaks. OK and Cancel both just close the dialog.
TEST_F(DialogTest, ShowsTheRulesOfThePlayersLanguageAndOkOrCancelClosesIt) {
    for (const auto& [langue, name, button] :
         {std::tuple{0, "rules-en", Answer::Ok}, std::tuple{7, "rules-fr", Answer::Cancel}}) {
        GameState.langue = langue;
        const Answer closed = Open(&RunRulesDialog, [&](QDialog& dialog) {
            ExpectControls(dialog, name);
            QString read;
            ExchangeText(true, dialog, RulesId::Text, read);
            EXPECT_EQ(read.toStdU16String(), RulesText(langue));
            EXPECT_EQ(read, Shown(dialog, RulesId::Text).replace('\n', "\r\n"));
            Click(dialog, AnswerId(button));
        });
        EXPECT_EQ(closed, button);
    }
}

}  // namespace
