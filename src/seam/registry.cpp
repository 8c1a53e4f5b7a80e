#include "seam/registry.h"

#include <cstring>
#include <memory>
#include <utility>

#include "seam/host.h"

// This file uses the standard library alone: the settings text comes and goes through the host, so
// that every platform (and the fuzzer) shares the parser.

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameAsciiText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string_view TrimLeft(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    return s.substr(i);
}

std::string_view TrimRight(std::string_view s) {
    std::size_t n = s.size();
    while (n > 0 && IsBlank(s[n - 1])) --n;
    return s.substr(0, n);
}

// One physical line of the text: its characters without the line end, and where the next begins.
struct Line {
    std::string_view content;
    std::size_t begin;
    std::size_t next;
};

Line LineAt(std::string_view text, std::size_t begin) {
    const std::size_t newline = text.find('\n', begin);
    const std::size_t end = newline == std::string_view::npos ? text.size() : newline;
    const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
    std::size_t contentEnd = end;
    if (contentEnd > begin && text[contentEnd - 1] == '\r') --contentEnd;
    return Line{text.substr(begin, contentEnd - begin), begin, next};
}

// Reads a quoted text starting at s[i] == '"'; \\ and \" stand for \ and ". Moves i past the
// closing quote. False when the quote is not closed on this line.
bool ReadQuoted(std::string_view s, std::size_t& i, std::string& out) {
    ++i;
    while (i < s.size()) {
        const char c = s[i];
        if (c == '"') {
            ++i;
            return true;
        }
        if (c == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) {
            out.push_back(s[i + 1]);
            i += 2;
            continue;
        }
        out.push_back(c);
        ++i;
    }
    return false;
}

// Reads 1 to 8 hex digits as a number.
bool ReadHexNumber(std::string_view s, std::size_t& i, uint32_t& number) {
    std::size_t digits = 0;
    number = 0;
    while (i < s.size() && HexDigit(s[i]) >= 0) {
        if (++digits > 8) return false;
        number = number << 4 | static_cast<uint32_t>(HexDigit(s[i]));
        ++i;
    }
    return digits > 0;
}

bool StartsWithAscii(std::string_view s, std::size_t i, std::string_view prefix) {
    return s.size() - i >= prefix.size() && SameAsciiText(s.substr(i, prefix.size()), prefix);
}

bool OnlyBlanksFrom(std::string_view s, std::size_t i) {
    return TrimLeft(s.substr(i)).empty();
}

// The outcome of reading one value line (and its continuation lines).
struct ParsedValue {
    bool ok = false;
    bool deleted = false;
    std::string name;
    RegistryValue value;
    std::size_t next = 0;  // where the text after the value's last line begins
};

// Reads the comma-separated bytes of hex data from s[i] on; a trailing backslash continues them on
// the next line. parsed.next ends up after the last line read, whether or not the data were good.
bool ReadHexBytes(std::string_view text, std::string_view s, std::size_t i, ParsedValue& parsed) {
    std::vector<uint8_t>& bytes = parsed.value.data;
    for (;;) {
        while (i < s.size() && IsBlank(s[i])) ++i;
        if (i == s.size()) return true;
        if (s[i] == '\\') {
            if (!OnlyBlanksFrom(s, i + 1)) return false;
            if (parsed.next >= text.size()) return true;
            const Line line = LineAt(text, parsed.next);
            // A section header is never more data: the value ends before it.
            if (TrimLeft(line.content).substr(0, 1) == "[") return true;
            s = line.content;
            i = 0;
            parsed.next = line.next;
            continue;
        }
        const int high = HexDigit(s[i]);
        if (high < 0) return false;
        ++i;
        int byte = high;
        if (i < s.size() && HexDigit(s[i]) >= 0) byte = byte * 16 + HexDigit(s[i++]);
        bytes.push_back(static_cast<uint8_t>(byte));
        while (i < s.size() && IsBlank(s[i])) ++i;
        if (i == s.size()) return true;
        if (s[i] == ',') {
            ++i;
        } else if (s[i] != '\\') {
            return false;
        }
    }
}

