#include "model/hit_test.h"

namespace {

constexpr int32_t kCell = 20;

TapHit PortHit(int32_t port) {
    TapHit hit;
    hit.place = TapPlace::Port;
    hit.port = static_cast<int16_t>(port);
    return hit;
}

}  // namespace

TapHit HitTest(const GameRecord& game, int32_t x, int32_t y) {
    const int32_t n = game.gridSize;
    const int32_t left = game.boardX;
    const int32_t top = game.boardY;
    const int32_t side = kCell * n;
    TapHit hit;

    if (x >= left && x < left + side && y >= top && y < top + side) {
        hit.place = TapPlace::Board;
        hit.column = (x - left) / kCell;
        hit.row = (y - top) / kCell;
        return hit;
    }
    if (x >= game.paletteX && x <= game.paletteX + 20 && y >= game.paletteY && y <= game.paletteY + 260) {
        hit.place = TapPlace::Palette;
        hit.slot = (y - game.paletteY) / kCell;
        return hit;
    }
    if (x >= left && x <= left + side + 1 && y >= top - 22 && y <= top - 1)
        return PortHit((x - left) / kCell);
    if (x >= left + side + 2 && x <= left + side + 23 && y >= top && y <= top + side + 1) {
        return PortHit(n + (y - top) / kCell);
    }
    if (x >= left && x <= left + side + 1 && y >= top + side + 2 && y <= top + side + 23) {
        return PortHit(3 * n - 1 - (x - left) / kCell);
    }
    if (x >= left - 22 && x <= left - 1 && y >= top && y <= top + side + 1) {
        return PortHit(4 * n - 1 - (y - top) / kCell);
    }
    return hit;
}
