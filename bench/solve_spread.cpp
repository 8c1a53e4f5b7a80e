// The solver's spread over dealt puzzles of 8 x 8 cells and 13 items, timed in CPU time so that other
// programs on the machine do not count: for each option set (bit 0 reflecting items, bit 1 absorbers,
// bit 2 the wormhole pair) the median, the 99th percentile and the worst solve (count and sure cells),
// the most steps, and a digest of every answer, which must not change when only the search does.
// It is plain C++ so that the browser build can run it under Node as well; there it runs on a stack of
// 64 KB, the default of recent emscripten, and reports the most of it that the solves used:
//
//   solve_spread [seeds [first option set [last option set]]]     (10 000 seeds, option sets 0 to 7)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <vector>

#include "dealt_puzzles.h"
#include "model/model.h"
#include "model/random.h"
#include "model/solve.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#include <emscripten/stack.h>

#include <cstring>

// Node's CPU time of the process, in microseconds: the browser build has no thread CPU clock.
EM_JS(double, NodeCpuMicroseconds, (), {
    const use = process.cpuUsage();
    return use.user + use.system;
});

// The stack below the caller's frame, filled with a mark that the solves overwrite as deep as they go;
// the lowest bytes hold emscripten's overflow cookie and stay as they are.
constexpr unsigned char kStackMark = 0xA5;
constexpr uintptr_t kCookie = 16;
constexpr uintptr_t kCallerMargin = 1024;

void MarkFreeStack() {
    const uintptr_t low = emscripten_stack_get_end() + kCookie;
    std::memset(reinterpret_cast<void*>(low), kStackMark,
                emscripten_stack_get_current() - kCallerMargin - low);
}

// Bytes of the stack used at the deepest point since MarkFreeStack.
uintptr_t StackUsed() {
    const uintptr_t low = emscripten_stack_get_end() + kCookie;
    const auto* bytes = reinterpret_cast<const unsigned char*>(low);
    uintptr_t untouched = 0;
    while (bytes[untouched] == kStackMark) ++untouched;
    return emscripten_stack_get_base() - low - untouched;
}
#endif

namespace {

double CpuMilliseconds() {
#ifdef __EMSCRIPTEN__
    return NodeCpuMicroseconds() / 1000.0;
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
#endif
}

// FNV-1a over the answer: status, count and sure cells.
uint64_t Digest(uint64_t digest, const Solution& solution) {
    auto mix = [&digest](uint64_t value) {
        for (int byte = 0; byte < 8; ++byte) {
            digest = (digest ^ ((value >> (8 * byte)) & 0xFF)) * 1099511628211u;
        }
    };
    mix(static_cast<uint64_t>(solution.status));
    mix(solution.arrangements);
    for (const int16_t cell : solution.sure) mix(static_cast<uint16_t>(cell));
    return digest;
}

}  // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 10'000;
    const int first = argc > 2 ? std::atoi(argv[2]) : 0;
    const int last = argc > 3 ? std::atoi(argv[3]) : 7;
    if (seeds < 1 || first < 0 || last > 7 || first > last) {
        std::fprintf(stderr, "usage: solve_spread [seeds [first option set [last option set]]]\n");
        return 2;
    }
    std::printf(
        "options  median_ms  p99_ms  worst_ms  worst_seed  median_steps  p99_steps  most_steps  unique  "
        "unknown  "
        "digest\n");
    std::vector<double> times;
    std::vector<uint64_t> steps;
#ifdef __EMSCRIPTEN__
    MarkFreeStack();
#endif
    for (int options = first; options <= last; ++options) {
        times.clear();
        steps.clear();
        uint64_t digest = 14695981039346656037u;
        int unique = 0, unknown = 0, worstSeed = 0;
        double worst = -1;
        for (int seed = 0; seed < seeds; ++seed) {
            SetOptions(options);
            std::mt19937 engine{static_cast<uint32_t>(seed)};
            SetRandomSource(EngineDraw, &engine);
            GeneratePuzzle();
            SetRandomSource(nullptr, nullptr);
            const Puzzle puzzle = PuzzleOfGame(false);
            const double start = CpuMilliseconds();
            const Solution solution = SolvePuzzle(puzzle);
            const double time = CpuMilliseconds() - start;
            times.push_back(time);
            if (time > worst) worst = time, worstSeed = seed;
            unique += solution.status == SolveStatus::Exact && solution.arrangements == 1;
            unknown += solution.status == SolveStatus::OutOfSteps;
            steps.push_back(solution.steps);
            digest = Digest(digest, solution);
        }
        std::sort(times.begin(), times.end());
        std::sort(steps.begin(), steps.end());
        std::printf("%7d  %9.3f  %6.2f  %8.2f  %10d  %12llu  %9llu  %10llu  %6d  %7d  %016llx\n", options,
                    times[times.size() / 2], times[times.size() * 99 / 100], times.back(), worstSeed,
                    static_cast<unsigned long long>(steps[steps.size() / 2]),
                    static_cast<unsigned long long>(steps[steps.size() * 99 / 100]),
                    static_cast<unsigned long long>(steps.back()), unique, unknown,
                    static_cast<unsigned long long>(digest));
        std::fflush(stdout);
    }
#ifdef __EMSCRIPTEN__
    std::printf("stack: %lu of %lu bytes used at the deepest\n", static_cast<unsigned long>(StackUsed()),
                static_cast<unsigned long>(emscripten_stack_get_base() - emscripten_stack_get_end()));
#endif
    return 0;
}
