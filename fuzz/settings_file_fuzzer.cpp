// Feeds arbitrary settings files to the parser and checks what the game relies on: nothing crashes,
// a file read and written back unchanged is the same file, and a save reads back what it wrote while
// leaving the other values of the key as they were.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "seam/registry.h"

namespace {

constexpr const char* kKey = "HKEY_CURRENT_USER\\Software\\Kestory\\Mirovane";

constexpr const char* kGameValues[] = {
    "version",    "langue",    "damier",      "items",      "useabsorbed", "usereflect", "useworm",
    "hint",       "player",    "bestscore",   "totalbad",   "totalscore",  "totalplay",  "totaltime",
    "bestscore2", "totalbad2", "totalscore2", "totalplay2", "totaltime2",
};

// Values of the key that the game does not own.
constexpr const char* kOtherValues[] = {"other", "", "hint2"};

void Fail(const char* what) {
    std::fprintf(stderr, "settings file fuzzer: %s\n", what);
    std::abort();
}

bool SameValue(const RegistryValue* a, const RegistryValue* b) {
    if (a == nullptr || b == nullptr) return a == b;
    return a->type == b->type && a->data == b->data;
}

void SaveGameValues(RegistryText& text, uint8_t seed) {
    for (std::size_t i = 0; i < std::size(kGameValues); ++i) {
        const uint8_t bytes[4] = {static_cast<uint8_t>(seed + i), static_cast<uint8_t>(i), 0, seed};
        text.Set(kGameValues[i], REG_DWORD, bytes, std::string(kGameValues[i]) == "player" ? 2 : 4);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const uint8_t seed = size > 0 ? data[0] : 0;

    const RegistryText original(input, kKey);
    if (original.Text() != input) Fail("an unchanged file is not written back as it was read");
    for (const char* name : kGameValues) (void)original.Find(name);

    RegistryText saved(input, kKey);
    SaveGameValues(saved, seed);
    const std::string written = saved.Text();

    RegistryText reread(written, kKey);
    if (!reread.HasKey()) Fail("the saved file has no key");
    for (std::size_t i = 0; i < std::size(kGameValues); ++i) {
        const RegistryValue* value = reread.Find(kGameValues[i]);
        const std::size_t expected = std::string(kGameValues[i]) == "player" ? 2 : 4;
        if (value == nullptr || value->type != REG_DWORD || value->data.size() != expected ||
            value->data[0] != static_cast<uint8_t>(seed + i)) {
            Fail("a saved value does not read back");
        }
    }
    for (const char* name : kOtherValues) {
        if (!SameValue(original.Find(name), reread.Find(name))) Fail("a value the game does not own changed");
    }

    // Saving the same values again changes nothing.
    SaveGameValues(reread, seed);
    if (reread.Text() != written) Fail("saving twice gives another file");
    return 0;
}
