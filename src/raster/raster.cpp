// The raster core. The operations that a frame repeats many times (boxes, 1-pixel lines, plain,
// transparent and stretched copies, single pixels) write whole runs of a row at a time; the rare
// shapes (wide lines, ellipses, polygons) test pixel centres against the ideal shape.
#include "raster/raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// Drawing runs on the one thread of the game.
uint64_t NextVersion() {
    static uint64_t counter = 0;
    return ++counter;
}

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);

bool Drawable(const Bitmap& target) {
    return !target.isNull() && !target.twoColour();
}

// The part of `rect` inside the target, or an empty rectangle.
Rect32 Clip(const Bitmap& target, const Rect32& rect) {
    Rect32 clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, target.width()),
                   std::min(rect.bottom, target.height())};
    if (clipped.right < clipped.left) clipped.right = clipped.left;
    if (clipped.bottom < clipped.top) clipped.bottom = clipped.top;
    return clipped;
}

bool Empty(const Rect32& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

// ---- Prepared transparent copies ---------------------------------------------------------------
// The pixels that the key does not skip, found once per bitmap and key and kept as runs per row.

struct Run {
    int32_t x;
    int32_t end;  // one past the run's last column
};

struct PreparedCopy {
    uint64_t bitmap = 0;  // the source's cacheKey(); 0 for an unused slot
    Colour key = 0;
    int32_t width = 0;
    int bit = -1;  // two-colour sources: the bit value of every run's pixels
    std::vector<Run> runs;
    std::vector<uint32_t> rowEnd;  // per row, one past the index of its last run
    // Per pixel, row by row: the index of the first run of its row that ends after it.
    std::vector<uint32_t> runFrom;
};

void Prepare(PreparedCopy& copy, const Bitmap& source, Colour key, int drawnBit) {
    const bool mono = drawnBit >= 0;
    copy.bitmap = source.cacheKey();
    copy.key = key;
    copy.width = source.width();
    copy.bit = drawnBit;
    copy.runs.clear();
    copy.rowEnd.clear();
    copy.runFrom.clear();
    for (int32_t y = 0; y < source.height(); ++y) {
        const uint32_t* line = source.constRow(y);
        const auto drawn = [&](int32_t x) {
            return mono ? static_cast<int>(line[x]) == drawnBit : !SameColour(line[x], key);
        };
        auto run = static_cast<uint32_t>(copy.runs.size());
        for (int32_t x = 0; x < source.width();) {
            if (!drawn(x)) {
                ++x;
                continue;
            }
            const int32_t start = x;
            while (x < source.width() && drawn(x)) ++x;
            copy.runs.push_back(Run{start, x});
        }
        copy.rowEnd.push_back(static_cast<uint32_t>(copy.runs.size()));
        for (int32_t x = 0; x < source.width(); ++x) {
            while (run < copy.rowEnd.back() && copy.runs[run].end <= x) ++run;
            copy.runFrom.push_back(run);
        }
    }
}

// The prepared copy of a source and key, or null for a key that skips neither bit value of a
// two-colour source (or both).
const PreparedCopy* PreparedFor(const Bitmap& source, Colour key) {
    static std::array<PreparedCopy, 4> prepared;
    static size_t nextSlot = 0;
    for (const PreparedCopy& copy : prepared) {
        if (copy.bitmap == source.cacheKey() && copy.key == key) return &copy;
    }
    int drawnBit = -1;
    if (source.twoColour()) {
        const bool skipZero = SameColour(kBlack, key);
        const bool skipOne = SameColour(kWhite, key);
        if (skipZero == skipOne) return nullptr;
        drawnBit = skipZero ? 1 : 0;
    }
    PreparedCopy& copy = prepared[nextSlot];
    nextSlot = (nextSlot + 1) % prepared.size();
    Prepare(copy, source, key, drawnBit);
    return &copy;
}

// i * delta / steps rounded to the nearest integer, halves away from zero; 0 <= i <= steps, and
// |delta| <= steps < 2^32, so the product fits in 64 unsigned bits.
int64_t RoundedStep(int64_t i, int64_t delta, int64_t steps) {
    const auto product = static_cast<uint64_t>(i) * static_cast<uint64_t>(std::llabs(delta));
    const auto divisor = static_cast<uint64_t>(steps);
    auto magnitude = static_cast<int64_t>(product / divisor);
    if (2 * (product % divisor) >= divisor) ++magnitude;
    return delta < 0 ? -magnitude : magnitude;
}

// Fills columns from .. to - 1 of row y with the solid colour or the tile.
void FillSpan(Bitmap& target, int32_t y, int32_t from, int32_t to, const Colour* inside, const Bitmap* tile) {
    from = std::max(from, 0);
    to = std::min(to, target.width());
    if (y < 0 || y >= target.height() || to <= from) return;
    uint32_t* line = target.row(y);
    if (inside != nullptr) {
        std::fill(line + from, line + to, *inside);
    } else if (tile != nullptr && !tile->isNull()) {
        const uint32_t* tileLine = tile->constRow(y % tile->height());
        const int32_t width = tile->width();
        for (int32_t x = from; x < to;) {
            const int32_t at = x % width;
            const int32_t run = std::min(to - x, width - at);
            std::copy(tileLine + at, tileLine + at + run, line + x);
            x += run;
        }
    }
}

}  // namespace

