// The Options dialog (template 104): grid size, item count, item kinds, hints, language, player, and
// the current player's statistics with their reset button.
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"
#include "seam/dialog.h"

// Control ids of template 104.
namespace OptionsId {
inline constexpr int ItemCountFirst = 1000;  // radio buttons 1000, 1004, 1005, 1006, 1013, 1014, 1017,
                                             // 1024, 1025, 1026, 1029 for 3 to 13 items
inline constexpr int English = 1001;
inline constexpr int Statistics = 1003;
inline constexpr int French = 1007;
inline constexpr int Reset = 1008;
inline constexpr int Absorbers = 1015;
inline constexpr int ReflectingItems = 1016;
inline constexpr int GridSizeFirst = 1018;  // radio buttons 1018, 1019, 1020, 1021, 1023 for 4 to 8
inline constexpr int GridSizeLabel = 1022;
inline constexpr int Hints = 1027;
inline constexpr int Wormhole = 1028;
inline constexpr int ItemCountLabel = 1030;
inline constexpr int Player1 = 1034;
inline constexpr int Player2 = 1035;
}  // namespace OptionsId

// The statistics text of one player in the language `langue` (0 English, otherwise French): three
// lines separated by "\r\n", or a single line when no game was counted.
std::u16string StatisticsText(const PlayerStats& stats, int32_t langue);

// The dialog's values, each exchanged with one control. Choices are positions within their radio
// group, -1 when none is checked; the check boxes are 0 or 1.
struct OptionsDialog {
    int32_t itemCountChoice = -1;  // K - 3
    int32_t languageChoice = -1;   // 0 English, 1 French
    std::u16string statisticsText;
    int32_t gridSizeChoice = -1;  // N - 4
    std::u16string gridSizeLabel;
    int32_t absorbers = 0;
    int32_t reflectingItems = 0;
    int32_t hints = 0;
    int32_t wormhole = 0;
    std::u16string itemCountLabel;
    int32_t playerChoice = -1;  // 0 Player 1, 1 Player 2
};

// Template 104.
const DialogTemplate& OptionsTemplate();

// Shows the dialog on the game record: OK puts the choices into the game record and sets
// optionsChanged when the game itself changed; the player, language and reset buttons act at once.
// Returns Answer::Ok or Answer::Cancel.
Answer RunOptionsDialog();
