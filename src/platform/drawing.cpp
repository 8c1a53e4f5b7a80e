// The drawing contexts of the handheld on QImage.
//
// The operations that the game repeats many times per frame (rectangles, 1-pixel lines, plain,
// transparent and stretched copies, single pixels) write the pixels of the RGB32 bitmap directly:
// that keeps the geometry rule exact and costs no painter set-up. Ellipses, filled polygons, wide
// pens and text go through a QPainter with antialiasing off, begun and ended within the call so that
// the bitmap can be read between calls.
//
// Only colour bitmaps (RGB32) are drawn on; a context with no bitmap or a two-colour one ignores the
// drawing calls. Sources of copies may be two-colour bitmaps (Format_Mono, index 0 the 0-bits) or
// colour ones.
#include "platform/drawing.h"

#include <QBrush>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace {

bool SameColour(QRgb a, QRgb b) {
    return ((a ^ b) & RGB_MASK) == 0;
}

bool Drawable(const QImage& image) {
    return !image.isNull() && image.format() == QImage::Format_RGB32;
}

// A copy source as the copy loops read it: two-colour bitmaps as Format_Mono, all others as RGB32.
QImage ReadableSource(const QImage& source) {
    if (source.format() == QImage::Format_Mono || source.format() == QImage::Format_RGB32) return source;
    if (source.depth() == 1) return source.convertToFormat(QImage::Format_Mono);
    return source.convertToFormat(QImage::Format_RGB32);
}

int MonoIndex(const uchar* line, int x) {
    return (line[x >> 3] >> (7 - (x & 7))) & 1;
}

QRgb* TargetLine(uchar* bits, qsizetype stride, int y) {
    return reinterpret_cast<QRgb*>(bits + y * stride);
}

// ---- Prepared transparent copies ---------------------------------------------------------------
// A transparent copy from a bitmap the game copies again and again (the item sheet for every cell,
// the digit strip for every port) moves only the pixels that the key does not skip. Those pixels
// are found once per bitmap and key and kept as runs per row; later copies move whole runs.

struct Run {
    int x;
    int end;  // one past the run's last column
};

struct PreparedCopy {
    qint64 bitmap = 0;  // QImage::cacheKey() of the source; 0 for an unused slot
    QRgb key = 0;
    int width = 0;
    int bit = -1;  // two-colour sources: the bit value of every run's pixels
    std::vector<Run> runs;
    std::vector<uint32_t> rowEnd;  // per row, one past the index of its last run
    // Per pixel, row by row: the index of the first run of its row that ends after it. A copy of any
    // part of the bitmap finds its first run without a search.
    std::vector<uint32_t> runFrom;
};

