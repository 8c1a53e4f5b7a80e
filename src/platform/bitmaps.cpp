// The bitmap resources of the game, compiled into the program with Qt's resource system (see
// resources/CMakeLists.txt) and handed out by number.
//
// Each bitmap is read from its file once; later loads hand out the same shared QImage, so the load
// and release that the game does around every copy cost nothing. After reading, two-colour bitmaps
// become Format_Mono whose index 0 is the dark colour (the 0-bits that the colour rule draws in the
// text colour) with the table exactly black and white; every other bitmap becomes RGB32.
#include <QString>
#include <array>
#include <utility>

#include "platform/drawing.h"

namespace {

constexpr int kFirstBitmap = 120;
constexpr int kLastBitmap = 132;
constexpr int kBitmapSlots = kLastBitmap - kFirstBitmap + 1;

struct BitmapFile {
    int number;
    const char* path;
};

constexpr BitmapFile kBitmapFiles[] = {
    {120, ":/mirovane/bitmaps/120-digits.bmp"},  {121, ":/mirovane/bitmaps/121-perfect.bmp"},
    {122, ":/mirovane/bitmaps/122-legend.bmp"},  {123, ":/mirovane/bitmaps/123-accepted.bmp"},
    {124, ":/mirovane/bitmaps/124-credits.bmp"}, {127, ":/mirovane/bitmaps/127-starburst.bmp"},
    {128, ":/mirovane/bitmaps/128-toolbar.bmp"}, {130, ":/mirovane/bitmaps/130-items.bmp"},
    {131, ":/mirovane/bitmaps/131-mark.bmp"},    {132, ":/mirovane/bitmaps/132-water.bmp"},
};

struct BitmapCache {
    std::array<Bitmap, kBitmapSlots> loaded;
    std::array<bool, kBitmapSlots> read{};
    std::array<bool, kBitmapSlots> fails{};
};

BitmapCache& Cache() {
    static BitmapCache cache;
    return cache;
}

bool Known(int number) {
    return number >= kFirstBitmap && number <= kLastBitmap;
}

const char* PathOf(int number) {
    for (const BitmapFile& file : kBitmapFiles) {
        if (file.number == number) return file.path;
    }
    return nullptr;
}

// Qt reads 1-bit BMP files with their palette swapped and their bits inverted; whichever way a
// two-colour file comes in, make bit 0 the dark colour.
Bitmap Normalise(const QImage& image) {
    if (image.isNull()) return {};
    if (image.depth() != 1) return image.convertToFormat(QImage::Format_RGB32);
    QImage mono = image.convertToFormat(QImage::Format_Mono);
    if (qGray(mono.color(0)) > qGray(mono.color(1))) mono.invertPixels();
    mono.setColorTable({rgb(0, 0, 0), rgb(255, 255, 255)});
    return mono;
}

}  // namespace

Bitmap LoadBitmapW(int number) {
    if (!Known(number)) return {};
    BitmapCache& cache = Cache();
    const int slot = number - kFirstBitmap;
    if (cache.fails[slot]) return {};
    if (!cache.read[slot]) {
        cache.read[slot] = true;
        if (const char* path = PathOf(number))
            cache.loaded[slot] = Normalise(QImage(QString::fromLatin1(path)));
    }
    return cache.loaded[slot];
}

void SetBitmapLoadFails(int number, bool fails) {
    if (Known(number)) Cache().fails[number - kFirstBitmap] = fails;
}
