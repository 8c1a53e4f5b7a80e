// The solver: a depth-first search over the cells that the rays reach.
//
// Every port fires its ray into a board of its own where a cell is either decided (an item code,
// Empty included) or still open. Each ray is followed through decided cells up to the first open one,
// where it waits. A node of the search decides one cell where some ray waits: every content the palette
// still allows is tried on every such cell (save those that already failed there on a node above), the
// waiting rays are moved on, and a content is kept when no moved ray has ended another way than its label
// says or can no longer end as it says: a ray that is to leave through another port must still be able
// to meet, within its count, the ray of a port that shows the same label. The cell with the fewest
// contents left is the one the search branches on (of equals, the one whose ray is nearest to its end);
// a cell with none ends the branch, and so does a node whose rays would need more items than are
// left to place (see EnoughItems). Rays that all cross a cell lengthwise along a | (or -) mirror still
// to place pass it alike whether it holds the mirror or nothing: one try lets them pass and leaves the
// choice to a ray that crosses it the other way, or to the leaf. The search keeps one node a level in a
// work area allocated once a call, at most two levels a cell, and walks it without recursion: the call
// stack holds the same few frames at any depth, and the search allocates nothing else. When every ray
// has ended as its label says, the items still to place stand on cells that no ray crosses or that
// rays cross only lengthwise along them, and change no label, so the arrangements of that leaf are
// counted by formula.
//
// The tracing rules are those of TraceRay: the items' optics, a wormhole end sends the ray to the
// other end (one more cell crossed) and on in the same direction, and a ray still inside the grid when
// it would cross its 197th cell is stopped and shows the bare count 196. A ray that leaves through
// another port is that port's ray backwards, so its end labels both ports.
#include "model/solve.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <memory>

#include "model/model.h"

