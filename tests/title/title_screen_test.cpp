// The title screen's frames: nothing at first, then the set-up frame with the texts, the stars and the
// ring table, then the animated sky with the spreading ring and the flash.
#include "title/title_screen.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "model/game_state.h"
#include "model/random.h"
#include "platform/services.h"
#include "render/offscreen.h"
#include "title/title_ring.h"

namespace {

constexpr QRgb kBlack = rgb(0, 0, 0);

class TitleScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GameState = GameRecord{};
        CreateOffscreenBuffer(240, 268);
        SetRandomSource([](void* self) { return static_cast<TitleScreenTest*>(self)->NextRandom(); }, this);
        SetTickSource([this] { return now; });
        GameState.titleStartTick = now;
    }
    void TearDown() override {
        SetRandomSource(nullptr, nullptr);
        SetTickSource({});
        SetBitmapLoadFails(127, false);
    }
    uint32_t NextRandom() { return draws < script.size() ? script[draws++] : (++draws, 0u); }

    // Draws the frame of period t, with or without the star burst.
    QImage Frame(uint32_t t, bool flash = true) {
        SetBitmapLoadFails(127, !flash);
        now = GameState.titleStartTick + 60 * t;
        DrawTitleFrame();
        return Offscreen.bufferDC.Image().copy();
    }
    static int Count(const QRect& area, QRgb colour) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += Offscreen.bufferDC.Image().pixel(x, y) == colour;
        }
        return count;
    }

    std::vector<uint32_t> script;
    size_t draws = 0;
    uint32_t now = 100000;
};

TEST_F(TitleScreenTest, TheFirstFrameDrawsNothingAndTheSecondSetsUpTextsStarsAndRing) {
    script = {1000, 1000, 1000};  // star 0: x 1000 mod 240, y 80 + 1000 mod 100, brightness 1000 AND 255
    script.resize(297, 0);
    script.insert(script.end(), {239, 99, 255});
    Frame(0);
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), rgb(255, 255, 255)), 240 * 268)
        << "frame 1 leaves the buffer white";
    Frame(0);
    EXPECT_EQ(draws, 300u) << "three draws per star";
    EXPECT_EQ(GameState.starField[0].x, 40);
    EXPECT_EQ(GameState.starField[0].y, 80);
    EXPECT_EQ(GameState.starField[0].brightness, 232);
    EXPECT_EQ(GameState.starField[99].x, 239);
    EXPECT_EQ(GameState.starField[99].y, 179);
    EXPECT_EQ(Count(QRect(0, 80, 240, 100), kBlack), 240 * 100) << "no star yet";
    EXPECT_DOUBLE_EQ(GameState.rippleTable[0].b, -100.0);
    EXPECT_NEAR(GameState.rippleTable[22].a, 699.57, 0.01) << "88 degrees";
    EXPECT_NEAR(GameState.rippleTable[45].b, 100.0, 1e-6) << "half way round, pi taken as 3.1415";
    EXPECT_NEAR(GameState.depthScale, 12.1212, 1e-4);

    const QImage credits = LoadBitmapW(124);
    int wrong = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 194; ++x) {
            const QRgb expected = credits.pixelIndex(x, y) == 0 ? rgb(128, 0, 128) : kBlack;
            wrong += Offscreen.bufferDC.Image().pixel(25 + x, 30 + y) != expected;
        }
    }
    EXPECT_EQ(wrong, 0) << "the credits at (25, 30): 0-bits purple, 1-bits black";
    for (const auto& [text, rect, colour] :
         {std::tuple{"Mirovane - lasers and mirrors", QRect(0, 210, 240, 30), rgb(100, 100, 255)},
          std::tuple{"www.kestory.example", QRect(0, 240, 240, 28), rgb(0, 255, 0)}}) {
        DeviceContext dc;
        dc.SelectBitmap(QImage(240, 268, QImage::Format_RGB32));
        dc.PatBlt(0, 0, 240, 268, RasterOp::Blackness);
        dc.SetTextColor(colour);
        dc.SetBkColor(kBlack);
        dc.DrawTextW(QString::fromUtf8(text), rect, DT_CENTER);
        EXPECT_EQ(Offscreen.bufferDC.Image().copy(rect), dc.Image().copy(rect)) << text;
        EXPECT_GT(Count(rect, colour), 0) << text;
    }
}

