// The settings file behind the registry operations: what is read, what is written, what survives.
#include "platform/registry.h"

#include <sys/stat.h>

#include <tuple>

#include "settings/settings_fixture.h"

namespace {

constexpr const char* kKey = "Software\\Kestory\\Mirovane";
const std::string kFile = "REGEDIT4\n\n" + kKeyHeader;

// Sets `name` to a REG_DWORD of `size` bytes and saves.
int32_t SaveDword(const char* name, uint32_t value, uint32_t size = 4) {
    HKEY key = nullptr;
    bool created = false;
    if (const int32_t error = RegCreateKeyEx(kKey, key, created); error != ERROR_SUCCESS) return error;
    const uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                              uint8_t(value >> 24)};
    RegSetValueEx(key, name, REG_DWORD, bytes, size);
    return RegCloseKey(key);
}

struct Read {
    int32_t error = ERROR_SUCCESS;
    uint32_t type = 0;
    uint32_t size = 4;
    std::vector<uint8_t> data = {0xEE, 0xEE, 0xEE, 0xEE};
};

// Reads a value into 4 bytes, as the game does.
Read ReadValue(const char* name) {
    Read read;
    HKEY key = nullptr;
    read.error = RegOpenKeyEx(kKey, key);
    if (read.error != ERROR_SUCCESS) return read;
    read.error = RegQueryValueEx(key, name, read.type, read.data.data(), read.size);
    RegCloseKey(key);
    return read;
}

// Whether every line of `before` but the old copies of the value `replaced` is still in `after`, in order.
bool KeepsEveryLine(const std::string& before, const std::string& after, const std::string& replaced) {
    std::size_t b = 0;
    for (std::size_t a = 0; b < before.size();) {
        const std::string line = before.substr(b, before.find('\n', b) - b);
        if (line.rfind(replaced, 0) == 0) {
            b += line.size() + 1;
        } else if (a >= after.size()) {
            return false;
        } else {
            const std::string candidate = after.substr(a, after.find('\n', a) - a);
            a += candidate.size() + 1;
            if (candidate == line) b += line.size() + 1;
        }
    }
    return true;
}

using Registry = SettingsTest;