ParsedValue ParseValueLine(std::string_view text, const Line& line, std::string_view s) {
    ParsedValue parsed;
    parsed.next = line.next;
    std::size_t i = 0;
    if (i < s.size() && s[i] == '@') {
        ++i;  // the key's default value, whose name is empty
    } else if (i < s.size() && s[i] == '"') {
        if (!ReadQuoted(s, i, parsed.name)) return parsed;
    } else {
        return parsed;
    }
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size() || s[i] != '=') return parsed;
    ++i;
    while (i < s.size() && IsBlank(s[i])) ++i;
    if (i == s.size()) return parsed;

    if (s[i] == '-') {
        parsed.deleted = true;
        parsed.ok = OnlyBlanksFrom(s, i + 1);
    } else if (s[i] == '"') {
        std::string chars;
        if (!ReadQuoted(s, i, chars) || !OnlyBlanksFrom(s, i)) return parsed;
        parsed.value.type = REG_SZ;
        for (const char c : chars) {
            parsed.value.data.push_back(static_cast<uint8_t>(c));
            parsed.value.data.push_back(0);
        }
        parsed.value.data.push_back(0);
        parsed.value.data.push_back(0);
        parsed.ok = true;
    } else if (StartsWithAscii(s, i, "dword:")) {
        i += 6;
        uint32_t number = 0;
        if (!ReadHexNumber(s, i, number) || !OnlyBlanksFrom(s, i)) return parsed;
        parsed.value.type = REG_DWORD;
        for (int b = 0; b < 4; ++b) parsed.value.data.push_back(static_cast<uint8_t>(number >> (8 * b)));
        parsed.ok = true;
    } else if (StartsWithAscii(s, i, "hex")) {
        i += 3;
        uint32_t type = REG_BINARY;
        if (i < s.size() && s[i] == '(') {
            ++i;
            if (!ReadHexNumber(s, i, type) || i == s.size() || s[i] != ')') return parsed;
            ++i;
        }
        if (i == s.size() || s[i] != ':') return parsed;
        parsed.value.type = type;
        parsed.ok = ReadHexBytes(text, s, i + 1, parsed);
    }
    return parsed;
}

std::string FormatValueLine(std::string_view name, uint32_t type, const uint8_t* data, std::size_t size) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string line = "\"";
    for (const char c : name) {
        if (c == '\\' || c == '"') line.push_back('\\');
        line.push_back(c);
    }
    line += "\"=";
    if (type == REG_DWORD && size == 4) {
        line += "dword:";
        for (int b = 3; b >= 0; --b) {
            line.push_back(kHex[data[b] >> 4]);
            line.push_back(kHex[data[b] & 15]);
        }
        return line;
    }
    if (type == REG_BINARY) {
        line += "hex:";
    } else {
        line += "hex(";
        bool leading = true;
        for (int shift = 28; shift >= 0; shift -= 4) {
            const uint32_t digit = type >> shift & 15;
            if (digit == 0 && leading && shift > 0) continue;
            leading = false;
            line.push_back(kHex[digit]);
        }
        line += "):";
    }
    for (std::size_t b = 0; b < size; ++b) {
        if (b > 0) line.push_back(',');
        line.push_back(kHex[data[b] >> 4]);
        line.push_back(kHex[data[b] & 15]);
    }
    return line;
}

}  // namespace

// ---- The settings file in memory ----------------------------------------------------------------

RegistryText::RegistryText(std::string text, std::string_view keyName) : keyName_(keyName) {
    // New lines end like the file's first line. A file of one unfinished line that ends in a carriage
    // return counts as using CR LF, so that the line end added after it reads back the same way.
    const std::size_t newline = text.find('\n');
    const std::size_t lastOfFirstLine = newline == std::string::npos ? text.size() : newline;
    if (lastOfFirstLine > 0 && text[lastOfFirstLine - 1] == '\r') lineEnd_ = "\r\n";
    Parse(text);
}

