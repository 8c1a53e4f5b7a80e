#include "model/solve.h"

#include <algorithm>
#include <bit>
#include <random>
#include <span>
#include <vector>

#include "model_test.h"

namespace {

using SolveTest = ModelTest;

uint32_t EngineDraw(void* engine) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(engine))());
}

// The hidden board's labels by the game's own tracer, its wormhole ends read from the board.
PortLabels GameLabels(const Board& board, int32_t n) {
    GameState.hiddenBoard = board;
    GameState.gridSize = n;
    GameState.wormholeA = GameState.wormholeB = Point32{-1, -1};
    for (int32_t cell = 0; cell < 64; ++cell) {
        if (board[cell] == WormholeA) GameState.wormholeA = {cell / 8, cell % 8};
        if (board[cell] == WormholeB) GameState.wormholeB = {cell / 8, cell % 8};
    }
    GameState.hiddenLabels.fill(0);
    LabelAllPorts(kHiddenBoard);
    return GameState.hiddenLabels;
}

TEST_F(SolveTest, TheSolversTracerLabelsEveryBoardAsTheGameDoes) {
    std::mt19937 engine{7};
    for (int round = 0; round < 2000; ++round) {
        const auto n = static_cast<int32_t>(4 + round % 5);
        Board board{};
        const uint32_t density = 2 + round % 4;  // up to three cells in four hold an item
        for (int32_t x = 0; x < n; ++x) {
            for (int32_t y = 0; y < n; ++y) {
                if (engine() % 4 < density) board[x * 8 + y] = static_cast<int16_t>(engine() % 7);
            }
        }
        if (round % 2) {
            const uint32_t a = engine() % (n * n), b = (a + 1 + engine() % (n * n - 1)) % (n * n);
            board[a / n * 8 + a % n] = WormholeA;
            board[b / n * 8 + b % n] = WormholeB;
        }
        ASSERT_EQ(LabelBoard(board, n), GameLabels(board, n)) << "round " << round;
    }
    const Board stopped = BoardOf(kStepLimitRows);
    EXPECT_EQ(LabelBoard(stopped, 8)[17], 196) << "a ray stopped by the step limit";
    EXPECT_EQ(LabelBoard(stopped, 8), GameLabels(stopped, 8));
}

// Every arrangement of a board's items, tallied by brute force: how many give each of some boards'
// labels, and which contents each cell takes among them.
struct Truth {
    PortLabels labels;
    Board keep;  // items that must stay
    uint64_t count = 0;
    std::array<uint16_t, 64> seen{};
};

void Enumerate(Board& board, int32_t n, int32_t cell, std::array<int32_t, 7>& left, int32_t itemsLeft,
               std::vector<Truth>& truths) {
    while (cell < n * n && board[cell / n * 8 + cell % n] >= WormholeA) ++cell;
    const int32_t at = cell / n * 8 + cell % n;
    if (itemsLeft == 0 || cell == n * n) {
        if (itemsLeft) return;
        const PortLabels labels = LabelBoard(board, n);
        for (Truth& truth : truths) {
            if (labels != truth.labels) continue;
            bool kept = true;
            for (int32_t c = 0; c < 64; ++c) kept = kept && (truth.keep[c] == 0 || truth.keep[c] == board[c]);
            if (!kept) continue;
            ++truth.count;
            for (int32_t c = 0; c < 64; ++c) truth.seen[c] |= static_cast<uint16_t>(1 << board[c]);
        }
        return;
    }
    Enumerate(board, n, cell + 1, left, itemsLeft, truths);  // the cell stays empty
    for (int16_t t = SlashMirror; t <= TotalReflector; ++t) {
        if (left[t] == 0) continue;
        --left[t];
        board[at] = t;
        Enumerate(board, n, cell + 1, left, itemsLeft - 1, truths);
        board[at] = Empty;
        ++left[t];
    }
}

// Tallies every arrangement of `board`'s items on its grid, its wormhole ends staying where they stand.
void Tally(const Board& board, int32_t n, std::vector<Truth>& truths) {
    std::array<int32_t, 7> left{};
    int32_t k = 0;
    Board empty{};
    for (int32_t cell = 0; cell < 64; ++cell) {
        if (board[cell] >= WormholeA) empty[cell] = board[cell];
        if (board[cell] != Empty && board[cell] < WormholeA) ++left[board[cell]], ++k;
    }
    Enumerate(empty, n, 0, left, k, truths);
}

Puzzle PuzzleOf(const Board& hidden, int32_t n, const PortLabels& labels) {
    Puzzle puzzle;
    puzzle.size = n;
    puzzle.labels = labels;
    for (int32_t cell = 0; cell < 64; ++cell) {
        if (hidden[cell] == WormholeA) puzzle.wormholeA = {cell / 8, cell % 8};
        if (hidden[cell] == WormholeB) puzzle.wormholeB = {cell / 8, cell % 8};
        if (hidden[cell] >= SlashMirror && hidden[cell] <= TotalReflector) ++puzzle.items[hidden[cell]];
    }
    return puzzle;
}

