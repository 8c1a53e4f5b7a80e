// The command bar: the popup "Menu" and the tool bar, with the game's command identifiers.
#pragma once

#include <span>

inline constexpr int ID_APP_EXIT = 40001;
inline constexpr int ID_ABOUT = 40003;
inline constexpr int ID_OPTIONS = 40004;
inline constexpr int ID_NEW_GAME = 40005;
inline constexpr int ID_SOLUTION = 40007;
inline constexpr int ID_LEARN = 40008;
inline constexpr int ID_TOOL_LEARN = 40009;
inline constexpr int ID_TOOL_OPTIONS = 40010;
inline constexpr int ID_TOOL_NEW_GAME = 40011;
inline constexpr int ID_TOOL_SOLUTION = 40012;
inline constexpr int ID_TOOL_HINT = 40013;
// The desktop's View menu.
inline constexpr int ID_VIEW_ZOOM_IN = 41001;
inline constexpr int ID_VIEW_ZOOM_OUT = 41002;
inline constexpr int ID_VIEW_AUTOMATIC_SIZE = 41003;
inline constexpr int ID_VIEW_FULL_SCREEN = 41004;

// A menu's label in both languages: position -1 is the menu's own title, others its items by position.
struct MenuLabel {
    int position;
    const char16_t* english;
    const char16_t* french;
};

// The labels of menu 0 ("Menu": the Options item keeps its label) and menu 1 (the desktop's View menu).
std::span<const MenuLabel> MenuLabels(int menu);

// The label in the current language.
const char16_t* InLanguage(const MenuLabel& label);

// Puts the menu labels of the current language in place, and the platform's own texts in the same
// language.
void UpdateMenuLabels();