void Prepare(PreparedCopy& copy, const QImage& source, QRgb key, int drawnBit) {
    const bool mono = drawnBit >= 0;
    copy.bitmap = source.cacheKey();
    copy.key = key;
    copy.width = source.width();
    copy.bit = drawnBit;
    copy.runs.clear();
    copy.rowEnd.clear();
    copy.runFrom.clear();
    for (int y = 0; y < source.height(); ++y) {
        const uchar* line = source.constScanLine(y);
        const auto drawn = [&](int x) {
            return mono ? MonoIndex(line, x) == drawnBit
                        : !SameColour(reinterpret_cast<const QRgb*>(line)[x], key);
        };
        auto run = static_cast<uint32_t>(copy.runs.size());
        for (int x = 0; x < source.width();) {
            if (!drawn(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < source.width() && drawn(x)) ++x;
            copy.runs.push_back(Run{start, x});
        }
        copy.rowEnd.push_back(static_cast<uint32_t>(copy.runs.size()));
        for (int x = 0; x < source.width(); ++x) {
            while (run < copy.rowEnd.back() && copy.runs[run].end <= x) ++run;
            copy.runFrom.push_back(run);
        }
    }
}

// The prepared copy of a source and key, or null when the copy cannot go by runs: a source that is
// neither two-colour nor RGB32, or a key that would skip neither bit value of a two-colour source.
const PreparedCopy* PreparedFor(const QImage& source, QRgb key) {
    static std::array<PreparedCopy, 4> prepared;
    static size_t nextSlot = 0;
    const bool mono = source.format() == QImage::Format_Mono;
    if (!mono && source.format() != QImage::Format_RGB32) return nullptr;
    for (const PreparedCopy& copy : prepared) {
        if (copy.bitmap == source.cacheKey() && copy.key == key) return &copy;
    }
    int drawnBit = -1;
    if (mono) {
        const bool skipZero = SameColour(source.color(0), key);
        const bool skipOne = SameColour(source.color(1), key);
        if (skipZero == skipOne) return nullptr;
        drawnBit = skipZero ? 1 : 0;
    }
    PreparedCopy& copy = prepared[nextSlot];
    nextSlot = (nextSlot + 1) % prepared.size();
    Prepare(copy, source, key, drawnBit);
    return &copy;
}

// Moves the prepared runs of the source rectangle `from` to the same-sized target rectangle `to`.
void CopyRuns(QImage& target, const QRect& to, const QImage& source, const QRect& from,
              const PreparedCopy& copy, QRgb bitColour) {
    // The target pixels inside both bitmaps.
    const QRect clipped = (to & target.rect()) & source.rect().translated(to.topLeft() - from.topLeft());
    if (clipped.isEmpty()) return;
    const int dx = from.x() - to.x();
    const int dy = from.y() - to.y();
    const int firstColumn = clipped.left() + dx;
    const int endColumn = clipped.right() + 1 + dx;
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const auto sy = static_cast<size_t>(y + dy);
        const uint32_t rowEnd = copy.rowEnd[sy];
        uint32_t run = copy.runFrom[sy * static_cast<size_t>(copy.width) + static_cast<size_t>(firstColumn)];
        QRgb* line = TargetLine(bits, stride, y);
        const QRgb* sourcePixels = reinterpret_cast<const QRgb*>(source.constScanLine(static_cast<int>(sy)));
        for (; run < rowEnd && copy.runs[run].x < endColumn; ++run) {
            const int start = std::max(copy.runs[run].x, firstColumn);
            const int end = std::min(copy.runs[run].end, endColumn);
            if (copy.bit >= 0) {
                std::fill(line + (start - dx), line + (end - dx), bitColour);
            } else {
                std::copy(sourcePixels + start, sourcePixels + end, line + (start - dx));
            }
        }
    }
}

// How a copy puts a source pixel on the target.
enum class Combine { Replace, Or };

