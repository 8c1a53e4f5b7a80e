// The kept game and its text; the format and the reading rules are in model/kept_game.h.
#include "model/kept_game.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <utility>

#include "model/model.h"

namespace {

constexpr std::string_view kVersionLine = "Mirovane kept game 1";
constexpr std::string_view kCells = "./\\|-o#AB";  // indexed by ItemType
constexpr int16_t kNoRayShown = -99;
constexpr int16_t kRayHiddenAgain = -89;
constexpr std::size_t kMostValues = 32;  // the 4N labels of an 8 x 8 board

int32_t OneOrZero(int32_t value) {
    return value != 0 ? 1 : 0;
}

// The cells of `board` inside the n x n grid; the others empty.
Board GridOnly(const Board& board, int32_t n) {
    Board grid{};
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) grid[x * 8 + y] = board[x * 8 + y];
    }
    return grid;
}

struct Labelling {
    PortLabels labels{};
    bool traced = false;  // every ray ended within the tracer's step limit
};

// The labels the tracer gives `board` of an n x n game with its wormhole ends at a and b. The tracer
// works on GameState, which is set aside here and put back afterwards; the board comes by value so
// that it may be one of GameState's own.
Labelling LabelBoard(Board board, int32_t n, Point32 a, Point32 b) {
    const GameRecord saved = GameState;
    GameState.gridSize = n;
    GameState.wormholeA = a;
    GameState.wormholeB = b;
    GameState.hiddenBoard = board;
    GameState.hiddenLabels.fill(0);
    Labelling result;
    result.traced = LabelAllPorts(kHiddenBoard) == 0;
    result.labels = GameState.hiddenLabels;
    GameState = saved;
    return result;
}

// The side as the kept game holds it: the grid alone, counts and selection as the palette shows them.
PlayerSide Settled(PlayerSide side, const Board& hidden, int32_t n) {
    side.playerBoard = GridOnly(side.playerBoard, n);
    SettlePalette(side, hidden, n);
    return side;
}

// Writing.

void PutNumber(std::string& out, int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void PutField(std::string& out, std::string_view key, int64_t value) {
    out += key;
    out += ' ';
    PutNumber(out, value);
    out += '\n';
}

void PutRows(std::string& out, const Board& board, int32_t n) {
    for (int32_t y = 0; y < n; ++y) {
        out += ' ';
        for (int32_t x = 0; x < n; ++x) {
            const int16_t item = board[x * 8 + y];
            out += item >= Empty && item <= WormholeB ? kCells[static_cast<std::size_t>(item)] : '?';
        }
    }
}

void PutLabels(std::string& out, std::string_view key, const PortLabels& labels, int32_t n) {
    out += key;
    for (int32_t p = 0; p < 4 * n; ++p) {
        out += ' ';
        PutNumber(out, labels[static_cast<std::size_t>(p)] & 0xFF);
        const uint16_t kind = labels[static_cast<std::size_t>(p)] & kLabelKindMask;
        if (kind == kLabelReflected) out += 'r';
        if (kind == kLabelAbsorbed) out += 'a';
    }
    out += '\n';
}

void PutSteps(std::string& out, std::string_view key, const std::vector<PlayerSide>& steps, int32_t n) {
    out += key;
    out += "-steps ";
    PutNumber(out, static_cast<int64_t>(steps.size()));
    out += '\n';
    for (const PlayerSide& step : steps) {
        out += key;
        PutRows(out, step.playerBoard, n);
        out += ' ';
        PutNumber(out, step.paletteSlot);
        out += ' ';
        PutNumber(out, step.selectedItem);
        out += '\n';
    }
}

// Reading.

// The text line by line, each split at single spaces into its key and values.
struct LineReader {
    std::string_view rest;
    std::array<std::string_view, kMostValues> values{};

    // Takes the next line, which must be `key` and `count` values.
    bool Line(std::string_view key, std::size_t count) {
        const std::size_t end = rest.find('\n');
        if (end == std::string_view::npos) return false;
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        std::size_t found = 0;
        for (std::size_t field = 0;; ++field) {
            const std::size_t space = line.find(' ');
            const std::string_view token = line.substr(0, space);
            if (token.empty()) return false;
            if (field == 0) {
                if (token != key) return false;
            } else {
                if (found == count) return false;
                values[found++] = token;
            }
            if (space == std::string_view::npos) break;
            line.remove_prefix(space + 1);
        }
        return found == count;
    }
};

template <typename T>
bool ReadNumber(std::string_view token, int64_t low, int64_t high, T& out) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (error != std::errc{} || end != token.data() + token.size() || value < low || value > high) {
        return false;
    }
    out = static_cast<T>(value);
    return true;
}

