#include "core/settings/options_dialog.h"

#include <array>
#include <initializer_list>
#include <vector>

#include "core/settings/settings.h"
#include "model/model.h"
#include "seam/host.h"

namespace {

std::u16string Number(int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

// Fills a text in the handheld's wsprintf manner: each %i or %s takes the next argument (already
// written out), %% gives one %.
std::u16string Fill(std::u16string_view pattern, std::initializer_list<std::u16string> arguments) {
    auto next = arguments.begin();
    std::u16string text;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size()) {
            const char16_t kind = pattern[i + 1];
            if (kind == u'%') {
                text += u'%';
                ++i;
                continue;
            }
            if ((kind == u'i' || kind == u's') && next != arguments.end()) {
                text += *next++;
                ++i;
                continue;
            }
        }
        text += c;
    }
    return text;
}

std::u16string Elapsed(uint32_t milliseconds) {
    wchar_t buffer[13];
    const int length = FormatElapsed(buffer, 13, milliseconds);
    return std::u16string(buffer, buffer + length);
}

// Wrapping 32-bit arithmetic, as the totals themselves wrap.
int32_t Wrap(uint32_t value) {
    return static_cast<int32_t>(value);
}

const char16_t* Text(bool english, const char16_t* englishText, const char16_t* frenchText) {
    return english ? englishText : frenchText;
}

// Template 104: the ids of the two number groups and their buttons' x positions, in template order.
constexpr std::array<int, 5> kGridSizeIds = {1018, 1019, 1020, 1021, 1023};
constexpr std::array<int, 5> kGridSizeX = {64, 78, 92, 106, 120};
constexpr std::array<int, 11> kItemCountIds = {1000, 1004, 1005, 1006, 1013, 1014,
                                               1017, 1024, 1025, 1026, 1029};
constexpr std::array<int, 11> kItemCountX = {7, 18, 29, 40, 51, 62, 73, 84, 95, 106, 117};

std::vector<DialogControl> OptionsControls() {
    using enum ControlKind;
    std::vector<DialogControl> controls;
    for (size_t i = 0; i < kGridSizeIds.size(); ++i) {
        controls.push_back({RadioButton, kGridSizeIds[i], kGridSizeX[i], 9, 9, 11,
                            Number(static_cast<int32_t>(i) + 4), i == 0 ? kOpensGroup : 0});
    }
    for (size_t i = 0; i < kItemCountIds.size(); ++i) {
        controls.push_back({RadioButton, kItemCountIds[i], kItemCountX[i], 31, 9, 11,
                            Number(static_cast<int32_t>(i) + 3), i == 0 ? kOpensGroup : 0});
    }
    controls.push_back({PushButton, OptionsId::Reset, 3, 128, 131, 12, u"Reset Statistics"});
    controls.push_back({MultiLineEdit, OptionsId::Statistics, 4, 96, 127, 27, u""});
    controls.push_back({RadioButton, OptionsId::English, 3, 143, 38, 9, u"English", kOpensGroup});
    controls.push_back({RadioButton, OptionsId::French, 42, 143, 38, 9, u"Français"});
    controls.push_back({CheckBox, OptionsId::Absorbers, 4, 43, 59, 11, u"use absorbed"});
    controls.push_back({CheckBox, OptionsId::ReflectingItems, 67, 43, 64, 11, u"use reflet"});
    controls.push_back({CheckBox, OptionsId::Wormhole, 4, 55, 60, 10, u"use wormhole"});
    controls.push_back({CheckBox, OptionsId::Hints, 67, 55, 66, 10, u"Hints"});
    controls.push_back({GroupBox, -1, 1, 88, 135, 54, u"Stat"});
    for (size_t i = 0; i < kGridSizeX.size(); ++i) {
        controls.push_back({CentredLabel, -1, kGridSizeX[i], 0, 10, 8, Number(static_cast<int32_t>(i) + 4)});
    }
    for (size_t i = 0; i < kItemCountX.size(); ++i) {
        controls.push_back(
            {CentredLabel, -1, kItemCountX[i], 22, 10, 8, Number(static_cast<int32_t>(i) + 3)});
    }
    controls.push_back({MultiLineEdit, OptionsId::GridSizeLabel, 2, 0, 60, 12, u"", kRightAligned});
    controls.push_back({MultiLineEdit, OptionsId::ItemCountLabel, 7, 13, 43, 12, u""});
    controls.push_back({RadioButton, OptionsId::Player1, 8, 74, 48, 11, u"Player 1", kOpensGroup});
    controls.push_back({RadioButton, OptionsId::Player2, 68, 74, 48, 11, u"Player 2"});
    return controls;
}

// pull: controls into values; otherwise values into controls.
void DoDataExchange(OptionsDialog& d, DialogControls& c, bool pull) {
    c.ExchangeRadio(pull, OptionsId::ItemCountFirst, d.itemCountChoice);
    c.ExchangeRadio(pull, OptionsId::English, d.languageChoice);
    c.ExchangeText(pull, OptionsId::Statistics, d.statisticsText);
    c.ExchangeRadio(pull, OptionsId::GridSizeFirst, d.gridSizeChoice);
    c.ExchangeText(pull, OptionsId::GridSizeLabel, d.gridSizeLabel);
    c.ExchangeCheck(pull, OptionsId::Absorbers, d.absorbers);
    c.ExchangeCheck(pull, OptionsId::ReflectingItems, d.reflectingItems);
    c.ExchangeCheck(pull, OptionsId::Hints, d.hints);
    c.ExchangeCheck(pull, OptionsId::Wormhole, d.wormhole);
    c.ExchangeText(pull, OptionsId::ItemCountLabel, d.itemCountLabel);
    c.ExchangeRadio(pull, OptionsId::Player1, d.playerChoice);
}