TEST_F(TitleScreenTest, LaterFramesDrawEachStarAsAPlusOfFivePixels) {
    script = {50, 20, 255};  // star 0 at (50, 100), brightness 255; the others dark at (0, 80)
    Frame(0);
    Frame(0);
    const QImage sky = Frame(1);
    EXPECT_EQ(sky.pixel(50, 100), rgb(151, 147, 167));
    EXPECT_EQ(sky.pixel(49, 100), rgb(103, 101, 119));
    EXPECT_EQ(sky.pixel(50, 99), rgb(101, 91, 117));
    EXPECT_EQ(sky.pixel(50, 101), rgb(49, 41, 61));
    EXPECT_EQ(sky.pixel(51, 100), rgb(57, 55, 73));
    EXPECT_EQ(Count(QRect(0, 200, 240, 68), kBlack), 240 * 68) << "the buffer is black again, texts included";
}

TEST_F(TitleScreenTest, TheRingShowsFromSize15ToBelow250InAPenThatDarkensFrom150) {
    EXPECT_EQ(RingPenColour(150), rgb(150, 30, 190));
    EXPECT_EQ(RingPenColour(200), rgb(75, 15, 95));
    EXPECT_EQ(RingPenColour(245), rgb(51, 10, 65));
    Frame(0);
    Frame(0);
    const QImage sky = Frame(2, false);
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), RingPenColour(10)), 0) << "s = 10: no ring";
    for (uint32_t t : {3u, 30u, 40u, 45u}) {
        Frame(t, false);
        EXPECT_GT(Count(QRect(0, 80, 240, 100), RingPenColour(5 * static_cast<int>(t))), 0)
            << "s = " << 5 * t;
    }
    EXPECT_EQ(Frame(50, false), sky) << "s = 250: nothing but the sky";
}

TEST_F(TitleScreenTest, TheProjectionAndTheBandsCorners) {
    Frame(0);
    Frame(0);
    EXPECT_EQ(ProjectPlanePoint(0, 0), QPoint(85, 114)) << "z = 0 lies on the ripple centre's row";
    EXPECT_EQ(ProjectPlanePoint(0, 19999), QPoint(68, 177)) << "the bottom edge, tilted about the centre";
    EXPECT_EQ(ProjectPlanePoint(20000, 0), QPoint(91, 113));
    RingPoints outer, inner;
    QPoint corners[kMaxBandCorners];
    ProjectRing(170, outer, inner);
    EXPECT_EQ(outer[0], ProjectPlanePoint(0, -17000));
    EXPECT_EQ(inner[0], ProjectPlanePoint(0, -16400));
    ASSERT_EQ(BandCorners(170, outer, inner, corners), 178);
    EXPECT_EQ(corners[88], outer[88]);
    EXPECT_EQ(corners[89], inner[89]) << "then the inner edge backwards";
    EXPECT_EQ(corners[177], inner[1]);
    ProjectRing(245, outer, inner);
    ASSERT_EQ(BandCorners(245, outer, inner, corners), 30) << "cut = 37";
    EXPECT_EQ(corners[0], outer[37]);
    EXPECT_EQ(corners[15], inner[52]);
    EXPECT_EQ(corners[29], inner[38]);
}

TEST_F(TitleScreenTest, TheFlashGrowsShrinksAndFlickersOnASquareAroundTheRippleCentre) {
    EXPECT_EQ(FlashHalfSize(2), 0);
    EXPECT_EQ(FlashHalfSize(3), 30);
    EXPECT_EQ(FlashHalfSize(5), 60);
    EXPECT_EQ(FlashHalfSize(14), 15);
    EXPECT_EQ(draws, 0u);
    script = {7, 13};
    EXPECT_EQ(FlashHalfSize(15), 15);
    EXPECT_EQ(FlashHalfSize(900), 13);
    Frame(0);
    Frame(0);
    for (uint32_t t : {2u, 4u, 14u}) {
        const QImage dark = Frame(t, false), lit = Frame(t);
        const int h = FlashHalfSize(t);
        QRect changed;
        for (int y = 0; y < 268; ++y) {
            for (int x = 0; x < 240; ++x)
                changed |= dark.pixel(x, y) != lit.pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
        }
        EXPECT_EQ(changed.isEmpty(), h == 0) << "t = " << t;
        EXPECT_TRUE(QRect(85 - h, 114 - h, 2 * h, 2 * h).contains(changed) || h == 0) << "t = " << t;
    }
    GameState.titleFrame = 2000;
    Offscreen.bufferDC.PatBlt(0, 0, 240, 268, RasterOp::Whiteness);
    Frame(30);
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), rgb(255, 255, 255)), 240 * 268) << "no frame after frame 2000";
}

}  // namespace
