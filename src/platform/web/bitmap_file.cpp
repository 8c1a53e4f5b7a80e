#include "platform/web/bitmap_file.h"

namespace {

uint32_t Little(std::span<const uint8_t> bytes, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

// The grey level that decides which of two colours is the darker, weighted as the eye sees them.
int Grey(Colour colour) {
    return static_cast<int>(((colour >> 16 & 255) * 11 + (colour >> 8 & 255) * 16 + (colour & 255) * 5) / 32);
}

}  // namespace

Bitmap BitmapFromBmp(std::span<const uint8_t> file) {
    constexpr std::size_t kInfoAt = 14;
    if (file.size() < kInfoAt + 40 || file[0] != 'B' || file[1] != 'M') return {};
    const uint32_t pixelsAt = Little(file, 10, 4);
    const uint32_t infoSize = Little(file, kInfoAt, 4);
    const auto width = static_cast<int32_t>(Little(file, kInfoAt + 4, 4));
    const auto storedHeight = static_cast<int32_t>(Little(file, kInfoAt + 8, 4));
    const uint32_t bits = Little(file, kInfoAt + 14, 2);
    const uint32_t compression = Little(file, kInfoAt + 16, 4);
    uint32_t colours = Little(file, kInfoAt + 32, 4);
    if (width <= 0 || width > 4096 || storedHeight == 0 || storedHeight < -4096 || storedHeight > 4096 ||
        compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return {};
    const int32_t height = storedHeight < 0 ? -storedHeight : storedHeight;
    if (bits <= 8 && colours == 0) colours = 1u << bits;
    const std::size_t paletteAt = kInfoAt + infoSize;
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    if (bits <= 8 && (colours > 256 || paletteAt + colours * 4 > file.size())) return {};
    if (pixelsAt + stride * static_cast<std::size_t>(height) > file.size()) return {};

    Colour palette[256] = {};
    for (uint32_t i = 0; i < colours && bits <= 8; ++i) {
        const std::size_t at = paletteAt + i * 4;
        palette[i] = rgb(file[at + 2], file[at + 1], file[at]);
    }
    const bool twoColour = bits == 1;
    const uint32_t dark = twoColour && Grey(palette[1]) < Grey(palette[0]) ? 1 : 0;
    Bitmap bitmap(width, height, twoColour);
    for (int32_t y = 0; y < height; ++y) {
        // Rows are stored bottom-up unless the height is negative.
        const int32_t stored = storedHeight > 0 ? height - 1 - y : y;
        const uint8_t* line = file.data() + pixelsAt + stride * static_cast<std::size_t>(stored);
        uint32_t* row = bitmap.row(y);
        for (int32_t x = 0; x < width; ++x) {
            if (bits == 24) {
                row[x] = rgb(line[x * 3 + 2], line[x * 3 + 1], line[x * 3]);
                continue;
            }
            const auto bit = static_cast<std::size_t>(x) * bits;
            const uint32_t index = line[bit / 8] >> (8 - bits - bit % 8) & ((1u << bits) - 1);
            row[x] = twoColour ? (index == dark ? 0u : 1u) : palette[index < colours ? index : 0];
        }
    }
    return bitmap;
}
