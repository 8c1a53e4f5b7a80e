// The settings file under the worst a machine can do: a kill at any moment of a save, a full disk, a
// file that is a symbolic link into a dotfile manager's folder, and files that cannot be read or written.
#include "seam/settings_file.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <vector>

#include "seam/registry.h"
#include "seam/settings_folder.h"

namespace {

// Saves a value "blob" of 20 000 copies of `fill`, so that a save takes a while to write.
int32_t SaveBlob(char fill) {
    const std::string blob(20000, fill);
    HKEY key = nullptr;
    bool created = false;
    if (const int32_t error = RegCreateKeyEx("Software\\Kestory\\Mirovane", key, created)) return error;
    RegSetValueEx(key, "blob", REG_BINARY, blob.data(), static_cast<uint32_t>(blob.size()));
    return RegCloseKey(key);
}

// Runs `child` in a child process and returns its wait status; `kill_after_us` >= 0 kills it then.
template <typename Child>
int InChild(Child child, long kill_after_us = -1) {
    const pid_t pid = fork();
    if (pid == 0) {
        child();
        _exit(0);
    }
    if (kill_after_us >= 0) {
        usleep(static_cast<useconds_t>(kill_after_us));
        kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

// The files of a folder, hidden ones (temporary files) included, in order.
std::vector<std::string> Files(const std::string& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path))
        if (!entry.is_directory()) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string LinkText(const std::string& path) {
    char text[4096];
    const ssize_t length = readlink(path.c_str(), text, sizeof text);
    return length < 0 ? "(not a link)" : std::string(text, static_cast<std::size_t>(length));
}

using SettingsFile = SettingsFolderTest;

TEST_F(SettingsFile, AKillAtAnyMomentOfASaveLeavesTheCompleteOldOrNewFile) {
    ASSERT_EQ(SaveBlob('b'), ERROR_SUCCESS);
    const std::string newer = ReadFile();
    ASSERT_EQ(SaveBlob('a'), ERROR_SUCCESS);
    const std::string older = ReadFile();
    std::mt19937 delays(7);
    for (int run = 0; run < 300; ++run) {
        // Every tenth run dies between writing and renaming; the others at a random moment of a loop
        // of saves of both contents.
        const bool beforeRename = run % 10 == 0;
        const std::string before = ReadFile();
        const int status = InChild(
            [&] {
                if (beforeRename) SetBeforeRenameHook([] { raise(SIGKILL); });
                for (int i = 0;; ++i) SaveBlob(i % 2 == 0 ? 'b' : 'a');
            },
            beforeRename ? -1 : static_cast<long>(delays() % 4000));
        ASSERT_TRUE(WIFSIGNALED(status)) << "run " << run;
        const std::string now = ReadFile();
        ASSERT_TRUE(now == older || now == newer) << "run " << run << ": " << now.size() << " bytes";
        if (beforeRename) {
            EXPECT_TRUE(now == before) << "run " << run << " renamed after its kill";
        }
    }
    ASSERT_EQ(SaveBlob('a'), ERROR_SUCCESS);
    EXPECT_EQ(Files(folder + "/Kestory"), std::vector<std::string>{"Mirovane.reg"})
        << "the next save removes what killed saves left";
}

TEST_F(SettingsFile, AFullDiskLeavesTheOldFileAndTheGameRunning) {
    ASSERT_EQ(SaveBlob('a'), ERROR_SUCCESS);
    const std::string older = ReadFile();
    const int status = InChild([] {
        const rlimit full{4096, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &full);
        _exit(SaveBlob('b') == ERROR_WRITE_FAULT ? 0 : 1);
    });
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    EXPECT_EQ(ReadFile(), older);
    EXPECT_EQ(Files(folder + "/Kestory"), std::vector<std::string>{"Mirovane.reg"});
}

TEST_F(SettingsFile, ASaveThroughASymbolicLinkReplacesItsTargetAndKeepsTheLink) {
    const std::string elsewhere = folder + "/dotfiles", kestory = folder + "/Kestory/";
    std::filesystem::create_directories(elsewhere);
    std::filesystem::create_directories(kestory);
    const std::string link = FilePath();
    struct Case {
        const char* name;
        std::string target;  // what the link says
        std::string lands;   // the file the save must write, relative to the settings folder
        bool targetExists;
    };
    const Case cases[] = {
        {"absolute", elsewhere + "/a.reg", "../dotfiles/a.reg", true},
        {"relative", "../dotfiles/b.reg", "../dotfiles/b.reg", true},
        {"relative, to no file yet", "../dotfiles/c.reg", "../dotfiles/c.reg", false},
        {"to another link", "d.link", "../dotfiles/d.reg", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(FilePath());
        if (std::string(c.name) == "to another link") {
            ASSERT_EQ(symlink("../dotfiles/d.reg", (kestory + "d.link").c_str()), 0);
        }
        if (c.targetExists) {
            std::ofstream(kestory + c.lands) << "REGEDIT4\n\n; kept\n";
        }
        ASSERT_EQ(symlink(c.target.c_str(), link.c_str()), 0);
        ASSERT_EQ(SaveBlob('x'), ERROR_SUCCESS);
        EXPECT_EQ(LinkText(link), c.target) << "the link stays";
        const std::string saved = ReadFile();
        EXPECT_NE(saved.find("\"blob\"=hex:78,78"), std::string::npos);
        EXPECT_EQ(saved.find("; kept") != std::string::npos, c.targetExists);
        for (const std::string& name : Files(elsewhere)) EXPECT_NE(name[0], '.') << "left behind: " << name;
        for (const std::string& name : Files(kestory)) EXPECT_NE(name[0], '.') << "left behind: " << name;
    }
}

// Too large to read, a pipe in its place, a file where its folder should be: never parsed, never
// waited on, and never written over.
TEST_F(SettingsFile, AFileTooLargeAPipeOrAFileForItsFolderIsNeitherReadNorWritten) {
    const std::string huge = kStore + "\"damier\"=dword:00000006\n" + std::string(kSettingsFileLimit, '\n');
    WriteFile(huge);
    std::string text;
    EXPECT_EQ(std::pair(ReadSettingsFile(text), SaveBlob('a')),
              std::pair(SettingsRead::TooLarge, ERROR_FILE_TOO_LARGE));
    EXPECT_EQ(ReadFile().size(), huge.size());
    ASSERT_TRUE(std::filesystem::remove(FilePath()) && mkfifo(FilePath().c_str(), 0600) == 0);
    EXPECT_EQ(std::pair(ReadSettingsFile(text), SaveBlob('a')),
              std::pair(SettingsRead::Unreadable, ERROR_ACCESS_DENIED))
        << "a pipe would block a plain read";
    ASSERT_TRUE(std::filesystem::remove(FilePath()) && std::filesystem::remove(folder + "/Kestory"));
    ASSERT_TRUE(std::ofstream(folder + "/Kestory").good());
    EXPECT_NE(SaveBlob('a'), ERROR_SUCCESS);
}

}  // namespace
