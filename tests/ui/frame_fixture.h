// A real main window on the offscreen platform, with the tick counter, the random source, the
// message-box answers, the dialogs and (from the settings tests) the settings folder under the test's
// control.
#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QtTest/QTest>
#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <vector>

#include "model/game_state.h"
#include "model/model.h"
#include "model/random.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/services.h"
#include "core/render/offscreen.h"
#include "settings/settings_fixture.h"
#include "support/board_rows.h"
#include "support/canvas.h"
#include "core/ui/game_flow.h"

class FrameTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SetTickSource([this] { return now; });
        SetRandomSource(&FrameTest::Draw, this);
        // Message boxes take the next of `answers`, then OK; dialogs get `dialogAction`, or Cancel.
        SetMessageBoxAnswers([this](const AskedMessageBox& box) {
            asked.push_back(box);
            const int answer = answers.empty() ? IDOK : answers.front();
            if (!answers.empty()) answers.pop_front();
            return answer;
        });
        SetDialogActions([this](QDialog& dialog) {
            dialogsShown.push_back(dialog.metaObject()->className());
            dialogAction ? dialogAction(dialog) : dialog.reject();
        });
    }

    void TearDown() override {
        delete frame;
        EXPECT_EQ(AppMainWindow(), nullptr) << "a window that is gone owns no more message boxes";
        ExitInstance();
        SetTickSource({});
        SetRandomSource(nullptr, nullptr);
        SetMessageBoxAnswers({});
        SettingsTest::TearDown();
    }

    // Starts the program as the platform does; the title screen is showing afterwards.
    void Start() {
        frame = InitInstance();
        ASSERT_NE(frame, nullptr);
        // Repaints reach the buffer only once the window system has shown the window.
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    }

    // Starts the program and ends the title screen with a first tap in an empty margin.
    void StartPlaying() {
        Start();
        Tap(235, 5);
        ASSERT_EQ(GameState.titleStartTick, 0u);
    }

    void Tap(int x, int y) { QTest::mouseClick(frame->Client(), Qt::LeftButton, {}, QPoint(x, y)); }
    // A quick double tap arrives as press, release, double click, release.
    void DoubleTap(int x, int y) {
        QTest::mouseClick(frame->Client(), Qt::LeftButton, {}, QPoint(x, y));
        QTest::mouseDClick(frame->Client(), Qt::LeftButton, {}, QPoint(x, y));
    }

    // Taps the centre of cell (x, y) of the current board.
    void TapCell(int x, int y) { Tap(GameState.boardX + 20 * x + 10, GameState.boardY + 20 * y + 10); }
    // Taps palette slot s.
    void TapSlot(int s) { Tap(GameState.paletteX + 10, GameState.paletteY + 20 * s + 10); }
    // Selects item type t in the palette and places it on cell (x, y).
    void Place(int16_t t, int x, int y) {
        RecountPalette(t);
        TapCell(x, y);
    }

    QRgb Pixel(int x, int y) const { return Offscreen.bufferDC.Image().pixel(x, y); }

    static uint32_t Draw(void* self) { return static_cast<FrameTest*>(self)->engine(); }

    MainFrame* frame = nullptr;
    uint32_t now = 1000;
    std::mt19937 engine{12345};
    std::vector<AskedMessageBox> asked;
    std::deque<int> answers;
    std::vector<QString> dialogsShown;
    std::function<void(QDialog&)> dialogAction;
};
