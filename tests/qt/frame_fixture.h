// A real main window on the offscreen platform, with a settings folder of its own and
// every message box answered OK (a test may show real ones).
#pragma once

#include <gtest/gtest.h>

#include <QtTest/QTest>

#include "core/render/offscreen.h"
#include "model/game_state.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/services.h"
#include "qt/settings_fixture.h"

class FrameTest : public SettingsTest {
  protected:
    void SetUp() override {
        SettingsTest::SetUp();
        SetMessageBoxAnswers([](const AskedMessageBox&) { return Answer::Ok; });
    }

    void TearDown() override {
        delete frame;
        EXPECT_EQ(AppMainWindow(), nullptr) << "a window that is gone owns no more message boxes";
        ExitInstance();
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
    // Taps the centre of cell (x, y) of the current board.
    void TapCell(int x, int y) { Tap(GameState.boardX + 20 * x + 10, GameState.boardY + 20 * y + 10); }

    MainFrame* frame = nullptr;
};
