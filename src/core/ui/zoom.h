// The game's 240 x 268 screen shown at a whole-number zoom: each game pixel becomes a k x k square
// of device pixels, centred on black in whatever room the window gives it. Everything here counts
// in device pixels, so that a desktop scale factor (1.25, 1.5, 2) never splits a game pixel.
#pragma once

#include "seam/host.h"

inline constexpr int kMaxFirstZoom = 4;

// The zoom a first start opens at: the largest k from 1 to 4 whose screen height 268 k is at most
// 60 % of the screen's available height.
int FirstStartZoom(int availableHeight);

// The largest zoom (at least 1) at which the game fits a width x height area.
int FittingZoom(int width, int height);

// Where the game lies in an area of width x height at zoom k: centred, whole pixels.
struct ZoomView {
    int zoom = 1;
    int left = 0;
    int top = 0;
};
ZoomView CentredView(int width, int height, int zoom);

// The game point under device point (x, y); false on the black margin around the game.
bool ToGamePoint(const ZoomView& view, int x, int y, int& gameX, int& gameY);
