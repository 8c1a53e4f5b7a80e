#include "ui/command_bar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <cstddef>
#include <iterator>

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

// The View menu: its title, then its items by position.
constexpr MenuLabel kViewLabels[] = {
    {-1, u"View", u"Affichage"},         {0, u"Zoom in", u"Zoom avant"},
    {1, u"Zoom out", u"Zoom arrière"},   {2, u"Automatic size", u"Taille automatique"},
    {3, u"Full screen", u"Plein écran"},
};

QString InLanguage(const MenuLabel& label) {
    return QString::fromUtf16(GameState.langue == 0 ? label.english : label.french);
}

void Relabel(QAction* menu, const MenuLabel* labels, std::size_t count) {
    if (menu == nullptr || menu->menu() == nullptr) return;
    const QList<QAction*> items = menu->menu()->actions();
    for (std::size_t i = 0; i < count; ++i) {
        const MenuLabel& label = labels[i];
        if (label.position < 0) {
            menu->setText(InLanguage(label));
        } else if (label.position < items.size()) {
            // The item keeps its command id (its data); only its text changes.
            items[label.position]->setText(InLanguage(label));
        }
    }
}

}  // namespace

void UpdateMenuLabels() {
    // Qt's own texts (the OK and Cancel buttons of boxes and dialogs) follow the game's language.
    UsePlatformLanguage(GameState.langue != 0);

    auto* frame = qobject_cast<QMainWindow*>(AppMainWindow());
    if (frame == nullptr) return;
    const QList<QAction*> menus = frame->menuBar()->actions();
    if (!menus.isEmpty()) Relabel(menus[0], kMenuLabels, std::size(kMenuLabels));
    if (menus.size() > 1) Relabel(menus[1], kViewLabels, std::size(kViewLabels));
}
