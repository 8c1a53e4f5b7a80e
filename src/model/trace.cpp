// The ray tracer and the port labels: the physics of the puzzle.
//
// Cells, ports, labels and the ray path are described once, at the top of model/game_state.h. This file
// adds the items' optics (how each item turns a ray) and the step limit: the step index grows by one
// for every move and every wormhole jump, and a ray still inside the grid when the index reaches
// kRayPathCapacity - 3 is stopped, so no entry of rayPath beyond index 197 is ever written.
#include <algorithm>

#include "model/model.h"

namespace {

constexpr int kStepLimit = kRayPathCapacity - 3;

// kTurn[item][entering direction] is the direction in which the ray leaves the cell. Absorber and the
// wormhole ends never reach the table; they stand as Empty so that the rows stay indexed by code.
constexpr Direction kTurn[9][4] = {
    {Up, Right, Down, Left},  // Empty
    {Right, Up, Left, Down},  // SlashMirror
    {Left, Down, Right, Up},  // BackslashMirror
    {Up, Left, Down, Right},  // VerticalMirror
    {Down, Right, Up, Left},  // HorizontalMirror
    {Up, Right, Down, Left},  // Absorber
    {Down, Left, Up, Right},  // TotalReflector
    {Up, Right, Down, Left},  // WormholeA
    {Up, Right, Down, Left},  // WormholeB
};

constexpr int32_t kStepX[4] = {0, 1, 0, -1};
constexpr int32_t kStepY[4] = {-1, 0, 1, 0};

struct RayStart {
    int32_t x;
    int32_t y;
    Direction direction;
};

// Outside position and entry direction of a port already known to lie in 0 .. 4N-1.
RayStart PortStart(int32_t port, int32_t n) {
    if (port < n) return {port, -1, Down};
    if (port < 2 * n) return {n, port - n, Left};
    if (port < 3 * n) return {3 * n - 1 - port, n, Up};
    return {-1, 4 * n - 1 - port, Right};
}

// The port through which a ray standing at outside position (x, y) leaves the grid.
int16_t ExitPort(int32_t x, int32_t y, int32_t n) {
    if (y == -1) return static_cast<int16_t>(x);
    if (x == n) return static_cast<int16_t>(n + y);
    if (y == n) return static_cast<int16_t>(3 * n - 1 - x);
    return static_cast<int16_t>(4 * n - 1 - y);
}

// Follows one ray from its entry port's outside position. With kRecord the positions go into rayPath;
// without it the walk is the same but leaves rayPath alone, which is all the labelling of the ports
// other than 0 needs.
template <bool kRecord>
int16_t FollowRay(RayStart start, int32_t n, const Board& cells, uint16_t& count) {
    const Point32 jumpToB = GameState.wormholeB;
    const Point32 jumpToA = GameState.wormholeA;
    int32_t x = start.x;
    int32_t y = start.y;
    Direction direction = start.direction;
    uint16_t crossed = 0;
    int step = 0;
    for (;;) {
        ++step;
        if (step >= kStepLimit) {
            count = crossed;
            return TraceStepLimit;
        }
        x += kStepX[direction];
        y += kStepY[direction];
        if constexpr (kRecord) GameState.rayPath[step] = {x, y};
        if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(n) ||
            static_cast<uint32_t>(y) >= static_cast<uint32_t>(n)) {
            break;
        }
        ++crossed;
        const int16_t item = cells[x * 8 + y];
        if (item == Empty || static_cast<uint16_t>(item) > WormholeB) continue;
        if (item == Absorber) {
            count = crossed;
            return TraceAbsorbed;
        }
        if (item == WormholeA || item == WormholeB) {
            const Point32 landing = item == WormholeA ? jumpToB : jumpToA;
            x = landing.x;
            y = landing.y;
            ++step;
            if constexpr (kRecord) GameState.rayPath[step] = {x, y};
            ++crossed;
            continue;
        }
        direction = kTurn[item][direction];
    }
    const int16_t exit = ExitPort(x, y, n);
    if constexpr (kRecord) GameState.rayPath[step + 1] = {kRayExitMark, exit};
    count = crossed;
    return exit;
}

// A ray fired in at the port where another ray left runs the same cells backwards and leaves where
// that one entered, with the same count: every item sends a reversed ray back the way it came, and a
// wormhole pair whose ends sit where wormholeA and wormholeB say jumps back as well. When that holds,
// one trace labels both of its ports.
bool RaysRunBackwards(const Board& cells, int32_t n) {
    int ends = 0;
    for (int32_t x = 0; x < n; ++x) {
        for (int32_t y = 0; y < n; ++y) {
            const int16_t item = cells[x * 8 + y];
            if (item != WormholeA && item != WormholeB) continue;
            const Point32 end = item == WormholeA ? GameState.wormholeA : GameState.wormholeB;
            if (end.x != x || end.y != y) return false;
            ++ends;
        }
    }
    return ends == 0 || ends == 2;
}

const Board& SelectedBoard(uint16_t board) {
    return board == kHiddenBoard ? GameState.hiddenBoard : GameState.playerBoard;
}

EdgeLabel LabelOf(int16_t result, int16_t port, uint16_t count) {
    if (result == port) return static_cast<EdgeLabel>(count - 4096);
    if (result == TraceAbsorbed) return static_cast<EdgeLabel>(count + 3840);
    return count;
}

}  // namespace

int16_t TraceRay(int16_t port, uint16_t& count, uint16_t board) {
    count = 0;
    if (port < 0) return TraceNegativePort;
    const int32_t n = GameState.gridSize;
    if (port >= 4 * n) return TracePortTooLarge;
    const RayStart start = PortStart(port, n);
    std::fill(GameState.rayPath.begin(), GameState.rayPath.end(), Point32{kRayUnwritten, kRayUnwritten});
    GameState.rayPath[0] = {start.x, start.y};
    return FollowRay<true>(start, n, SelectedBoard(board), count);
}

int16_t LabelAllPorts(uint16_t board) {
    const int32_t n = GameState.gridSize;
    if (4 * n == 0) return 0;
    PortLabels& labels = board == kHiddenBoard ? GameState.hiddenLabels : GameState.playerLabels;
    const Board& cells = SelectedBoard(board);
    const bool reversible = RaysRunBackwards(cells, n);
    uint32_t labelled = 0;  // ports already labelled by the ray that came out of them
    int16_t result = 0;
    // Ports 4N-1 down to 1 only need their labels; port 0 goes last and through TraceRay, so that
    // rayPath ends up holding its ray.
    for (int32_t p = 4 * n - 1; p >= 0; --p) {
        if (labelled & (1u << p)) continue;
        const auto port = static_cast<int16_t>(p);
        uint16_t count = 0;
        const int16_t r =
            p == 0 ? TraceRay(port, count, board) : FollowRay<false>(PortStart(p, n), n, cells, count);
        labels[p] = LabelOf(r, port, count);
        if (r < TraceAbsorbed) result = -1;
        if (reversible && r > 0 && r < p) {
            labels[r] = count;
            labelled |= 1u << r;
        }
    }
    return result;
}