template <typename T>
bool ReadField(LineReader& in, std::string_view key, int64_t low, int64_t high, T& out) {
    return in.Line(key, 1) && ReadNumber(in.values[0], low, high, out);
}

// The n rows of a board from values[first] on.
bool ReadRows(const LineReader& in, std::size_t first, int32_t n, Board& board) {
    board = Board{};
    for (int32_t y = 0; y < n; ++y) {
        const std::string_view row = in.values[first + static_cast<std::size_t>(y)];
        if (row.size() != static_cast<std::size_t>(n)) return false;
        for (int32_t x = 0; x < n; ++x) {
            const std::size_t item = kCells.find(row[static_cast<std::size_t>(x)]);
            if (item == std::string_view::npos) return false;
            board[x * 8 + y] = static_cast<int16_t>(item);
        }
    }
    return true;
}

bool ReadBoard(LineReader& in, std::string_view key, int32_t n, Board& board) {
    return in.Line(key, static_cast<std::size_t>(n)) && ReadRows(in, 0, n, board);
}

bool ReadLabels(LineReader& in, std::string_view key, int32_t n, PortLabels& labels) {
    if (!in.Line(key, static_cast<std::size_t>(4 * n))) return false;
    labels = PortLabels{};
    for (std::size_t p = 0; p < static_cast<std::size_t>(4 * n); ++p) {
        std::string_view token = in.values[p];
        uint16_t kind = 0;
        if (token.ends_with('r')) kind = kLabelReflected;
        if (token.ends_with('a')) kind = kLabelAbsorbed;
        if (kind != 0) token.remove_suffix(1);
        uint16_t count = 0;
        if (!ReadNumber(token, 0, 255, count)) return false;
        labels[p] = static_cast<EdgeLabel>(kind | count);
    }
    return true;
}

bool ReadSteps(LineReader& in, std::string_view key, std::size_t most, const KeptGame& game,
               std::vector<PlayerSide>& steps) {
    std::size_t count = 0;
    const std::string counter = std::string(key) + "-steps";
    if (!ReadField(in, counter, 0, static_cast<int64_t>(most), count)) return false;
    const auto n = static_cast<std::size_t>(game.gridSize);
    steps.reserve(count);
    for (std::size_t s = 0; s < count; ++s) {
        PlayerSide step;
        if (!in.Line(key, n + 2) || !ReadRows(in, 0, game.gridSize, step.playerBoard) ||
            !ReadNumber(in.values[n], 0, 63, step.paletteSlot) ||
            !ReadNumber(in.values[n + 1], Empty, TotalReflector, step.selectedItem)) {
            return false;
        }
        // The counts follow from the boards; the selection read stays for the checks.
        const PlayerSide settled = Settled(step, game.hiddenBoard, game.gridSize);
        step.placedCount = settled.placedCount;
        step.remaining = settled.remaining;
        steps.push_back(step);
    }
    return true;
}

// Checks.

// The hidden board holds K items and the wormhole pair exactly when the options say so, the pair
// where the wormhole cells say, and the labels the tracer gives it.
bool PuzzleFits(const KeptGame& game) {
    const int32_t n = game.gridSize;
    std::array<int32_t, 9> counts{};
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) ++counts[static_cast<std::size_t>(game.hiddenBoard[x * 8 + y])];
    }
    int32_t items = 0;
    for (int16_t t = SlashMirror; t <= TotalReflector; ++t) items += counts[static_cast<std::size_t>(t)];
    if (items != game.itemCount) return false;
    if (!game.usereflect &&
        (counts[VerticalMirror] + counts[HorizontalMirror] + counts[TotalReflector]) != 0) {
        return false;
    }
    if (!game.useabsorbed && counts[Absorber] != 0) return false;

    const int32_t pairs = game.useworm ? 1 : 0;
    if (counts[WormholeA] != pairs || counts[WormholeB] != pairs) return false;
    if (pairs == 0) {
        if (game.wormholeA != Point32{-1, -1} || game.wormholeB != Point32{-1, -1}) return false;
    } else {
        const Point32 a = game.wormholeA;
        const Point32 b = game.wormholeB;
        if (a.x < 0 || a.x >= n || a.y < 0 || a.y >= n || b.x < 0 || b.x >= n || b.y < 0 || b.y >= n) {
            return false;
        }
        if (game.hiddenBoard[a.x * 8 + a.y] != WormholeA || game.hiddenBoard[b.x * 8 + b.y] != WormholeB) {
            return false;
        }
    }

    const Labelling hidden = LabelBoard(game.hiddenBoard, n, game.wormholeA, game.wormholeB);
    return hidden.traced && hidden.labels == game.hiddenLabels;
}

