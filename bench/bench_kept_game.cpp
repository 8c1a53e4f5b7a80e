// The cost of keeping a game: an 8 x 8 game of 13 items and the wormhole pair, written out and read
// back (the reading labels both boards), without history and with a full one.
//
//   bench_kept_game --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <string>

#include "model/kept_game.h"
#include "model/model.h"

namespace {

constexpr const char* kRows[] = {"\\.......", ".../../.", "........",  "/.....A-",
                                 "./\\.....", "..-..o..", "..\\.B...", ".|#./..."};

// The game in play, with `changes` board changes in its history (an item placed and taken back).
KeptGame KeptGameWith(std::size_t changes) {
    GameState = GameRecord{};
    GameState.gridSize = 8;
    GameState.itemCount = 13;
    GameState.usereflect = GameState.useabsorbed = GameState.useworm = 1;
    for (int32_t y = 0; y < 8; ++y) {
        for (int32_t x = 0; x < 8; ++x) {
            const auto item = static_cast<int16_t>(std::string("./\\|-o#AB").find(kRows[y][x]));
            GameState.hiddenBoard[x * 8 + y] = item;
            if (item >= WormholeA) GameState.playerBoard[x * 8 + y] = item;
            if (item == WormholeA) GameState.wormholeA = {x, y};
            if (item == WormholeB) GameState.wormholeB = {x, y};
        }
    }
    LabelAllPorts(kHiddenBoard);
    RecountPalette(0);
    GameState.moveCount = 1;
    History history;
    for (std::size_t change = 0; change < changes; ++change) {
        const PlayerSide before = TakePlayerSide(GameState);
        GameState.playerBoard[0] = GameState.playerBoard[0] == Empty ? SlashMirror : Empty;
        RecordChange(history, before, GameState);
    }
    return CaptureGame(GameState, history);
}

void BM_WriteAndReadKeptGame(benchmark::State& state) {
    const KeptGame kept = KeptGameWith(static_cast<std::size_t>(state.range(0)));
    KeptGame read;
    for (auto _ : state) {
        const std::string text = WriteKeptGame(kept);
        benchmark::DoNotOptimize(ReadKeptGame(text, read));
    }
    state.counters["bytes"] = static_cast<double>(WriteKeptGame(kept).size());
}
BENCHMARK(BM_WriteAndReadKeptGame)->Arg(0)->Arg(10)->Arg(static_cast<int64_t>(kHistoryLimit));

}  // namespace

BENCHMARK_MAIN();