// Puts the texts of the current language on the dialog and rebuilds the statistics text of the
// current player. The labels and the statistics reach their controls with the next push.
void RelabelOptions(OptionsDialog& d, DialogControls& c) {
    const PlayerStats& stats = GameState.player == 0 ? GameState.stats1 : GameState.stats2;
    const bool english = GameState.langue == 0;

    d.gridSizeLabel = Text(english, u"Size of the grid", u"Taille de la grille");
    d.itemCountLabel = Text(english, u"Items", u"Eléments");
    c.SetText(OptionsId::Absorbers, Text(english, u"absorbtion", u"absorbé"));
    c.SetText(OptionsId::ReflectingItems, Text(english, u"total reflection", u"réflexion totale"));
    c.SetText(OptionsId::Wormhole, Text(english, u"light warp", u"tunnel"));
    c.SetText(OptionsId::Hints, Text(english, u"online hints", u"aide en ligne"));
    d.statisticsText = StatisticsText(stats, GameState.langue);
    c.SetText(OptionsId::Reset, Text(english, u"Reset statistics", u"Remise à zéro des statistiques"));
    c.SetText(OptionsId::Player1, Text(english, u"Player 1", u"Joueur 1"));
    c.SetText(OptionsId::Player2, Text(english, u"Player 2", u"Joueur 2"));
}

void OnInitDialog(OptionsDialog& d, DialogControls& c) {
    DoDataExchange(d, c, false);  // what the handheld's base initialisation does
    d.itemCountChoice = GameState.items - 3;
    d.languageChoice = GameState.langue;
    d.gridSizeChoice = GameState.damier - 4;
    d.reflectingItems = GameState.usereflect;
    d.absorbers = GameState.useabsorbed;
    d.wormhole = GameState.useworm;
    d.hints = GameState.hint;
    d.playerChoice = GameState.player;
    RelabelOptions(d, c);
    DoDataExchange(d, c, false);
}

// The language (which shows at once and stays even when the dialog is cancelled), the player (whose
// statistics show at once; the choice stays too) and the reset (no confirmation: the statistics are
// cleared at once, and the Options command saves them).
void OnClicked(OptionsDialog& d, DialogControls& c, int id) {
    switch (id) {
        case OptionsId::English:
        case OptionsId::French:
            DoDataExchange(d, c, true);
            if (d.languageChoice == GameState.langue) return;
            GameState.langue = d.languageChoice;
            break;
        case OptionsId::Player1:
        case OptionsId::Player2:
            DoDataExchange(d, c, true);
            GameState.player = static_cast<int16_t>(d.playerChoice);
            break;
        case OptionsId::Reset:
            DoDataExchange(d, c, true);
            ResetStatistics(d.playerChoice);
            break;
        default:
            return;
    }
    RelabelOptions(d, c);
    DoDataExchange(d, c, false);
}

// OK: the choices go into the game record, and a changed game asks for a new one.
void OnOk(OptionsDialog& d, DialogControls& c) {
    DoDataExchange(d, c, true);
    // Hints, language and player never ask for a new game.
    GameState.optionsChanged =
        d.itemCountChoice + 3 != GameState.items || d.gridSizeChoice + 4 != GameState.damier ||
                d.absorbers != GameState.useabsorbed || d.reflectingItems != GameState.usereflect ||
                d.wormhole != GameState.useworm
            ? 1
            : 0;
    GameState.items = d.itemCountChoice + 3;
    GameState.damier = d.gridSizeChoice + 4;
    GameState.langue = d.languageChoice;
    GameState.useabsorbed = d.absorbers;
    GameState.usereflect = d.reflectingItems;
    GameState.useworm = d.wormhole;
    GameState.hint = d.hints;
    GameState.player = static_cast<int16_t>(d.playerChoice);
}

}  // namespace

std::u16string StatisticsText(const PlayerStats& stats, int32_t langue) {
    const bool english = langue == 0;
    const std::u16string total = Elapsed(static_cast<uint32_t>(stats.totaltime));
    std::u16string average;
    if (stats.totalplay > 0) average = Elapsed(static_cast<uint32_t>(stats.totaltime / stats.totalplay));

    if (stats.totalplay < 1 || stats.totalscore < 1)
        return Text(english, u"No played games", u"Pas de partie jouée");

    const int32_t itemsOk =
        Wrap(static_cast<uint32_t>(stats.totalscore) - static_cast<uint32_t>(stats.totalbad));
    const int32_t percent = Wrap(static_cast<uint32_t>(itemsOk) * 100u) / stats.totalscore;
    const char16_t* format =
        english
            ? u"Total played: %i during %s\r\nAverage time: %s\r\nItems OK/total: %i/%i -> %i%%"
            : u"%i parties jouées en %s\r\nTemps moyen d'une partie: %s\r\nEléments OK/total: %i/%i -> %i%%";
    return Fill(format, {Number(stats.totalplay), total, average, Number(itemsOk), Number(stats.totalscore),
                         Number(percent)});
}

const DialogTemplate& OptionsTemplate() {
    static const std::vector<DialogControl> controls = OptionsControls();
    static const DialogTemplate options{104, u"Options", 167, 174, controls};
    return options;
}

Answer RunOptionsDialog() {
    // The dialog's run: its values and the three steps above.
    struct OptionsRun final : DialogRun {
        OptionsDialog dialog;
        void InitDialog(DialogControls& c) override { OnInitDialog(dialog, c); }
        void Clicked(DialogControls& c, int id) override { OnClicked(dialog, c, id); }
        void Accepted(DialogControls& c) override { OnOk(dialog, c); }
    } run;
    return RunDialog(OptionsTemplate(), run);
}