// ---- Bitmap --------------------------------------------------------------------------------------

Bitmap::Bitmap(int32_t width, int32_t height, bool twoColour)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), twoColour_(twoColour) {
    data_ = std::make_shared<Data>();
    data_->pixels.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), twoColour ? 0u : kBlack);
    data_->version = NextVersion();
}

void Bitmap::Touch() {
    if (data_ != nullptr) data_->version = NextVersion();
}

uint32_t* Bitmap::row(int32_t y) {
    Touch();
    return data_->pixels.data() + static_cast<size_t>(y) * width_;
}

uint32_t* Bitmap::bits() {
    Touch();
    return data_ == nullptr ? nullptr : data_->pixels.data();
}

Colour Bitmap::pixel(int32_t x, int32_t y) const {
    if (isNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    const uint32_t value = constRow(y)[x];
    return twoColour_ ? (value != 0 ? kWhite : kBlack) : value;
}

void Bitmap::setPixel(int32_t x, int32_t y, Colour colour) {
    if (isNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
    row(y)[x] = twoColour_ ? (SameColour(colour, kBlack) ? 0u : 1u) : (colour | 0xFF000000u);
}

void Bitmap::fill(Colour colour) {
    if (isNull()) return;
    Touch();
    std::fill(data_->pixels.begin(), data_->pixels.end(),
              twoColour_ ? (SameColour(colour, kBlack) ? 0u : 1u) : (colour | 0xFF000000u));
}

Bitmap Bitmap::copy(int32_t x, int32_t y, int32_t width, int32_t height) const {
    Bitmap part(width, height, twoColour_);
    for (int32_t row = 0; row < part.height(); ++row) {
        for (int32_t column = 0; column < part.width(); ++column) {
            const int32_t sx = x + column;
            const int32_t sy = y + row;
            if (sx >= 0 && sy >= 0 && sx < width_ && sy < height_) part.row(row)[column] = constRow(sy)[sx];
        }
    }
    return part;
}

// ---- Shapes --------------------------------------------------------------------------------------

void FillRect(Bitmap& target, const Rect32& rect, Colour colour) {
    if (!Drawable(target)) return;
    const Rect32 clipped = Clip(target, rect);
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        uint32_t* line = target.row(y);
        std::fill(line + clipped.left, line + clipped.right, colour);
    }
}

void FillRectWithTile(Bitmap& target, const Rect32& rect, const Bitmap& tile) {
    if (!Drawable(target) || tile.isNull()) return;
    const Rect32 clipped = Clip(target, rect);
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        FillSpan(target, y, clipped.left, clipped.right, nullptr, &tile);
    }
}

void DrawBox(Bitmap& target, const Rect32& whole, Colour outline, const Colour* inside) {
    if (!Drawable(target) || Empty(whole)) return;
    const Rect32 clipped = Clip(target, whole);
    const int32_t insideLeft = std::max(clipped.left, whole.left + 1);
    const int32_t insideEnd = std::min(clipped.right, whole.right - 1);
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        uint32_t* line = target.row(y);
        if (y == whole.top || y == whole.bottom - 1) {
            std::fill(line + clipped.left, line + clipped.right, outline);
            continue;
        }
        if (inside != nullptr && insideLeft < insideEnd)
            std::fill(line + insideLeft, line + insideEnd, *inside);
        if (clipped.left == whole.left) line[whole.left] = outline;
        if (clipped.right == whole.right) line[whole.right - 1] = outline;
    }
}

