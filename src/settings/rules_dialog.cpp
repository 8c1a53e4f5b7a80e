#include "settings/rules_dialog.h"

#include "model/game_state.h"
#include "platform/dialog_template.h"

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

}  // namespace

RulesDialog::RulesDialog(QWidget* parent) : QDialog(parent) {
    DialogTemplate dialog(*this, QStringLiteral("Dialog"), 151, 213);
    dialog.AddLineEdit(RulesId::SpareEdit, 13, 190, 36, 11, DialogTemplate::Bordered);
    dialog.AddMultiLineEdit(RulesId::Text, 1, 17, 136, 137, DialogTemplate::VerticalScroll);
    dialog.AddLineEdit(RulesId::Title, 30, 1, 75, 12, DialogTemplate::Centred);
}

void RulesDialog::DoDataExchange(bool pull) {
    ExchangeText(pull, *this, RulesId::Text, rulesText);
    ExchangeText(pull, *this, RulesId::Title, titleText);
}

void RulesDialog::setVisible(bool visible) {
    if (visible && !initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void RulesDialog::OnInitDialog() {
    DoDataExchange(false);  // the handheld's base initialisation
    const bool english = GameState.langue == 0;
    rulesText = QString::fromUtf16(english ? kEnglishRules : kFrenchRules);
    titleText = QString::fromUtf16(english ? kEnglishTitle : kFrenchTitle);
    DoDataExchange(false);
}
