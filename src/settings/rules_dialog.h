// The rules dialog (template 105): a title line and the rules of the game in the current language.
#pragma once

#include <QDialog>
#include <QString>

// Control ids of template 105.
namespace RulesId {
inline constexpr int Text = 1010;
inline constexpr int Title = 1011;
inline constexpr int SpareEdit = 1032;  // an empty edit that nothing fills or reads
}  // namespace RulesId

class RulesDialog : public QDialog {
  public:
    explicit RulesDialog(QWidget* parent = nullptr);

    // The dialog's values, each exchanged with one control.
    QString rulesText;
    QString titleText;

    // pull: controls into values; otherwise values into controls.
    void DoDataExchange(bool pull);

    // The first showing fills the texts in the current language.
    void setVisible(bool visible) override;

  private:
    void OnInitDialog();

    bool initialised_ = false;
};