namespace {

// The step limit of TraceRay: a ray stops when it would make its 197th step, after crossing 196 cells.
constexpr int kStepLimit = kRayPathCapacity - 3;
constexpr int kOpen = -1;  // a cell of the search's board whose content is not decided yet
// A cell that rays have so far crossed only lengthwise along a | (kPassVertical) or a - (kPassHorizontal)
// mirror: it holds that mirror or nothing, which is the same to those rays. A ray that crosses it the
// other way waits there until one of the two is chosen; the leaves count both.
constexpr int kPassVertical = 9;
constexpr int kPassHorizontal = 10;
constexpr int kFinished = -1;  // Ray::cell of a ray that has ended

// kTurn[item][entering direction]: the direction in which a ray leaves a cell holding item.
constexpr int8_t kTurn[7][4] = {
    {Up, Right, Down, Left},  // Empty
    {Right, Up, Left, Down},  // SlashMirror
    {Left, Down, Right, Up},  // BackslashMirror
    {Up, Left, Down, Right},  // VerticalMirror
    {Down, Right, Up, Left},  // HorizontalMirror
    {Up, Right, Down, Left},  // Absorber (never turns: the ray ends there)
    {Down, Left, Up, Right},  // TotalReflector
};
constexpr int kStepX[4] = {0, 1, 0, -1};
constexpr int kStepY[4] = {-1, 0, 1, 0};

// A ray waiting on a cell it has entered (crossed counts that cell) and must leave in `direction`
// once the cell's content turns it. While a ray is inside the grid, its step count equals `crossed`.
struct Ray {
    int8_t cell;  // x * 8 + y, or kFinished
    int8_t direction;
    uint8_t crossed;
};

// One node of the search: the board as decided so far, the rays, and the items still to place.
struct Node {
    std::array<int8_t, 64> cells;  // kOpen or an item code
    std::array<Ray, 32> rays;
    uint32_t waiting;            // bit p: ray p has not ended
    std::array<int8_t, 7> left;  // items still to place, by type
    int8_t itemsLeft;
    int8_t open;                 // cells that may still take an item: open ones and passed lengthwise
    std::array<int8_t, 2> pass;  // cells passed lengthwise, kPassVertical and kPassHorizontal
};

// What stays fixed during one search, and its tallies.
struct Search {
    int32_t n;
    int32_t ports;
    PortLabels labels;
    int32_t wormholeA;  // cell of each end, or -1
    int32_t wormholeB;
    std::array<uint32_t, 32> partners;                // per port: the ports whose ray it could be, backwards
    std::array<std::array<int8_t, 64>, 64> distance;  // [a][b]: fewest cells crossed from cell a to b
    SolveLimits limits;
    uint64_t count;
    uint64_t steps;
    bool stopped;
    bool outOfSteps;
    std::array<uint16_t, 64> seen;  // bit v: some arrangement has content v on the cell
};

int Manhattan(int a, int b) {
    return std::abs((a >> 3) - (b >> 3)) + std::abs((a & 7) - (b & 7));
}

// Fewest cells a ray on cell a crosses to stand on cell b, a wormhole jump included.
int Distance(const Search& s, int a, int b) {
    int d = Manhattan(a, b);
    if (s.wormholeA >= 0) {
        d = std::min(d, Manhattan(a, s.wormholeA) + 1 + Manhattan(s.wormholeB, b));
        d = std::min(d, Manhattan(a, s.wormholeB) + 1 + Manhattan(s.wormholeA, b));
    }
    return d;
}

// Entry cell and direction of port p's ray.
Ray PortRay(int p, int n) {
    if (p < n) return {static_cast<int8_t>(p * 8), Down, 1};
    if (p < 2 * n) return {static_cast<int8_t>((n - 1) * 8 + p - n), Left, 1};
    if (p < 3 * n) return {static_cast<int8_t>((3 * n - 1 - p) * 8 + n - 1), Up, 1};
    return {static_cast<int8_t>(4 * n - 1 - p), Right, 1};
}

int ExitPort(int x, int y, int n) {
    if (y == -1) return x;
    if (x == n) return n + y;
    if (y == n) return 3 * n - 1 - x;
    return 4 * n - 1 - y;
}

// How a ray followed through decided cells stands: waiting on an open cell, or ended.
enum class RayEnd { Waiting, Absorbed, Left, Stopped };

struct Ending {
    RayEnd how;
    int exit;  // the port it left through
    int crossed;
};

// Moves `ray` on through decided cells until it waits on an open cell or ends; with `openAsEmpty`, as
// if every open cell held nothing, until it ends.
template <bool openAsEmpty = false>
Ending Follow(const Search& s, const Node& node, Ray& ray) {
    int x = ray.cell >> 3, y = ray.cell & 7;
    int direction = ray.direction;
    int crossed = ray.crossed;
    for (;;) {
        const int item = node.cells[x * 8 + y];
        if (!openAsEmpty &&
            (item == kOpen || (item >= kPassVertical && (direction & 1) != item - kPassVertical))) {
            ray = {static_cast<int8_t>(x * 8 + y), static_cast<int8_t>(direction),
                   static_cast<uint8_t>(crossed)};
            return {RayEnd::Waiting, -1, crossed};
        }
        if (item == Absorber) {
            ray.cell = kFinished;
            return {RayEnd::Absorbed, -1, crossed};
        }
        if (item == WormholeA || item == WormholeB) {
            const int landing = item == WormholeA ? s.wormholeB : s.wormholeA;
            x = landing >> 3;
            y = landing & 7;
            ++crossed;
        } else if (static_cast<unsigned>(item) < kPassVertical) {  // not open, nor passed lengthwise
            direction = kTurn[item][direction];
        }
        if (crossed + 1 >= kStepLimit) {
            ray.cell = kFinished;
            return {RayEnd::Stopped, -1, crossed};
        }
        x += kStepX[direction];
        y += kStepY[direction];
        if (static_cast<unsigned>(x) >= static_cast<unsigned>(s.n) ||
            static_cast<unsigned>(y) >= static_cast<unsigned>(s.n)) {
            ray.cell = kFinished;
            return {RayEnd::Left, ExitPort(x, y, s.n), crossed};
        }
        ++crossed;
    }
}

// The label that port p shows for a ray that ended so.
EdgeLabel LabelOf(const Ending& end, int p) {
    if (end.how == RayEnd::Absorbed) return static_cast<EdgeLabel>(kLabelAbsorbed + end.crossed);
    if (end.how == RayEnd::Left && end.exit == p)
        return static_cast<EdgeLabel>(kLabelReflected + end.crossed);
    return static_cast<EdgeLabel>(end.crossed);
}

// Moves ray p on; false when it ends another way than its label says. A ray that leaves through
// another port is that port's ray backwards: both end, and both labels must be its count. The bits of
// the rays that moved or ended go into `changed`.
bool Advance(const Search& s, Node& node, int p, uint32_t& changed) {
    changed |= 1u << p;
    const Ending end = Follow(s, node, node.rays[p]);
    if (end.how == RayEnd::Waiting) return true;
    node.waiting &= ~(1u << p);
    if (s.labels[p] != LabelOf(end, p)) return false;
    if (end.how != RayEnd::Left || end.exit == p) return true;
    node.rays[end.exit].cell = kFinished;
    node.waiting &= ~(1u << end.exit);
    changed |= 1u << end.exit;
    return s.labels[end.exit] == end.crossed;
}

// How many cells ray p, waiting on an open cell, may still cross beyond the fewest it needs to end as
// its label says; negative when it cannot. A ray that is to leave through another port meets that
// port's ray, which runs the same path backwards: between them they cross the label's count, the
// cells that still part them included. A ray that is to come back out of its own port turns back on
// the middle cell of its path.
int Slack(const Search& s, const Node& node, int p) {
    const Ray& ray = node.rays[p];
    const EdgeLabel label = s.labels[p];
    const int count = label & 0xFF;
    switch (label & kLabelKindMask) {
        case 0: {
            if (count >= kStepLimit - 1) return count - ray.crossed;  // a ray stopped by the step limit
            int slack = -1;
            const auto& distance = s.distance[ray.cell];
            for (uint32_t partners = s.partners[p] & node.waiting; partners != 0; partners &= partners - 1) {
                const Ray& other = node.rays[std::countr_zero(partners)];
                slack = std::max(slack, count + 1 - ray.crossed - other.crossed - distance[other.cell]);
            }
            return slack;
        }
        case kLabelReflected:
            return count + 1 - 2 * ray.crossed;
        case kLabelAbsorbed:
            return count - ray.crossed;
        default:
            return -1;
    }
}

// Checks the waiting rays that moved, and those of which a possible partner has ended. (A partner that
// only moved checked the pair itself.)
bool RaysCanStillMatch(const Search& s, const Node& node, uint32_t changed) {
    uint32_t check = changed & node.waiting;
    const uint32_t ended = changed & ~node.waiting;
    if (ended != 0) {
        for (uint32_t bits = node.waiting & ~check; bits != 0; bits &= bits - 1) {
            if (s.partners[std::countr_zero(bits)] & ended) check |= bits & -bits;
        }
    }
    for (; check != 0; check &= check - 1) {
        if (Slack(s, node, std::countr_zero(check)) < 0) return false;
    }
    return true;
}

// Decides `cell` as `content` (or, with kPassVertical or kPassHorizontal, lets the rays waiting there
// pass lengthwise) and moves the rays waiting there; false when that breaks a label or leaves more
// items than cells that may take one.
bool Place(const Search& s, Node& node, int cell, int content) {
    const int before = node.cells[cell];
    node.cells[cell] = static_cast<int8_t>(content);
    if (content >= kPassVertical) {
        ++node.pass[content - kPassVertical];
    } else {
        --node.open;
        if (before >= kPassVertical) --node.pass[before - kPassVertical];
        if (content != Empty) {
            --node.left[content];
            --node.itemsLeft;
        }
    }
    if (node.itemsLeft > node.open) return false;
    uint32_t changed = 0;
    for (uint32_t bits = node.waiting; bits != 0; bits &= bits - 1) {
        const int p = std::countr_zero(bits);
        if (node.rays[p].cell == cell && !Advance(s, node, p, changed)) return false;
    }
    return RaysCanStillMatch(s, node, changed);
}

// binomial[n][k] for n up to 64 and k up to 13: every such value fits in 64 bits.
constexpr auto kBinomial = [] {
    std::array<std::array<uint64_t, 14>, 65> table{};
    for (int n = 0; n <= 64; ++n) {
        table[n][0] = 1;
        for (int k = 1; k <= std::min(n, 13); ++k) table[n][k] = table[n - 1][k - 1] + table[n - 1][k];
    }
    return table;
}();

uint64_t SaturatingProduct(uint64_t a, uint64_t b) {
    return a != 0 && b > UINT64_MAX / a ? UINT64_MAX : a * b;
}

// The ways to put the items still to place on the node's open cells, with some | mirrors on the cells
// passed lengthwise along | and some - mirrors on those passed along -; and the contents that the open
// cells and each kind of passed cells take among them (bit v: content v).
struct LeafWays {
    uint64_t ways = 0;
    uint16_t open = 0;
    std::array<uint16_t, 2> pass{};
};

LeafWays Arrangements(const Node& node) {
    LeafWays leaf;
    const int open = node.open - node.pass[0] - node.pass[1];
    const int vertical = node.pass[0], horizontal = node.pass[1];
    for (int a = 0; a <= std::min(vertical, static_cast<int>(node.left[VerticalMirror])); ++a) {
        for (int b = 0; b <= std::min(horizontal, static_cast<int>(node.left[HorizontalMirror])); ++b) {
            std::array<int, 7> left{};
            int items = 0;
            for (int t = SlashMirror; t <= TotalReflector; ++t) {
                left[t] = node.left[t] - (t == VerticalMirror ? a : 0) - (t == HorizontalMirror ? b : 0);
                items += left[t];
            }
            if (items > open) continue;
            uint64_t ways = SaturatingProduct(kBinomial[vertical][a], kBinomial[horizontal][b]);
            int cells = open;
            for (int t = SlashMirror; t <= TotalReflector; ++t) {
                ways = SaturatingProduct(ways, kBinomial[cells][left[t]]);
                cells -= left[t];
                if (left[t] > 0) leaf.open |= static_cast<uint16_t>(1u << t);
            }
            if (items < open) leaf.open |= 1u << Empty;
            if (a < vertical) leaf.pass[0] |= 1u << Empty;
            if (a > 0) leaf.pass[0] |= 1u << VerticalMirror;
            if (b < horizontal) leaf.pass[1] |= 1u << Empty;
            if (b > 0) leaf.pass[1] |= 1u << HorizontalMirror;
            leaf.ways = leaf.ways > UINT64_MAX - ways ? UINT64_MAX : leaf.ways + ways;
        }
    }
    return leaf;
}

bool EveryCellUnsure(const Search& s) {
    for (int x = 0; x < s.n; ++x) {
        for (int y = 0; y < s.n; ++y) {
            if (std::popcount(s.seen[x * 8 + y]) < 2) return false;
        }
    }
    return true;
}

// Every ray has ended as its label says: the node's arrangements count, and so do its cells' contents.
void Leaf(Search& s, const Node& node) {
    const LeafWays leaf = Arrangements(node);
    if (leaf.ways == 0) return;
    s.count = s.count > UINT64_MAX - leaf.ways ? UINT64_MAX : s.count + leaf.ways;
    if (s.limits.sureCells) {
        for (int x = 0; x < s.n; ++x) {
            for (int y = 0; y < s.n; ++y) {
                const int content = node.cells[x * 8 + y];
                s.seen[x * 8 + y] |= content == kOpen           ? leaf.open
                                     : content >= kPassVertical ? leaf.pass[content - kPassVertical]
                                                                : static_cast<uint16_t>(1u << content);
            }
        }
    }
    if (s.count > s.limits.cap && (!s.limits.sureCells || EveryCellUnsure(s))) s.stopped = true;
}

// How many cells ray p would still cross if it ended now as its label says: to the middle of its path
// for a ray that is to come back out of its own port.
int CellsToCross(const Search& s, const Node& node, int p) {
    const int count = s.labels[p] & 0xFF;
    const int crossed = node.rays[p].crossed;
    return (s.labels[p] & kLabelKindMask) == kLabelReflected ? (count + 1) / 2 - crossed : count - crossed;
}

// Whether the items still to place can be enough. A ray that would not end as its label says if it
// met no item it has not met yet, meets one; and an item lies on the ways on of at most four waiting
// rays: a diagonal mirror on two paths, each of them a ray and its partner backwards; a | or - mirror
// on one path along it and two that turn back on it, each of those one ray; an absorber or a total
// reflector on one path a side.
bool EnoughItems(const Search& s, const Node& node) {
    const int most = 4 * node.itemsLeft;
    int rays = std::popcount(node.waiting);
    if (rays <= most) return true;
    int needing = 0;
    for (uint32_t bits = node.waiting; bits != 0; bits &= bits - 1) {
        const int p = std::countr_zero(bits);
        Ray ray = node.rays[p];
        const Ending end = Follow<true>(s, node, ray);
        const bool ends = s.labels[p] == LabelOf(end, p) &&
                          (end.how != RayEnd::Left || end.exit == p || s.labels[end.exit] == end.crossed);
        needing += !ends;
        --rays;
        if (needing > most) return false;
        if (needing + rays <= most) return true;
    }
    return true;
}

// Per cell, the contents that failed there at some node above. A try fails only when no arrangement of
// that node has the content on the cell, and a node below has only arrangements of the node above, so
// the content needs no new try there.
using RuledOut = std::array<uint8_t, 64>;

// The contents that a cell passed lengthwise may hold, as RuledOut bits.
constexpr uint8_t kPassedBy[2] = {1u << Empty | 1u << VerticalMirror, 1u << Empty | 1u << HorizontalMirror};

// The contents to try on a cell where rays wait (`axes` bit 0: some move up or down; bit 1: left or
// right), as bits: those the palette still allows and that have
// not failed there. Rays that all cross the cell along a | (or -) mirror still to place pass it alike
// whether it holds the mirror or nothing: one try lets them pass and leaves the choice for later.
unsigned Candidates(const Node& node, int cell, unsigned axes, uint8_t ruledOut) {
    const int state = node.cells[cell];
    if (state >= kPassVertical) {
        return kPassedBy[state - kPassVertical] & ~ruledOut &
               ~(node.left[state - kPassVertical + VerticalMirror] == 0
                     ? 1u << (state - kPassVertical + VerticalMirror)
                     : 0u);
    }
    unsigned contents = 1u << Empty;
    for (int t = SlashMirror; t <= TotalReflector; ++t) {
        if (node.left[t] > 0) contents |= 1u << t;
    }
    contents &= ~static_cast<unsigned>(ruledOut);
    if (axes == 1 || axes == 2) {
        const int pass = axes == 1 ? kPassVertical : kPassHorizontal;
        const unsigned passedBy = kPassedBy[pass - kPassVertical];
        if ((contents & passedBy) == passedBy) contents = (contents & ~passedBy) | 1u << pass;
    }
    return contents;
}

// One level of the search: its node, the contents that failed on each cell on the way down to it, and
// the cell it branches on with the contents still to try there.
struct Frame {
    Node node;
    RuledOut ruledOut;
    int cell;
    unsigned contents;
};

// Each level below the first decides a cell or lets rays pass one lengthwise, and a passed cell is
// decided once at most: a node that still branches lies at most two levels a cell below the first, and
// the contents it tries go one level further.
constexpr int kLevels = 2 * 64 + 1;

// The whole memory of one search, allocated once a call: the call stack keeps none of it, so that the
// solver runs alike on the small stack of a page's main thread.
struct Work {
    Search s;
    std::array<Frame, kLevels> frames;
    Node trial;  // where Branch tries contents
};

// Chooses the cell that frame's node branches on and the contents that fit there; false when the node
// is a leaf (counted here) or a dead end, or the budget has run out.
bool Branch(Search& s, Frame& frame, Node& next) {
    const Node& node = frame.node;
    // The cells where rays wait, those of the rays nearest to their end first: a cell that leaves one
    // content or none is most likely found there.
    // Each entry: the fewest cells to cross of a ray waiting on the cell (bits 16 and up), the axes of
    // the rays waiting there (bits 8 and 9: up or down, left or right) and the cell (bits 0 to 7).
    std::array<uint32_t, 32> order;
    std::array<int8_t, 64> entry;  // per cell, its entry in order, or -1
    entry.fill(-1);
    int cells = 0;
    for (uint32_t bits = node.waiting; bits != 0; bits &= bits - 1) {
        const int p = std::countr_zero(bits);
        const Ray& ray = node.rays[p];
        const auto toCross = static_cast<uint32_t>(CellsToCross(s, node, p) + 256);  // CellsToCross > -256
        const uint32_t axis = 1u << (8 + (ray.direction & 1));
        if (entry[ray.cell] < 0) {
            entry[ray.cell] = static_cast<int8_t>(cells);
            order[cells++] = toCross << 16 | axis | static_cast<uint32_t>(ray.cell);
        } else {
            uint32_t& at = order[entry[ray.cell]];
            at = std::min(at >> 16, toCross) << 16 | (at & 0xFFFF) | axis;
        }
    }
    if (cells == 0) {
        Leaf(s, node);
        return false;
    }
    if (!EnoughItems(s, node)) return false;
    std::sort(order.begin(), order.begin() + cells);
    RuledOut& ruledOut = frame.ruledOut;
    int bestCell = -1;
    unsigned bestContents = 0;
    int bestCount = 8;
    for (int i = 0; i < cells && bestCount > 1; ++i) {
        const int cell = static_cast<int>(order[i] & 0xFF);
        const unsigned contents = Candidates(node, cell, (order[i] >> 8) & 3, ruledOut[cell]);
        unsigned fits = 0;
        int count = 0;
        for (unsigned bits = contents; bits != 0; bits &= bits - 1) {
            const int content = std::countr_zero(bits);
            next = node;
            ++s.steps;
            if (Place(s, next, cell, content)) {
                fits |= 1u << content;
                ++count;
            } else {
                ruledOut[cell] |= static_cast<uint8_t>(
                    content >= kPassVertical ? kPassedBy[content - kPassVertical] : 1u << content);
            }
        }
        if (count == 0) return false;
        if (count < bestCount) {
            bestCell = cell;
            bestContents = fits;
            bestCount = count;
        }
    }
    if (s.steps > s.limits.budget) {
        s.outOfSteps = s.stopped = true;
        return false;
    }
    frame.cell = bestCell;
    frame.contents = bestContents;
    return true;
}

// Depth first from work.frames[0]'s node, one frame a level: each content left on a level's cell is
// placed on a copy of its node in the level below, which then branches in turn.
void Explore(Work& work) {
    Search& s = work.s;
    auto& frames = work.frames;
    if (!Branch(s, frames[0], work.trial)) return;
    int depth = 0;
    while (depth >= 0) {
        Frame& frame = frames[depth];
        if (frame.contents == 0 || s.stopped) {
            --depth;
            continue;
        }
        const int content = std::countr_zero(frame.contents);
        frame.contents &= frame.contents - 1;
        Frame& below = frames[depth + 1];
        below.node = frame.node;
        Place(s, below.node, frame.cell, content);
        below.ruledOut = frame.ruledOut;
        if (Branch(s, below, work.trial)) ++depth;
    }
}

bool OnGrid(Point32 cell, int32_t n) {
    return cell.x >= 0 && cell.x < n && cell.y >= 0 && cell.y < n;
}

// The search's fixed part and its first node; false when the puzzle breaks its own rules.
bool Prepare(const Puzzle& puzzle, Search& s, Node& node) {
    const int32_t n = puzzle.size;
    if (n < 4 || n > 8) return false;
    s.n = n;
    s.ports = 4 * n;
    s.labels = puzzle.labels;
    const bool wormholes = OnGrid(puzzle.wormholeA, n) && OnGrid(puzzle.wormholeB, n);
    s.wormholeA = wormholes ? puzzle.wormholeA.x * 8 + puzzle.wormholeA.y : -1;
    s.wormholeB = wormholes ? puzzle.wormholeB.x * 8 + puzzle.wormholeB.y : -1;
    if (wormholes && s.wormholeA == s.wormholeB) return false;
    if (!wormholes && (puzzle.wormholeA != Point32{-1, -1} || puzzle.wormholeB != Point32{-1, -1}))
        return false;

    node.cells.fill(Empty);
    node.open = 0;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int cell = x * 8 + y;
            const int16_t placed = puzzle.placed[cell];
            if (placed < Empty || placed > TotalReflector) return false;
            node.cells[cell] = static_cast<int8_t>(placed == Empty ? kOpen : placed);
            node.open += placed == Empty;
        }
    }
    if (wormholes) {
        if (node.cells[s.wormholeA] != kOpen || node.cells[s.wormholeB] != kOpen) return false;
        node.cells[s.wormholeA] = WormholeA;
        node.cells[s.wormholeB] = WormholeB;
        node.open -= 2;
    }
    int itemsLeft = 0;
    for (int t = SlashMirror; t <= TotalReflector; ++t) {
        int left = puzzle.items[t];
        for (int cell = 0; cell < 64; ++cell) left -= puzzle.placed[cell] == t;
        if (puzzle.items[t] > 64 || left < 0) return false;
        node.left[t] = static_cast<int8_t>(left);
        itemsLeft += left;
    }
    node.left[Empty] = 0;
    node.pass = {0, 0};
    if (itemsLeft > node.open) return false;
    node.itemsLeft = static_cast<int8_t>(itemsLeft);

    // Port q's ray may be port p's backwards when both show the same count of a ray that left, and
    // without wormholes when that count has the parity of the steps between their entry cells.
    for (int p = 0; p < s.ports; ++p) {
        s.partners[p] = 0;
        for (int q = 0; q < s.ports; ++q) {
            const int steps = (s.labels[p] & 0xFF) - 1 - Manhattan(PortRay(p, n).cell, PortRay(q, n).cell);
            if (q != p && s.labels[q] == s.labels[p] && (s.labels[p] & kLabelKindMask) == 0 &&
                (wormholes || (steps >= 0 && steps % 2 == 0))) {
                s.partners[p] |= 1u << q;
            }
        }
    }
    for (int a = 0; a < 64; ++a) {
        for (int b = 0; b < 64; ++b) s.distance[a][b] = static_cast<int8_t>(Distance(s, a, b));
    }
    for (int p = 0; p < s.ports; ++p) node.rays[p] = PortRay(p, n);
    for (int p = s.ports; p < 32; ++p) node.rays[p].cell = kFinished;
    node.waiting = s.ports == 32 ? ~0u : (1u << s.ports) - 1;
    uint32_t changed = 0;
    for (int p = 0; p < s.ports; ++p) {
        if ((node.waiting >> p & 1) && !Advance(s, node, p, changed)) return false;
    }
    return RaysCanStillMatch(s, node, changed);
}

}  // namespace

