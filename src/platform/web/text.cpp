#include "platform/web/text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

GlyphSource glyphs{13, 10, nullptr, nullptr};

// The lines drawn lately, each with its width and coverage: asking the page costs far more than
// drawing, and the game draws the same few lines (labels, the clock's digits) frame after frame.
struct DrawnLine {
    std::u16string text;
    int32_t width = 0;
    std::vector<uint8_t> mask;
};
constexpr std::size_t kKeptLines = 64;
std::vector<DrawnLine> drawnLines;  // the most recently used last

const DrawnLine& Glyphs(std::u16string_view line) {
    const auto found = std::find_if(drawnLines.begin(), drawnLines.end(),
                                    [&](const DrawnLine& drawn) { return drawn.text == line; });
    if (found != drawnLines.end()) {
        std::rotate(found, found + 1, drawnLines.end());
        return drawnLines.back();
    }
    if (drawnLines.size() == kKeptLines) drawnLines.erase(drawnLines.begin());
    DrawnLine drawn{std::u16string(line), std::max(glyphs.lineWidth(line), 0), {}};
    drawn.mask.assign(static_cast<std::size_t>(drawn.width) * static_cast<std::size_t>(glyphs.lineHeight), 0);
    if (drawn.width > 0)
        glyphs.drawLine(line, drawn.mask.data(), drawn.width, glyphs.lineHeight, glyphs.ascent);
    drawnLines.push_back(std::move(drawn));
    return drawnLines.back();
}

// A pixel counts as ink from half coverage on: crisp text, no smoothing.
constexpr uint8_t kInk = 128;

std::vector<std::u16string_view> Lines(std::u16string_view text, bool singleLine) {
    std::vector<std::u16string_view> lines;
    if (singleLine) return {text};
    for (;;) {
        const std::size_t end = text.find(u"\r\n");
        lines.push_back(text.substr(0, end));
        if (end == std::u16string_view::npos) return lines;
        text.remove_prefix(end + 2);
    }
}

void Fill(Bitmap& target, const Rect32& box, const Rect32& clip, Colour colour) {
    const int32_t left = std::max(box.left, clip.left);
    const int32_t right = std::min(box.right, clip.right);
    for (int32_t y = std::max(box.top, clip.top); y < std::min(box.bottom, clip.bottom); ++y) {
        uint32_t* row = target.row(y);
        for (int32_t x = left; x < right; ++x) row[x] = colour;
    }
}

}  // namespace

void UseGlyphText(const GlyphSource& source) {
    glyphs = source;
    drawnLines.clear();
}

int32_t DrawGlyphText(Bitmap& target, std::u16string_view text, const Rect32& rect, unsigned format,
                      const TextStyle& style) {
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const std::vector<std::u16string_view> lines = Lines(text, singleLine);
    const int32_t lineHeight = glyphs.lineHeight;
    const auto height = static_cast<int32_t>(lineHeight * static_cast<int32_t>(lines.size()));
    if (target.isNull() || target.twoColour() || glyphs.lineWidth == nullptr) return height;

    Rect32 clip{0, 0, target.width(), target.height()};
    if ((format & DT_NOCLIP) == 0) {
        clip = Rect32{std::max(clip.left, rect.left), std::max(clip.top, rect.top),
                      std::min(clip.right, rect.right), std::min(clip.bottom, rect.bottom)};
    }
    int32_t y = rect.top;
    if (singleLine && (format & DT_VCENTER) != 0) y = rect.top + (rect.bottom - rect.top - lineHeight) / 2;
    for (const std::u16string_view line : lines) {
        const DrawnLine& drawn = Glyphs(line);
        const int32_t width = drawn.width;
        int32_t x = rect.left;
        if ((format & DT_CENTER) != 0) {
            x = rect.left + (rect.right - rect.left - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = rect.right - width;
        }
        if (style.opaque) Fill(target, Rect32{x, y, x + width, y + lineHeight}, clip, style.background);
        if (width > 0) {
            for (int32_t row = std::max(0, clip.top - y); row < lineHeight && y + row < clip.bottom; ++row) {
                uint32_t* pixels = target.row(y + row);
                const uint8_t* coverage = drawn.mask.data() + static_cast<std::size_t>(row) * width;
                for (int32_t column = std::max(0, clip.left - x); column < width && x + column < clip.right;
                     ++column) {
                    if (coverage[column] >= kInk) pixels[x + column] = style.ink;
                }
            }
        }
        y += lineHeight;
    }
    return height;
}
