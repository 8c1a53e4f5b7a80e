#include "ui/command_bar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "model/game_state.h"
#include "platform/services.h"

namespace {

struct MenuLabel {
    int position;
    const char16_t* english;
    const char16_t* french;
};

// Position 3, "Options", is the same word in both languages and keeps its label.
constexpr MenuLabel kMenuLabels[] = {
    {0, u"New Game", u"Nouvelle partie"},
    {1, u"Show solution", u"Donner la solution"},
    {2, u"Learn rules", u"Apprentissage"},
    {4, u"About", u"A propos"},
    {5, u"Exit", u"Quitter"},
};

}  // namespace

void UpdateMenuLabels() {
    // Qt's own texts (the OK and Cancel buttons of boxes and dialogs) follow the game's language.
    UsePlatformLanguage(GameState.langue != 0);

    auto* frame = qobject_cast<QMainWindow*>(AppMainWindow());
    if (frame == nullptr || frame->menuBar()->actions().isEmpty()) return;
    QMenu* popup = frame->menuBar()->actions().first()->menu();
    if (popup == nullptr) return;

    const QList<QAction*> items = popup->actions();
    for (const MenuLabel& label : kMenuLabels) {
        if (label.position >= items.size()) continue;
        // The item keeps its command id (its data); only its text changes.
        items[label.position]->setText(
            QString::fromUtf16(GameState.langue == 0 ? label.english : label.french));
    }
}
