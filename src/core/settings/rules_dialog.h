// The rules dialog (template 105): a title line and the rules of the game in the current language.
#pragma once

#include <string>

#include "seam/dialog.h"

// Control ids of template 105.
namespace RulesId {
inline constexpr int Text = 1010;
inline constexpr int Title = 1011;
inline constexpr int SpareEdit = 1032;  // an empty edit that nothing fills or reads
}  // namespace RulesId

// The rules in the language `langue` (0 English, otherwise French), lines broken by "\r\n".
std::u16string RulesText(int32_t langue);

// Template 105.
const DialogTemplate& RulesTemplate();

// Shows the rules in the current language; OK and Cancel both just close it. Returns Answer::Ok or
// Answer::Cancel.
Answer RunRulesDialog();
