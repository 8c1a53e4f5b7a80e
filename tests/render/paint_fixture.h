// Shared set-up of the painting tests: a fresh game record, a 240 x 268 buffer, message boxes answered
// and recorded with the phase at the moment they were asked, and readers of the buffer's pixels.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "model/model.h"
#include "seam/host.h"
#include "platform/qt/bitmaps.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/services.h"
#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "core/face.h"
#include "support/canvas.h"

inline constexpr QRgb kRay = kGreen, kPink = rgb(255, 128, 128), kLightGreen = rgb(100, 255, 100);
inline const QRect kScreen(0, 0, 240, 268), kBand(25, 15, 215, 28);  // the band above N = 8's top boxes
inline const QRect kClock(150, 0, 90, 15);

using Placed = std::tuple<int, int, int16_t>;  // column, row, item

inline Rect32 ToRect32(const QRect& r) {
    return Rect32{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
// A paint request for a rectangle written the Qt way.
inline void PaintFrame(const QRect& invalid) {
    PaintFrame(ToRect32(invalid));
}

class PaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GameState = GameRecord{};
        CreateOffscreenBuffer(240, 268);
        SetMessageBoxAnswers([this](const AskedMessageBox& box) {
            const QString style = QString::number(box.style), phase = QString::number(GameState.gamePhase);
            asked.push_back(box.text + '|' + box.caption + '|' + style + '|' + phase);
            return IDOK;
        });
    }
    void TearDown() override { SetMessageBoxAnswers({}); }

    // A new game in play on an N x N board hiding `hidden`, with the player's `placed`, both legends shown
    // and no port shown.
    static void StartGame(int n, const std::vector<Placed>& hidden, const std::vector<Placed>& placed = {}) {
        GameState = GameRecord{};
        GameState.gridSize = n;
        GameState.itemCount = static_cast<int32_t>(hidden.size());
        GameState.usereflect = GameState.useabsorbed = 1;
        ComputeLayout();
        for (const auto& [x, y, item] : hidden) GameState.hiddenBoard[x * 8 + y] = item;
        LabelAllPorts(kHiddenBoard);
        GameState.shownPort = -99;
        RecountPalette(0);
        for (const auto& [x, y, item] : placed) Place(x, y, item);
    }
    static void Place(int x, int y, int16_t item) {
        GameState.playerBoard[x * 8 + y] = item;
        ++GameState.placedCount;
    }
    static QRgb Pixel(QPoint p) { return Offscreen.bufferDC.Image().pixel(p.x(), p.y()); }
    static QImage Area(const QRect& area) { return ImageView(Offscreen.bufferDC.Image()).copy(area); }
    static int Count(const QRect& area, QRgb colour) {
        const QImage part = Area(area).convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(part.constBits());
        return static_cast<int>(std::count(pixels, pixels + part.width() * part.height(), colour));
    }
    static QPoint Cell(int x, int y) { return QPoint(GameState.boardX + 20 * x, GameState.boardY + 20 * y); }
    static QPoint Port(int p) {
        Point32 corner{};
        PortPosition(static_cast<int16_t>(p), corner);
        return QPoint(corner.x, corner.y);
    }
    // A black screen with `text` drawn as the drawing layer does, in `ink` on an opaque `band`.
    static QImage Text(const char* text, const QRect& rect, QRgb ink, QRgb band,
                       unsigned format = DT_CENTER) {
        DeviceContext dc;
        dc.SelectBitmap(Bitmap(240, 268));
        dc.SetTextColor(ink);
        dc.SetBkColor(band);
        dc.DrawTextW(QString::fromUtf8(text).toStdU16String(), ToRect32(rect), format);
        return ImageView(dc.Image()).copy();
    }

    std::vector<QString> asked;  // text|caption|style|phase
};