// Copies the source rectangle `from` onto the target rectangle `to`, picking the nearest source pixel
// when their sizes differ. A two-colour source is recoloured by the colour rule (0-bits in the text
// colour, 1-bits in the background colour); pixels whose source colour is the key are skipped; pixels
// outside either bitmap are left alone.
void CopyPixels(QImage& target, const QRect& to, const QImage& sourceImage, const QRect& from,
                QRgb textColour, QRgb backgroundColour, std::optional<QRgb> key, Combine combine) {
    if (!Drawable(target) || sourceImage.isNull() || to.isEmpty() || from.isEmpty()) return;
    const QRect clipped = to & target.rect();
    if (clipped.isEmpty()) return;
    const QImage source = ReadableSource(sourceImage);
    const bool mono = source.format() == QImage::Format_Mono;
    const QRgb bitColour[2] = {textColour, backgroundColour};
    bool skipBit[2] = {false, false};
    if (mono && key) {
        for (int bit = 0; bit < 2; ++bit) skipBit[bit] = SameColour(source.color(bit), *key);
    }
    // The source column of every target column from clipped.left(), -1 where there is none; the
    // plain case is a fixed offset.
    const bool sameSize = to.size() == from.size();
    std::vector<int> stretchedColumn;
    if (!sameSize) {
        stretchedColumn.resize(static_cast<size_t>(clipped.width()));
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            const int column = from.x() + (x - to.x()) * from.width() / to.width();
            stretchedColumn[static_cast<size_t>(x - clipped.left())] =
                column >= 0 && column < source.width() ? column : -1;
        }
    }
    // In the plain case only the target columns whose source column lies inside the source.
    const int offset = from.x() - to.x();
    const int firstX = sameSize ? std::max(clipped.left(), -offset) : clipped.left();
    const int lastX = sameSize ? std::min(clipped.right(), source.width() - 1 - offset) : clipped.right();

    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const bool keyed = key.has_value();
    const QRgb keyColour = key.value_or(0);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const int sy =
            sameSize ? from.y() + (y - to.y()) : from.y() + (y - to.y()) * from.height() / to.height();
        if (sy < 0 || sy >= source.height()) continue;
        const uchar* sourceLine = source.constScanLine(sy);
        const QRgb* sourcePixels = reinterpret_cast<const QRgb*>(sourceLine);
        QRgb* line = TargetLine(bits, stride, y);
        for (int x = firstX; x <= lastX; ++x) {
            const int sx = sameSize ? x + offset : stretchedColumn[static_cast<size_t>(x - clipped.left())];
            if (sx < 0) continue;
            QRgb pixel = 0;
            if (mono) {
                const int bit = MonoIndex(sourceLine, sx);
                if (skipBit[bit]) continue;
                pixel = bitColour[bit];
            } else {
                pixel = sourcePixels[sx];
                if (keyed && SameColour(pixel, keyColour)) continue;
            }
            line[x] = combine == Combine::Or ? line[x] | pixel : pixel;
        }
    }
}

// A rectangle with a 1-pixel outline and a solid or no inside, in one pass over its rows.
void DrawBox(QImage& target, const QRect& whole, QRgb outline, std::optional<QRgb> inside) {
    const QRect clipped = whole & target.rect();
    if (clipped.isEmpty()) return;
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const int insideLeft = std::max(clipped.left(), whole.left() + 1);
    const int insideRight = std::min(clipped.right(), whole.right() - 1);
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* line = TargetLine(bits, stride, y);
        if (y == whole.top() || y == whole.bottom()) {
            std::fill(line + clipped.left(), line + clipped.right() + 1, outline);
            continue;
        }
        if (inside && insideLeft <= insideRight)
            std::fill(line + insideLeft, line + insideRight + 1, *inside);
        if (clipped.left() == whole.left()) line[whole.left()] = outline;
        if (clipped.right() == whole.right()) line[whole.right()] = outline;
    }
}

void FillRect(QImage& target, const QRect& rect, QRgb colour) {
    const QRect clipped = rect & target.rect();
    if (clipped.isEmpty()) return;
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        QRgb* line = TargetLine(bits, stride, y);
        std::fill(line + clipped.left(), line + clipped.right() + 1, colour);
    }
}

// A pattern brush's tile in colour: a two-colour pattern takes the context's text and background
// colours, like a copied two-colour bitmap.
QImage PatternTile(const Brush& brush, QRgb textColour, QRgb backgroundColour) {
    if (brush.pattern.isNull()) return {};
    if (brush.pattern.depth() != 1) return ReadableSource(brush.pattern);
    QImage tile = brush.pattern.convertToFormat(QImage::Format_Mono);
    tile.setColorTable({textColour, backgroundColour});
    return tile.convertToFormat(QImage::Format_RGB32);
}

// Fills with a pattern whose tiles are anchored at the bitmap's (0, 0).
void FillRectWithTile(QImage& target, const QRect& rect, const QImage& tile) {
    const QRect clipped = rect & target.rect();
    if (clipped.isEmpty() || tile.isNull()) return;
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        const QRgb* tileLine = reinterpret_cast<const QRgb*>(tile.constScanLine(y % tile.height()));
        QRgb* line = TargetLine(bits, stride, y);
        for (int x = clipped.left(); x <= clipped.right(); ++x) line[x] = tileLine[x % tile.width()];
    }
}