// The sure cells that brute force found: a cell off the grid is empty, a cell that held one content in
// every arrangement is sure of it.
void ExpectSureCells(const Solution& solution, const Truth& truth, int32_t n) {
    for (int32_t cell = 0; cell < 64; ++cell) {
        const uint16_t seen = truth.seen[cell];
        const int16_t sure = cell / 8 >= n || cell % 8 >= n ? static_cast<int16_t>(Empty)
                             : std::has_single_bit(seen)    ? static_cast<int16_t>(std::countr_zero(seen))
                                                            : kNotSure;
        EXPECT_EQ(solution.sure[cell], sure) << "cell " << cell / 8 << " " << cell % 8;
    }
}

// The puzzle of `board`'s labels and items, with none placed: count and sure cells against brute force.
void ExpectSolvedAsBruteForce(const Board& board, int32_t n) {
    std::vector<Truth> truths{{GameLabels(board, n), {}}};
    Tally(board, n, truths);
    const Solution solution = SolvePuzzle(PuzzleOf(board, n, truths[0].labels));
    ASSERT_EQ(solution.status, SolveStatus::Exact);
    ASSERT_EQ(solution.arrangements, truths[0].count);
    ExpectSureCells(solution, truths[0], n);
}

// For every option set, a dealt puzzle and boards with its items shuffled around, each alone and with
// one item kept from it or one item kept where it does not stand: the solver's count and sure cells
// against brute force.
TEST_F(SolveTest, CountsAndSureCellsAgreeWithBruteForceOnSmallBoards) {
    std::mt19937 engine{11};
    SetRandomSource(EngineDraw, &engine);
    int unique = 0, several = 0, none = 0;
    for (int deal = 0; deal < 16; ++deal) {
        const int32_t options = deal % 8, n = deal < 8 ? 4 : 5,
                      k = n == 4 ? 4 + options % 2 : 3 + (options == 0);
        GameState.damier = n;
        GameState.items = k;
        GameState.usereflect = options & 1;
        GameState.useabsorbed = options & 2;
        GameState.useworm = options & 4;
        GeneratePuzzle();
        const Board dealt = GameState.hiddenBoard;
        std::vector<int32_t> cells;
        for (int32_t cell = 0; cell < 64; ++cell) {
            if (cell / 8 < n && cell % 8 < n && dealt[cell] < WormholeA) cells.push_back(cell);
        }
        std::vector<Truth> truths;
        for (int shuffle = 0; shuffle < 4; ++shuffle) {
            Board board = dealt;
            if (shuffle > 0) {
                std::vector<int16_t> contents;
                for (int32_t cell : cells) contents.push_back(dealt[cell]);
                std::shuffle(contents.begin(), contents.end(), engine);
                for (std::size_t i = 0; i < cells.size(); ++i) board[cells[i]] = contents[i];
            }
            const PortLabels labels = GameLabels(board, n);
            const int32_t item =
                *std::find_if(cells.begin(), cells.end(), [&](int32_t c) { return board[c]; });
            const int32_t gap =
                *std::find_if(cells.begin(), cells.end(), [&](int32_t c) { return !board[c]; });
            Board keepItem{}, keepWrong{};
            keepItem[item] = board[item];
            keepWrong[gap] = board[item];
            truths.push_back({labels, {}});
            truths.push_back({labels, keepItem});
            truths.push_back({labels, keepWrong});
        }
        Tally(dealt, n, truths);

        for (const Truth& truth : truths) {
            Puzzle puzzle = PuzzleOf(dealt, n, truth.labels);
            puzzle.placed = truth.keep;
            const Solution solution = SolvePuzzle(puzzle);
            SCOPED_TRACE(testing::Message()
                         << "deal " << deal << " keeping " << (&truth - truths.data()) % 3);
            ASSERT_EQ(solution.status, SolveStatus::Exact);
            ASSERT_EQ(solution.arrangements, truth.count);
            EXPECT_EQ(PlacedItemsFit(puzzle), truth.count ? Fit::Yes : Fit::No);
            ExpectSureCells(solution, truth, n);
            if (truth.keep == Board{}) ++(truth.count == 1 ? unique : several);
            if (truth.count == 0) ++none;
        }
    }
    EXPECT_TRUE(unique > 0 && several > 0 && none > 0) << unique << " " << several << " " << none;
}

