// The title screen's frames: nothing at first, then the set-up frame with the texts, the stars and the
// ring table, then the animated sky with the spreading ring and the flash.
#include "core/title/title_screen.h"

#include "core/title/title_ring.h"
#include "model/random.h"
#include "support/canvas.h"
#include "support/stand_in.h"

namespace {

constexpr Rect32 kScreen{0, 0, kGameWidth, kGameHeight};

class TitleScreenTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        SetRandomSource([](void* self) { return static_cast<TitleScreenTest*>(self)->NextRandom(); }, this);
        standIn.now = 100000;
        GameState.titleStartTick = standIn.now;
        Offscreen.bufferDC.Image().fill(kWhite);
    }
    uint32_t NextRandom() { return draws < script.size() ? script[draws++] : (++draws, 0u); }
    // Draws the frame of period t, with or without the star burst, and keeps a copy.
    static Bitmap Frame(uint32_t t, bool flash = true) {
        standIn.failingBitmaps = flash ? std::set<int>{} : std::set<int>{127};
        standIn.now = GameState.titleStartTick + 60 * t;
        DrawTitleFrame();
        return Screen().copy(0, 0, kGameWidth, kGameHeight);
    }
    // The title line, the credits and the web address on black, without the stars.
    static Bitmap Texts(std::u16string_view line) {
        Bitmap texts = TextPicture(line, Rect32{0, 210, 240, 240}, rgb(100, 100, 255), kBlack);
        const Bitmap credits = Coloured(LoadBitmapW(124), kPurple, kBlack);
        for (int i = 0; i < credits.width() * credits.height(); ++i)
            texts.setPixel(25 + i % credits.width(), 30 + i / credits.width(),
                           credits.pixel(i % credits.width(), i / credits.width()));
        DeviceContext dc;
        dc.SelectBitmap(texts);
        dc.SetTextColor(kGreen);
        dc.SetBkColor(kBlack);
        dc.DrawTextW(u"www.kestory.example", Rect32{0, 240, 240, 270}, DT_CENTER);
        return dc.Image();
    }

    std::vector<uint32_t> script;
    size_t draws = 0;
};

TEST_F(TitleScreenTest, FirstNothingThenTextsStarsAndRingThenTheSpreadingRingAndFlashUntilFrame2000) {
    // The stars, the ring and the flash of a seeded sky are in the title pictures of docs/screenshots.
    Frame(0);
    EXPECT_EQ(CountOnScreen(kScreen, kWhite), 240 * 268) << "frame 1 leaves the buffer as it was";
    Frame(0);
    EXPECT_EQ(draws, 300u) << "three draws per star";
    // Black, no star yet: the credits' 0-bits purple at (25, 30), the title line and the web address.
    EXPECT_TRUE(ScreenShows(Texts(u"Mirovane - lasers and mirrors"), kScreen));

    // The flash grows, shrinks, and from period 15 on flickers at 8 + Random AND 7.
    script.resize(draws);
    script.insert(script.end(), {7, 13});
    std::vector<int> flash;
    for (uint32_t t : {2u, 3u, 5u, 14u, 15u, 900u}) flash.push_back(FlashHalfSize(t));
    EXPECT_EQ(flash, std::vector({0, 30, 60, 15, 15, 13}));

    // The ring shows from size 15 to below 250.
    const Bitmap sky = Frame(2, false);
    EXPECT_EQ(CountOnScreen(kScreen, RingPenColour(10)), 0) << "s = 10: no ring";
    for (uint32_t t : {3u, 30u, 40u, 45u}) {
        Frame(t, false);
        EXPECT_GT(CountOnScreen(Rect32{0, 80, 240, 180}, RingPenColour(5 * static_cast<int>(t))), 0)
            << "s = " << 5 * t;
    }
    Frame(3);
    EXPECT_TRUE(Offscreen.sourceDC.Image().isNull()) << "the star burst is put back after the flash";
    const auto changed = [&sky](const Bitmap& frame) {  // the pixels a frame changed in the sky
        int count = 0;
        for (int i = 0; i < 240 * 268; ++i)
            count += frame.pixel(i % 240, i / 240) != sky.pixel(i % 240, i / 240);
        return count;
    };
    EXPECT_GT(changed(Frame(34, false)), 2 * changed(Frame(33, false)))
        << "s = 170: the ring's outline becomes a band of water";
    Frame(50, false);
    EXPECT_TRUE(ScreenShows(sky, kScreen)) << "s = 250: nothing but the sky";
    GameState.titleFrame = 2000;
    Frame(30);
    EXPECT_TRUE(ScreenShows(sky, kScreen)) << "no frame after frame 2000";
}

TEST_F(TitleScreenTest, AFrenchPlayerReadsTheTitleLineInFrench) {
    GameState.langue = 1;
    Frame(0);
    Frame(0);
    EXPECT_TRUE(ScreenShows(Texts(u"Mirovane - lasers et miroirs"), Rect32{0, 210, 240, 240}));
}

}  // namespace