Solution SolvePuzzle(const Puzzle& puzzle, const SolveLimits& limits) {
    const auto work = std::make_unique<Work>();
    Search& s = work->s;
    s.limits = limits;
    Solution solution;
    if (Prepare(puzzle, s, work->frames[0].node)) Explore(*work);
    solution.steps = s.steps;
    if (s.outOfSteps) {
        solution.status = SolveStatus::OutOfSteps;
        solution.arrangements = s.count;
    } else if (s.count > limits.cap) {
        solution.status = SolveStatus::MoreThanCap;
        solution.arrangements = limits.cap + 1;
    } else {
        solution.arrangements = s.count;
    }
    const bool sure = limits.sureCells && s.count > 0 && !s.outOfSteps;
    for (int x = 0; x < puzzle.size && x < 8; ++x) {
        for (int y = 0; y < puzzle.size && y < 8; ++y) {
            const uint16_t seen = s.seen[x * 8 + y];
            solution.sure[x * 8 + y] =
                sure && std::has_single_bit(seen) ? static_cast<int16_t>(std::countr_zero(seen)) : kNotSure;
        }
    }
    return solution;
}

Fit PlacedItemsFit(const Puzzle& puzzle, uint64_t budget) {
    const Solution solution = SolvePuzzle(puzzle, {.cap = 0, .budget = budget, .sureCells = false});
    if (solution.status == SolveStatus::OutOfSteps) return Fit::Unknown;
    return solution.arrangements > 0 ? Fit::Yes : Fit::No;
}

