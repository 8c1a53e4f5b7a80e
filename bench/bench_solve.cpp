// Timings of the solver over dealt puzzles of 8 x 8 cells and 13 items: 10 000 seeds for each of the
// eight option sets (bit 0 reflecting items, bit 1 absorbers, bit 2 the wormhole pair), reported as
// the median, the 99th percentile and the worst solve; and the dealing of puzzles with one answer.
//
//   bench_solve
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include "dealt_puzzles.h"
#include "model/model.h"
#include "model/random.h"
#include "model/solve.h"

namespace {

constexpr int kSeeds = 10'000;

double Milliseconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

// Median, 99th percentile and worst of `times`, in milliseconds, as the benchmark's counters.
void ReportSpread(benchmark::State& state, std::vector<double>& times) {
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p99_ms"] = times[times.size() * 99 / 100];
    state.counters["worst_ms"] = times.back();
}

// One solve (count and sure cells) per seed's puzzle; the deal itself is not timed.
void BM_SolveDealtPuzzles(benchmark::State& state) {
    const int options = static_cast<int>(state.range(0));
    std::vector<double> times;
    uint64_t unique = 0, unknown = 0, mostSteps = 0;
    for (auto _ : state) {
        times.clear();
        for (uint32_t seed = 0; seed < kSeeds; ++seed) {
            SetOptions(options);
            std::mt19937 engine{seed};
            SetRandomSource(EngineDraw, &engine);
            GeneratePuzzle();
            SetRandomSource(nullptr, nullptr);
            const Puzzle puzzle = PuzzleOfGame(false);
            const auto start = std::chrono::steady_clock::now();
            const Solution solution = SolvePuzzle(puzzle);
            times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
            unique += solution.status == SolveStatus::Exact && solution.arrangements == 1;
            unknown += solution.status == SolveStatus::OutOfSteps;
            mostSteps = std::max(mostSteps, solution.steps);
        }
    }
    ReportSpread(state, times);
    state.counters["unique_share"] = static_cast<double>(unique) / kSeeds;
    state.counters["out_of_steps"] = static_cast<double>(unknown);
    state.counters["most_steps"] = static_cast<double>(mostSteps);
}
BENCHMARK(BM_SolveDealtPuzzles)->DenseRange(0, 7)->Iterations(1)->Unit(benchmark::kSecond);

// Dealing until the solver finds one arrangement, every option on, 2 000 seeds.
void BM_GenerateWithOneAnswer(benchmark::State& state) {
    std::vector<double> times;
    for (auto _ : state) {
        times.clear();
        for (uint32_t seed = 0; seed < 2'000; ++seed) {
            SetOptions(7);
            std::mt19937 engine{seed};
            SetRandomSource(EngineDraw, &engine);
            const auto start = std::chrono::steady_clock::now();
            if (!GeneratePuzzleWithOneAnswer(100'000)) state.SkipWithError("no puzzle with one answer");
            times.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
            SetRandomSource(nullptr, nullptr);
        }
    }
    ReportSpread(state, times);
}
BENCHMARK(BM_GenerateWithOneAnswer)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