// The player's board keeps the wormhole ends where the puzzle has them and holds no more of any item
// than the puzzle hides; its counts and selection are those the palette shows.
bool SideFits(const PlayerSide& side, const KeptGame& game) {
    const int32_t n = game.gridSize;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            const int16_t hidden = game.hiddenBoard[x * 8 + y];
            const int16_t player = side.playerBoard[x * 8 + y];
            const bool holeEnd = hidden == WormholeA || hidden == WormholeB;
            if (holeEnd ? player != hidden : player < Empty || player > TotalReflector) return false;
        }
    }
    if (Settled(side, game.hiddenBoard, n) != side) return false;
    int32_t strip = 0;
    for (int16_t t = SlashMirror; t <= TotalReflector; ++t) {
        if (side.remaining[static_cast<std::size_t>(t)] < 0) return false;
        strip += side.remaining[static_cast<std::size_t>(t)];
    }
    return side.paletteSlot >= 0 && side.paletteSlot < std::max(strip, 1) && side.selectedItem >= Empty &&
           side.selectedItem <= TotalReflector;
}

bool GameFits(const KeptGame& game) {
    const int32_t n = game.gridSize;
    if (!PuzzleFits(game) || !SideFits(game.player, game)) return false;
    const Labelling player = LabelBoard(game.player.playerBoard, n, game.wormholeA, game.wormholeB);
    if (player.labels != game.playerLabels) return false;
    const bool portShown = game.shownPort >= 0 && game.shownPort < 4 * n;
    if (!portShown && game.shownPort != kNoRayShown && game.shownPort != kRayHiddenAgain) return false;
    if (game.moveCount == 0 && game.elapsedMs != 0) return false;  // the clock starts with the first move
    for (const PlayerSide& step : game.history.undo) {
        if (!SideFits(step, game)) return false;
    }
    for (const PlayerSide& step : game.history.redo) {
        if (!SideFits(step, game)) return false;
    }
    return true;
}

bool ReadGame(std::string_view text, KeptGame& game) {
    const std::size_t first = text.find('\n');
    if (first == std::string_view::npos || text.substr(0, first) != kVersionLine) return false;
    LineReader in{text.substr(first + 1)};

    constexpr int64_t kMostMs = std::numeric_limits<uint32_t>::max();
    constexpr int64_t kMostMoves = std::numeric_limits<int32_t>::max();
    if (!ReadField(in, "size", 4, 8, game.gridSize) || !ReadField(in, "items", 3, 13, game.itemCount) ||
        !ReadField(in, "reflect", 0, 1, game.usereflect) ||
        !ReadField(in, "absorb", 0, 1, game.useabsorbed) || !ReadField(in, "worm", 0, 1, game.useworm)) {
        return false;
    }
    const int32_t n = game.gridSize;
    if (!in.Line("wormholes", 4) || !ReadNumber(in.values[0], -1, n - 1, game.wormholeA.x) ||
        !ReadNumber(in.values[1], -1, n - 1, game.wormholeA.y) ||
        !ReadNumber(in.values[2], -1, n - 1, game.wormholeB.x) ||
        !ReadNumber(in.values[3], -1, n - 1, game.wormholeB.y)) {
        return false;
    }
    PlayerSide& side = game.player;
    if (!ReadBoard(in, "hidden", n, game.hiddenBoard) || !ReadBoard(in, "player", n, side.playerBoard) ||
        !ReadLabels(in, "hidden-labels", n, game.hiddenLabels) ||
        !ReadLabels(in, "player-labels", n, game.playerLabels) || !ReadField(in, "hint", 0, 1, game.hint) ||
        !ReadField(in, "shown-port", kNoRayShown, 4 * n - 1, game.shownPort) ||
        !ReadField(in, "elapsed-ms", 0, kMostMs, game.elapsedMs) ||
        !ReadField(in, "moves", 0, kMostMoves, game.moveCount) ||
        !ReadField(in, "placed", 0, game.itemCount, side.placedCount) ||
        !ReadField(in, "palette-slot", 0, 63, side.paletteSlot) ||
        !ReadField(in, "selected", Empty, TotalReflector, side.selectedItem)) {
        return false;
    }
    if (!in.Line("remaining", 6)) return false;
    // Types 0, 7 and 8 are never in the palette; their counts follow from the boards.
    side.remaining = Settled(side, game.hiddenBoard, n).remaining;
    for (std::size_t t = SlashMirror; t <= TotalReflector; ++t) {
        if (!ReadNumber(in.values[t - 1], 0, 13, side.remaining[t])) return false;
    }
    if (!ReadSteps(in, "undo", kHistoryLimit, game, game.history.undo) ||
        !ReadSteps(in, "redo", kHistoryLimit - game.history.undo.size(), game, game.history.redo)) {
        return false;
    }
    return in.Line("end", 0) && in.rest.empty() && GameFits(game);
}

}  // namespace

