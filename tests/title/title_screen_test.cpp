// The title screen's frames: nothing at first, then the set-up frame with the texts, the stars and the
// ring table, then the animated sky with the spreading ring and the flash.
#include "title/title_screen.h"

#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "model/game_state.h"
#include "model/random.h"
#include "platform/drawing.h"
#include "platform/services.h"
#include "render/offscreen.h"
#include "render/paint.h"
#include "title/title_ring.h"

namespace {

constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr uint32_t kStart = 100000;

// Random values handed out in order, then `after` for ever; counts the draws.
struct ScriptedRandom {
    std::vector<uint32_t> values;
    uint32_t after = 0;
    size_t draws = 0;

    static uint32_t Draw(void* context) {
        auto* self = static_cast<ScriptedRandom*>(context);
        const size_t index = self->draws++;
        return index < self->values.size() ? self->values[index] : self->after;
    }
};

class TitleScreenTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GameState = GameRecord{};
        CreateOffscreenBuffer(240, 268);
        SetRandomSource(&ScriptedRandom::Draw, &random);
        SetTickSource([this] { return now; });
        GameState.titleStartTick = kStart;
        now = kStart;
    }

    void TearDown() override {
        SetRandomSource(nullptr, nullptr);
        SetTickSource({});
        SetBitmapLoadFails(127, false);
        DestroyOffscreenBuffer();
    }

    // Runs the first two frames, then sets the clock to period t.
    void SetUpFrames(uint32_t t) {
        DrawTitleFrame();
        DrawTitleFrame();
        now = kStart + 60 * t;
    }

    // Draws the frame of period t (after the set-up frames) with the star burst left out.
    QImage FrameWithoutFlash(uint32_t t) {
        SetBitmapLoadFails(127, true);
        now = kStart + 60 * t;
        DrawTitleFrame();
        SetBitmapLoadFails(127, false);
        return Screen();
    }

    static QImage Screen() { return Offscreen.bufferDC.Image().copy(); }
    static QRgb Pixel(int x, int y) { return Offscreen.bufferDC.Image().pixel(x, y); }
    static int Count(const QRect& area, QRgb colour) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) count += Pixel(x, y) == colour ? 1 : 0;
        }
        return count;
    }
    // The smallest rectangle holding every pixel where the two images differ.
    static QRect Difference(const QImage& a, const QImage& b) {
        QRect changed;
        for (int y = 0; y < a.height(); ++y) {
            for (int x = 0; x < a.width(); ++x) {
                if (a.pixel(x, y) != b.pixel(x, y)) changed |= QRect(x, y, 1, 1);
            }
        }
        return changed;
    }

    ScriptedRandom random;
    uint32_t now = 0;
};

TEST_F(TitleScreenTest, TheFirstFrameDrawsNothing) {
    DrawTitleFrame();
    EXPECT_EQ(GameState.titleFrame, 1);
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), rgb(255, 255, 255)), 240 * 268) << "the buffer stays as it was";
    EXPECT_EQ(random.draws, 0u);
}

TEST_F(TitleScreenTest, ThePaintOfTheWindowHandsOverToTheTitleScreen) {
    Paint(QRect(0, 0, 240, 268));
    Paint(QRect(0, 0, 240, 268));
    EXPECT_EQ(GameState.titleFrame, 2);
    EXPECT_EQ(Pixel(0, 0), kBlack) << "the set-up frame, not the game screen";
}

TEST_F(TitleScreenTest, TheSetUpFrameDrawsTheCreditsInPurpleOnBlack) {
    SetUpFrames(0);
    const QImage credits = LoadBitmapW(124);
    ASSERT_FALSE(credits.isNull());
    int wrong = 0;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 194; ++x) {
            const QRgb expected = credits.pixelIndex(x, y) == 0 ? rgb(128, 0, 128) : kBlack;
            wrong += Pixel(25 + x, 30 + y) == expected ? 0 : 1;
        }
    }
    EXPECT_EQ(wrong, 0) << "0-bits purple, 1-bits black, from (25, 30)";
    EXPECT_GT(Count(QRect(25, 30, 194, 18), rgb(128, 0, 128)), 0);
}

