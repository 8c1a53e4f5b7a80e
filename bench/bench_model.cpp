// Timings of the game model's hot operations: one long ray, the labelling that runs after every tap
// and on every repaint, a new puzzle, and a comparison of the boards.
//
//   bench_model --benchmark_repetitions=9 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <random>
#include <string_view>

#include "model/model.h"
#include "model/random.h"

namespace {

void SetRows(Board& board, std::initializer_list<std::string_view> rows) {
    constexpr std::string_view kCells = "./\\|-o#AB";
    GameState.gridSize = static_cast<int32_t>(rows.size());
    int32_t y = 0;
    for (std::string_view row : rows) {
        for (int32_t x = 0; x < static_cast<int32_t>(row.size()); ++x) {
            const auto item = static_cast<int16_t>(kCells.find(row[x]));
            board[x * 8 + y] = item;
            if (item == WormholeA) GameState.wormholeA = {x, y};
            if (item == WormholeB) GameState.wormholeB = {x, y};
        }
        ++y;
    }
}

// A full puzzle: 8 x 8, 13 items of every kind and the wormhole pair.
void SetFullPuzzle() {
    GameState = GameRecord{};
    SetRows(GameState.hiddenBoard, {"\\.......", ".../../.", "........", "/.....A-", "./\\.....", "..-..o..",
                                    "..\\.B...", ".|#./..."});
}

// The longest ray the tracer ever follows: port 17 of this dense board is still inside the grid when
// the step limit stops it after 196 steps.
void BM_TraceRayLongest(benchmark::State& state) {
    GameState = GameRecord{};
    SetRows(GameState.hiddenBoard, {"|/\\/\\/\\-", "/..\\./.\\", "\\./\\...|", "//../\\//", "\\.//\\\\/\\",
                                    "///\\\\\\//", "\\./\\///\\", ".\\/\\/\\//"});
    uint16_t count = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(TraceRay(17, count, kHiddenBoard));
        benchmark::ClobberMemory();
    }
    if (count != 196) state.SkipWithError("the long ray no longer runs to the step limit");
}
BENCHMARK(BM_TraceRayLongest);

void BM_LabelAllPortsFullPuzzle(benchmark::State& state) {
    SetFullPuzzle();
    for (auto _ : state) {
        benchmark::DoNotOptimize(LabelAllPorts(kHiddenBoard));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_LabelAllPortsFullPuzzle);

uint32_t EngineDraw(void* engine) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(engine))());
}

void BM_GeneratePuzzleFull(benchmark::State& state) {
    GameState = GameRecord{};
    GameState.damier = 8;
    GameState.items = 13;
    GameState.usereflect = GameState.useabsorbed = GameState.useworm = 1;
    std::mt19937 engine{1};
    SetRandomSource(EngineDraw, &engine);
    for (auto _ : state) {
        GeneratePuzzle();
        benchmark::ClobberMemory();
    }
    SetRandomSource(nullptr, nullptr);
}
BENCHMARK(BM_GeneratePuzzleFull);

// The player has placed 10 of the 13 items, three of them on the wrong cells.
void BM_CompareBoards(benchmark::State& state) {
    SetFullPuzzle();
    LabelAllPorts(kHiddenBoard);
    SetRows(GameState.playerBoard, {"\\......\\", ".../....", "........", "/.....A-", "./\\.....", "......./",
                                    "....B...", ".|.....#"});
    int32_t misplaced = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareBoards(misplaced));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CompareBoards);

}  // namespace

BENCHMARK_MAIN();
