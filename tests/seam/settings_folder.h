// Every settings-file test runs in a settings folder of its own, the registry reading and writing the
// desktop's settings file there (no Qt: the seam alone).
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "seam/host.h"
#include "seam/settings_file.h"

inline const std::string kKeyHeader = "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";
inline const std::string kStore = "REGEDIT4\n\n" + kKeyHeader;  // a store holding our key alone

class SettingsFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string path = (std::filesystem::temp_directory_path() / "mirovane-XXXXXX").string();
        ASSERT_NE(mkdtemp(path.data()), nullptr);
        folder = path;
        setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        setenv("XDG_STATE_HOME", folder.c_str(), 1);  // the kept game too
        Host host{};
        host.readSettings = &ReadSettingsFile;
        host.writeSettings = &WriteSettingsFile;
        SetHost(host);
    }
    void TearDown() override {
        SetHost(Host{});
        unsetenv("XDG_CONFIG_HOME");
        unsetenv("XDG_STATE_HOME");
        std::filesystem::remove_all(folder);
    }

    std::string FilePath() const { return folder + "/Kestory/Mirovane.reg"; }
    void WriteFile(const std::string& text) const {
        std::filesystem::create_directories(folder + "/Kestory");
        std::ofstream(FilePath(), std::ios::binary) << text;
    }
    std::string ReadFile() const {
        std::ifstream file(FilePath(), std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return file ? text.str() : "(no file)";
    }
    // The permission bits of the settings file.
    unsigned Mode() const {
        struct stat info {};
        stat(FilePath().c_str(), &info);
        return info.st_mode & 07777;
    }

    std::string folder;
};