TEST_F(TitleScreenTest, TheSetUpFrameWritesTheTitleLineAndTheWebAddressCentred) {
    SetUpFrames(0);
    const auto reference = [](const char* text, const QRect& rect, QRgb colour) {
        DeviceContext dc;
        dc.SelectBitmap(QImage(240, 268, QImage::Format_RGB32));
        dc.PatBlt(0, 0, 240, 268, RasterOp::Blackness);
        dc.SetTextColor(colour);
        dc.SetBkColor(kBlack);
        dc.DrawTextW(QString::fromUtf8(text), rect, DT_CENTER);
        return dc.Image();
    };
    const QImage title =
        reference("Mirovane - lasers and mirrors", QRect(0, 210, 240, 30), rgb(100, 100, 255));
    const QImage address = reference("www.kestory.example", QRect(0, 240, 240, 30), rgb(0, 255, 0));
    EXPECT_EQ(Screen().copy(0, 210, 240, 30), title.copy(0, 210, 240, 30));
    EXPECT_EQ(Screen().copy(0, 240, 240, 28), address.copy(0, 240, 240, 28));
    EXPECT_GT(Count(QRect(0, 210, 240, 30), rgb(100, 100, 255)), 0);
    EXPECT_GT(Count(QRect(0, 240, 240, 28), rgb(0, 255, 0)), 0);
}

TEST_F(TitleScreenTest, TheSetUpFrameScattersTheStarsOverTheAnimationWithThreeDrawsEach) {
    random.values = {1000, 1000,
                     1000};  // star 0: x 1000 mod 240, y 80 + 1000 mod 100, brightness 1000 AND 255
    for (int i = 3; i < 297; ++i) random.values.push_back(0);
    random.values.insert(random.values.end(), {239, 99, 255});  // star 99
    SetUpFrames(0);
    EXPECT_EQ(random.draws, 300u);
    const Star& first = GameState.starField[0];
    EXPECT_EQ(first.x, 40);
    EXPECT_EQ(first.y, 80);
    EXPECT_EQ(first.brightness, 232);
    const Star& last = GameState.starField[99];
    EXPECT_EQ(last.x, 239);
    EXPECT_EQ(last.y, 179);
    EXPECT_EQ(last.brightness, 255);
    EXPECT_EQ(Count(QRect(0, 80, 240, 100), kBlack), 240 * 100) << "no star is drawn in the set-up frame";
}

TEST_F(TitleScreenTest, TheSetUpFrameBuildsTheRingTableAndTheDepthScale) {
    SetUpFrames(0);
    EXPECT_DOUBLE_EQ(GameState.rippleTable[0].a, 0.0);
    EXPECT_DOUBLE_EQ(GameState.rippleTable[0].b, -100.0);
    EXPECT_NEAR(GameState.rippleTable[45].a, 0.0, 0.1) << "half way round: pi taken as 3.1415";
    EXPECT_NEAR(GameState.rippleTable[45].b, 100.0, 1e-6);
    EXPECT_NEAR(GameState.rippleTable[22].a, 700.0 * 0.99939, 0.01) << "88 degrees";
    EXPECT_NEAR(GameState.depthScale, 12.1212, 1e-4);
}

TEST_F(TitleScreenTest, LaterFramesDrawEachStarAsAPlusOfFivePixels) {
    random.values = {50, 20, 255};  // star 0 at (50, 100), brightness 255; the others dark at (0, 80)
    SetUpFrames(1);
    DrawTitleFrame();
    EXPECT_EQ(Pixel(50, 100), rgb(151, 147, 167));
    EXPECT_EQ(Pixel(49, 100), rgb(103, 101, 119));
    EXPECT_EQ(Pixel(50, 99), rgb(101, 91, 117));
    EXPECT_EQ(Pixel(50, 101), rgb(49, 41, 61));
    EXPECT_EQ(Pixel(51, 100), rgb(57, 55, 73));
    EXPECT_EQ(Pixel(51, 101), kBlack);
    EXPECT_EQ(Count(QRect(0, 200, 240, 68), kBlack), 240 * 68) << "the buffer is refilled black each frame";
}

TEST_F(TitleScreenTest, TheRingAppearsAtSize15AndIsGoneAtSize250) {
    SetUpFrames(0);
    const QImage sky = FrameWithoutFlash(2);
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), RingPenColour(15)), 0) << "t = 2, s = 10: no ring";
    FrameWithoutFlash(3);
    EXPECT_GT(Count(QRect(0, 80, 240, 100), RingPenColour(15)), 0) << "t = 3, s = 15: the ring";
    EXPECT_NE(FrameWithoutFlash(40), sky) << "t = 40, s = 200: the band";
    EXPECT_EQ(FrameWithoutFlash(50), sky) << "t = 50, s = 250: nothing but the sky";
}

