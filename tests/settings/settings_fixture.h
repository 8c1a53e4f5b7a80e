// Every settings test runs on a fresh game record with its own settings folder.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <string>
#include <tuple>

#include "model/game_state.h"
#include "platform/qt/services.h"

inline const std::string kKeyHeader = "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";
inline const std::string kStore = "REGEDIT4\n\n" + kKeyHeader;  // a store holding our key alone

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