TEST_F(SolveTest, TheCapAndTheBudgetStopTheSearchAndSaySo) {
    // Total reflectors all round hide the 36 cells inside, and the eight mirrors there.
    const Board walled = BoardOf(
        {"########", "#/\\/\\..#", "#......#", "#......#", "#......#", "#......#", "#\\/\\/..#", "########"});
    const Puzzle puzzle = PuzzleOf(walled, 8, GameLabels(walled, 8));
    const Solution exact = SolvePuzzle(puzzle, {.cap = UINT64_MAX - 1});
    EXPECT_EQ(exact.status, SolveStatus::Exact);
    EXPECT_EQ(exact.arrangements, 58905u * 35960u) << "4 of each diagonal mirror on 36 cells";
    const Solution capped = SolvePuzzle(puzzle);
    EXPECT_EQ(std::pair(capped.status, capped.arrangements),
              std::pair(SolveStatus::MoreThanCap, uint64_t{1'000'001}));
    EXPECT_EQ(capped.sure, exact.sure) << "the cap leaves the sure cells alone";
    EXPECT_EQ(capped.sure[0], TotalReflector);
    EXPECT_EQ(capped.sure[1 * 8 + 1], kNotSure);

    std::mt19937 engine{5};
    SetRandomSource(EngineDraw, &engine);
    GameState.damier = 8;
    GameState.items = 13;
    GameState.usereflect = GameState.useabsorbed = GameState.useworm = 1;
    GeneratePuzzle();
    const Solution stopped = SolvePuzzle(PuzzleOfGame(false), {.budget = 3});
    EXPECT_EQ(stopped.status, SolveStatus::OutOfSteps);
    EXPECT_TRUE(
        std::all_of(stopped.sure.begin(), stopped.sure.end(), [](int16_t c) { return c == kNotSure; }));
    EXPECT_EQ(PlacedItemsFit(PuzzleOfGame(false), 3), Fit::Unknown);
    EXPECT_EQ(PlacedItemsFit(PuzzleOfGame(false)), Fit::Yes);
}

TEST_F(SolveTest, APuzzleThatBreaksItsOwnRulesHasNoArrangement) {
    UsePuzzle({"/...", ".A..", "..B.", "...o"});
    const Puzzle game = PuzzleOfGame(true);
    ASSERT_EQ(SolvePuzzle(game).arrangements, 1u);
    Puzzle tooMany = game, tooBig = game, oneCellTwoEnds = game, placedOnAnEnd = game;
    tooMany.placed[3] = tooMany.placed[3 * 8 + 3] = Absorber;  // two absorbers where the puzzle hides one
    tooBig.size = 9;
    oneCellTwoEnds.wormholeB = oneCellTwoEnds.wormholeA;
    placedOnAnEnd.placed[1 * 8 + 1] = SlashMirror;
    for (const Puzzle& puzzle : {tooMany, tooBig, oneCellTwoEnds, placedOnAnEnd}) {
        const Solution solution = SolvePuzzle(puzzle);
        EXPECT_EQ(std::pair(solution.status, solution.arrangements),
                  std::pair(SolveStatus::Exact, uint64_t{0}));
        EXPECT_EQ(PlacedItemsFit(puzzle), Fit::No);
    }
    GameState.playerBoard[3 * 8 + 3] = Absorber;  // the player's item on its own cell
    EXPECT_EQ(PlacedItemsFit(PuzzleOfGame(true)), Fit::Yes);
}

}  // namespace

// `k` items drawn from `palette` on distinct empty cells of a 4 x 4 board.
Board Scatter(std::mt19937& engine, int k, std::span<const int16_t> palette, Board board = {}) {
    for (int placed = 0; placed < k;) {
        int16_t& cell = board[engine() % 4 * 8 + engine() % 4];
        if (cell != Empty) continue;
        cell = palette[engine() % palette.size()];
        ++placed;
    }
    return board;
}

// Boards of 4 x 4 cells that hide one item, any type on any cell, or two: the rays that the items turn
// or stop are as many as such items can serve, and a search that counted an item for fewer rays would
// miss arrangements. Then boards of | and - mirrors with a few other items, where most rays cross cells
// lengthwise along the mirrors still to place and the leaves count many ways to put them there, and
// boards whose wormhole pair has an end in the corner. Count and sure cells against brute force.
TEST_F(SolveTest, ItemsServeEveryRayTheyTurnAndCellsCrossedLengthwiseCountBothTheMirrorAndNothing) {
    std::mt19937 engine{31};
    constexpr int16_t kAny[] = {SlashMirror,      BackslashMirror, VerticalMirror,
                                HorizontalMirror, Absorber,        TotalReflector};
    constexpr int16_t kLengthwise[] = {VerticalMirror,   VerticalMirror, HorizontalMirror,
                                       HorizontalMirror, TotalReflector, SlashMirror};
    for (int round = 0; round < 96 + 48 + 12 + 12; ++round) {
        Board board{};
        if (round < 96)
            board[round % 16 / 4 * 8 + round % 4] = static_cast<int16_t>(SlashMirror + round / 16);
        if (round >= 96 && round < 96 + 48) board = Scatter(engine, 2, kAny);
        if (round >= 96 + 48 && round < 96 + 48 + 12)
            board = Scatter(engine, 3 + round % 3, std::span(kLengthwise, round % 2 ? 6 : 4));
        if (round >= 96 + 48 + 12) {
            board[0] = WormholeA;
            board = Scatter(engine, 3, kAny, Scatter(engine, 1, std::array{int16_t{WormholeB}}, board));
        }
        SCOPED_TRACE(testing::Message() << "round " << round);
        ExpectSolvedAsBruteForce(board, 4);
    }
}
