// The shown port's laser ray and the ring of port boxes around the board.
//
// The ray is drawn from the centre of the shown port's box through the centres of the cells it
// crosses (rayPath, as the tracer recorded it) to the centre of the box of the port where it leaves.
// Where it reverses inside a cell it turns 5 pixels inside the edge it came through; between the two
// wormhole ends it jumps unseen; after an absorber it ends in the absorber's centre.
//
// Each port box is coloured by how the puzzle's ray from that port ends, carries that ray's cell
// count, and is marked (a coloured square with a round window) where the player's board gives a
// different label.

#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "model/model.h"
#include "seam/host.h"

namespace {

constexpr int kBox = 21;

constexpr Colour kRayGreen = rgb(0, 255, 0);
constexpr Colour kAbsorbedGrey = rgb(160, 160, 160);
constexpr Colour kReflectedYellow = rgb(255, 255, 0);
constexpr Colour kExitGreen = rgb(100, 255, 100);
constexpr Colour kMarkRed = rgb(255, 0, 0);
constexpr Colour kMarkBlue = rgb(0, 0, 255);
constexpr Colour kBlack = rgb(0, 0, 0);

bool InsideGrid(const GameRecord& g, const Point32& cell) {
    const int n = g.gridSize;
    return cell.x >= 0 && cell.y >= 0 && cell.x < n && cell.y < n;
}

Point32 CellCentre(const GameRecord& g, const Point32& cell) {
    return Point32{g.boardX + 20 * cell.x + 10, g.boardY + 20 * cell.y + 10};
}

Point32 PortCentre(int16_t port) {
    Point32 corner{};
    PortPosition(port, corner);
    return Point32{corner.x + 10, corner.y + 10};
}

// The two cells hold the two ends of the wormhole pair (in either order).
bool WormholePair(const GameRecord& g, const Point32& a, const Point32& b) {
    const int16_t first = g.hiddenBoard[a.x * 8 + a.y];
    const int16_t second = g.hiddenBoard[b.x * 8 + b.y];
    return (first == WormholeA && second == WormholeB) || (first == WormholeB && second == WormholeA);
}

void DrawSegment(DeviceContext& dc, const Point32& from, const Point32& to) {
    const Point32 segment[2] = {from, to};
    dc.Polyline(segment, 2);
}

Colour BoxColour(EdgeLabel label) {
    switch (label & kLabelKindMask) {
        case kLabelAbsorbed:
            return kAbsorbedGrey;
        case kLabelReflected:
            return kReflectedYellow;
        default:
            return kExitGreen;
    }
}

// While playing with hints on, the shown port is the player's own probe: its mark is blue and it
// carries the count that the player's board gives.
bool IsPlayersProbe(const GameRecord& g, int port) {
    return g.gamePhase == Playing && g.hint != 0 && port == g.shownPort;
}

}  // namespace

void DrawRayPath(const GameRecord& g) {
    DeviceContext& dc = Offscreen.bufferDC;
    const RayPath& path = g.rayPath;

    const Pen replaced = dc.SelectPen(CreatePen(3, kRayGreen));
    Point32 from = PortCentre(g.shownPort);
    int stop = kRayPathCapacity;
    for (int i = 0; i < kRayPathCapacity; ++i) {
        const Point32& cell = path[i];
        if (cell.x < -1) {
            stop = i;
            break;
        }
        if (!InsideGrid(g, cell)) continue;

        Point32 to = CellCentre(g, cell);
        // Entry 0 is the port's own outside position, so a cell inside always has a predecessor.
        const Point32 before = i > 0 ? path[i - 1] : Point32{kRayUnwritten, kRayUnwritten};
        if (i + 1 < kRayPathCapacity && before == path[i + 1]) {
            // The ray reverses here: it turns 5 pixels inside the edge it came through.
            if (before.x == cell.x) {
                to.y = g.boardY + 20 * cell.y + (before.y < cell.y ? 5 : 15);
            } else {
                to.x = g.boardX + 20 * cell.x + (before.x < cell.x ? 5 : 15);
            }
        }
        if (!(InsideGrid(g, before) && WormholePair(g, before, cell))) DrawSegment(dc, from, to);
        from = to;
    }
    if (stop < kRayPathCapacity && path[stop].x < -150) {
        DrawSegment(dc, from, PortCentre(static_cast<int16_t>(path[stop].y)));
    }
    dc.SelectPen(replaced);
}

void DrawPortLabels(const GameRecord& g, PaintErrors& errors) {
    DeviceContext& dc = Offscreen.bufferDC;
    DeviceContext& source = Offscreen.sourceDC;
    const int ports = 4 * g.gridSize;
    const Pen blackPen = CreatePen(1, kBlack);
    const Brush hollow = GetStockBrush(NULL_BRUSH);

    const Bitmap mark = LoadBitmapW(131);
    if (mark.isNull()) {
        errors.Add(21);
    } else {
        const Bitmap replaced = source.SelectBitmap(mark);
        for (int p = 0; p < ports; ++p) {
            Point32 corner{};
            PortPosition(static_cast<int16_t>(p), corner);
            const Colour colour = BoxColour(g.hiddenLabels[p]);
            dc.SetBkColor(colour);
            dc.SelectBrush(CreateSolidBrush(colour));
            dc.SelectPen(blackPen);
            dc.Rectangle(corner.x, corner.y, corner.x + kBox, corner.y + kBox);

            // The disc of the mark (its 0-bits) is skipped; around it the square takes the
            // background colour, so the box colour shows through a round window.
            dc.SetBkColor(IsPlayersProbe(g, p) ? kMarkBlue : kMarkRed);
            const bool marksShown = g.gamePhase != Playing || g.hint != 0;
            if (marksShown && g.playerLabels[p] != g.hiddenLabels[p]) {
                dc.TransparentImage(corner.x + 1, corner.y + 1, 19, 19, source, 0, 0, 19, 19, kBlack);
            }
            dc.SelectBrush(hollow);
        }
        source.SelectBitmap(replaced);
    }

    const Bitmap digits = LoadBitmapW(120);
    if (digits.isNull()) {
        errors.Add(23);
    } else {
        const Bitmap replaced = source.SelectBitmap(digits);
        dc.SelectPen(blackPen);
        dc.SetBkMode(BackgroundMode::Transparent);
        for (int p = 0; p < ports; ++p) {
            Point32 corner{};
            PortPosition(static_cast<int16_t>(p), corner);
            const EdgeLabel label = IsPlayersProbe(g, p) ? g.playerLabels[p] : g.hiddenLabels[p];
            const int16_t count = static_cast<int16_t>(label & 0xFF);
            if (count < 100) {
                DrawNumber(dc, corner.x, corner.y, corner.x + kBox, corner.y + kBox, count);
            } else {
                // The digit strip has room for two digits only; longer counts are written as text.
                dc.DrawTextW(NumberText(count), Rect32{corner.x, corner.y, corner.x + kBox, corner.y + kBox},
                             DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
            }
        }
        source.SelectBitmap(replaced);
    }

    dc.SetBkMode(BackgroundMode::Opaque);
    dc.SelectBrush(hollow);
}