void RegistryText::Parse(std::string_view text) {
    std::string run;  // lines kept as they are, since the last piece
    auto endRun = [&] {
        if (run.empty()) return;
        Piece piece;
        piece.text = std::move(run);
        pieces_.push_back(std::move(piece));
        run.clear();
    };

    bool inKey = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const Line line = LineAt(text, pos);
        std::string_view s = line.content;
        if (pos == 0 && s.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
            s.remove_prefix(kByteOrderMark.size());
        }
        s = TrimLeft(s);

        if (!s.empty() && s.front() == '[') {
            // A section header: the section runs to the next header.
            const std::string_view header = TrimRight(s);
            inKey = header.size() >= 2 && header.back() == ']' &&
                    SameAsciiText(header.substr(1, header.size() - 2), keyName_);
            run.append(text.substr(pos, line.next - pos));
            if (inKey) {
                endRun();
                keyFound_ = true;
                insertAfter_ = pieces_.size() - 1;
            }
            pos = line.next;
            continue;
        }

        if (inKey) {
            ParsedValue parsed = ParseValueLine(text, line, s);
            if (parsed.ok) {
                endRun();
                Piece piece;
                piece.text.assign(text.substr(pos, parsed.next - pos));
                piece.isValue = true;
                piece.deleted = parsed.deleted;
                piece.name = std::move(parsed.name);
                piece.value = std::move(parsed.value);
                pieces_.push_back(std::move(piece));
                insertAfter_ = pieces_.size() - 1;
            } else {
                // Continuation lines read for a value that turned out bad are kept with it, so
                // that no line is read twice.
                run.append(text.substr(pos, parsed.next - pos));
            }
            pos = parsed.next;
            continue;
        }

        run.append(text.substr(pos, line.next - pos));
        pos = line.next;
    }
    endRun();
}

// What ends an unfinished last line: after a carriage return only the line feed is missing, and
// adding a whole line end would make the carriage return part of the line.
std::string RegistryText::LineEndAfter(std::string_view text) const {
    if (text.empty() || text.back() == '\n') return {};
    return text.back() == '\r' ? "\n" : lineEnd_;
}

void RegistryText::EndLineOf(std::size_t piece) {
    std::string& text = pieces_[piece].text;
    text += LineEndAfter(text);
    // Hex data whose last line still asks for more (the file ended there) would take the next line
    // as more data: a blank line ends them.
    const std::size_t lastLine = text.size() < 2 ? 0 : text.rfind('\n', text.size() - 2);
    const Line last = LineAt(text, lastLine == std::string::npos || text.size() < 2 ? 0 : lastLine + 1);
    if (pieces_[piece].isValue && TrimRight(last.content).ends_with('\\')) text += lineEnd_;
}

void RegistryText::AddKey() {
    if (keyFound_) return;
    Piece section;
    const std::string header = "[" + keyName_ + "]" + lineEnd_;
    const std::string all = Text();
    if (all.empty()) {
        section.text = "REGEDIT4" + lineEnd_ + lineEnd_ + header;
    } else {
        // Sections are kept apart by one blank line.
        const std::string ended = all + LineEndAfter(all);
        const bool endsBlank =
            ended.ends_with("\n\n") || ended.ends_with("\n\r\n") || ended == "\n" || ended == "\r\n";
        section.text = LineEndAfter(all) + (endsBlank ? std::string() : lineEnd_) + header;
    }
    pieces_.push_back(std::move(section));
    keyFound_ = true;
    insertAfter_ = pieces_.size() - 1;
}

const RegistryValue* RegistryText::Find(std::string_view name) const {
    const Piece* found = nullptr;
    for (const Piece& piece : pieces_) {
        if (piece.isValue && !piece.dropped && SameAsciiText(piece.name, name)) found = &piece;
    }
    if (found == nullptr || found->deleted) return nullptr;
    return &found->value;
}

void RegistryText::Set(std::string_view name, uint32_t type, const uint8_t* data, std::size_t size) {
    AddKey();
    Piece value;
    value.text = FormatValueLine(name, type, data, size) + lineEnd_;
    value.isValue = true;
    value.name = std::string(name);
    value.value.type = type;
    value.value.data.assign(data, data + size);

    bool placed = false;
    for (Piece& piece : pieces_) {
        if (!piece.isValue || piece.dropped || !SameAsciiText(piece.name, name)) continue;
        if (!placed) {
            piece = std::move(value);
            placed = true;
        } else {
            piece.dropped = true;  // an older copy would only confuse the next reader
        }
    }
    if (placed) return;
    EndLineOf(insertAfter_);
    pieces_.insert(pieces_.begin() + static_cast<std::ptrdiff_t>(insertAfter_) + 1, std::move(value));
    ++insertAfter_;
}

