// mirovane-cli: the game model without a screen. It labels a board, traces one ray through it,
// generates a puzzle, or solves the puzzle a board makes, and prints the results as plain text.
//
//   mirovane-cli labels ROW...
//   mirovane-cli trace PORT ROW...
//   mirovane-cli generate --size N --items K [--no-reflect] [--no-absorb] [--wormhole] [--unique] [--seed S]
//   mirovane-cli solve ROW...
//   mirovane-cli --help | --version
//
// A board is given as N rows, top to bottom, each of N cells (see CellChar). Bad input gets one line
// on standard error, nothing on standard output, and exit status 2. A ray stopped by the trace step
// limit still has its results printed, with exit status 1; so has a solve whose search gave up.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "model/model.h"
#include "model/random.h"
#include "model/solve.h"

namespace {

constexpr int kOk = 0;
constexpr int kStepLimitHit = 1;
constexpr int kBadInput = 2;

// solve counts exactly up to this many arrangements; generate --unique deals at most this many times.
constexpr uint64_t kSolveCap = 1'000'000;
constexpr int kUniqueDeals = 10'000;

constexpr const char* kUsage =
    "usage: mirovane-cli labels ROW... | trace PORT ROW... | generate --size N --items K "
    "[--no-reflect] [--no-absorb] [--wormhole] [--unique] [--seed S] | solve ROW...";

constexpr const char* kHelp =
    "Usage: mirovane-cli COMMAND ...\n"
    "The Mirovane puzzle model without a window.\n"
    "\n"
    "  labels ROW...         the 4N port labels of a board, in port order\n"
    "  trace PORT ROW...     the result of the ray fired in at PORT, then its path\n"
    "  generate --size N --items K [--no-reflect] [--no-absorb] [--wormhole] [--unique] [--seed S]\n"
    "                        a puzzle: N rows of the hidden board, then its labels;\n"
    "                        with --unique only a puzzle that has one arrangement\n"
    "  solve ROW...          the arrangements of the board's items that give its labels:\n"
    "                        \"arrangements: C\" (or \"more than C\"), then N rows, each cell\n"
    "                        as in ROW where every arrangement agrees, ? elsewhere\n"
    "  --help                this text\n"
    "  --version             the program's version\n"
    "\n"
    "A board is N rows (N from 4 to 8) of N cells each: . empty, / \\ diagonal mirrors,\n"
    "| vertical mirror, - horizontal mirror, o absorber, # total reflector, A B wormhole ends.\n"
    "Exit status: 0 done, 1 a ray reached the trace step limit or the solver gave up, 2 bad input.\n";

// The character that stands for each item code on the command line.
constexpr char CellChar(int16_t item) {
    constexpr char chars[] = {'.', '/', '\\', '|', '-', 'o', '#', 'A', 'B'};
    return item >= Empty && item <= WormholeB ? chars[item] : '?';
}

int16_t CellItem(char c) {
    for (int16_t item = Empty; item <= WormholeB; ++item) {
        if (CellChar(item) == c) return item;
    }
    return -1;
}

// Bad input: the one line on standard error and the status to exit with.
int Refuse(const std::string& what) {
    std::fprintf(stderr, "mirovane-cli: %s\n", what.c_str());
    return kBadInput;
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.append(1, '\'').append(text).append(1, '\'');
    return quoted;
}

std::string Shown(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F) return Quoted(std::string_view(&c, 1));
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

// A whole argument as a decimal number from low to high; an empty message on success.
template <typename Number>
std::string ParseNumber(std::string_view name, std::string_view text, Number low, Number high,
                        Number& value) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error == std::errc::invalid_argument || stop != end) {
        return std::string(name) + " must be a number, got " + Quoted(text);
    }
    if (error == std::errc::result_out_of_range || value < low || value > high) {
        return std::string(name) + " must be from " + std::to_string(low) + " to " + std::to_string(high) +
               ", got " + std::string(text);
    }
    return {};
}