void PlotPixel(Bitmap& target, int64_t x, int64_t y, Colour colour) {
    if (!Drawable(target) || x < 0 || y < 0 || x >= target.width() || y >= target.height()) return;
    target.row(static_cast<int32_t>(y))[x] = colour;
}

// Only the steps that land inside the bitmap along the major axis are visited, so far-off end points
// cost nothing.
void DrawThinLine(Bitmap& target, Point32 a, Point32 b, Colour colour) {
    if (!Drawable(target)) return;
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    const int64_t steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t start = alongX ? a.x : a.y;
    const int64_t direction = (alongX ? dx : dy) < 0 ? -1 : 1;
    const int64_t size = alongX ? target.width() : target.height();
    int64_t first = 0;
    int64_t last = steps - 1;
    if (direction > 0) {
        first = std::max(first, -start);
        last = std::min(last, size - 1 - start);
    } else {
        first = std::max(first, start - (size - 1));
        last = std::min(last, start);
    }
    for (int64_t i = first; i <= last; ++i) {
        PlotPixel(target, a.x + RoundedStep(i, dx, steps), a.y + RoundedStep(i, dy, steps), colour);
    }
}

// A pixel is sampled a hair above and left of its centre, so that a band edge passing exactly through
// pixel centres takes the pixels below and right of it and not those above and left: a band of width w
// covers exactly w rows or columns.
void DrawWideLine(Bitmap& target, Point32 a, Point32 b, int32_t width, Colour colour) {
    if (!Drawable(target)) return;
    const double radius = std::max(width, 1) / 2.0;
    const auto reach = static_cast<int32_t>(std::ceil(radius)) + 1;
    const Rect32 box = Clip(target, Rect32{std::min(a.x, b.x) - reach, std::min(a.y, b.y) - reach,
                                           std::max(a.x, b.x) + reach + 1, std::max(a.y, b.y) + reach + 1});
    const double dx = static_cast<double>(b.x) - a.x;
    const double dy = static_cast<double>(b.y) - a.y;
    const double length2 = dx * dx + dy * dy;
    const double limit = radius * radius;
    constexpr double kSample = 0.5 - 1.0 / 1024;
    for (int32_t y = box.top; y < box.bottom; ++y) {
        uint32_t* line = target.row(y);
        for (int32_t x = box.left; x < box.right; ++x) {
            const double px = x + kSample - a.x;
            const double py = y + kSample - a.y;
            const double t = length2 == 0 ? 0 : std::clamp((px * dx + py * dy) / length2, 0.0, 1.0);
            const double ex = px - t * dx;
            const double ey = py - t * dy;
            if (ex * ex + ey * ey < limit) line[x] = colour;
        }
    }
}

// The ellipse's centre and half-axes are those of the pixel centres it spans; each quarter is the
// mirror of the top-left one, so the shape is symmetric whatever the size.
void DrawEllipse(Bitmap& target, const Rect32& box, const Colour* outline, const Colour* inside,
                 const Bitmap* tile) {
    if (!Drawable(target) || Empty(box)) return;
    const double cx = (box.left + box.right - 1) / 2.0;
    const double cy = (box.top + box.bottom - 1) / 2.0;
    const double a = (box.right - box.left - 1) / 2.0;
    const double b = (box.bottom - box.top - 1) / 2.0;
    const int32_t mirrorX = box.left + box.right - 1;
    const int32_t mirrorY = box.top + box.bottom - 1;
    // The half-width of the row or column at distance d from the centre along the other axis.
    const auto half = [](double along, double across, double d) {
        if (across <= 0) return along;
        const double f = 1 - (d / across) * (d / across);
        return f <= 0 ? 0.0 : along * std::sqrt(f);
    };
    if (inside != nullptr || tile != nullptr) {
        for (int32_t y = box.top; y <= mirrorY; ++y) {
            const double w = half(a, b, y - cy);
            const auto left = static_cast<int32_t>(std::ceil(cx - w - 1e-9));
            FillSpan(target, y, left, mirrorX - left + 1, inside, tile);
        }
    }
    if (outline == nullptr) return;
    for (int32_t x = box.left; 2 * x <= mirrorX; ++x) {
        const auto top = static_cast<int32_t>(std::floor(cy - half(b, a, x - cx) + 0.5));
        for (const int32_t px : {x, mirrorX - x}) {
            PlotPixel(target, px, top, *outline);
            PlotPixel(target, px, mirrorY - top, *outline);
        }
    }
    for (int32_t y = box.top; 2 * y <= mirrorY; ++y) {
        const auto left = static_cast<int32_t>(std::floor(cx - half(a, b, y - cy) + 0.5));
        for (const int32_t py : {y, mirrorY - y}) {
            PlotPixel(target, left, py, *outline);
            PlotPixel(target, mirrorX - left, py, *outline);
        }
    }
}