TEST_F(TitleScreenTest, TheRingsPenDarkensFromSize150On) {
    EXPECT_EQ(RingPenColour(15), rgb(150, 30, 190));
    EXPECT_EQ(RingPenColour(225), rgb(60, 12, 76));
    EXPECT_EQ(RingPenColour(150), rgb(150, 30, 190));
    EXPECT_EQ(RingPenColour(200), rgb(75, 15, 95));
    EXPECT_EQ(RingPenColour(245), rgb(51, 10, 65));

    SetUpFrames(0);
    for (uint32_t t : {30u, 40u, 45u}) {
        FrameWithoutFlash(t);
        const int s = 5 * static_cast<int>(t);
        EXPECT_GT(Count(QRect(0, 80, 240, 100), RingPenColour(s)), 0) << "the ring's outline at s = " << s;
    }
}

TEST_F(TitleScreenTest, TheProjectionPutsTheNearPlaneOnTheRippleCentreAndTheBottomEdge) {
    SetUpFrames(0);
    EXPECT_EQ(ProjectPlanePoint(0, 0), QPoint(85, 114)) << "z = 0 lies on the ripple centre's row";
    EXPECT_EQ(ProjectPlanePoint(0, 19999), QPoint(68, 177)) << "the bottom edge, tilted about the centre";
    EXPECT_EQ(ProjectPlanePoint(20000, 0), QPoint(91, 113));
    EXPECT_EQ(ProjectPlanePoint(0, -100000000), QPoint(86, 111)) << "far away: the horizon, tilted";
}

TEST_F(TitleScreenTest, TheBandHas178CornersAtSize170And30AtSize245) {
    SetUpFrames(0);
    RingPoints outer;
    RingPoints inner;
    QPoint corners[kMaxBandCorners];

    ProjectRing(170, outer, inner);
    ASSERT_EQ(BandCorners(170, outer, inner, corners), 178);
    EXPECT_EQ(corners[0], outer[0]);
    EXPECT_EQ(corners[88], outer[88]);
    EXPECT_EQ(corners[89], inner[89]) << "then the inner edge backwards";
    EXPECT_EQ(corners[177], inner[1]);

    ProjectRing(245, outer, inner);
    ASSERT_EQ(BandCorners(245, outer, inner, corners), 30) << "cut = 37";
    EXPECT_EQ(corners[0], outer[37]);
    EXPECT_EQ(corners[14], outer[51]);
    EXPECT_EQ(corners[15], inner[52]);
    EXPECT_EQ(corners[29], inner[38]);
}

TEST_F(TitleScreenTest, TheRingsEdgesAreTheUnitRingScaledBySAndSMinus6) {
    SetUpFrames(0);
    RingPoints outer;
    RingPoints inner;
    ProjectRing(100, outer, inner);
    EXPECT_EQ(outer[0], ProjectPlanePoint(0, -10000));
    EXPECT_EQ(inner[0], ProjectPlanePoint(0, -9400));
}

TEST_F(TitleScreenTest, TheFlashGrowsShrinksAndThenFlickers) {
    EXPECT_EQ(FlashHalfSize(0), 0);
    EXPECT_EQ(FlashHalfSize(2), 0);
    EXPECT_EQ(FlashHalfSize(3), 30);
    EXPECT_EQ(FlashHalfSize(4), 60);
    EXPECT_EQ(FlashHalfSize(5), 60);
    EXPECT_EQ(FlashHalfSize(14), 15);
    EXPECT_EQ(random.draws, 0u);
    random.values = {0, 7, 13};
    EXPECT_EQ(FlashHalfSize(15), 8);
    EXPECT_EQ(FlashHalfSize(40), 15);
    EXPECT_EQ(FlashHalfSize(1000), 13);
}

TEST_F(TitleScreenTest, TheFlashIsTheStarBurstOnASquareAroundTheRippleCentre) {
    SetUpFrames(0);
    for (uint32_t t : {4u, 14u}) {
        const QImage dark = FrameWithoutFlash(t);
        now = kStart + 60 * t;
        DrawTitleFrame();
        const int h = FlashHalfSize(t);
        const QRect changed = Difference(dark, Screen());
        EXPECT_FALSE(changed.isEmpty()) << "t = " << t;
        EXPECT_TRUE(QRect(85 - h, 114 - h, 2 * h, 2 * h).contains(changed)) << "t = " << t;
    }
    const QImage dark = FrameWithoutFlash(2);
    now = kStart + 120;
    DrawTitleFrame();
    EXPECT_EQ(Screen(), dark) << "no flash before t = 3";
}

TEST_F(TitleScreenTest, NoFrameIsDrawnAfterFrame2000) {
    SetUpFrames(30);
    GameState.titleFrame = 2000;
    Offscreen.bufferDC.PatBlt(0, 0, 240, 268, RasterOp::Whiteness);
    DrawTitleFrame();
    EXPECT_EQ(Count(QRect(0, 0, 240, 268), rgb(255, 255, 255)), 240 * 268);
}

}  // namespace
