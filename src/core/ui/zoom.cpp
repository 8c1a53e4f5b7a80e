#include "core/ui/zoom.h"

#include <algorithm>

int FirstStartZoom(int availableHeight) {
    int zoom = 1;
    while (zoom < kMaxFirstZoom && kGameHeight * (zoom + 1) * 10 <= availableHeight * 6) ++zoom;
    return zoom;
}

int FittingZoom(int width, int height) {
    return std::max(1, std::min(width / kGameWidth, height / kGameHeight));
}

ZoomView CentredView(int width, int height, int zoom) {
    return ZoomView{zoom, (width - kGameWidth * zoom) / 2, (height - kGameHeight * zoom) / 2};
}

bool ToGamePoint(const ZoomView& view, int x, int y, int& gameX, int& gameY) {
    const int dx = x - view.left;
    const int dy = y - view.top;
    if (dx < 0 || dy < 0 || dx >= kGameWidth * view.zoom || dy >= kGameHeight * view.zoom) return false;
    gameX = dx / view.zoom;
    gameY = dy / view.zoom;
    return true;
}
