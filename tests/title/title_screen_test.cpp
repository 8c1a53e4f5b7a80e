// The title screen's frames: nothing at first, then the set-up frame with the texts, the stars and the
// ring table, then the animated sky with the spreading ring and the flash.
#include "title/title_screen.h"

#include <QPainter>

#include "model/random.h"
#include "render/paint_fixture.h"
#include "title/title_ring.h"

namespace {

class TitleScreenTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        SetRandomSource([](void* self) { return static_cast<TitleScreenTest*>(self)->NextRandom(); }, this);
        SetTickSource([this] { return now; });
        GameState.titleStartTick = now;
    }
    void TearDown() override {
        SetRandomSource(nullptr, nullptr);
        SetTickSource({});
        SetBitmapLoadFails(127, false);
        PaintTest::TearDown();
    }
    uint32_t NextRandom() { return draws < script.size() ? script[draws++] : (++draws, 0u); }
    // Draws the frame of period t, with or without the star burst.
    QImage Frame(uint32_t t, bool flash = true) {
        SetBitmapLoadFails(127, !flash);
        now = GameState.titleStartTick + 60 * t;
        DrawTitleFrame();
        return Area(kScreen);
    }

    std::vector<uint32_t> script;
    size_t draws = 0;
    uint32_t now = 100000;
};

TEST_F(TitleScreenTest, FirstNothingThenTextsStarsAndRingThenTheSpreadingRingAndFlashUntilFrame2000) {
    script = {1000, 1000, 1000};  // star 0: x 1000 mod 240, y 80 + 1000 mod 100, brightness 1000 AND 255
    script.resize(297, 0);
    script.insert(script.end(), {239, 99, 255});
    Frame(0);
    EXPECT_EQ(Count(kScreen, kWhite), 240 * 268) << "frame 1 leaves the buffer as it was";
    Frame(0);
    EXPECT_EQ(draws, 300u) << "three draws per star";
    const Star first = GameState.starField[0], last = GameState.starField[99];
    EXPECT_TRUE(first.x == 40 && first.y == 80 && first.brightness == 232);
    EXPECT_TRUE(last.x == 239 && last.y == 179 && last.brightness == 255);
    EXPECT_DOUBLE_EQ(GameState.rippleTable[0].b, -100.0);
    EXPECT_NEAR(GameState.rippleTable[22].a, 699.57, 0.01) << "88 degrees";
    EXPECT_NEAR(GameState.rippleTable[45].b, 100.0, 1e-6) << "half way round, pi taken as 3.1415";
    EXPECT_NEAR(GameState.depthScale, 12.1212, 1e-4);
    // Black, no star yet: the credits' 0-bits purple at (25, 30), the title line and the web address.
    QImage expected =
        Text("Mirovane - lasers and mirrors", QRect(0, 210, 240, 30), rgb(100, 100, 255), kBlack);
    QImage credits = LoadBitmapW(124);
    credits.setColorTable({kPurple, kBlack});
    QPainter(&expected).drawImage(25, 30, credits);
    QPainter(&expected).drawImage(0, 240, Text("www.kestory.example", QRect(0, 240, 240, 30), kRay, kBlack),
                                  0, 240);
    EXPECT_EQ(Area(kScreen), expected);

    // The flash grows, shrinks, and from period 15 on flickers at 8 + Random AND 7.
    script.insert(script.end(), {7, 13});
    std::vector<int> flash;
    for (uint32_t t : {2u, 3u, 5u, 14u, 15u, 900u}) flash.push_back(FlashHalfSize(t));
    EXPECT_EQ(flash, std::vector({0, 30, 60, 15, 15, 13}));
    EXPECT_EQ(ProjectPlanePoint(0, 0), QPoint(85, 114)) << "z = 0 lies on the ripple centre's row";
    EXPECT_EQ(ProjectPlanePoint(0, 19999), QPoint(68, 177)) << "the bottom edge, tilted about the centre";
    EXPECT_EQ(ProjectPlanePoint(20000, 0), QPoint(91, 113));
    RingPoints outer, inner;
    QPoint corners[kMaxBandCorners];
    ProjectRing(170, outer, inner);
    EXPECT_TRUE(outer[22] == QPoint(115, 106) && inner[22] == QPoint(114, 106)) << "88 degrees, s and s - 6";
    EXPECT_EQ(BandCorners(170, outer, inner, corners), 178);
    EXPECT_TRUE(corners[88] == outer[88] && corners[89] == inner[89] && corners[177] == inner[1]);
    ProjectRing(245, outer, inner);
    EXPECT_EQ(BandCorners(245, outer, inner, corners), 30) << "cut = 37";
    EXPECT_TRUE(corners[0] == outer[37] && corners[15] == inner[52] && corners[29] == inner[38]);

    // The ring shows from size 15 to below 250, in a pen that darkens from 150.
    EXPECT_EQ(std::vector({RingPenColour(150), RingPenColour(200), RingPenColour(245)}),
              std::vector({rgb(150, 30, 190), rgb(75, 15, 95), rgb(51, 10, 65)}));
    const QImage sky = Frame(2, false);
    EXPECT_EQ(Count(kScreen, RingPenColour(10)), 0) << "s = 10: no ring";
    for (uint32_t t : {3u, 30u, 40u, 45u}) {
        Frame(t, false);
        EXPECT_GT(Count(QRect(0, 80, 240, 100), RingPenColour(5 * static_cast<int>(t))), 0)
            << "s = " << 5 * t;
    }
    EXPECT_EQ(Frame(50, false), sky) << "s = 250: nothing but the sky";
    GameState.titleFrame = 2000;
    EXPECT_EQ(Frame(30), sky) << "no frame after frame 2000";
}

}  // namespace