void PlotPixel(QImage& target, long long x, long long y, QRgb colour) {
    if (x < 0 || y < 0 || x >= target.width() || y >= target.height()) return;
    TargetLine(target.bits(), target.bytesPerLine(), static_cast<int>(y))[x] = colour;
}

// i * delta / steps rounded to the nearest integer, halves away from zero; 0 <= i <= steps, and
// |delta| <= steps < 2^32, so the product fits in 64 unsigned bits.
long long RoundedStep(long long i, long long delta, long long steps) {
    const auto product =
        static_cast<unsigned long long>(i) * static_cast<unsigned long long>(std::llabs(delta));
    const auto divisor = static_cast<unsigned long long>(steps);
    auto magnitude = static_cast<long long>(product / divisor);
    if (2 * (product % divisor) >= divisor) ++magnitude;
    return delta < 0 ? -magnitude : magnitude;
}

// A 1-pixel line from a up to, but not including, b: the major axis advances one pixel per step and
// the minor coordinate is rounded to the nearest pixel. Only the steps that land inside the bitmap
// along the major axis are visited, so far-off end points cost nothing.
void DrawThinLine(QImage& target, QPoint a, QPoint b, QRgb colour) {
    const long long dx = static_cast<long long>(b.x()) - a.x();
    const long long dy = static_cast<long long>(b.y()) - a.y();
    const long long steps = std::max(std::llabs(dx), std::llabs(dy));
    if (steps == 0) return;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long start = alongX ? a.x() : a.y();
    const long long direction = (alongX ? dx : dy) < 0 ? -1 : 1;
    const long long size = alongX ? target.width() : target.height();
    // Steps i with 0 <= start + direction * i < size.
    long long first = 0;
    long long last = steps - 1;
    if (direction > 0) {
        first = std::max(first, -start);
        last = std::min(last, size - 1 - start);
    } else {
        first = std::max(first, start - (size - 1));
        last = std::min(last, start);
    }
    for (long long i = first; i <= last; ++i) {
        PlotPixel(target, a.x() + RoundedStep(i, dx, steps), a.y() + RoundedStep(i, dy, steps), colour);
    }
}

