// Driving the game's dialogs through their real controls, found by their ids.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

#include "platform/dialog_template.h"

inline QWidget* Control(const QDialog& dialog, int id) {
    QWidget* control = FindControl(dialog, id);
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

inline void Click(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(Control(dialog, id));
    ASSERT_NE(button, nullptr) << "control " << id << " is not a button";
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

inline bool Checked(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(Control(dialog, id));
    return button != nullptr && button->isChecked();
}

// What the control shows: a button's label or an edit's text (line breaks as "\n").
inline QString Shown(const QDialog& dialog, int id) {
    QWidget* control = Control(dialog, id);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* line = qobject_cast<QLineEdit*>(control)) return line->text();
    if (auto* edit = qobject_cast<QTextEdit*>(control)) return edit->toPlainText();
    return QStringLiteral("(not a text control)");
}

// The part of the dialog a control takes: a borderless edit shows its text from the top, so only
// that part of its box counts.
inline QRect Taken(const QWidget* control) {
    QRect taken = control->geometry();
    if (auto* edit = qobject_cast<const QTextEdit*>(control);
        edit != nullptr && edit->frameShape() == QFrame::NoFrame) {
        taken.setHeight(
            std::min(taken.height(), static_cast<int>(std::ceil(edit->document()->size().height()))));
    }
    return taken;
}

// A tidy dialog: every button's label fits its control, no two controls overlap (a group box only
// frames the controls inside it), and everything lies inside the dialog.
inline void ExpectTidy(const QDialog& dialog) {
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        if (!control->isVisible()) continue;
        EXPECT_TRUE(dialog.rect().contains(control->geometry())) << control->objectName().toStdString();
        if (auto* button = qobject_cast<QAbstractButton*>(control)) {
            // The number buttons show only their circle: their numbers stand on the labels above.
            bool numeric = false;
            button->text().toInt(&numeric);
            if (!numeric) {
                EXPECT_LE(button->sizeHint().width(), button->width())
                    << "label clipped: " << button->text().toStdString();
            }
        }
        for (QWidget* other : controls) {
            if (other == control || !other->isVisible() || qobject_cast<QGroupBox*>(other) ||
                qobject_cast<QGroupBox*>(control)) {
                continue;
            }
            EXPECT_FALSE(Taken(control).intersects(Taken(other)))
                << control->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
        }
    }
}

// Saves a picture of the dialog when MIROVANE_SCREENSHOTS names a folder.
inline void SaveScreenshot(QDialog& dialog, const char* name) {
    const QByteArray folder = qgetenv("MIROVANE_SCREENSHOTS");
    if (folder.isEmpty()) return;
    dialog.grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}
