// The game clock's tick repaints only the clock strip: the frame stops right after the clock.
#include <QPainter>

#include "render/paint_fixture.h"

namespace {

class PaintClockTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        StartGame(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        Place(2, 2, TotalReflector);
        GameState.hint = 1;
        GameState.shownPort = 2;
        GameState.gameStartTick = 1000;
        GameState.lastTick = 6000;
    }

    // Whether a paint of `invalid` drew the whole frame (the board's white lines show).
    static bool DrewWholeFrame(const QRect& invalid) {
        Offscreen.bufferDC.PatBlt(0, 0, kScreenWidth, kScreenHeight, RasterOp::Whiteness);
        Paint(invalid);
        return Count(QRect(0, 15, kScreenWidth, kScreenHeight - 15), kWhite) > 0;
    }
};

TEST_F(PaintClockTest, ATickRedrawsTheClockAndNothingBelowIt) {
    PaintAll();
    const QImage fullFrame = Screen();
    QImage screen = fullFrame;  // what the window shows
    const QImage clockBefore = screen.copy(kClockStrip);

    GameState.lastTick = 17000;
    const QRect tick(150, 0, 90, 15);
    Paint(tick);
    // The window copies the buffer only inside the invalid rectangle.
    {
        QPainter window(&screen);
        window.drawImage(tick, Offscreen.bufferDC.Image(), tick);
    }
    EXPECT_NE(screen.copy(kClockStrip), clockBefore) << "the clock shows the new time";
    EXPECT_GT(Count(kClockStrip, kRayGreen), 0);
    const QRect below(0, 15, kScreenWidth, kScreenHeight - 15);
    EXPECT_EQ(Count(below, kWhite), 0) << "the buffer holds no board below the clock strip";
    EXPECT_EQ(screen.copy(below), fullFrame.copy(below))
        << "the window keeps the last full frame below row 15";
}

TEST_F(PaintClockTest, ATickRefreshesNothingOfTheGameRecord) {
    PaintAll();
    GameState.playerLabels.fill(0x0F0F);
    GameState.rayPath[0] = Point32{-99, -99};
    GameState.remaining.fill(7);
    GameState.selectedItem = WormholeA;
    Paint(QRect(150, 0, 90, 15));
    EXPECT_EQ(GameState.playerLabels[0], 0x0F0F) << "the player's labels are not recomputed";
    EXPECT_EQ(GameState.rayPath[0], (Point32{-99, -99})) << "the shown ray is not traced";
    EXPECT_EQ(GameState.remaining[1], 7) << "the palette is not recounted";
    EXPECT_EQ(GameState.selectedItem, WormholeA);
}

TEST_F(PaintClockTest, OnlyRequestsEndingAtRow15OrAboveAreClockOnly) {
    EXPECT_FALSE(DrewWholeFrame(QRect(150, 0, 90, 15))) << "rows 0 to 14";
    EXPECT_FALSE(DrewWholeFrame(QRect(0, 0, 240, 15))) << "the whole width of rows 0 to 14";
    EXPECT_FALSE(DrewWholeFrame(QRect())) << "an empty request";
    EXPECT_FALSE(DrewWholeFrame(QRect(0, 200, 0, 0))) << "an empty request low on the screen";
    EXPECT_TRUE(DrewWholeFrame(QRect(150, 0, 90, 16))) << "rows 0 to 15";
    EXPECT_TRUE(DrewWholeFrame(QRect(100, 100, 10, 10))) << "a small area of the board";
}

TEST_F(PaintClockTest, NothingIsDrawnBeforeTheBufferExists) {
    DestroyOffscreenBuffer();
    GameState.remaining.fill(7);
    PaintAll();
    EXPECT_TRUE(Offscreen.bufferDC.Image().isNull());
    EXPECT_EQ(GameState.remaining[1], 7) << "not even the palette is recounted";
    CreateOffscreenBuffer(kScreenWidth, kScreenHeight);
}

}  // namespace