QPen PainterPen(const Pen& pen) {
    if (pen.null) return QPen(Qt::NoPen);
    return QPen(QColor(pen.colour), std::max(pen.width, 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush PainterBrush(const Brush& brush, QRgb textColour, QRgb backgroundColour) {
    switch (brush.kind) {
        case Brush::Kind::Solid:
            return QBrush(QColor(brush.colour));
        case Brush::Kind::Pattern: {
            const QImage tile = PatternTile(brush, textColour, backgroundColour);
            return tile.isNull() ? QBrush(Qt::NoBrush) : QBrush(tile);
        }
        case Brush::Kind::Hollow:
            break;
    }
    return QBrush(Qt::NoBrush);
}

// The handheld's system font: the application's default family at a fixed small size, without
// antialiasing, so that texts take the same room whatever the desktop's font settings.
QFont TextFont() {
    QFont font;
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

}  // namespace

Pen CreatePen(int width, QRgb colour) {
    return Pen{std::max(width, 1), colour, false};
}

Brush CreateSolidBrush(QRgb colour) {
    return Brush{Brush::Kind::Solid, colour, {}};
}

Brush CreatePatternBrush(const Bitmap& pattern) {
    return Brush{Brush::Kind::Pattern, rgb(0, 0, 0), pattern};
}

Brush GetStockBrush(int id) {
    switch (id) {
        case WHITE_BRUSH:
            return CreateSolidBrush(rgb(255, 255, 255));
        case LTGRAY_BRUSH:
            return CreateSolidBrush(rgb(192, 192, 192));
        case GRAY_BRUSH:
            return CreateSolidBrush(rgb(128, 128, 128));
        case DKGRAY_BRUSH:
            return CreateSolidBrush(rgb(64, 64, 64));
        case BLACK_BRUSH:
            return CreateSolidBrush(rgb(0, 0, 0));
        default:
            return Brush{Brush::Kind::Hollow, rgb(0, 0, 0), {}};
    }
}

DeviceContext::DeviceContext() : textColour_(rgb(0, 0, 0)), backgroundColour_(rgb(255, 255, 255)) {}

Bitmap DeviceContext::SelectBitmap(const Bitmap& bitmap) {
    Bitmap replaced = std::move(bitmap_);
    bitmap_ = bitmap;
    return replaced;
}

Pen DeviceContext::SelectPen(const Pen& pen) {
    Pen replaced = pen_;
    pen_ = pen;
    return replaced;
}

Brush DeviceContext::SelectBrush(const Brush& brush) {
    Brush replaced = brush_;
    brush_ = brush;
    return replaced;
}

QRgb DeviceContext::SetTextColor(QRgb colour) {
    return std::exchange(textColour_, colour);
}

QRgb DeviceContext::SetBkColor(QRgb colour) {
    return std::exchange(backgroundColour_, colour);
}

BackgroundMode DeviceContext::SetBkMode(BackgroundMode mode) {
    return std::exchange(backgroundMode_, mode);
}

void DeviceContext::PatBlt(int x, int y, int width, int height, RasterOp op) {
    if (!Drawable(bitmap_)) return;
    FillRect(bitmap_, QRect(x, y, width, height),
             op == RasterOp::Whiteness ? rgb(255, 255, 255) : rgb(0, 0, 0));
}

void DeviceContext::BitBlt(int x, int y, int width, int height, const DeviceContext& source, int sourceX,
                           int sourceY) {
    CopyPixels(bitmap_, QRect(x, y, width, height), source.Image(), QRect(sourceX, sourceY, width, height),
               textColour_, backgroundColour_, std::nullopt, Combine::Replace);
}

void DeviceContext::StretchBltOr(int x, int y, int width, int height, const DeviceContext& source,
                                 int sourceX, int sourceY, int sourceWidth, int sourceHeight) {
    CopyPixels(bitmap_, QRect(x, y, width, height), source.Image(),
               QRect(sourceX, sourceY, sourceWidth, sourceHeight), textColour_, backgroundColour_,
               std::nullopt, Combine::Or);
}

void DeviceContext::TransparentImage(int x, int y, int width, int height, const DeviceContext& source,
                                     int sourceX, int sourceY, int sourceWidth, int sourceHeight, QRgb key) {
    const QRect to(x, y, width, height);
    const QRect from(sourceX, sourceY, sourceWidth, sourceHeight);
    if (Drawable(bitmap_) && !to.isEmpty() && to.size() == from.size()) {
        if (const PreparedCopy* copy = PreparedFor(source.Image(), key)) {
            CopyRuns(bitmap_, to, source.Image(), from, *copy,
                     copy->bit == 0 ? textColour_ : backgroundColour_);
            return;
        }
    }
    CopyPixels(bitmap_, QRect(x, y, width, height), source.Image(),
               QRect(sourceX, sourceY, sourceWidth, sourceHeight), textColour_, backgroundColour_, key,
               Combine::Replace);
}

void DeviceContext::Rectangle(int left, int top, int right, int bottom) {
    if (!Drawable(bitmap_)) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right == left || bottom == top) return;
    const QRect whole(left, top, right - left, bottom - top);
    const bool thinOutline = !pen_.null && pen_.width <= 1;
    if (thinOutline && brush_.kind != Brush::Kind::Pattern) {
        DrawBox(bitmap_, whole, pen_.colour,
                brush_.kind == Brush::Kind::Solid ? std::optional<QRgb>(brush_.colour) : std::nullopt);
        return;
    }
    const QRect inside = thinOutline ? whole.adjusted(1, 1, -1, -1) : whole;
    switch (brush_.kind) {
        case Brush::Kind::Solid:
            FillRect(bitmap_, inside, brush_.colour);
            break;
        case Brush::Kind::Pattern:
            FillRectWithTile(bitmap_, inside, PatternTile(brush_, textColour_, backgroundColour_));
            break;
        case Brush::Kind::Hollow:
            break;
    }
    if (pen_.null) return;
    if (thinOutline) {
        DrawBox(bitmap_, whole, pen_.colour, std::nullopt);
        return;
    }
    QPainter painter(&bitmap_);
    painter.setPen(PainterPen(pen_));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(left, top, whole.width() - 1, whole.height() - 1);
}

void DeviceContext::Ellipse(int left, int top, int right, int bottom) {
    if (!Drawable(bitmap_)) return;
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    QPainter painter(&bitmap_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(PainterPen(pen_));
    painter.setBrush(PainterBrush(brush_, textColour_, backgroundColour_));
    painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

void DeviceContext::Polyline(const QPoint* points, int count) {
    if (!Drawable(bitmap_) || points == nullptr || count < 2 || pen_.null) return;
    if (pen_.width <= 1) {
        for (int i = 0; i + 1 < count; ++i) DrawThinLine(bitmap_, points[i], points[i + 1], pen_.colour);
        return;
    }
    QPainter painter(&bitmap_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(PainterPen(pen_));
    painter.drawPolyline(points, count);
}

void DeviceContext::Polygon(const QPoint* points, int count) {
    if (!Drawable(bitmap_) || points == nullptr || count < 2) return;
    const bool thinOutline = !pen_.null && pen_.width <= 1;
    {
        QPainter painter(&bitmap_);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(thinOutline ? QPen(Qt::NoPen) : PainterPen(pen_));
        painter.setBrush(PainterBrush(brush_, textColour_, backgroundColour_));
        painter.setBrushOrigin(0, 0);
        painter.drawPolygon(points, count, Qt::OddEvenFill);
    }
    if (thinOutline) {
        for (int i = 0; i < count; ++i) {
            DrawThinLine(bitmap_, points[i], points[(i + 1) % count], pen_.colour);
        }
    }
}

void DeviceContext::SetPixel(int x, int y, QRgb colour) {
    if (!Drawable(bitmap_)) return;
    PlotPixel(bitmap_, x, y, colour);
}

int DeviceContext::DrawTextW(const QString& text, const QRect& rect, unsigned format) {
    const QFont font = TextFont();
    const QFontMetrics metrics(font);
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const QStringList lines = singleLine ? QStringList{text} : text.split(QStringLiteral("\r\n"));
    const int lineHeight = metrics.height();
    const int height = lineHeight * static_cast<int>(lines.size());
    if (!Drawable(bitmap_)) return height;

    int y = rect.top();
    if (singleLine && (format & DT_VCENTER) != 0) y = rect.top() + (rect.height() - lineHeight) / 2;
    QPainter painter(&bitmap_);
    painter.setFont(font);
    painter.setPen(QColor(textColour_));
    if ((format & DT_NOCLIP) == 0) painter.setClipRect(rect);
    for (const QString& line : lines) {
        const int width = metrics.horizontalAdvance(line);
        int x = rect.left();
        if ((format & DT_CENTER) != 0) {
            x = rect.left() + (rect.width() - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = rect.left() + rect.width() - width;
        }
        if (backgroundMode_ == BackgroundMode::Opaque) {
            painter.fillRect(QRect(x, y, width, lineHeight), QColor(backgroundColour_));
        }
        painter.drawText(x, y + metrics.ascent(), line);
        y += lineHeight;
    }
    return height;
}
