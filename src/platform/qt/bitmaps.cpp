// The bitmap resources of the game, compiled into the program with Qt's resource system (see
// resources/CMakeLists.txt) and handed out by number.
//
// Each bitmap is read from its file once; later loads hand out the same shared Bitmap, so the load
// and release that the game does around every copy cost nothing. After reading, two-colour bitmaps
// become two-colour Bitmaps whose 0-bits are the dark colour (the 0-bits that the colour rule draws
// in the text colour); every other bitmap becomes a colour Bitmap.
#include "platform/qt/bitmaps.h"

#include <QImage>
#include <QString>
#include <array>
#include <utility>

#include "platform/qt/qt_bitmap.h"

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

}  // namespace

Bitmap LoadQtBitmap(int number) {
    if (!Known(number)) return {};
    BitmapCache& cache = Cache();
    const int slot = number - kFirstBitmap;
    if (cache.fails[slot]) return {};
    if (!cache.read[slot]) {
        cache.read[slot] = true;
        if (const char* path = PathOf(number))
            cache.loaded[slot] = BitmapFromImage(QImage(QString::fromLatin1(path)));
    }
    return cache.loaded[slot];
}

void SetBitmapLoadFails(int number, bool fails) {
    if (Known(number)) Cache().fails[number - kFirstBitmap] = fails;
}
