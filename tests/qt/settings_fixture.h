// Every settings test runs on a fresh game record with its own settings folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <string>
#include <tuple>

#include "model/game_state.h"
#include "platform/qt/dialog_template.h"
#include "platform/qt/services.h"

inline const std::string kKeyHeader = "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";
inline const std::string kStore = "REGEDIT4\n\n" + kKeyHeader;  // a store holding our key alone

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
        GameState = GameRecord{};
    }
    void TearDown() override {
        SetDialogActions({});
        qunsetenv("XDG_CONFIG_HOME");
    }

    QString FilePath() const { return folder.path() + "/Kestory/Mirovane.reg"; }

    void WriteFile(const std::string& text) const {
        QFile file(FilePath());
        ASSERT_TRUE(QDir().mkpath(folder.path() + "/Kestory") && file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    std::string ReadFile() const {
        QFile file(FilePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(no file)";
    }

    bool FileHas(const std::string& line) const { return ReadFile().find(line + "\n") != std::string::npos; }

    // The file's contents, identity and time of last change: a file written again, even with the same
    // bytes, reads otherwise.
    auto FileState() const {
        struct stat info {};
        stat(QFile::encodeName(FilePath()).constData(), &info);
        return std::tuple(ReadFile(), info.st_ino, info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    }

    QTemporaryDir folder;
};
