// Shared set-up of the painting tests: a fresh game record, a 240 x 268 off-screen buffer, message
// boxes answered and recorded, and small readers of the buffer's pixels.
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <utility>
#include <vector>

#include "model/game_state.h"
#include "model/model.h"
#include "platform/drawing.h"
#include "platform/services.h"
#include "render/offscreen.h"
#include "render/paint.h"

inline constexpr QRgb kBlack = rgb(0, 0, 0);
inline constexpr QRgb kWhite = rgb(255, 255, 255);
inline constexpr QRgb kPurple = rgb(128, 0, 128);
inline constexpr QRgb kRayGreen = rgb(0, 255, 0);
inline constexpr QRgb kGrey = rgb(160, 160, 160);
inline constexpr QRgb kYellow = rgb(255, 255, 0);
inline constexpr QRgb kLightGreen = rgb(100, 255, 100);
inline constexpr QRgb kRed = rgb(255, 0, 0);
inline constexpr QRgb kBlue = rgb(0, 0, 255);
inline constexpr QRgb kPink = rgb(255, 128, 128);

inline constexpr int kScreenWidth = 240;
inline constexpr int kScreenHeight = 268;

// A placed item: cell (x, y) and its code.
struct Placed {
    int x;
    int y;
    int16_t item;
};

class PaintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GameState = GameRecord{};
        CreateOffscreenBuffer(kScreenWidth, kScreenHeight);
        SetMessageBoxAnswers([this](const AskedMessageBox& box) {
            asked.push_back(box);
            phaseWhenAsked.push_back(GameState.gamePhase);
            return IDOK;
        });
    }

    void TearDown() override {
        SetMessageBoxAnswers({});
        for (int number : failingBitmaps) SetBitmapLoadFails(number, false);
        DestroyOffscreenBuffer();
    }

    void FailBitmap(int number) {
        SetBitmapLoadFails(number, true);
        failingBitmaps.push_back(number);
    }

    // A game in play on an N x N board with the given hidden items; nothing placed, no port shown,
    // every item kind in use so that both legends show.
    void StartGame(int n, std::initializer_list<Placed> hidden) {
        GameState.gridSize = n;
        GameState.itemCount = static_cast<int32_t>(hidden.size());
        GameState.usereflect = 1;
        GameState.useabsorbed = 1;
        ComputeLayout();
        for (const Placed& item : hidden) GameState.hiddenBoard[item.x * 8 + item.y] = item.item;
        ASSERT_EQ(LabelAllPorts(kHiddenBoard), 0);
        GameState.gamePhase = Playing;
        GameState.shownPort = -99;
        RecountPalette(0);
    }

    void Place(int x, int y, int16_t item) {
        GameState.playerBoard[x * 8 + y] = item;
        ++GameState.placedCount;
    }

    static void PaintAll() { Paint(QRect(0, 0, kScreenWidth, kScreenHeight)); }

    static QRgb Pixel(int x, int y) { return Offscreen.bufferDC.Image().pixel(x, y); }
    static QImage Screen() { return Offscreen.bufferDC.Image().copy(); }

    // Number of pixels of `colour` inside `area`.
    static int Count(const QRect& area, QRgb colour) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) count += Pixel(x, y) == colour ? 1 : 0;
        }
        return count;
    }

    static QPoint CellCorner(int x, int y) {
        return QPoint(GameState.boardX + 20 * x, GameState.boardY + 20 * y);
    }
    static QPoint CellCentre(int x, int y) { return CellCorner(x, y) + QPoint(10, 10); }
    static QPoint PortCorner(int port) {
        Point32 corner{};
        PortPosition(static_cast<int16_t>(port), corner);
        return QPoint(corner.x, corner.y);
    }
    static QRect PortBox(int port) { return QRect(PortCorner(port), QSize(21, 21)); }

    // What the drawing layer makes of `text` with `format` in `rect`, in the given colours, on a
    // black screen: the reference a painted message must match pixel for pixel.
    static QImage Reference(const QString& text, const QRect& rect, unsigned format, QRgb textColour,
                            QRgb background) {
        DeviceContext dc;
        dc.SelectBitmap(QImage(kScreenWidth, kScreenHeight, QImage::Format_RGB32));
        dc.PatBlt(0, 0, kScreenWidth, kScreenHeight, RasterOp::Blackness);
        dc.SetTextColor(textColour);
        dc.SetBkColor(background);
        dc.SetBkMode(BackgroundMode::Opaque);
        dc.DrawTextW(text, rect, format);
        return dc.Image();
    }

    // Whether the buffer equals `expected` inside `area`.
    static bool SameInside(const QImage& expected, const QRect& area) {
        return Offscreen.bufferDC.Image().copy(area) == expected.copy(area);
    }

    std::vector<AskedMessageBox> asked;
    std::vector<GamePhase> phaseWhenAsked;
    std::vector<int> failingBitmaps;
};

inline const QRect kMessageBand(25, 15, 215, 30);
inline const QRect kClockStrip(150, 0, 90, 15);