// Edges are sorted by their top once; each row then looks only at the edges that span it.
void FillPolygon(Bitmap& target, const Point32* points, int count, const Colour* inside, const Bitmap* tile) {
    if (!Drawable(target) || points == nullptr || count < 3) return;
    struct Edge {
        int32_t top;  // the first row whose centre the edge spans
        int32_t end;  // one past the last such row
        Point32 from;
        Point32 to;
    };
    std::vector<Edge> edges;
    edges.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        Point32 p = points[i];
        Point32 q = points[(i + 1) % count];
        if (p.y == q.y) continue;
        if (q.y < p.y) std::swap(p, q);
        // Rows y with p.y <= y + 0.5 < q.y.
        const int32_t top = std::max(p.y, 0);
        const int32_t end = std::min(q.y, target.height());
        if (top >= end) continue;
        edges.push_back(Edge{top, end, p, q});
    }
    std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
    std::vector<Edge> active;
    std::vector<double> crossings;
    size_t next = 0;
    const int32_t first = edges.empty() ? 0 : edges.front().top;
    for (int32_t y = first; y < target.height() && (next < edges.size() || !active.empty()); ++y) {
        while (next < edges.size() && edges[next].top == y) active.push_back(edges[next++]);
        std::erase_if(active, [y](const Edge& edge) { return edge.end <= y; });
        crossings.clear();
        const double yc = y + 0.5;
        for (const Edge& edge : active) {
            const Point32 p = edge.from;
            const Point32 q = edge.to;
            crossings.push_back(p.x + (yc - p.y) * (q.x - p.x) / static_cast<double>(q.y - p.y));
        }
        std::sort(crossings.begin(), crossings.end());
        // Pixels whose centre x + 0.5 lies in [from, to).
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            FillSpan(target, y, static_cast<int32_t>(std::ceil(crossings[i] - 0.5)),
                     static_cast<int32_t>(std::ceil(crossings[i + 1] - 0.5)), inside, tile);
        }
    }
}

// ---- Copies --------------------------------------------------------------------------------------

