#include "core/settings/rules_dialog.h"

#include <vector>

#include "model/game_state.h"
#include "seam/host.h"

namespace {

const char16_t* const kEnglishTitle = u"Rules of the game";
const char16_t* const kFrenchTitle = u"Règles du jeu";

const char16_t* const kEnglishRules =
    u"Place the mirrors in the grid, using laser. Laser rays follow the usual reflection law. Existing items "
    u"are:\r\n- diagonal mirrors\r\n- vertical/horizontal mirrors\r\n- absorbing elements\r\n- light "
    u"tunnel\r\nSelect the size of the grid and the number of items to place.\r\nNumbers on the edges show "
    u"the number of blocks the laser ray crosses until output or absorption.\r\nGrey color indicates an "
    u"absorbed ray, while yellow shows a reflected ray (input=output).";

const char16_t* const kFrenchRules =
    u"Placer les miroirs dans la grille en utilisant des rayons laser. Les rayons suivent les lois usuelles "
    u"de l'optique. Eléments disponibles, sélectionables:\r\n- miroirs diagonaux \r\n- miroirs "
    u"verticaux/horizontaux \r\n- éléments absorbants \r\n- un tunnel de lumière\r\nOn peut sélectionner la "
    u"taille de la grille carrée, ainsi que le nombre d'éléments à trouver.\r\nLes cotés indiquent le nombre "
    u"de cases parcourues par le rayon jusqu'à ce qu'il ressorte ou qu'il soit absorbé. Du gris indique un "
    u"rayon absorbé, qui ne ressort pas,  du jaune indique un rayon réfléchi, qui ressort sur lui-même.";

// The dialog's values, each exchanged with one control.
struct RulesDialog {
    std::u16string rulesText;
    std::u16string titleText;
};

void DoDataExchange(RulesDialog& d, DialogControls& c, bool pull) {
    c.ExchangeText(pull, RulesId::Text, d.rulesText);
    c.ExchangeText(pull, RulesId::Title, d.titleText);
}

// The first showing fills the texts in the current language.
void OnInitDialog(RulesDialog& d, DialogControls& c) {
    DoDataExchange(d, c, false);  // the handheld's base initialisation
    d.rulesText = RulesText(GameState.langue);
    d.titleText = GameState.langue == 0 ? kEnglishTitle : kFrenchTitle;
    DoDataExchange(d, c, false);
}

}  // namespace

std::u16string RulesText(int32_t langue) {
    return langue == 0 ? kEnglishRules : kFrenchRules;
}

const DialogTemplate& RulesTemplate() {
    static const std::vector<DialogControl> controls = {
        {ControlKind::LineEdit, RulesId::SpareEdit, 13, 190, 36, 11, u"", kBordered},
        {ControlKind::MultiLineEdit, RulesId::Text, 1, 17, 136, 137, u"", kVerticalScroll},
        {ControlKind::LineEdit, RulesId::Title, 30, 1, 75, 12, u"", kCentred},
    };
    static const DialogTemplate rules{105, u"Dialog", 151, 213, controls};
    return rules;
}

Answer RunRulesDialog() {
    // The rules only show: no button of the template, nothing to take on OK.
    struct RulesRun final : DialogRun {
        RulesDialog dialog;
        void InitDialog(DialogControls& c) override { OnInitDialog(dialog, c); }
        void Clicked(DialogControls&, int) override {}
        void Accepted(DialogControls&) override {}
    } run;
    return RunDialog(RulesTemplate(), run);
}
