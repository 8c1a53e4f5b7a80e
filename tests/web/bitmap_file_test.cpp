// The web platform reads the game's BMP files itself: every bitmap it hands the game has the size,
// the kind and the pixels that the files hold, and bytes that are not such a file give no bitmap.
#include "platform/web/bitmap_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/web/embedded_bitmaps.h"
#include "support/bitmap_sizes.h"
#include "support/canvas.h"

namespace {

// A 3 x 2 file of `bits` a pixel with the palette black, white, red, written top row first.
std::vector<uint8_t> SmallFile(int bits, const std::vector<uint8_t>& rowsBottomUp) {
    const uint32_t palette = bits <= 8 ? 4 * 3 : 0;
    const uint32_t pixelsAt = 14 + 40 + palette;
    std::vector<uint8_t> file(pixelsAt, 0);
    const auto put = [&](std::size_t at, uint32_t value, int size) {
        for (int i = 0; i < size; ++i) file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put(10, pixelsAt, 4);
    put(14, 40, 4);
    put(18, 3, 4);
    put(22, 2, 4);
    put(26, 1, 2);
    put(28, static_cast<uint32_t>(bits), 2);
    put(46, bits <= 8 ? 3 : 0, 4);
    if (bits <= 8) {
        const uint8_t colours[] = {0, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0};  // blue, green, red, unused
        std::copy(std::begin(colours), std::end(colours), file.begin() + 54);
    }
    file.insert(file.end(), rowsBottomUp.begin(), rowsBottomUp.end());
    return file;
}

TEST(BitmapFile, PalettedAndTrueColourFilesReadTopRowFirst) {
    // 4 bits: bottom row red, black, white; top row white, white, black.
    const Bitmap four = BitmapFromBmp(SmallFile(4, {0x20, 0x10, 0, 0, 0x11, 0x00, 0, 0}));
    ASSERT_FALSE(four.isNull());
    EXPECT_FALSE(four.twoColour());
    EXPECT_EQ(four.pixel(0, 0), kWhite);
    EXPECT_EQ(four.pixel(2, 0), kBlack);
    EXPECT_EQ(four.pixel(0, 1), kRed);
    EXPECT_EQ(BitmapFromBmp(SmallFile(4, {0x50, 0, 0, 0, 0, 0, 0, 0})).pixel(0, 1), kBlack)
        << "an index past the palette takes its first colour";
    const Bitmap eight = BitmapFromBmp(SmallFile(8, {2, 0, 1, 0, 1, 1, 0, 0}));
    EXPECT_EQ(eight.pixel(0, 1), kRed);
    EXPECT_EQ(eight.pixel(2, 0), kBlack);
    const Bitmap full = BitmapFromBmp(
        SmallFile(24, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0}));
    EXPECT_EQ(full.pixel(0, 1), rgb(3, 2, 1));
    EXPECT_EQ(full.pixel(2, 0), rgb(1, 2, 3));
}

// A two-colour file whose first palette entry is the lighter one: its bits are turned round, so that
// the 0-bits are always the dark colour.
TEST(BitmapFile, TwoColourFilesKeepTheirDarkColourAsTheZeroBits) {
    std::vector<uint8_t> file = SmallFile(1, {0b10100000, 0, 0, 0, 0b01100000, 0, 0, 0});
    const uint8_t lightFirst[] = {255, 255, 255, 0, 0, 0, 0, 0};
    std::copy(std::begin(lightFirst), std::end(lightFirst), file.begin() + 54);
    const Bitmap bits = BitmapFromBmp(file);
    ASSERT_TRUE(!bits.isNull() && bits.twoColour());
    // top row stored 0 1 1: light, dark, dark
    EXPECT_EQ(bits.pixel(0, 0), kWhite);
    EXPECT_EQ(bits.pixel(1, 0), kBlack);
    EXPECT_EQ(bits.pixel(0, 1), kBlack);
    // Green and a grey of 125 differ by a shade as the eye weighs them: green is the lighter.
    const uint8_t greenThenGrey[] = {0, 255, 0, 0, 125, 125, 125, 0};
    std::copy(std::begin(greenThenGrey), std::end(greenThenGrey), file.begin() + 54);
    EXPECT_EQ(BitmapFromBmp(file).pixel(0, 0), kWhite);
}

TEST(BitmapFile, EveryBitmapOfTheGameReadsAndDamagedBytesGiveNone) {
    for (const BitmapSize& e : kBitmapSizes) {
        const Bitmap bitmap = BitmapFromBmp(EmbeddedBitmap(e.number));
        EXPECT_TRUE(!bitmap.isNull() && bitmap.width() == e.width && bitmap.height() == e.height &&
                    bitmap.twoColour() == e.twoColour)
            << "bitmap " << e.number;
    }
    EXPECT_TRUE(EmbeddedBitmap(125).empty());
    const std::span<const uint8_t> digits = EmbeddedBitmap(120);
    EXPECT_TRUE(BitmapFromBmp(digits.first(digits.size() - 1)).isNull()) << "a file cut short";
    EXPECT_TRUE(BitmapFromBmp(digits.first(20)).isNull());
    std::vector<uint8_t> compressed(digits.begin(), digits.end());
    compressed[30] = 1;
    EXPECT_TRUE(BitmapFromBmp(compressed).isNull());
    std::vector<uint8_t> other(digits.begin(), digits.end());
    other[1] = 'X';
    EXPECT_TRUE(BitmapFromBmp(other).isNull()) << "not starting with BM";
    for (const auto& [width, read] : {std::pair{4096u, true}, {4097u, false}}) {  // two rows of 1 bit
        std::vector<uint8_t> wide = SmallFile(1, std::vector<uint8_t>(2 * 516));
        for (int i = 0; i < 4; ++i) wide[18 + i] = static_cast<uint8_t>(width >> (8 * i));
        EXPECT_EQ(BitmapFromBmp(wide).isNull(), !read) << "a width of " << width;
    }
}

}  // namespace