void CopyPixels(Bitmap& target, const Rect32& to, const Bitmap& source, const Rect32& from, Colour zeroColour,
                Colour oneColour, const Colour* key, Combine combine) {
    if (!Drawable(target) || source.isNull() || Empty(to) || Empty(from)) return;
    const Rect32 clipped = Clip(target, to);
    if (Empty(clipped)) return;
    const bool mono = source.twoColour();
    const Colour bitColour[2] = {zeroColour, oneColour};
    bool skipBit[2] = {false, false};
    if (mono && key != nullptr) {
        skipBit[0] = SameColour(kBlack, *key);
        skipBit[1] = SameColour(kWhite, *key);
    }
    const int32_t toWidth = to.right - to.left;
    const int32_t toHeight = to.bottom - to.top;
    const int32_t fromWidth = from.right - from.left;
    const int32_t fromHeight = from.bottom - from.top;
    const bool sameSize = toWidth == fromWidth && toHeight == fromHeight;
    // The source column of every target column from clipped.left, -1 where there is none.
    std::vector<int32_t> stretchedColumn;
    if (!sameSize) {
        stretchedColumn.resize(static_cast<size_t>(clipped.right - clipped.left));
        for (int32_t x = clipped.left; x < clipped.right; ++x) {
            const int32_t column =
                from.left + static_cast<int32_t>(static_cast<int64_t>(x - to.left) * fromWidth / toWidth);
            stretchedColumn[static_cast<size_t>(x - clipped.left)] =
                column >= 0 && column < source.width() ? column : -1;
        }
    }
    const int32_t offset = from.left - to.left;
    const int32_t firstX = sameSize ? std::max(clipped.left, -offset) : clipped.left;
    const int32_t endX = sameSize ? std::min(clipped.right, source.width() - offset) : clipped.right;
    const bool keyed = key != nullptr;
    const Colour keyColour = keyed ? *key : 0;
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        const int32_t sy =
            sameSize
                ? from.top + (y - to.top)
                : from.top + static_cast<int32_t>(static_cast<int64_t>(y - to.top) * fromHeight / toHeight);
        if (sy < 0 || sy >= source.height()) continue;
        const uint32_t* sourceLine = source.constRow(sy);
        uint32_t* line = target.row(y);
        for (int32_t x = firstX; x < endX; ++x) {
            const int32_t sx = sameSize ? x + offset : stretchedColumn[static_cast<size_t>(x - clipped.left)];
            if (sx < 0) continue;
            Colour pixel = sourceLine[sx];
            if (mono) {
                const int bit = pixel != 0 ? 1 : 0;
                if (skipBit[bit]) continue;
                pixel = bitColour[bit];
            } else if (keyed && SameColour(pixel, keyColour)) {
                continue;
            }
            line[x] = combine == Combine::Or ? line[x] | pixel : pixel;
        }
    }
}

void TransparentCopy(Bitmap& target, const Rect32& to, const Bitmap& source, const Rect32& from,
                     Colour zeroColour, Colour oneColour, Colour key) {
    const int32_t width = to.right - to.left;
    const int32_t height = to.bottom - to.top;
    const bool sameSize = width == from.right - from.left && height == from.bottom - from.top;
    const PreparedCopy* copy =
        Drawable(target) && !source.isNull() && !Empty(to) && sameSize ? PreparedFor(source, key) : nullptr;
    if (copy == nullptr) {
        CopyPixels(target, to, source, from, zeroColour, oneColour, &key, Combine::Replace);
        return;
    }
    // The target pixels inside both bitmaps.
    const int32_t dx = from.left - to.left;
    const int32_t dy = from.top - to.top;
    Rect32 clipped = Clip(target, to);
    clipped.left = std::max(clipped.left, -dx);
    clipped.top = std::max(clipped.top, -dy);
    clipped.right = std::min(clipped.right, source.width() - dx);
    clipped.bottom = std::min(clipped.bottom, source.height() - dy);
    if (Empty(clipped)) return;
    const Colour bitColour = copy->bit == 0 ? zeroColour : oneColour;
    const int32_t firstColumn = clipped.left + dx;
    const int32_t endColumn = clipped.right + dx;
    for (int32_t y = clipped.top; y < clipped.bottom; ++y) {
        const auto sy = static_cast<size_t>(y + dy);
        const uint32_t rowEnd = copy->rowEnd[sy];
        uint32_t run =
            copy->runFrom[sy * static_cast<size_t>(copy->width) + static_cast<size_t>(firstColumn)];
        uint32_t* line = target.row(y);
        const uint32_t* sourcePixels = source.constRow(static_cast<int32_t>(sy));
        for (; run < rowEnd && copy->runs[run].x < endColumn; ++run) {
            const int32_t start = std::max(copy->runs[run].x, firstColumn);
            const int32_t end = std::min(copy->runs[run].end, endColumn);
            if (copy->bit >= 0) {
                std::fill(line + (start - dx), line + (end - dx), bitColour);
            } else {
                std::copy(sourcePixels + start, sourcePixels + end, line + (start - dx));
            }
        }
    }
}

Bitmap Coloured(const Bitmap& source, Colour zeroColour, Colour oneColour) {
    if (source.isNull() || !source.twoColour()) return source;
    Bitmap coloured(source.width(), source.height());
    uint32_t* out = coloured.bits();
    const uint32_t* in = source.constBits();
    const size_t count = static_cast<size_t>(source.width()) * static_cast<size_t>(source.height());
    for (size_t i = 0; i < count; ++i) out[i] = in[i] != 0 ? oneColour : zeroColour;
    return coloured;
}
