// The handheld's registry, as far as the game uses it: keys of HKEY_CURRENT_USER holding small
// values, kept in one text in the registry export format, which the platform stores as a whole
// (the desktop in a file, seam/settings_file.h; a browser in its local storage), for example
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Kestory\Mirovane]
//   "version"=dword:0000001a
//   "player"=hex(4):00,00
//
// A key is a section "[HKEY_CURRENT_USER\<key path>]"; each of its values is one line
// "name"=data. A 4-byte REG_DWORD is written dword:<8 hex digits>; any other size or type as
// hex(<type>):<bytes>, little-endian, so a 2-byte REG_DWORD keeps its two bytes. Values read from
// other tools may also be hex:<bytes> (REG_BINARY), "text" (REG_SZ, read as UTF-16 with its
// terminating zero, one unit per byte) or - (deleted). Long hex data may continue on the next
// line after a trailing backslash. When the same value appears more than once, the last one
// counts, as when such a file is imported.
//
// How the five operations map onto the text, which they get and put through the host (ReadSettings,
// WriteSettings in seam/host.h):
// - RegOpenKeyEx reads the text; no text, or no section for the key, means no key. Reading never
//   writes anything.
// - RegCreateKeyEx reads the text too and adds the section when it is missing. RegSetValueEx changes
//   the value in memory.
// - RegCloseKey writes the whole text back when the key was created or a value was set. Every line
//   the game does not own (other keys, other values, comments, lines that cannot be parsed) is
//   written back exactly as it was read.
// A text that cannot be read (too large, unreadable) is never parsed and never replaced: the key
// cannot be opened or created.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;

inline constexpr int32_t ERROR_SUCCESS = 0;
inline constexpr int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr int32_t ERROR_ACCESS_DENIED = 5;
inline constexpr int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr int32_t ERROR_WRITE_FAULT = 29;
inline constexpr int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr int32_t ERROR_FILE_TOO_LARGE = 223;
inline constexpr int32_t ERROR_MORE_DATA = 234;

inline constexpr std::size_t kSettingsFileLimit = 16u << 20;

struct RegistryKey;
using HKEY = RegistryKey*;

// Opens the key HKEY_CURRENT_USER\<subKey>, creating it when it does not exist; `created` tells
// which. The key is written to the file when it is closed.
int32_t RegCreateKeyEx(const char* subKey, HKEY& key, bool& created);

// Sets value `name` of a key from RegCreateKeyEx to `size` bytes of `data` of the given type.
int32_t RegSetValueEx(HKEY key, const char* name, uint32_t type, const void* data, uint32_t size);

// Opens the key HKEY_CURRENT_USER\<subKey> for reading; ERROR_FILE_NOT_FOUND when it does not exist.
int32_t RegOpenKeyEx(const char* subKey, HKEY& key);

// Reads value `name`. On entry `size` is the room in `data`; on return the value's type and size.
// A value larger than the room gives ERROR_MORE_DATA and leaves `data` untouched; a missing value
// gives ERROR_FILE_NOT_FOUND and leaves all three untouched.
int32_t RegQueryValueEx(HKEY key, const char* name, uint32_t& type, void* data, uint32_t& size);

// Releases the key; a created or changed key is saved first, and the save's error is returned.
int32_t RegCloseKey(HKEY key);

// ---- The settings text in memory ----------------------------------------------------------------
// What the operations above work on; the parser's fuzzer and the tests drive it directly.

struct RegistryValue {
    uint32_t type = 0;
    std::vector<uint8_t> data;
};

class RegistryText {
  public:
    // Parses `text`, picking out the values of the section "[<keyName>]" (keyName in full, with
    // its root, compared without regard to ASCII case). Never fails: what is not understood is
    // kept as it stands.
    RegistryText(std::string text, std::string_view keyName);

    bool HasKey() const { return keyFound_; }
    // Adds the key's section at the end of the text, when it has none.
    void AddKey();

    // The value that counts for `name`, or null when the key has none (or the last one is "-").
    const RegistryValue* Find(std::string_view name) const;

    // Replaces the value `name` where it stands (dropping later copies), or adds it at the end of
    // the key's last section. The key must exist.
    void Set(std::string_view name, uint32_t type, const uint8_t* data, std::size_t size);

    // The whole text: unchanged lines exactly as read.
    std::string Text() const;

  private:
    // A run of lines kept as they are, or one value line (with its continuation lines) of our key.
    struct Piece {
        std::string text;
        bool isValue = false;
        bool dropped = false;
        bool deleted = false;  // the value reads "-"
        std::string name;
        RegistryValue value;
    };

    void Parse(std::string_view text);
    std::string LineEndAfter(std::string_view text) const;
    void EndLineOf(std::size_t piece);

    std::string keyName_;
    std::string lineEnd_ = "\n";
    std::vector<Piece> pieces_;
    bool keyFound_ = false;
    std::size_t insertAfter_ = 0;  // new values go after this piece
};