KeptGame CaptureGame(const GameRecord& game, const History& history) {
    const int32_t n = std::clamp(game.gridSize, 0, 8);
    KeptGame kept;
    kept.gridSize = n;
    kept.itemCount = game.itemCount;
    kept.usereflect = OneOrZero(game.usereflect);
    kept.useabsorbed = OneOrZero(game.useabsorbed);
    kept.useworm = OneOrZero(game.useworm);
    kept.wormholeA = game.wormholeA;
    kept.wormholeB = game.wormholeB;
    kept.hiddenBoard = GridOnly(game.hiddenBoard, n);
    std::copy_n(game.hiddenLabels.begin(), 4 * n, kept.hiddenLabels.begin());
    kept.hint = OneOrZero(game.hint);
    kept.shownPort = game.shownPort;
    kept.elapsedMs = game.moveCount != 0 ? game.lastTick - game.gameStartTick : 0;
    kept.moveCount = game.moveCount;
    kept.player = Settled(TakePlayerSide(game), kept.hiddenBoard, n);
    kept.playerLabels = LabelBoard(kept.player.playerBoard, n, kept.wormholeA, kept.wormholeB).labels;
    for (const PlayerSide& step : history.undo)
        kept.history.undo.push_back(Settled(step, kept.hiddenBoard, n));
    for (const PlayerSide& step : history.redo)
        kept.history.redo.push_back(Settled(step, kept.hiddenBoard, n));
    return kept;
}

void RestoreGame(const KeptGame& kept, GameRecord& game, History& history) {
    game.gridSize = kept.gridSize;
    game.itemCount = kept.itemCount;
    game.usereflect = kept.usereflect;
    game.useabsorbed = kept.useabsorbed;
    game.useworm = kept.useworm;
    game.wormholeA = kept.wormholeA;
    game.wormholeB = kept.wormholeB;
    game.hiddenBoard = kept.hiddenBoard;
    game.hiddenLabels = kept.hiddenLabels;
    game.playerLabels = kept.playerLabels;
    game.hint = kept.hint;
    game.shownPort = kept.shownPort;
    game.elapsedMs = kept.elapsedMs;
    game.moveCount = kept.moveCount;
    game.mismatchCount = 0;
    PutPlayerSide(game, kept.player);
    game.gamePhase = Playing;
    history = kept.history;
}

std::string WriteKeptGame(const KeptGame& kept) {
    const int32_t n = kept.gridSize;
    std::string out;
    const std::size_t steps = kept.history.undo.size() + kept.history.redo.size();
    out.reserve(700 + steps * static_cast<std::size_t>(n * (n + 1) + 12));
    out += kVersionLine;
    out += '\n';
    PutField(out, "size", n);
    PutField(out, "items", kept.itemCount);
    PutField(out, "reflect", kept.usereflect);
    PutField(out, "absorb", kept.useabsorbed);
    PutField(out, "worm", kept.useworm);
    out += "wormholes";
    for (const int32_t coordinate :
         {kept.wormholeA.x, kept.wormholeA.y, kept.wormholeB.x, kept.wormholeB.y}) {
        out += ' ';
        PutNumber(out, coordinate);
    }
    out += "\nhidden";
    PutRows(out, kept.hiddenBoard, n);
    out += "\nplayer";
    PutRows(out, kept.player.playerBoard, n);
    out += '\n';
    PutLabels(out, "hidden-labels", kept.hiddenLabels, n);
    PutLabels(out, "player-labels", kept.playerLabels, n);
    PutField(out, "hint", kept.hint);
    PutField(out, "shown-port", kept.shownPort);
    PutField(out, "elapsed-ms", kept.elapsedMs);
    PutField(out, "moves", kept.moveCount);
    PutField(out, "placed", kept.player.placedCount);
    PutField(out, "palette-slot", kept.player.paletteSlot);
    PutField(out, "selected", kept.player.selectedItem);
    out += "remaining";
    for (std::size_t t = SlashMirror; t <= TotalReflector; ++t) {
        out += ' ';
        PutNumber(out, kept.player.remaining[t]);
    }
    out += '\n';
    PutSteps(out, "undo", kept.history.undo, n);
    PutSteps(out, "redo", kept.history.redo, n);
    out += "end\n";
    return out;
}

bool ReadKeptGame(std::string_view text, KeptGame& kept) {
    if (text.size() > kKeptGameMaxBytes) return false;
    KeptGame game;
    if (!ReadGame(text, game)) return false;
    kept = std::move(game);
    return true;
}
