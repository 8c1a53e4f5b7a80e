// The solver: every arrangement of the hidden items that gives a puzzle's labels.
//
// A puzzle is what the player sees: the grid size, the 4N port labels, the wormhole ends and how many
// items of each type the grid hides, and optionally the items the player has placed, which then must
// stay where they are. The solver counts the arrangements of the hidden items that give exactly those
// labels and finds the sure cells, whose content is the same in every such arrangement. It works on a
// board of its own and never reads or changes GameState (except PuzzleOfGame, which only reads it).
//
// Cells, ports and labels are those of model/game_state.h. Every search is bounded by a step budget,
// so that no puzzle can hold the game up: when the budget runs out the result is unknown.
#pragma once

#include <array>
#include <cstdint>

#include "model/game_state.h"

// The player's view of a puzzle.
struct Puzzle {
    int32_t size = 0;           // N, 4 to 8
    PortLabels labels{};        // the labels of ports 0 .. 4N-1
    Point32 wormholeA{-1, -1};  // both ends on the grid, or both (-1, -1)
    Point32 wormholeB{-1, -1};
    std::array<int32_t, 7> items{};  // hidden items of each type, [SlashMirror] .. [TotalReflector]
    Board placed{};  // items (SlashMirror .. TotalReflector) that must stay where they are; Empty elsewhere
};

enum class SolveStatus : int32_t {
    Exact,        // every arrangement was counted
    MoreThanCap,  // there are more arrangements than the cap
    OutOfSteps,   // the step budget ran out first: the count and the sure cells are unknown
};

// Some 0.4 s of a desktop core, at about 100 ns a step (some 150 ns in the browser). The hardest of
// 80 000 dealt puzzles of 8 x 8 cells and 13 items (10 000 for each option set) took 0.47 million steps.
inline constexpr uint64_t kSolveBudget = 4'000'000;

struct SolveLimits {
    uint64_t cap = 1'000'000;        // count exactly up to this many arrangements
    uint64_t budget = kSolveBudget;  // search steps (one step: one item tried on one cell)
    bool sureCells = true;           // false: stop as soon as the count passes the cap
};

// What sure[cell] holds for a cell whose content differs between arrangements.
inline constexpr int16_t kNotSure = -1;

struct Solution {
    SolveStatus status = SolveStatus::Exact;
    uint64_t arrangements = 0;  // Exact: the count; MoreThanCap: cap + 1; OutOfSteps: found so far
    // Indexed like a Board: the content (Empty included) of every cell that all arrangements share,
    // kNotSure elsewhere on the grid, Empty beyond it. Only with Exact or MoreThanCap, sureCells asked
    // for and at least one arrangement; otherwise kNotSure all over the grid.
    Board sure{};
    uint64_t steps = 0;  // search steps used
};

// Counts the arrangements that keep puzzle.placed and give puzzle.labels, and finds the sure cells.
// A puzzle that breaks its own rules (size, wormhole ends, more placed items than hidden ones) has no
// arrangement.
Solution SolvePuzzle(const Puzzle& puzzle, const SolveLimits& limits = {});

enum class Fit : int32_t { No, Yes, Unknown };

// Whether some arrangement keeps every placed item and gives every label; Unknown when the budget
// runs out first.
Fit PlacedItemsFit(const Puzzle& puzzle, uint64_t budget = kSolveBudget);

// The labels that `board` shows, by the solver's own tracer: the same rules and step limit as
// TraceRay, with the wormhole ends where they stand on the board.
PortLabels LabelBoard(const Board& board, int32_t size);

// Deals new puzzles (GeneratePuzzle, drawing on from the same random source) until the solver finds
// exactly one arrangement for one of them, and not a ray stopped by the step limit. False when all
// of `deals` deals fail; the last one then stays.
bool GeneratePuzzleWithOneAnswer(int32_t deals);

// The current game's puzzle: gridSize, hiddenLabels, the wormhole ends, the hidden items; with
// `keepPlacedItems` the items on the player's board must stay.
Puzzle PuzzleOfGame(bool keepPlacedItems);