// Puts the rows into hiddenBoard, gridSize and the wormhole pair; an empty message on success.
std::string ReadBoard(char** rows, int rowCount) {
    if (rowCount < 4 || rowCount > 8) {
        return "a board needs 4 to 8 rows, got " + std::to_string(rowCount);
    }
    const int n = rowCount;
    GameState.gridSize = n;
    GameState.hiddenBoard.fill(Empty);
    GameState.wormholeA = {-1, -1};
    GameState.wormholeB = {-1, -1};
    int ends[2] = {0, 0};
    for (int y = 0; y < n; ++y) {
        const std::string_view row = rows[y];
        if (row.size() != static_cast<std::size_t>(n)) {
            return "row " + std::to_string(y) + " " + Quoted(row) + " has " + std::to_string(row.size()) +
                   " cells; a board of " + std::to_string(n) + " rows needs " + std::to_string(n) +
                   " in each";
        }
        for (int x = 0; x < n; ++x) {
            const int16_t item = CellItem(row[x]);
            if (item < 0) {
                return "row " + std::to_string(y) + " column " + std::to_string(x) + ": unknown cell " +
                       Shown(row[x]) + " (cells are . / \\ | - o # A B)";
            }
            GameState.hiddenBoard[x * 8 + y] = item;
            if (item == WormholeA) GameState.wormholeA = {x, y};
            if (item == WormholeB) GameState.wormholeB = {x, y};
            if (item == WormholeA || item == WormholeB) ++ends[item - WormholeA];
        }
    }
    if (ends[0] > 1 || ends[1] > 1) return "a board holds at most one wormhole end A and one end B";
    if (ends[0] != ends[1]) return ends[0] ? "wormhole end A has no end B" : "wormhole end B has no end A";
    return {};
}

void PrintLabels(const PortLabels& labels) {
    const int ports = 4 * GameState.gridSize;
    for (int p = 0; p < ports; ++p) std::printf(p == 0 ? "0x%04X" : " 0x%04X", labels[p]);
    std::printf("\n");
}

int StepLimitReached() {
    std::fprintf(stderr, "mirovane-cli: a ray reached the trace step limit\n");
    return kStepLimitHit;
}

int Labels(char** rows, int rowCount) {
    if (const std::string error = ReadBoard(rows, rowCount); !error.empty()) return Refuse(error);
    const int16_t result = LabelAllPorts(kHiddenBoard);
    PrintLabels(GameState.hiddenLabels);
    return result == 0 ? kOk : StepLimitReached();
}

int Trace(char** args, int argCount) {
    if (argCount < 1) return Refuse("trace needs a port and the rows of a board");
    if (const std::string error = ReadBoard(args + 1, argCount - 1); !error.empty()) return Refuse(error);
    int port = 0;
    const int lastPort = 4 * GameState.gridSize - 1;
    if (const std::string error = ParseNumber("the port", args[0], 0, lastPort, port); !error.empty()) {
        return Refuse(error);
    }
    uint16_t count = 0;
    const int16_t result = TraceRay(static_cast<int16_t>(port), count, kHiddenBoard);
    std::printf("%d\n", result);
    for (const Point32& entry : GameState.rayPath) {
        if (entry.x < -1 && entry.x != kRayExitMark) break;
        std::printf("%d %d\n", entry.x, entry.y);
        if (entry.x == kRayExitMark) break;
    }
    return result == TraceStepLimit ? StepLimitReached() : kOk;
}

uint32_t EngineDraw(void* engine) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(engine))());
}

