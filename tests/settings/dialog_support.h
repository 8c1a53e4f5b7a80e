// Driving the game's dialogs through their real controls, found by their ids.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/dialog_template.h"

inline void Click(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

inline bool Checked(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, id));
    return button != nullptr && button->isChecked();
}

// What a control shows: a button's label or an edit's text (line breaks as "\n").
inline QString Shown(const QDialog& dialog, int id) {
    QWidget* control = FindControl(dialog, id);
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* line = qobject_cast<QLineEdit*>(control)) return line->text();
    if (auto* edit = qobject_cast<QTextEdit*>(control)) return edit->toPlainText();
    return QStringLiteral("(no text control %1)").arg(id);
}

// A tidy dialog: inside its window, no label wider than its button (the number buttons show only
// their circle, their numbers stand above them), no two controls over each other (a group box only
// frames the controls in it, a borderless edit takes only the height of its text). Saves a picture
// when MIROVANE_SCREENSHOTS names a folder.
inline void ExpectTidy(QDialog& dialog, const char* picture) {
    const auto taken = [](const QWidget* control) {
        QRect rect = control->geometry();
        if (auto* edit = qobject_cast<const QTextEdit*>(control);
            edit && edit->frameShape() == QFrame::NoFrame)
            rect.setHeight(std::min(rect.height(), static_cast<int>(edit->document()->size().height())));
        return rect;
    };
    const QList<QWidget*> controls = dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* control : controls) {
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(dialog.rect().contains(control->geometry())) << name;
        auto* button = qobject_cast<QAbstractButton*>(control);
        EXPECT_TRUE(!button || button->text().toInt() != 0 || button->sizeHint().width() <= button->width())
            << "clipped: " << name;
        for (QWidget* other : controls) {
            if (other != control && !qobject_cast<QGroupBox*>(other) && !qobject_cast<QGroupBox*>(control)) {
                EXPECT_FALSE(taken(control).intersects(taken(other)))
                    << name << " overlaps " << other->objectName().toStdString();
            }
        }
    }
    const QByteArray folder = qgetenv("MIROVANE_SCREENSHOTS");
    if (!folder.isEmpty()) dialog.grab().save(QString::fromLocal8Bit(folder) + "/" + picture + ".png");
}
