// Where the board, its port label boxes and the palette strip lie on the 240-pixel-wide screen.
//
// The board is centred on a fixed 160 x 160 area whose top-left corner is (50, 65); cells are 20
// pixels square. The palette strip, one column of up to 13 slots of 20 pixels, is centred on the band
// from y = 5 to y = 265. Label boxes are 21 x 21 at a 20-pixel pitch, one pixel clear of the board's
// outline on every side.
#include "model/model.h"

void ComputeLayout() {
    const int32_t n = GameState.gridSize;
    const int32_t k = GameState.itemCount;
    GameState.boardX = static_cast<int16_t>(50 + (8 - n) * 20 / 2);
    GameState.boardY = static_cast<int16_t>(65 + (8 - n) * 20 / 2);
    GameState.paletteX = 2;
    GameState.paletteY = static_cast<int16_t>(5 + (13 - k) * 20 / 2);
}

void PortPosition(int16_t port, Point32& point) {
    const int32_t n = GameState.gridSize;
    const int32_t x = GameState.boardX;
    const int32_t y = GameState.boardY;
    const int32_t p = port;
    if (p < n) {
        point = {x + 20 * p, y - 22};
    } else if (p < 2 * n) {
        point = {x + 20 * n + 2, y + 20 * (p - n)};
    } else if (p < 3 * n) {
        point = {x + 20 * (3 * n - 1 - p), y + 20 * n + 2};
    } else {
        point = {x - 22, y + 20 * (4 * n - 1 - p)};
    }
}
