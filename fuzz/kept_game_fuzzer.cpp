// Feeds arbitrary texts to the kept game's reader and checks what the game relies on: nothing crashes
// or hangs, the game record is left as it was, and a text that is accepted is written back into a text
// that reads back as the same game, which restores into a game in play.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "model/kept_game.h"

namespace {

void Fail(const char* what) {
    std::fprintf(stderr, "kept game fuzzer: %s\n", what);
    std::abort();
}

// The parts of the game record that the reader's labelling borrows.
bool SameBorrowedFields(const GameRecord& a, const GameRecord& b) {
    return a.gridSize == b.gridSize && a.wormholeA == b.wormholeA && a.wormholeB == b.wormholeB &&
           a.hiddenBoard == b.hiddenBoard && a.hiddenLabels == b.hiddenLabels && a.rayPath == b.rayPath;
}

GameRecord restored;  // static: the record is a few kilobytes

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    GameState.gridSize = 5;
    GameState.hiddenBoard[0] = SlashMirror;
    const GameRecord before = GameState;

    KeptGame kept;
    const bool read = ReadKeptGame(text, kept);
    if (!SameBorrowedFields(GameState, before)) Fail("reading changed the game record");
    if (!read) return 0;

    KeptGame again;
    if (!ReadKeptGame(WriteKeptGame(kept), again)) Fail("an accepted game is not read back once written");
    if (!(again == kept)) Fail("a game written and read back is another game");

    History history;
    restored = GameRecord{};
    RestoreGame(kept, restored, history);
    restored.gameStartTick = 1000;  // the clock restarted as the game does, then stopped at once
    restored.lastTick = 1000 + restored.elapsedMs;
    if (restored.gamePhase != Playing || restored.placedCount > restored.itemCount)
        Fail("a restored game is not in play");
    if (!(CaptureGame(restored, history) == kept)) Fail("a restored game is not the kept one");
    return 0;
}
