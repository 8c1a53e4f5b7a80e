// Shared set-up of the painting tests: a fresh game record on the stand-in platform, a 240 x 268
// buffer, and the places and colours that the frames are probed at.
#pragma once

#include <tuple>
#include <vector>

#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "model/model.h"
#include "support/canvas.h"
#include "support/stand_in.h"

inline constexpr Colour kRay = kGreen, kPink = rgb(255, 128, 128), kLightGreen = rgb(100, 255, 100);
inline constexpr Rect32 kScreen{0, 0, kGameWidth, kGameHeight};
inline constexpr Rect32 kBand{25, 15, 240, 43};  // the band above N = 8's top boxes
inline constexpr Rect32 kClock{150, 0, 240, 15};

using Placed = std::tuple<int, int, int16_t>;  // column, row, item

class PaintTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        CreateOffscreenBuffer(kGameWidth, kGameHeight);
    }

    // A new game in play on an N x N board hiding `hidden`, with the player's `placed`, both legends shown
    // and no port shown.
    static void Deal(int n, const std::vector<Placed>& hidden, const std::vector<Placed>& placed = {}) {
        GameState = GameRecord{};
        GameState.gridSize = n;
        GameState.itemCount = static_cast<int32_t>(hidden.size());
        GameState.usereflect = GameState.useabsorbed = 1;
        ComputeLayout();
        for (const auto& [x, y, item] : hidden) GameState.hiddenBoard[x * 8 + y] = item;
        LabelAllPorts(kHiddenBoard);
        GameState.shownPort = -99;
        RecountPalette(0);
        for (const auto& [x, y, item] : placed) Put(x, y, item);
    }
    static void Put(int x, int y, int16_t item) {
        GameState.playerBoard[x * 8 + y] = item;
        ++GameState.placedCount;
    }
    static Point32 Cell(int x, int y) {
        return Point32{GameState.boardX + 20 * x, GameState.boardY + 20 * y};
    }
    static Point32 Port(int p) {
        Point32 corner{};
        PortPosition(static_cast<int16_t>(p), corner);
        return corner;
    }
};