std::string RegistryText::Text() const {
    std::size_t total = 0;
    for (const Piece& piece : pieces_) total += piece.dropped ? 0 : piece.text.size();
    std::string text;
    text.reserve(total);
    for (const Piece& piece : pieces_) {
        if (!piece.dropped) text += piece.text;
    }
    return text;
}

// ---- The key over the host's settings text ----------------------------------------------------

struct RegistryKey {
    RegistryText text;
    bool writable = false;
    bool changed = false;
};

namespace {

constexpr const char* kRootName = "HKEY_CURRENT_USER\\";

int32_t ErrorFor(SettingsRead read) {
    return read == SettingsRead::TooLarge ? ERROR_FILE_TOO_LARGE : ERROR_ACCESS_DENIED;
}

}  // namespace

int32_t RegCreateKeyEx(const char* subKey, HKEY& key, bool& created) {
    if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
    std::string text;
    const SettingsRead read = ReadSettings(text);
    if (read == SettingsRead::Missing) text.clear();
    if (read != SettingsRead::Present && read != SettingsRead::Missing) return ErrorFor(read);
    auto opened = std::make_unique<RegistryKey>(
        RegistryKey{RegistryText(std::move(text), kRootName + std::string(subKey)), true, false});
    created = !opened->text.HasKey();
    if (created) {
        opened->text.AddKey();
        opened->changed = true;
    }
    key = opened.release();
    return ERROR_SUCCESS;
}

int32_t RegSetValueEx(HKEY key, const char* name, uint32_t type, const void* data, uint32_t size) {
    if (key == nullptr) return ERROR_INVALID_HANDLE;
    if (!key->writable) return ERROR_ACCESS_DENIED;
    if (name == nullptr || (data == nullptr && size > 0)) return ERROR_INVALID_PARAMETER;
    // A value is one line of the file.
    if (std::strpbrk(name, "\r\n") != nullptr) return ERROR_INVALID_PARAMETER;
    key->text.Set(name, type, static_cast<const uint8_t*>(data), size);
    key->changed = true;
    return ERROR_SUCCESS;
}

int32_t RegOpenKeyEx(const char* subKey, HKEY& key) {
    if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
    std::string text;
    const SettingsRead read = ReadSettings(text);
    if (read == SettingsRead::Missing) return ERROR_FILE_NOT_FOUND;
    if (read != SettingsRead::Present) return ErrorFor(read);
    auto opened = std::make_unique<RegistryKey>(
        RegistryKey{RegistryText(std::move(text), kRootName + std::string(subKey)), false, false});
    if (!opened->text.HasKey()) return ERROR_FILE_NOT_FOUND;
    key = opened.release();
    return ERROR_SUCCESS;
}

int32_t RegQueryValueEx(HKEY key, const char* name, uint32_t& type, void* data, uint32_t& size) {
    if (key == nullptr) return ERROR_INVALID_HANDLE;
    if (name == nullptr) return ERROR_INVALID_PARAMETER;
    const RegistryValue* value = key->text.Find(name);
    if (value == nullptr) return ERROR_FILE_NOT_FOUND;
    const std::size_t room = size;
    type = value->type;
    size = value->data.size() > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(value->data.size());
    if (data == nullptr) return ERROR_SUCCESS;
    if (value->data.size() > room) return ERROR_MORE_DATA;
    if (!value->data.empty()) std::memcpy(data, value->data.data(), value->data.size());
    return ERROR_SUCCESS;
}

int32_t RegCloseKey(HKEY key) {
    if (key == nullptr) return ERROR_INVALID_HANDLE;
    const std::unique_ptr<RegistryKey> owned(key);
    if (!owned->changed) return ERROR_SUCCESS;
    return WriteSettings(owned->text.Text());
}
