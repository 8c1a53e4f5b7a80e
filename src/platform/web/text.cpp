#include "platform/web/text.h"

#include <algorithm>
#include <vector>

namespace {

GlyphSource glyphs{13, 10, nullptr, nullptr};

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
    SetTextDrawer(&DrawGlyphText);
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
    std::vector<uint8_t> mask;
    for (const std::u16string_view line : lines) {
        const int32_t width = glyphs.lineWidth(line);
        int32_t x = rect.left;
        if ((format & DT_CENTER) != 0) {
            x = rect.left + (rect.right - rect.left - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = rect.right - width;
        }
        if (style.opaque) Fill(target, Rect32{x, y, x + width, y + lineHeight}, clip, style.background);
        if (width > 0) {
            mask.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(lineHeight), 0);
            glyphs.drawLine(line, mask.data(), width, lineHeight, glyphs.ascent);
            for (int32_t row = std::max(0, clip.top - y); row < lineHeight && y + row < clip.bottom; ++row) {
                uint32_t* pixels = target.row(y + row);
                const uint8_t* coverage = mask.data() + static_cast<std::size_t>(row) * width;
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
