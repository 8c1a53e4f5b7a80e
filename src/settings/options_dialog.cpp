#include "settings/options_dialog.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <initializer_list>

#include "model/model.h"
#include "platform/dialog_template.h"
#include "settings/settings.h"

namespace {

// Fills a text in the handheld's wsprintf manner: each %i or %s takes the next argument (already
// written out), %% gives one %.
QString Fill(const char16_t* format, std::initializer_list<QString> arguments) {
    const QString pattern = QString::fromUtf16(format);
    auto next = arguments.begin();
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size()) {
            const QChar kind = pattern[i + 1];
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

QString Elapsed(uint32_t milliseconds) {
    wchar_t buffer[13];
    FormatElapsed(buffer, 13, milliseconds);
    return QString::fromWCharArray(buffer);
}

// Wrapping 32-bit arithmetic, as the totals themselves wrap.
int32_t Wrap(uint32_t value) {
    return static_cast<int32_t>(value);
}

QString Text(bool english, const char16_t* englishText, const char16_t* frenchText) {
    return QString::fromUtf16(english ? englishText : frenchText);
}

// Template 104: the ids of the two number groups and their buttons' x positions, in template order.
constexpr std::array<int, 5> kGridSizeIds = {1018, 1019, 1020, 1021, 1023};
constexpr std::array<int, 5> kGridSizeX = {64, 78, 92, 106, 120};
constexpr std::array<int, 11> kItemCountIds = {1000, 1004, 1005, 1006, 1013, 1014,
                                               1017, 1024, 1025, 1026, 1029};
constexpr std::array<int, 11> kItemCountX = {7, 18, 29, 40, 51, 62, 73, 84, 95, 106, 117};

}  // namespace

QString StatisticsText(const PlayerStats& stats, int32_t langue) {
    const bool english = langue == 0;
    const QString total = Elapsed(static_cast<uint32_t>(stats.totaltime));
    QString average;
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
    return Fill(format, {QString::number(stats.totalplay), total, average, QString::number(itemsOk),
                         QString::number(stats.totalscore), QString::number(percent)});
}

OptionsDialog::OptionsDialog(QWidget* parent) : QDialog(parent) {
    DialogTemplate dialog(*this, QStringLiteral("Options"), 167, 174);

    for (std::size_t i = 0; i < kGridSizeIds.size(); ++i) {
        dialog.AddRadioButton(kGridSizeIds[i], kGridSizeX[i], 9, 9, 11, QString::number(i + 4), i == 0);
    }
    for (std::size_t i = 0; i < kItemCountIds.size(); ++i) {
        dialog.AddRadioButton(kItemCountIds[i], kItemCountX[i], 31, 9, 11, QString::number(i + 3), i == 0);
    }
    QPushButton* reset =
        dialog.AddPushButton(OptionsId::Reset, 3, 128, 131, 12, QStringLiteral("Reset Statistics"));
    dialog.AddMultiLineEdit(OptionsId::Statistics, 4, 96, 127, 27, 0);
    QAbstractButton* english =
        dialog.AddRadioButton(OptionsId::English, 3, 143, 38, 9, QStringLiteral("English"), true);
    QAbstractButton* french =
        dialog.AddRadioButton(OptionsId::French, 42, 143, 38, 9, QString::fromUtf16(u"Français"), false);
    dialog.AddCheckBox(OptionsId::Absorbers, 4, 43, 59, 11, QStringLiteral("use absorbed"));
    dialog.AddCheckBox(OptionsId::ReflectingItems, 67, 43, 64, 11, QStringLiteral("use reflet"));
    dialog.AddCheckBox(OptionsId::Wormhole, 4, 55, 60, 10, QStringLiteral("use wormhole"));
    dialog.AddCheckBox(OptionsId::Hints, 67, 55, 66, 10, QStringLiteral("Hints"));
    dialog.AddGroupBox(1, 88, 135, 54, QStringLiteral("Stat"));
    for (std::size_t i = 0; i < kGridSizeX.size(); ++i) {
        dialog.AddCentredLabel(kGridSizeX[i], 0, 10, 8, QString::number(i + 4));
    }
    for (std::size_t i = 0; i < kItemCountX.size(); ++i) {
        dialog.AddCentredLabel(kItemCountX[i], 22, 10, 8, QString::number(i + 3));
    }
    dialog.AddMultiLineEdit(OptionsId::GridSizeLabel, 2, 0, 60, 12, DialogTemplate::RightAligned);
    dialog.AddMultiLineEdit(OptionsId::ItemCountLabel, 7, 13, 43, 12, 0);
    QAbstractButton* player1 =
        dialog.AddRadioButton(OptionsId::Player1, 8, 74, 48, 11, QStringLiteral("Player 1"), true);
    QAbstractButton* player2 =
        dialog.AddRadioButton(OptionsId::Player2, 68, 74, 48, 11, QStringLiteral("Player 2"), false);

    connect(english, &QAbstractButton::clicked, this, [this] { OnLanguage(); });
    connect(french, &QAbstractButton::clicked, this, [this] { OnLanguage(); });
    connect(reset, &QAbstractButton::clicked, this, [this] { OnReset(); });
    connect(player1, &QAbstractButton::clicked, this, [this] { OnPlayer(); });
    connect(player2, &QAbstractButton::clicked, this, [this] { OnPlayer(); });
}

void OptionsDialog::DoDataExchange(bool pull) {
    resetButton = qobject_cast<QPushButton*>(FindControl(*this, OptionsId::Reset));
    ExchangeRadio(pull, *this, OptionsId::ItemCountFirst, itemCountChoice);
    ExchangeRadio(pull, *this, OptionsId::English, languageChoice);
    ExchangeText(pull, *this, OptionsId::Statistics, statisticsText);
    ExchangeRadio(pull, *this, OptionsId::GridSizeFirst, gridSizeChoice);
    ExchangeText(pull, *this, OptionsId::GridSizeLabel, gridSizeLabel);
    ExchangeCheck(pull, *this, OptionsId::Absorbers, absorbers);
    ExchangeCheck(pull, *this, OptionsId::ReflectingItems, reflectingItems);
    ExchangeCheck(pull, *this, OptionsId::Hints, hints);
    ExchangeCheck(pull, *this, OptionsId::Wormhole, wormhole);
    ExchangeText(pull, *this, OptionsId::ItemCountLabel, itemCountLabel);
    ExchangeRadio(pull, *this, OptionsId::Player1, playerChoice);
}

void OptionsDialog::setVisible(bool visible) {
    if (visible && !initialised_) {
        initialised_ = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void OptionsDialog::OnInitDialog() {
    DoDataExchange(false);  // what the handheld's base initialisation does; it also finds the reset button
    itemCountChoice = GameState.items - 3;
    languageChoice = GameState.langue;
    gridSizeChoice = GameState.damier - 4;
    reflectingItems = GameState.usereflect;
    absorbers = GameState.useabsorbed;
    wormhole = GameState.useworm;
    hints = GameState.hint;
    playerChoice = GameState.player;
    RelabelOptions();
    DoDataExchange(false);
}

void OptionsDialog::RelabelOptions() {
    const PlayerStats& stats = GameState.player == 0 ? GameState.stats1 : GameState.stats2;
    const bool english = GameState.langue == 0;

    gridSizeLabel = Text(english, u"Size of the grid", u"Taille de la grille");
    itemCountLabel = Text(english, u"Items", u"Eléments");
    SetControlText(*this, OptionsId::Absorbers, Text(english, u"absorbtion", u"absorbé"));
    SetControlText(*this, OptionsId::ReflectingItems,
                   Text(english, u"total reflection", u"réflexion totale"));
    SetControlText(*this, OptionsId::Wormhole, Text(english, u"light warp", u"tunnel"));
    SetControlText(*this, OptionsId::Hints, Text(english, u"online hints", u"aide en ligne"));
    statisticsText = StatisticsText(stats, GameState.langue);
    SetControlText(*this, ControlId(resetButton),
                   Text(english, u"Reset statistics", u"Remise à zéro des statistiques"));
    SetControlText(*this, OptionsId::Player1, Text(english, u"Player 1", u"Joueur 1"));
    SetControlText(*this, OptionsId::Player2, Text(english, u"Player 2", u"Joueur 2"));
}

// The new language shows at once, and stays even when the dialog is cancelled.
void OptionsDialog::OnLanguage() {
    DoDataExchange(true);
    if (languageChoice == GameState.langue) return;
    GameState.langue = languageChoice;
    RelabelOptions();
    DoDataExchange(false);
}

// The chosen player's statistics show at once; the choice stays even when the dialog is cancelled.
void OptionsDialog::OnPlayer() {
    DoDataExchange(true);
    GameState.player = static_cast<int16_t>(playerChoice);
    RelabelOptions();
    DoDataExchange(false);
}

// No confirmation: the statistics are cleared at once, and the Options command saves them.
void OptionsDialog::OnReset() {
    DoDataExchange(true);
    ResetStatistics(playerChoice);
    RelabelOptions();
    DoDataExchange(false);
}

void OptionsDialog::accept() {
    DoDataExchange(true);
    // Hints, language and player never ask for a new game.
    GameState.optionsChanged =
        itemCountChoice + 3 != GameState.items || gridSizeChoice + 4 != GameState.damier ||
                absorbers != GameState.useabsorbed || reflectingItems != GameState.usereflect ||
                wormhole != GameState.useworm
            ? 1
            : 0;
    GameState.items = itemCountChoice + 3;
    GameState.damier = gridSizeChoice + 4;
    GameState.langue = languageChoice;
    GameState.useabsorbed = absorbers;
    GameState.usereflect = reflectingItems;
    GameState.useworm = wormhole;
    GameState.hint = hints;
    GameState.player = static_cast<int16_t>(playerChoice);
    QDialog::accept();
}
