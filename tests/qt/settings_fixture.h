// Every desktop test runs on a fresh game record with a settings folder of its own (the settings file
// and the desktop's own choices land there), and clicks dialogs as the player's pointer does.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QTemporaryDir>
#include <QTest>

#include "model/game_state.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/services.h"

// Clicks the dialog's button of control id `id`, as the player's pointer does.
inline void Click(const QDialog& dialog, int id) {
    auto* button = qobject_cast<QAbstractButton*>(FindControl(dialog, id));
    ASSERT_NE(button, nullptr) << "no button " << id;
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
        qputenv("XDG_STATE_HOME", folder.path().toLocal8Bit());  // the kept game too
        GameState = GameRecord{};
    }
    void TearDown() override {
        SetDialogActions({});
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_STATE_HOME");
    }

    QTemporaryDir folder;
};