PortLabels LabelBoard(const Board& board, int32_t size) {
    Search s{};
    s.n = size;
    s.ports = 4 * size;
    s.wormholeA = s.wormholeB = -1;
    Node node{};
    int ends[2] = {0, 0};
    for (int x = 0; x < size; ++x) {
        for (int y = 0; y < size; ++y) {
            const int16_t item = board[x * 8 + y];
            node.cells[x * 8 + y] = static_cast<int8_t>(item >= Empty && item <= WormholeB ? item : 0);
            if (item == WormholeA) s.wormholeA = x * 8 + y;
            if (item == WormholeB) s.wormholeB = x * 8 + y;
            if (item == WormholeA || item == WormholeB) ++ends[item - WormholeA];
        }
    }
    if (ends[0] != 1 || ends[1] != 1) {  // a lone or doubled end lets rays through
        for (int8_t& cell : node.cells) cell = static_cast<int8_t>(cell >= WormholeA ? 0 : cell);
        s.wormholeA = s.wormholeB = -1;
    }
    PortLabels labels{};
    for (int p = 0; p < s.ports; ++p) {
        Ray ray = PortRay(p, size);
        labels[p] = LabelOf(Follow(s, node, ray), p);
    }
    return labels;
}

bool GeneratePuzzleWithOneAnswer(int32_t deals) {
    for (int32_t deal = 0; deal < deals; ++deal) {
        GeneratePuzzle();
        if (GameState.gamePhase == Broken) continue;
        const Solution solution = SolvePuzzle(PuzzleOfGame(false), {.cap = 1, .sureCells = false});
        if (solution.status == SolveStatus::Exact && solution.arrangements == 1) return true;
    }
    return false;
}

Puzzle PuzzleOfGame(bool keepPlacedItems) {
    Puzzle puzzle;
    puzzle.size = GameState.gridSize;
    puzzle.labels = GameState.hiddenLabels;
    puzzle.wormholeA = GameState.wormholeA;
    puzzle.wormholeB = GameState.wormholeB;
    for (int32_t cell = 0; cell < 64; ++cell) {
        const int16_t hidden = GameState.hiddenBoard[cell];
        if (hidden >= SlashMirror && hidden <= TotalReflector) ++puzzle.items[hidden];
        const int16_t placed = GameState.playerBoard[cell];
        if (keepPlacedItems && placed >= SlashMirror && placed <= TotalReflector)
            puzzle.placed[cell] = placed;
    }
    return puzzle;
}