int Generate(char** args, int argCount) {
    int size = 0;
    int items = 0;
    uint32_t seed = 0;
    bool haveSize = false;
    bool haveItems = false;
    bool haveSeed = false;
    bool reflect = true;
    bool absorb = true;
    bool wormhole = false;
    bool unique = false;
    for (int i = 0; i < argCount; ++i) {
        const std::string_view option = args[i];
        const bool takesNumber = option == "--size" || option == "--items" || option == "--seed";
        if (option == "--no-reflect") {
            reflect = false;
        } else if (option == "--no-absorb") {
            absorb = false;
        } else if (option == "--wormhole") {
            wormhole = true;
        } else if (option == "--unique") {
            unique = true;
        } else if (!takesNumber) {
            return Refuse("unknown option " + Quoted(option) + "; " + kUsage);
        }
        if (!takesNumber) continue;
        if (i + 1 >= argCount) return Refuse(std::string(option) + " needs a number");
        const std::string_view value = args[++i];
        std::string error;
        if (option == "--size") {
            error = haveSize ? "--size given twice" : ParseNumber("--size", value, 4, 8, size);
            haveSize = true;
        } else if (option == "--items") {
            error = haveItems ? "--items given twice" : ParseNumber("--items", value, 3, 13, items);
            haveItems = true;
        } else {
            error =
                haveSeed ? "--seed given twice" : ParseNumber<uint32_t>("--seed", value, 0, UINT32_MAX, seed);
            haveSeed = true;
        }
        if (!error.empty()) return Refuse(error);
    }
    if (!haveSize) return Refuse("generate needs --size N (4 to 8)");
    if (!haveItems) return Refuse("generate needs --items K (3 to 13)");
    if (!haveSeed) {
        seed = std::random_device{}();
        std::fprintf(stderr, "seed %u\n", seed);
    }

    GameState.damier = size;
    GameState.items = items;
    GameState.usereflect = reflect;
    GameState.useabsorbed = absorb;
    GameState.useworm = wormhole;
    std::mt19937 engine{seed};
    SetRandomSource(EngineDraw, &engine);
    const bool dealt = unique ? GeneratePuzzleWithOneAnswer(kUniqueDeals) : (GeneratePuzzle(), true);
    SetRandomSource(nullptr, nullptr);
    if (!dealt) {
        std::fprintf(stderr, "mirovane-cli: no puzzle with one arrangement in %d deals\n", kUniqueDeals);
        return kStepLimitHit;
    }

    for (int y = 0; y < size; ++y) {
        char row[9] = {};
        for (int x = 0; x < size; ++x) row[x] = CellChar(GameState.hiddenBoard[x * 8 + y]);
        std::printf("%s\n", row);
    }
    PrintLabels(GameState.hiddenLabels);
    return GameState.gamePhase == Broken ? StepLimitReached() : kOk;
}

// The puzzle that the board makes: its labels, its wormhole ends, its items.
int Solve(char** rows, int rowCount) {
    if (const std::string error = ReadBoard(rows, rowCount); !error.empty()) return Refuse(error);
    LabelAllPorts(
        kHiddenBoard);  // a ray stopped by the step limit shows its bare count, which is matched too
    const Solution solution = SolvePuzzle(PuzzleOfGame(false), {.cap = kSolveCap});
    const int n = GameState.gridSize;
    if (solution.status == SolveStatus::OutOfSteps) {
        std::printf("arrangements: unknown\n");
    } else {
        std::printf(solution.status == SolveStatus::MoreThanCap ? "arrangements: more than %llu\n"
                                                                : "arrangements: %llu\n",
                    static_cast<unsigned long long>(
                        solution.status == SolveStatus::MoreThanCap ? kSolveCap : solution.arrangements));
    }
    for (int y = 0; y < n; ++y) {
        char row[9] = {};
        for (int x = 0; x < n; ++x) {
            const int16_t sure = solution.sure[x * 8 + y];
            row[x] = sure == kNotSure ? '?' : CellChar(sure);
        }
        std::printf("%s\n", row);
    }
    if (solution.status != SolveStatus::OutOfSteps) return kOk;
    std::fprintf(stderr, "mirovane-cli: the solver gave up after %llu steps\n",
                 static_cast<unsigned long long>(solution.steps));
    return kStepLimitHit;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Refuse(std::string("missing command; ") + kUsage);
    const std::string_view verb = argv[1];
    if (verb == "labels") return Labels(argv + 2, argc - 2);
    if (verb == "trace") return Trace(argv + 2, argc - 2);
    if (verb == "generate") return Generate(argv + 2, argc - 2);
    if (verb == "solve") return Solve(argv + 2, argc - 2);
    if (verb == "--help" || verb == "-h") {
        std::fputs(kHelp, stdout);
        return kOk;
    }
    if (verb == "--version") {
        std::printf("mirovane-cli %s\n", MIROVANE_VERSION);
        return kOk;
    }
    if (verb.starts_with('-')) return Refuse("unknown option " + Quoted(verb) + "; try --help");
    return Refuse("unknown command " + Quoted(verb) + "; " + kUsage);
}