TEST_F(Registry, NoFileOrNoSectionMeansNoKeyAndReadingWritesNothing) {
    EXPECT_EQ(ReadValue("damier").error, ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(QDir(folder.path() + "/Kestory").exists()) << "opening the key for reading made its folder";
    const std::string subkeyOnly =
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"x\"=dword:1\n";
    WriteFile(subkeyOnly);
    EXPECT_EQ(ReadValue("x").error, ERROR_FILE_NOT_FOUND) << "a subkey's value was read as ours";
    EXPECT_EQ(ReadFile(), subkeyOnly);
}

TEST_F(Registry, AFirstSaveWritesTheExportFormatWithATwoBytePlayer) {
    ASSERT_EQ(SaveDword("version", 26), ERROR_SUCCESS);
    ASSERT_EQ(SaveDword("player", 1, 2), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(), kFile + "\"version\"=dword:0000001a\n\"player\"=hex(4):01,00\n");
    const Read player = ReadValue("player");
    EXPECT_EQ(player.type, REG_DWORD);
    EXPECT_EQ(player.size, 2u) << "player must keep its two data bytes";
    EXPECT_EQ(player.data, (std::vector<uint8_t>{1, 0, 0xEE, 0xEE}));
}

TEST_F(Registry, ValuesOfOtherToolsReadWithTheirTypeAndSize) {
    WriteFile(kFile +
              "\"Binary\"=hex:01,02,\\\n  "
              "03\n\"qword\"=hex(b):01,00,00,00,00,00,00,00\n\"gone\"=dword:1\n\"gone\"=-\n");
    const Read binary = ReadValue("binary");  // names ignore case; data continue on the next line
    EXPECT_EQ(std::tuple(binary.type, binary.data),
              std::tuple(REG_BINARY, std::vector<uint8_t>{1, 2, 3, 0xEE}));
    const Read qword = ReadValue("qword");
    EXPECT_EQ(std::tuple(qword.error, qword.size, qword.data[0]), std::tuple(ERROR_MORE_DATA, 8u, 0xEE))
        << "a value too long for the room must not be copied";
    EXPECT_EQ(ReadValue("gone").error, ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ASaveKeepsEverythingItDoesNotOwnAndDropsOlderCopies) {
    WriteFile("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory]\n\"installed\"=\"yes\"\n\n" + kKeyHeader +
              "; a comment\n\"damier\"=dword:00000006\ngarbage \x01\xff line\n\"damier\"=dword:00000007\n"
              "\"scores\"=hex:01,\\\n  "
              "03\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"x\"=dword:1\n");
    EXPECT_EQ(ReadValue("damier").data[0], 7) << "the last of two copies counts";
    ASSERT_EQ(SaveDword("damier", 8), ERROR_SUCCESS);
    ASSERT_EQ(SaveDword("items", 9), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory]\n\"installed\"=\"yes\"\n\n" + kKeyHeader +
                  "; a comment\n\"damier\"=dword:00000008\ngarbage \x01\xff line\n\"scores\"=hex:01,\\\n"
                  "  03\n\"items\"=dword:00000009\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"x\"=dword:1\n");
}

TEST_F(Registry, DamagedFilesReadWithoutHarmAndLoseNothingAtTheNextSave) {
    std::string longLine = "\"long\"=hex:";
    for (int i = 0; i < 1000000; ++i) longLine += "00,";
    const std::string damaged[] = {
        std::string("\x00\xff\xfe\x01 binary\r\x00", 12),
        kFile + "\"damier\"=hex(4):05,\\",  // truncated in the middle of a value
        kFile + "\"cut\"=hex:01,\\",        // a new value must not read as more of its data
        kFile + longLine + "00\n",
        kFile + std::string(1u << 20, '[') + "\n\"damier\"=dword:1\n",
        kFile + "\"cut\"=hex:01,\\\n[HKEY_CURRENT_USER\\Software\\Other]\n\"damier\"=dword:1\n",
    };
    for (const std::string& text : damaged) {
        WriteFile(text);
        EXPECT_NE(ReadValue("damier").data[0], 1) << "another key's value was read as ours";
        ASSERT_EQ(SaveDword("damier", 6), ERROR_SUCCESS);
        EXPECT_EQ(ReadValue("damier").data[0], 6);
        EXPECT_EQ(ReadValue("long").error,
                  text.find("\"long\"") != std::string::npos ? ERROR_MORE_DATA : ERROR_FILE_NOT_FOUND);
        EXPECT_TRUE(KeepsEveryLine(text, ReadFile(), "\"damier\"=hex"))
            << "content lost from the file starting " << testing::PrintToString(text.substr(0, 40));
    }
}

TEST_F(Registry, FilesTheGameMustNotReadAreLeftAlone) {
    const std::string huge = kFile + std::string(kSettingsFileLimit, '\n');
    WriteFile(huge);
    EXPECT_EQ(ReadValue("damier").error, ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(SaveDword("damier", 6), ERROR_FILE_TOO_LARGE);
    EXPECT_EQ(ReadFile().size(), huge.size());
    ASSERT_TRUE(QFile::remove(FilePath()));
    ASSERT_EQ(mkfifo(QFile::encodeName(FilePath()).constData(), 0600), 0);  // would block a plain read
    EXPECT_EQ(ReadValue("damier").error, ERROR_ACCESS_DENIED);
    EXPECT_EQ(SaveDword("damier", 6), ERROR_ACCESS_DENIED);
    ASSERT_TRUE(QFile::remove(FilePath()) && QDir().rmdir(folder.path() + "/Kestory"));
    QFile blocker(folder.path() + "/Kestory");  // a file where the folder should be
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_NE(SaveDword("damier", 6), ERROR_SUCCESS);
}

TEST_F(Registry, ASaveReplacesTheFileWholeWithItsPermissionsAndLineEnds) {
    WriteFile("REGEDIT4\r\n");
    chmod(QFile::encodeName(FilePath()).constData(), 0640);
    ASSERT_EQ(SaveDword("hint", 1), ERROR_SUCCESS);
    EXPECT_EQ(
        ReadFile(),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\r\n\"hint\"=dword:00000001\r\n");
    EXPECT_EQ(QFile::permissions(FilePath()) & (QFile::ReadGroup | QFile::ReadOther), QFile::ReadGroup);
    EXPECT_EQ(QDir(folder.path() + "/Kestory").entryList(QDir::Files | QDir::Hidden).size(), 1)
        << "a temporary file was left behind";
    EXPECT_EQ(SettingsFilePath(), FilePath().toStdString());
}

}  // namespace
