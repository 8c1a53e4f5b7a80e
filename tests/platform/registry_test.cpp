// The settings file behind the registry operations: what is read, what is written, what survives.
#include "platform/registry.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include "settings/settings_fixture.h"

namespace {

constexpr const char* kKey = "Software\\Kestory\\Mirovane";
constexpr const char* kHeader = "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n";

// Sets name to a REG_DWORD of `size` bytes and saves.
int32_t SaveDword(const char* name, uint32_t value, uint32_t size = 4) {
    HKEY key = nullptr;
    bool created = false;
    const int32_t error = RegCreateKeyEx(kKey, key, created);
    if (error != ERROR_SUCCESS) return error;
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
    RegSetValueEx(key, name, REG_DWORD, bytes, size);
    return RegCloseKey(key);
}

struct Read {
    int32_t error = ERROR_SUCCESS;
    uint32_t type = 0;
    uint32_t size = 0;
    std::vector<uint8_t> data;
};

// Reads a value with room for `room` bytes, as the game does with 4.
Read ReadValue(const char* name, uint32_t room = 4) {
    HKEY key = nullptr;
    const int32_t opened = RegOpenKeyEx(kKey, key);
    Read read;
    read.error = opened;
    if (opened != ERROR_SUCCESS) return read;
    read.data.assign(room, 0xEE);
    read.size = room;
    read.error = RegQueryValueEx(key, name, read.type, read.data.data(), read.size);
    RegCloseKey(key);
    return read;
}

// A million bytes of hex data on one line.
std::string LongHexData() {
    std::string data;
    for (int i = 0; i < 1000000; ++i) data += "00,";
    return data;
}

// Whether every line of `before`, except the old copy of a value (lines starting with `replaced`),
// is still in `after`, in the same order.
bool KeepsEveryLine(const std::string& before, const std::string& after, const std::string& replaced) {
    std::size_t b = 0;
    std::size_t a = 0;
    auto lineAt = [](const std::string& text, std::size_t at) {
        const std::size_t end = text.find('\n', at);
        return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    };
    while (b < before.size()) {
        const std::string line = lineAt(before, b);
        if (line.rfind(replaced, 0) == 0) {
            b += line.size() + 1;
            continue;
        }
        if (a >= after.size()) return false;
        const std::string candidate = lineAt(after, a);
        a += candidate.size() + 1;
        if (candidate == line) b += line.size() + 1;
    }
    return true;
}

using Registry = SettingsTest;

TEST_F(Registry, NoFileMeansNoKeyAndReadingCreatesNothing) {
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyEx(kKey, key), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(QDir(folder.path() + "/Kestory").exists()) << "opening the key for reading made its folder";
}

TEST_F(Registry, OtherKeysAloneAreNoKeyAndStayAsTheyAre) {
    const std::string text =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"x\"=dword:1\n";
    WriteFile(text);
    EXPECT_EQ(ReadValue("x").error, ERROR_FILE_NOT_FOUND) << "a subkey's value was read as ours";
    EXPECT_EQ(ReadFile(), text);
}

TEST_F(Registry, FirstSaveWritesTheExportFormatWithATwoBytePlayer) {
    HKEY key = nullptr;
    bool created = false;
    ASSERT_EQ(RegCreateKeyEx(kKey, key, created), ERROR_SUCCESS);
    EXPECT_TRUE(created);
    const uint8_t version[4] = {26, 0, 0, 0};
    const uint8_t player[2] = {1, 0};
    RegSetValueEx(key, "version", REG_DWORD, version, 4);
    RegSetValueEx(key, "player", REG_DWORD, player, 2);
    ASSERT_EQ(RegCloseKey(key), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(), std::string("REGEDIT4\n\n") + kHeader +
                              "\"version\"=dword:0000001a\n\"player\"=hex(4):01,00\n");

    const Read read = ReadValue("player");
    EXPECT_EQ(read.error, ERROR_SUCCESS);
    EXPECT_EQ(read.type, REG_DWORD);
    EXPECT_EQ(read.size, 2u) << "player must keep its two data bytes";
    EXPECT_EQ(read.data, (std::vector<uint8_t>{1, 0, 0xEE, 0xEE}));
}

TEST_F(Registry, EveryFormOfValueReadsWithItsTypeAndSize) {
    WriteFile(std::string("REGEDIT4\n\n") + kHeader +
              "\"Dword\"=dword:0000001a\n"
              "\"short\"=hex(4):07\n"
              "\"binary\"=hex:01,02,\\\n  03\n"
              "\"qword\"=hex(b):01,00,00,00,00,00,00,00\n"
              "\"text\"=\"\"\n"
              "\"gone\"=dword:00000001\n"
              "\"gone\"=-\n"
              "@=dword:00000005\n");
    struct Case {
        const char* name;
        int32_t error;
        uint32_t type;
        uint32_t size;
        std::vector<uint8_t> data;
    };
    const Case cases[] = {
        {"dword", ERROR_SUCCESS, REG_DWORD, 4, {0x1a, 0, 0, 0}},  // names ignore case
        {"short", ERROR_SUCCESS, REG_DWORD, 1, {7, 0xEE, 0xEE, 0xEE}},
        {"binary", ERROR_SUCCESS, REG_BINARY, 3, {1, 2, 3, 0xEE}},    // continued on the next line
        {"qword", ERROR_MORE_DATA, 11, 8, {0xEE, 0xEE, 0xEE, 0xEE}},  // too long: buffer untouched
        {"text", ERROR_SUCCESS, REG_SZ, 2, {0, 0, 0xEE, 0xEE}},
        {"gone", ERROR_FILE_NOT_FOUND, 0, 4, {0xEE, 0xEE, 0xEE, 0xEE}},
        {"", ERROR_SUCCESS, REG_DWORD, 4, {5, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Read read = ReadValue(c.name);
        EXPECT_EQ(read.error, c.error) << c.name;
        EXPECT_EQ(read.type, c.type) << c.name;
        EXPECT_EQ(read.size, c.size) << c.name;
        EXPECT_EQ(read.data, c.data) << c.name;
    }
}

TEST_F(Registry, ASaveKeepsEverythingItDoesNotOwn) {
    const std::string before =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory]\n\"installed\"=\"yes\"\n\n"
        "[hkey_current_user\\software\\kestory\\mirovane]\n"
        "; a comment\n\"damier\"=dword:00000006\ngarbage \x01\xff line\n"
        "\"damier\"=dword:00000007\n\"highscores\"=hex:01,02,\\\n  03\n\n"
        "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"damier\"=dword:1\n";
    WriteFile(before);
    EXPECT_EQ(ReadValue("damier").data[0], 7) << "the last of two copies counts";
    ASSERT_EQ(SaveDword("damier", 8), ERROR_SUCCESS);
    ASSERT_EQ(SaveDword("items", 9), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory]\n\"installed\"=\"yes\"\n\n"
              "[hkey_current_user\\software\\kestory\\mirovane]\n"
              "; a comment\n\"damier\"=dword:00000008\ngarbage \x01\xff line\n"
              "\"highscores\"=hex:01,02,\\\n  03\n\"items\"=dword:00000009\n\n"
              "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"damier\"=dword:1\n");
}

TEST_F(Registry, DamagedFilesReadWithoutHarmAndKeepTheirBytes) {
    const std::string damaged[] = {
        std::string("\x00\xff\xfe\x01 binary\r\x00", 12),
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\n\"damier\"=hex(4):05,\\",  // truncated
        std::string("REGEDIT4\n\n") + kHeader + "\"long\"=hex:" + LongHexData() + "00\n",
        std::string("REGEDIT4\n\n") + kHeader + std::string(1u << 20, '[') + "\n\"damier\"=dword:1\n",
        "\"damier\"=dword:00000006\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane",
    };
    for (const std::string& text : damaged) {
        WriteFile(text);
        (void)ReadValue("damier");
        EXPECT_EQ(ReadValue("long").error,
                  text.find("\"long\"") != std::string::npos ? ERROR_MORE_DATA : ERROR_FILE_NOT_FOUND);
        ASSERT_EQ(SaveDword("damier", 6), ERROR_SUCCESS);
        EXPECT_EQ(ReadValue("damier").data[0], 6);
        EXPECT_TRUE(KeepsEveryLine(text, ReadFile(), "\"damier\"=hex"))
            << "a save lost content it does not own, file starting "
            << testing::PrintToString(text.substr(0, 40));
    }
}

TEST_F(Registry, AFileBeyondTheLimitIsNeitherReadNorReplaced) {
    const std::string huge = std::string("REGEDIT4\n\n") + kHeader + std::string(kSettingsFileLimit, '\n');
    WriteFile(huge);
    EXPECT_EQ(ReadValue("damier").error, ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(SaveDword("damier", 6), ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(ReadFile().size(), huge.size());
}

TEST_F(Registry, APipeInPlaceOfTheFileCannotStallTheGame) {
    QDir().mkpath(folder.path() + "/Kestory");
    ASSERT_EQ(mkfifo(FilePath().toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(ReadValue("damier").error, ERROR_ACCESS_DENIED);
    EXPECT_EQ(SaveDword("damier", 6), ERROR_ACCESS_DENIED);
}

TEST_F(Registry, AnUnwritableFolderFailsTheSaveQuietly) {
    QFile blocker(folder.path() + "/Kestory");  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_NE(SaveDword("damier", 6), ERROR_SUCCESS);

    ASSERT_TRUE(blocker.remove());
    WriteFile("REGEDIT4\n");
    chmod(QFile::encodeName(folder.path() + "/Kestory").constData(), 0500);
    if (access(QFile::encodeName(folder.path() + "/Kestory").constData(), W_OK) == 0) {
        GTEST_SKIP() << "this user writes into read-only folders";
    }
    EXPECT_EQ(SaveDword("damier", 6), ERROR_ACCESS_DENIED);
    EXPECT_EQ(ReadFile(), "REGEDIT4\n");
    chmod(QFile::encodeName(folder.path() + "/Kestory").constData(), 0700);
}

TEST_F(Registry, ASaveReplacesTheFileWholeAndKeepsItsPermissionsAndLineEnds) {
    WriteFile("REGEDIT4\r\n");
    chmod(QFile::encodeName(FilePath()).constData(), 0640);
    ASSERT_EQ(SaveDword("hint", 1), ERROR_SUCCESS);
    EXPECT_EQ(
        ReadFile(),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\r\n\"hint\"=dword:00000001\r\n");
    struct stat info {};
    ASSERT_EQ(stat(QFile::encodeName(FilePath()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(QDir(folder.path() + "/Kestory").entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "a temporary file was left behind";
}

TEST_F(Registry, TheFileLivesUnderTheConfigFolder) {
    EXPECT_EQ(SettingsFilePath(), FilePath().toStdString());
    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_CONFIG_HOME", "relative/path");  // not absolute: ignored
    qputenv("HOME", folder.path().toLocal8Bit());
    EXPECT_EQ(SettingsFilePath(), (folder.path() + "/.config/Kestory/Mirovane.reg").toStdString());
    qputenv("HOME", home);
}

}  // namespace
