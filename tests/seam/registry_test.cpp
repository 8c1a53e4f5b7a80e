// The settings file behind the registry operations: the text a save writes, and what it keeps.
// What is read from damaged, odd or unreadable files is tested through the game's own load and save.
#include "seam/registry.h"

#include "seam/settings_folder.h"

namespace {

// Sets `name` to a REG_DWORD of the low `size` bytes of `value` and saves.
int32_t SaveDword(const char* name, uint32_t value, uint32_t size = 4) {
    HKEY key = nullptr;
    bool created = false;
    if (const int32_t error = RegCreateKeyEx("Software\\Kestory\\Mirovane", key, created)) return error;
    RegSetValueEx(key, name, REG_DWORD, &value, size);  // little-endian: the low bytes come first
    return RegCloseKey(key);
}

using Registry = SettingsFolderTest;

// A new file in the export format, readable by all, then one with its own line ends and permissions; no
// temporary file stays behind.
TEST_F(Registry, ASaveWritesTheExportFormatWithTheFilesLineEndsAndPermissions) {
    const mode_t mask = umask(022);
    ASSERT_TRUE(SaveDword("version", 26) == ERROR_SUCCESS && SaveDword("player", 1, 2) == ERROR_SUCCESS);
    umask(mask);
    EXPECT_EQ(ReadFile(), kStore + "\"version\"=dword:0000001a\n\"player\"=hex(4):01,00\n");
    EXPECT_EQ(Mode(), 0644u) << "a new file: readable by all, written by its owner";
    WriteFile("REGEDIT4\r\n");
    chmod(FilePath().c_str(), 0640);
    ASSERT_EQ(SaveDword("hint", 1), ERROR_SUCCESS);
    EXPECT_EQ(
        ReadFile(),
        "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane]\r\n\"hint\"=dword:00000001\r\n");
    EXPECT_EQ(Mode(), 0640u);
    const std::filesystem::directory_iterator files(folder + "/Kestory");
    EXPECT_EQ(std::distance(begin(files), end(files)), 1);
}

TEST_F(Registry, ASaveKeepsEverythingItDoesNotOwnAndDropsOlderCopies) {
    WriteFile("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory]\n\"installed\"=\"yes\"\n\n" + kKeyHeader +
              "; a comment\n\"damier\"=dword:00000006\ngarbage \x01\xff line\n\"damier\"=dword:00000007\n"
              "\"scores\"=hex:01,\\\n  "
              "03\n\n[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"x\"=dword:1\n");
    ASSERT_EQ(SaveDword("damier", 8), ERROR_SUCCESS);
    ASSERT_EQ(SaveDword("items", 9), ERROR_SUCCESS);
    EXPECT_EQ(ReadFile(),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kestory]\n\"installed\"=\"yes\"\n\n" + kKeyHeader +
                  "; a comment\n\"damier\"=dword:00000008\ngarbage \x01\xff line\n\"scores\"=hex:01,\\\n"
                  "  03\n\"items\"=dword:00000009\n\n"
                  "[HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane\\Window]\n\"x\"=dword:1\n");
}

}  // namespace
