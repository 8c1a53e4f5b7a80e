#include "core/ui/command_bar.h"

#include "core/ui/help.h"
#include "core/ui/keeping.h"
#include "model/game_state.h"
#include "seam/host.h"

namespace {

// "Menu" keeps its name and its items their order; "Options" is the same word in both languages. The
// tool bar's buttons carry pictures alone, cut left to right from bitmap 128, with a separator after
// the second.
constexpr Command kCommands[] = {
    {ID_NEW_GAME, CommandPlace::Menu, u"New Game", u"Nouvelle partie", "Ctrl+N", -1, false, false},
    {ID_SOLUTION, CommandPlace::Menu, u"Show solution", u"Donner la solution", "", -1, false, false},
    {ID_LEARN, CommandPlace::Menu, u"Learn rules", u"Apprentissage", "", -1, false, false},
    {ID_OPTIONS, CommandPlace::Menu, u"Options", u"Options", "", -1, false, false},
    {ID_ABOUT, CommandPlace::Menu, u"About", u"A propos", "", -1, false, false},
    {ID_APP_EXIT, CommandPlace::Menu, u"Exit", u"Quitter", "Ctrl+Q", -1, false, false},
    {ID_TOOL_LEARN, CommandPlace::ToolBar, u"", u"", "", 0, false, false},
    {ID_TOOL_OPTIONS, CommandPlace::ToolBar, u"", u"", "", 1, true, false},
    {ID_TOOL_NEW_GAME, CommandPlace::ToolBar, u"", u"", "", 2, false, false},
    {ID_TOOL_SOLUTION, CommandPlace::ToolBar, u"", u"", "", 3, false, false},
    {ID_TOOL_HINT, CommandPlace::ToolBar, u"", u"", "", 4, false, false},
    {ID_EDIT_UNDO, CommandPlace::Edit, u"Undo", u"Annuler", "Ctrl+Z", -1, false, false},
    {ID_EDIT_REDO, CommandPlace::Edit, u"Redo", u"Rétablir", "Ctrl+Shift+Z; Ctrl+Y", -1, false, false},
    {ID_HELP_CHECK, CommandPlace::Help, u"Check my board", u"Vérifier ma grille", "", -1, false, false},
    {ID_HELP_SURE_CELL, CommandPlace::Help, u"Show a sure cell", u"Montrer une case sûre", "", -1, true,
     false},
    {ID_HELP_ONE_ANSWER, CommandPlace::Help, u"Puzzles with one answer", u"Grilles à solution unique", "", -1,
     false, true},
    {ID_VIEW_ZOOM_IN, CommandPlace::View, u"Zoom in", u"Zoom avant", "Ctrl++; Ctrl+=", -1, false, false},
    {ID_VIEW_ZOOM_OUT, CommandPlace::View, u"Zoom out", u"Zoom arrière", "Ctrl+-", -1, false, false},
    {ID_VIEW_AUTOMATIC_SIZE, CommandPlace::View, u"Automatic size", u"Taille automatique", "Ctrl+0", -1,
     false, false},
    {ID_VIEW_FULL_SCREEN, CommandPlace::View, u"Full screen", u"Plein écran", "F11", -1, false, false},
};

}  // namespace

std::span<const Command> Commands() {
    return kCommands;
}

const char16_t* CommandLabel(const Command& command) {
    return GameState.langue == 0 ? command.english : command.french;
}

const char16_t* MenuTitle(CommandPlace place) {
    switch (place) {
        case CommandPlace::View:
            return GameState.langue == 0 ? u"View" : u"Affichage";
        case CommandPlace::ToolBar:
            return u"Tools";
        case CommandPlace::Edit:
            return GameState.langue == 0 ? u"Edit" : u"Édition";
        case CommandPlace::Help:
            return GameState.langue == 0 ? u"Help" : u"Aide";
        case CommandPlace::Menu:
            break;
    }
    return u"Menu";
}

bool CommandEnabled(int id) {
    if (id == ID_EDIT_UNDO) return CanUndoNow();
    if (id == ID_EDIT_REDO) return CanRedoNow();
    return true;
}

bool CommandChecked(int id) {
    return id == ID_HELP_ONE_ANSWER && OneAnswerPuzzles();
}

void UseOneAnswerPuzzles(bool on) {
    SetOneAnswerPuzzles(on);
}

bool PlaysInFrench() {
    return GameState.langue != 0;
}

void UpdateMenuLabels() {
    CommandsChanged();
}
