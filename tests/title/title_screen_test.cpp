// The title screen's frames: nothing at first, then the set-up frame with the texts, the stars and the
// ring table, then the animated sky with the spreading ring and the flash.
#include "core/title/title_screen.h"

#include <QPainter>

#include "model/random.h"
#include "render/paint_fixture.h"
#include "core/title/title_ring.h"

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
    // The stars, the ring and the flash of a seeded sky are in the title pictures of docs/screenshots.
    Frame(0);
    EXPECT_EQ(Count(kScreen, kWhite), 240 * 268) << "frame 1 leaves the buffer as it was";
    Frame(0);
    EXPECT_EQ(draws, 300u) << "three draws per star";
    // Black, no star yet: the credits' 0-bits purple at (25, 30), the title line and the web address.
    QImage expected =
        Text("Mirovane - lasers and mirrors", QRect(0, 210, 240, 30), rgb(100, 100, 255), kBlack);
    QPainter(&expected).drawImage(25, 30, ImageView(Coloured(LoadBitmapW(124), kPurple, kBlack)));
    QPainter(&expected).drawImage(0, 240, Text("www.kestory.example", QRect(0, 240, 240, 30), kRay, kBlack),
                                  0, 240);
    EXPECT_EQ(Area(kScreen), expected);

    // The flash grows, shrinks, and from period 15 on flickers at 8 + Random AND 7.
    script.resize(draws);
    script.insert(script.end(), {7, 13});
    std::vector<int> flash;
    for (uint32_t t : {2u, 3u, 5u, 14u, 15u, 900u}) flash.push_back(FlashHalfSize(t));
    EXPECT_EQ(flash, std::vector({0, 30, 60, 15, 15, 13}));

    // The ring shows from size 15 to below 250.
    const QImage sky = Frame(2, false);
    EXPECT_EQ(Count(kScreen, RingPenColour(10)), 0) << "s = 10: no ring";
    for (uint32_t t : {3u, 30u, 40u, 45u}) {
        Frame(t, false);
        EXPECT_GT(Count(QRect(0, 80, 240, 100), RingPenColour(5 * static_cast<int>(t))), 0)
            << "s = " << 5 * t;
    }
    Frame(3);
    EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "the star burst is put back after the flash";
    const auto changed = [&sky](const QImage& frame) {  // the pixels a frame changed in the sky
        int count = 0;
        for (int i = 0; i < 240 * 268; ++i)
            count += frame.pixel(i % 240, i / 240) != sky.pixel(i % 240, i / 240);
        return count;
    };
    EXPECT_GT(changed(Frame(34, false)), 2 * changed(Frame(33, false)))
        << "s = 170: the ring's outline becomes a band of water";
    EXPECT_EQ(Frame(50, false), sky) << "s = 250: nothing but the sky";
    GameState.titleFrame = 2000;
    EXPECT_EQ(Frame(30), sky) << "no frame after frame 2000";
}

TEST_F(TitleScreenTest, AFrenchPlayerReadsTheTitleLineInFrench) {
    GameState.langue = 1;
    Frame(0);
    Frame(0);
    const QRect line(0, 210, 240, 30);
    EXPECT_EQ(Area(line), Text("Mirovane - lasers et miroirs", line, rgb(100, 100, 255), kBlack).copy(line));
}

}  // namespace
