#include "ui/command_bar.h"

#include "model/game_state.h"
#include "platform/host.h"

namespace {

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

}  // namespace

std::span<const MenuLabel> MenuLabels(int menu) {
    if (menu == 0) return kMenuLabels;
    if (menu == 1) return kViewLabels;
    return {};
}

const char16_t* InLanguage(const MenuLabel& label) {
    return GameState.langue == 0 ? label.english : label.french;
}

void UpdateMenuLabels() {
    LanguageChanged();
}
