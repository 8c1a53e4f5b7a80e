// The compact text of a duration: 45"3, 1'5"3 or 1h2'3"4 (hours, minutes, seconds, tenths).
#include "model/model.h"

namespace {

// Appends characters to a caller's buffer, always leaving room for the terminating zero; what does
// not fit is dropped.
struct TextOut {
    wchar_t* buffer;
    std::size_t capacity;
    std::size_t length = 0;

    void Put(wchar_t c) {
        if (length + 1 < capacity) buffer[length++] = c;
    }

    void Number(uint32_t value) {
        wchar_t digits[10];
        int used = 0;
        do {
            digits[used++] = static_cast<wchar_t>(L'0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (used > 0) Put(digits[--used]);
    }
};

}  // namespace

int FormatElapsed(wchar_t* buffer, std::size_t capacity, uint32_t milliseconds) {
    if (capacity == 0) return 0;
    const uint32_t s = milliseconds / 1000;
    const uint32_t tenths = milliseconds % 1000 / 100;
    TextOut out{buffer, capacity};
    if (s >= 3600) {
        out.Number(s / 3600);
        out.Put(L'h');
    }
    if (s >= 60) {
        out.Number(s % 3600 / 60);
        out.Put(L'\'');
    }
    out.Number(s % 60);
    out.Put(L'"');
    out.Number(tenths);
    buffer[out.length] = L'\0';
    return static_cast<int>(out.length);
}
