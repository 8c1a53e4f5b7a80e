#include "platform/dialog_template.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextOption>
#include <cmath>

#include "platform/services.h"

namespace {

// Room around the template's area, and between it and the OK and Cancel buttons, in pixels.
constexpr int kMargin = 8;

const char* const kIdProperty = "controlId";

QString ControlName(int id) {
    return QStringLiteral("control%1").arg(id);
}

// Borderless edits serve as labels: they take the dialog's own background.
void BlendWithDialog(QWidget* edit) {
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    edit->setPalette(palette);
}

QString ScreenText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

DialogTemplate::DialogTemplate(QDialog& dialog, const QString& caption, int width, int height)
    : dialog_(dialog) {
    const QFontMetricsF metrics(dialog.font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    unitX_ = std::ceil(metrics.horizontalAdvance(letters) / letters.size()) / 4.0;
    unitY_ = metrics.height() / 8.0;

    dialog.setWindowTitle(caption);
    const QRect area = Place(0, 0, width, height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    Tag(buttons->button(QDialogButtonBox::Ok), IDOK);
    Tag(buttons->button(QDialogButtonBox::Cancel), IDCANCEL);
    const int buttonsHeight = buttons->sizeHint().height();
    buttons->setGeometry(kMargin, area.bottom() + 1 + kMargin, area.width(), buttonsHeight);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.setFixedSize(area.width() + 2 * kMargin, area.height() + buttonsHeight + 3 * kMargin);
}

QRect DialogTemplate::Place(int x, int y, int width, int height) const {
    // Rounding both edges keeps neighbouring controls from gaining or losing a pixel between them.
    const int left = static_cast<int>(std::lround(x * unitX_));
    const int top = static_cast<int>(std::lround(y * unitY_));
    const int right = static_cast<int>(std::lround((x + width) * unitX_));
    const int bottom = static_cast<int>(std::lround((y + height) * unitY_));
    return QRect(kMargin + left, kMargin + top, right - left, bottom - top);
}

void DialogTemplate::Tag(QWidget* control, int id) const {
    control->setProperty(kIdProperty, id);
    control->setObjectName(ControlName(id));
}

QRadioButton* DialogTemplate::AddRadioButton(int id, int x, int y, int width, int height, const QString& text,
                                             bool opensGroup) {
    auto* button = new QRadioButton(text, &dialog_);
    Tag(button, id);
    button->setGeometry(Place(x, y, width, height));
    if (opensGroup || group_ == nullptr) group_ = new QButtonGroup(&dialog_);
    group_->addButton(button);
    return button;
}

QCheckBox* DialogTemplate::AddCheckBox(int id, int x, int y, int width, int height, const QString& text) {
    auto* box = new QCheckBox(text, &dialog_);
    Tag(box, id);
    box->setGeometry(Place(x, y, width, height));
    return box;
}

QPushButton* DialogTemplate::AddPushButton(int id, int x, int y, int width, int height, const QString& text) {
    auto* button = new QPushButton(text, &dialog_);
    Tag(button, id);
    button->setGeometry(Place(x, y, width, height));
    return button;
}

QGroupBox* DialogTemplate::AddGroupBox(int x, int y, int width, int height, const QString& text) {
    auto* box = new QGroupBox(text, &dialog_);
    box->setGeometry(Place(x, y, width, height));
    // The box only frames the controls placed over it; it must not take their clicks.
    box->lower();
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    return box;
}

QLabel* DialogTemplate::AddCentredLabel(int x, int y, int width, int height, const QString& text) {
    auto* label = new QLabel(text, &dialog_);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(Place(x, y, width, height));
    return label;
}

QLineEdit* DialogTemplate::AddLineEdit(int id, int x, int y, int width, int height, unsigned style) {
    auto* edit = new QLineEdit(&dialog_);
    Tag(edit, id);
    edit->setGeometry(Place(x, y, width, height));
    edit->setFrame((style & Bordered) != 0);
    if ((style & Bordered) == 0) {
        BlendWithDialog(edit);
        edit->setTextMargins(0, 0, 0, 0);
    }
    if ((style & Centred) != 0) edit->setAlignment(Qt::AlignCenter);
    if ((style & RightAligned) != 0) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QTextEdit* DialogTemplate::AddMultiLineEdit(int id, int x, int y, int width, int height, unsigned style) {
    auto* edit = new QTextEdit(&dialog_);
    Tag(edit, id);
    edit->setGeometry(Place(x, y, width, height));
    edit->setAcceptRichText(false);
    edit->setTabChangesFocus(true);
    edit->setLineWrapMode(QTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy((style & VerticalScroll) != 0 ? Qt::ScrollBarAsNeeded
                                                                   : Qt::ScrollBarAlwaysOff);
    if ((style & Bordered) == 0) {
        // A borderless edit is a label: it shows the dialog through it, so that where its box runs
        // over a neighbour's (as the item-count label's does over the numbers below it) nothing is
        // painted over.
        edit->setFrameShape(QFrame::NoFrame);
        edit->viewport()->setAutoFillBackground(false);
    }
    // The handheld's edits start their text at the top-left corner (a bordered one just inside its
    // border); a short label must not lose its one line to the document's margin.
    edit->document()->setDocumentMargin((style & Bordered) != 0 ? 2 : 0);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment((style & RightAligned) != 0 ? Qt::AlignRight
                        : (style & Centred) != 0    ? Qt::AlignHCenter
                                                    : Qt::AlignLeft);
    edit->document()->setDefaultTextOption(option);
    return edit;
}

int ControlId(const QWidget* control) {
    if (control == nullptr) return -1;
    const QVariant id = control->property(kIdProperty);
    return id.isValid() ? id.toInt() : -1;
}

QWidget* FindControl(const QWidget& dialog, int id) {
    return dialog.findChild<QWidget*>(ControlName(id));
}

void SetControlText(QWidget& dialog, int id, const QString& text) {
    QWidget* control = FindControl(dialog, id);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(control)) {
        line->setText(text);
    } else if (auto* edit = qobject_cast<QTextEdit*>(control)) {
        edit->setPlainText(ScreenText(text));
    }
}

void ExchangeText(bool pull, QWidget& dialog, int id, QString& value) {
    if (!pull) {
        SetControlText(dialog, id, value);
        return;
    }
    QWidget* control = FindControl(dialog, id);
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        value = line->text();
    } else if (auto* edit = qobject_cast<QTextEdit*>(control)) {
        value = edit->toPlainText();
        value.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    }
}

void ExchangeCheck(bool pull, QWidget& dialog, int id, int32_t& value) {
    auto* box = qobject_cast<QAbstractButton*>(FindControl(dialog, id));
    if (box == nullptr) return;
    if (pull) {
        value = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(value != 0);
    }
}

void ExchangeRadio(bool pull, QWidget& dialog, int firstId, int32_t& value) {
    auto* first = qobject_cast<QAbstractButton*>(FindControl(dialog, firstId));
    if (first == nullptr || first->group() == nullptr) return;
    QButtonGroup* group = first->group();
    const QList<QAbstractButton*> buttons = group->buttons();  // template order
    if (pull) {
        value = static_cast<int32_t>(buttons.indexOf(group->checkedButton()));
        return;
    }
    // An exclusive group cannot be left with no button checked.
    group->setExclusive(false);
    for (qsizetype i = 0; i < buttons.size(); ++i) buttons[i]->setChecked(i == value);
    group->setExclusive(true);
}
