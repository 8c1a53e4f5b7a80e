// The command bar: the handheld's popup "Menu" and its tool bar, and the menus the desktop adds, as
// one table (Commands() in core/face.h) that every platform builds its menus and bars from.
#pragma once

#include "core/face.h"

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
// The desktop's Edit menu and two buttons of the page's bar.
inline constexpr int ID_EDIT_UNDO = 42001;
inline constexpr int ID_EDIT_REDO = 42002;

// Puts the menu labels of the current language in place, and the platform's own texts in the same
// language.
void UpdateMenuLabels();
