#include "core/settings/settings.h"

#include <array>

#include "core/ui/command_bar.h"
#include "core/ui/help.h"
#include "model/game_state.h"
#include "model/model.h"
#include "seam/registry.h"

namespace {

constexpr const char* kKeyPath = "Software\\Kestory\\Mirovane";

// The format of the store that InitSettings leaves behind. Stores before 26 counted Player 1's
// total time in seconds.
constexpr int32_t kStoreVersion = 26;

// One stored value: its name and the field it holds, 4 data bytes, or 2 for the 16-bit "player".
struct StoredField {
    const char* name;
    int32_t* field;
    int16_t* shortField;
};

// Every stored value, in the order in which they are written and read.
std::array<StoredField, 19> StoredFields() {
    GameRecord& g = GameState;
    return {{
        {"version", &g.version, nullptr},
        {"langue", &g.langue, nullptr},
        {"damier", &g.damier, nullptr},
        {"items", &g.items, nullptr},
        {"useabsorbed", &g.useabsorbed, nullptr},
        {"usereflect", &g.usereflect, nullptr},
        {"useworm", &g.useworm, nullptr},
        {"hint", &g.hint, nullptr},
        {"player", nullptr, &g.player},
        {"bestscore", &g.stats1.bestscore, nullptr},
        {"totalbad", &g.stats1.totalbad, nullptr},
        {"totalscore", &g.stats1.totalscore, nullptr},
        {"totalplay", &g.stats1.totalplay, nullptr},
        {"totaltime", &g.stats1.totaltime, nullptr},
        {"bestscore2", &g.stats2.bestscore, nullptr},
        {"totalbad2", &g.stats2.totalbad, nullptr},
        {"totalscore2", &g.stats2.totalscore, nullptr},
        {"totalplay2", &g.stats2.totalplay, nullptr},
        {"totaltime2", &g.stats2.totaltime, nullptr},
    }};
}

// The stored data are little-endian, whatever the machine.
void PutBytes(uint32_t value, uint8_t (&bytes)[4]) {
    for (int b = 0; b < 4; ++b) bytes[b] = static_cast<uint8_t>(value >> (8 * b));
}

uint32_t GetBytes(const uint8_t (&bytes)[4]) {
    uint32_t value = 0;
    for (int b = 3; b >= 0; --b) value = value << 8 | bytes[b];
    return value;
}

// Totals wrap at 32 bits.
int32_t WrappingAdd(int32_t total, uint32_t amount) {
    return static_cast<int32_t>(static_cast<uint32_t>(total) + amount);
}

PlayerStats& CurrentStats() {
    return GameState.player == 0 ? GameState.stats1 : GameState.stats2;
}

}  // namespace

void InitSettings() {
    GameState.langue = 0;
    GameState.hint = 1;
    GameState.damier = 5;
    GameState.items = 4;
    GameState.useabsorbed = 1;
    GameState.usereflect = 1;
    GameState.useworm = 0;
    GameState.stats1 = PlayerStats{};
    GameState.stats2 = PlayerStats{};
    GameState.player = 0;
    GameState.version = 0;

    const bool opened = LoadSettings() == 0;
    if (opened && GameState.version < kStoreVersion) {
        GameState.stats1.totaltime =
            static_cast<int32_t>(static_cast<uint32_t>(GameState.stats1.totaltime) * 1000u);
    }
    GameState.version = kStoreVersion;

    if (GameState.damier > 8) GameState.damier = 8;
    if (GameState.damier < 4) GameState.damier = 4;
    GameState.gridSize = GameState.damier;
    if (GameState.items > 13) GameState.items = 13;
    if (GameState.items < 3) GameState.items = 3;
    GameState.itemCount = GameState.items;

    UpdateMenuLabels();
    DealPuzzle();
}

int32_t LoadSettings() {
    HKEY key = nullptr;
    if (RegOpenKeyEx(kKeyPath, key) != ERROR_SUCCESS) return -1;
    for (const StoredField& stored : StoredFields()) {
        // The stored bytes replace the field's from its low-order end; a shorter value leaves the
        // field's upper bytes as they were.
        uint8_t bytes[4];
        PutBytes(stored.field != nullptr ? static_cast<uint32_t>(*stored.field)
                                         : static_cast<uint32_t>(static_cast<uint16_t>(*stored.shortField)),
                 bytes);
        uint32_t type = 0;
        uint32_t size = sizeof bytes;
        if (RegQueryValueEx(key, stored.name, type, bytes, size) != ERROR_SUCCESS) continue;
        const uint32_t value = GetBytes(bytes);
        if (stored.field != nullptr) {
            *stored.field = static_cast<int32_t>(value);
        } else {
            *stored.shortField = static_cast<int16_t>(value & 0xFFFF);
        }
    }
    RegCloseKey(key);
    return 0;
}

int32_t SaveSettings() {
    HKEY key = nullptr;
    bool created = false;
    // The handheld created the key with the class "parameters", which the settings file has no
    // place for.
    const int32_t error = RegCreateKeyEx(kKeyPath, key, created);
    if (error != ERROR_SUCCESS) return error;
    for (const StoredField& stored : StoredFields()) {
        uint8_t bytes[4];
        if (stored.field != nullptr) {
            PutBytes(static_cast<uint32_t>(*stored.field), bytes);
            RegSetValueEx(key, stored.name, REG_DWORD, bytes, 4);
        } else {
            PutBytes(static_cast<uint16_t>(*stored.shortField), bytes);
            RegSetValueEx(key, stored.name, REG_DWORD, bytes, 2);
        }
    }
    return RegCloseKey(key);
}

void RecordGame(int16_t labelMismatches, int32_t misplaced, uint32_t elapsedMs) {
    // A game that took no measurable time is not counted, but the store is still written.
    if (elapsedMs != 0) {
        PlayerStats& stats = CurrentStats();
        if (labelMismatches != 0)
            stats.totalbad = WrappingAdd(stats.totalbad, static_cast<uint32_t>(misplaced));
        stats.totalplay = WrappingAdd(stats.totalplay, 1);
        stats.totalscore = WrappingAdd(stats.totalscore, static_cast<uint32_t>(GameState.itemCount));
        stats.totaltime = WrappingAdd(stats.totaltime, elapsedMs);
    }
    SaveSettings();
}

void ResetStatistics(int32_t player) {
    PlayerStats& stats = player == 0 ? GameState.stats1 : GameState.stats2;
    stats = PlayerStats{};
}
