#include "platform/qt/dialog_template.h"

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

#include "platform/qt/services.h"

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

DialogBuilder::DialogBuilder(QDialog& dialog, const QString& caption, int width, int height)
    : dialog_(dialog) {
    const QFontMetricsF metrics(dialog.font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    unitX_ = std::ceil(metrics.horizontalAdvance(letters) / letters.size()) / 4.0;
    unitY_ = metrics.height() / 8.0;

    dialog.setWindowTitle(caption);
    const QRect area = Place(0, 0, width, height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    Tag(buttons->button(QDialogButtonBox::Ok), AnswerId(Answer::Ok));
    Tag(buttons->button(QDialogButtonBox::Cancel), AnswerId(Answer::Cancel));
    const int buttonsHeight = buttons->sizeHint().height();
    buttons->setGeometry(kMargin, area.bottom() + 1 + kMargin, area.width(), buttonsHeight);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    dialog.setFixedSize(area.width() + 2 * kMargin, area.height() + buttonsHeight + 3 * kMargin);
}

QRect DialogBuilder::Place(int x, int y, int width, int height) const {
    // Rounding both edges keeps neighbouring controls from gaining or losing a pixel between them.
    const int left = static_cast<int>(std::lround(x * unitX_));
    const int top = static_cast<int>(std::lround(y * unitY_));
    const int right = static_cast<int>(std::lround((x + width) * unitX_));
    const int bottom = static_cast<int>(std::lround((y + height) * unitY_));
    return QRect(kMargin + left, kMargin + top, right - left, bottom - top);
}

void DialogBuilder::Tag(QWidget* control, int id) const {
    control->setProperty(kIdProperty, id);
    control->setObjectName(ControlName(id));
}

QRadioButton* DialogBuilder::AddRadioButton(int id, int x, int y, int width, int height, const QString& text,
                                            bool opensGroup) {
    auto* button = new QRadioButton(text, &dialog_);
    Tag(button, id);
    button->setGeometry(Place(x, y, width, height));
    if (opensGroup || group_ == nullptr) group_ = new QButtonGroup(&dialog_);
    group_->addButton(button);
    return button;
}

QCheckBox* DialogBuilder::AddCheckBox(int id, int x, int y, int width, int height, const QString& text) {
    auto* box = new QCheckBox(text, &dialog_);
    Tag(box, id);
    box->setGeometry(Place(x, y, width, height));
    return box;
}

QPushButton* DialogBuilder::AddPushButton(int id, int x, int y, int width, int height, const QString& text) {
    auto* button = new QPushButton(text, &dialog_);
    Tag(button, id);
    button->setGeometry(Place(x, y, width, height));
    return button;
}

QGroupBox* DialogBuilder::AddGroupBox(int x, int y, int width, int height, const QString& text) {
    auto* box = new QGroupBox(text, &dialog_);
    box->setGeometry(Place(x, y, width, height));
    // The box only frames the controls placed over it; it must not take their clicks.
    box->lower();
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    return box;
}

QLabel* DialogBuilder::AddCentredLabel(int x, int y, int width, int height, const QString& text) {
    auto* label = new QLabel(text, &dialog_);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(Place(x, y, width, height));
    return label;
}

QLineEdit* DialogBuilder::AddLineEdit(int id, int x, int y, int width, int height, unsigned style) {
    auto* edit = new QLineEdit(&dialog_);
    Tag(edit, id);
    edit->setGeometry(Place(x, y, width, height));
    edit->setFrame((style & kBordered) != 0);
    if ((style & kBordered) == 0) {
        BlendWithDialog(edit);
        edit->setTextMargins(0, 0, 0, 0);
    }
    if ((style & kCentred) != 0) edit->setAlignment(Qt::AlignCenter);
    if ((style & kRightAligned) != 0) edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return edit;
}

QTextEdit* DialogBuilder::AddMultiLineEdit(int id, int x, int y, int width, int height, unsigned style) {
    auto* edit = new QTextEdit(&dialog_);
    Tag(edit, id);
    edit->setGeometry(Place(x, y, width, height));
    edit->setAcceptRichText(false);
    edit->setTabChangesFocus(true);
    edit->setLineWrapMode(QTextEdit::WidgetWidth);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setVerticalScrollBarPolicy((style & kVerticalScroll) != 0 ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
    if ((style & kBordered) == 0) {
        // A borderless edit is a label: it shows the dialog through it, so that where its box runs
        // over a neighbour's (as the item-count label's does over the numbers below it) nothing is
        // painted over.
        edit->setFrameShape(QFrame::NoFrame);
        edit->viewport()->setAutoFillBackground(false);
    }
    // The handheld's edits start their text at the top-left corner (a bordered one just inside its
    // border); a short label must not lose its one line to the document's margin.
    edit->document()->setDocumentMargin((style & kBordered) != 0 ? 2 : 0);
    QTextOption option = edit->document()->defaultTextOption();
    option.setAlignment((style & kRightAligned) != 0 ? Qt::AlignRight
                        : (style & kCentred) != 0    ? Qt::AlignHCenter
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

namespace {

QString FromUtf16(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

TemplateDialog::TemplateDialog(const DialogTemplate& dialog, DialogRun& run, QWidget* parent)
    : QDialog(parent), run_(run) {
    DialogBuilder builder(*this, FromUtf16(dialog.caption), dialog.width, dialog.height);
    for (const DialogControl& c : dialog.controls) {
        const QString text = FromUtf16(c.text);
        QAbstractButton* button = nullptr;
        switch (c.kind) {
            case ControlKind::RadioButton:
                button = builder.AddRadioButton(c.id, c.x, c.y, c.width, c.height, text,
                                                (c.style & kOpensGroup) != 0);
                break;
            case ControlKind::CheckBox:
                button = builder.AddCheckBox(c.id, c.x, c.y, c.width, c.height, text);
                break;
            case ControlKind::PushButton:
                button = builder.AddPushButton(c.id, c.x, c.y, c.width, c.height, text);
                break;
            case ControlKind::GroupBox:
                builder.AddGroupBox(c.x, c.y, c.width, c.height, text);
                break;
            case ControlKind::CentredLabel:
                builder.AddCentredLabel(c.x, c.y, c.width, c.height, text);
                break;
            case ControlKind::LineEdit:
                builder.AddLineEdit(c.id, c.x, c.y, c.width, c.height, c.style);
                break;
            case ControlKind::MultiLineEdit:
                builder.AddMultiLineEdit(c.id, c.x, c.y, c.width, c.height, c.style);
                break;
        }
        if (button != nullptr) {
            const int id = c.id;
            connect(button, &QAbstractButton::clicked, this, [this, id] { run_.Clicked(*this, id); });
        }
    }
}

void TemplateDialog::ExchangeText(bool pull, int id, std::u16string& value) {
    QString text = FromUtf16(value);
    ::ExchangeText(pull, *this, id, text);
    if (pull) value = text.toStdU16String();
}

void TemplateDialog::ExchangeCheck(bool pull, int id, int32_t& value) {
    ::ExchangeCheck(pull, *this, id, value);
}

void TemplateDialog::ExchangeRadio(bool pull, int firstId, int32_t& value) {
    ::ExchangeRadio(pull, *this, firstId, value);
}

void TemplateDialog::SetText(int id, std::u16string_view text) {
    SetControlText(*this, id, FromUtf16(text));
}

void TemplateDialog::setVisible(bool visible) {
    if (visible && !initialised_) {
        initialised_ = true;
        run_.InitDialog(*this);
    }
    QDialog::setVisible(visible);
}

void TemplateDialog::accept() {
    run_.Accepted(*this);
    QDialog::accept();
}

Answer RunTemplateDialog(const DialogTemplate& dialog, DialogRun& run) {
    TemplateDialog shown(dialog, run, AppMainWindow());
    return RunModal(shown) == QDialog::Accepted ? Answer::Ok : Answer::Cancel;
}
