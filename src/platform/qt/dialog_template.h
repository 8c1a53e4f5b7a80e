// Dialog templates on Qt: a QDialog built from a template's data (seam/dialog.h), its controls
// placed where the template puts them, each carrying its control id, and the data exchange between
// the game's values and its controls.
//
// Positions and sizes in a template are dialog units, which scale with the dialog's font: a
// horizontal unit is a quarter of the font's average character width (measured over "A" to "Z"
// and "a" to "z", rounded up to a whole pixel so that labels with wider letters than the average
// still fit), a vertical unit an eighth of its height. With the default font (DejaVu Sans 9 pt) that
// is 2 x 1.75 pixels per unit: the Options dialog is 350 x 350 pixels with its OK and Cancel.
//
// A control with an id has the dynamic property "controlId" and the object name "control<id>"; the
// OK and Cancel buttons that stand in for the handheld's own are Answer::Ok (1) and Answer::Cancel (2).
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <cstdint>

#include "seam/dialog.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTextEdit;
class QWidget;

class DialogBuilder {
  public:
    // Gives `dialog` its caption and a fixed size: the template's area, `width` x `height` units,
    // with OK and Cancel below it.
    DialogBuilder(QDialog& dialog, const QString& caption, int width, int height);

    // The pixel rectangle of a template rectangle in units.
    QRect Place(int x, int y, int width, int height) const;

    // An automatic radio button; `opensGroup` starts a new group, otherwise it joins the last one.
    QRadioButton* AddRadioButton(int id, int x, int y, int width, int height, const QString& text,
                                 bool opensGroup);
    QCheckBox* AddCheckBox(int id, int x, int y, int width, int height, const QString& text);
    QPushButton* AddPushButton(int id, int x, int y, int width, int height, const QString& text);
    QGroupBox* AddGroupBox(int x, int y, int width, int height, const QString& text);
    QLabel* AddCentredLabel(int x, int y, int width, int height, const QString& text);

    // Edit styles are those of seam/dialog.h.
    QLineEdit* AddLineEdit(int id, int x, int y, int width, int height, unsigned style);
    QTextEdit* AddMultiLineEdit(int id, int x, int y, int width, int height, unsigned style);

  private:
    void Tag(QWidget* control, int id) const;

    QDialog& dialog_;
    double unitX_;
    double unitY_;
    QButtonGroup* group_ = nullptr;
};

// The id a control carries, or -1.
int ControlId(const QWidget* control);

// The control with `id` in `dialog`, or null.
QWidget* FindControl(const QWidget& dialog, int id);

// Sets the text of the control with `id`: a button's label or an edit's contents ("\r\n" breaks
// lines in a multi-line edit).
void SetControlText(QWidget& dialog, int id, const QString& text);

// Data exchange of one value with one control: `pull` moves the control's state into the value,
// otherwise the value goes into the control.
// - an edit's text ("\r\n" in the value, line breaks on the screen);
void ExchangeText(bool pull, QWidget& dialog, int id, QString& value);
// - a check box: 0 or 1 read, any nonzero value checks it;
void ExchangeCheck(bool pull, QWidget& dialog, int id, int32_t& value);
// - a radio group given by its first button: the position of the checked button in template order,
//   -1 when none is; a position outside the group checks none.
void ExchangeRadio(bool pull, QWidget& dialog, int firstId, int32_t& value);

// A dialog built from a template, whose first showing, button clicks and OK go to the game's run; the
// game exchanges values with its controls through it.
class TemplateDialog : public QDialog, private DialogControls {
  public:
    TemplateDialog(const DialogTemplate& dialog, DialogRun& run, QWidget* parent = nullptr);

    void setVisible(bool visible) override;
    void accept() override;

  private:
    void ExchangeText(bool pull, int id, std::u16string& value) override;
    void ExchangeCheck(bool pull, int id, int32_t& value) override;
    void ExchangeRadio(bool pull, int firstId, int32_t& value) override;
    void SetText(int id, std::u16string_view text) override;

    DialogRun& run_;
    bool initialised_ = false;
};

// The host's dialog operation: builds the template's dialog, runs it modally (through RunModal, so
// that tests can act on it) and returns Answer::Ok or Answer::Cancel.
Answer RunTemplateDialog(const DialogTemplate& dialog, DialogRun& run);
