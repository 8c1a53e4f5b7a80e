// The end of a game in the message band: the exact-solution banner, the accepted-solution banner, or
// the number of misplaced items, in the player's language.
#include "render/paint_fixture.h"

namespace {

struct Banner {
    int number;
    QRect source;  // the rows of the language's half
    QPoint at;     // top-left corner on the screen
    QRgb colour;   // the words' colour
};

// The exact banner is centred on (132, 30): 65 x 13 at (100, 24). The accepted one: 156 wide at (54, 21).
const Banner kPerfectEnglish{121, QRect(0, 13, 65, 13), QPoint(100, 24), rgb(0, 255, 0)};
const Banner kPerfectFrench{121, QRect(0, 0, 65, 13), QPoint(100, 24), rgb(0, 255, 0)};
const Banner kAcceptedEnglish{123, QRect(0, 19, 156, 17), QPoint(54, 21), rgb(128, 255, 255)};
const Banner kAcceptedFrench{123, QRect(0, 0, 156, 18), QPoint(54, 21), rgb(128, 255, 255)};

class PaintResultTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        StartGame(5, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
        GameState.gamePhase = Finished;
    }

    void Finish(int langue, int mismatches, int misplaced) {
        GameState.langue = langue;
        GameState.mismatchCount = mismatches;
        GameState.moveCount = misplaced;
        PaintAll();
    }

    // The message band as it must look with the banner's words (its 1-bits) in their colour and
    // everything else black.
    static QImage BandWith(const Banner& banner) {
        QImage expected(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
        expected.fill(kBlack);
        const QImage bits = LoadBitmapW(banner.number);
        for (int y = 0; y < banner.source.height(); ++y) {
            for (int x = 0; x < banner.source.width(); ++x) {
                if (bits.pixelIndex(banner.source.x() + x, banner.source.y() + y) == 1) {
                    expected.setPixel(banner.at.x() + x, banner.at.y() + y, banner.colour);
                }
            }
        }
        return expected;
    }

    static QImage BandWithText(const char* text) {
        return Reference(QString::fromUtf8(text), kMessageBand, DT_CENTER, kBlack, kPink);
    }
};

TEST_F(PaintResultTest, TheExactSolutionShowsTheGreenBannerInEnglish) {
    Finish(0, 0, 0);
    EXPECT_TRUE(SameInside(BandWith(kPerfectEnglish), kMessageBand));
    EXPECT_GT(Count(kMessageBand, kPerfectEnglish.colour), 0);
}

TEST_F(PaintResultTest, TheExactSolutionShowsTheGreenBannerInFrench) {
    Finish(1, 0, 0);
    EXPECT_TRUE(SameInside(BandWith(kPerfectFrench), kMessageBand));
}

TEST_F(PaintResultTest, AnotherArrangementWithTheSameNumbersShowsTheAcceptedBannerInEnglish) {
    Finish(0, 0, 2);
    EXPECT_TRUE(SameInside(BandWith(kAcceptedEnglish), kMessageBand));
    EXPECT_GT(Count(kMessageBand, kAcceptedEnglish.colour), 0);
}

TEST_F(PaintResultTest, AnotherArrangementWithTheSameNumbersShowsTheAcceptedBannerInFrench) {
    Finish(1, 0, 2);
    EXPECT_TRUE(SameInside(BandWith(kAcceptedFrench), kMessageBand));
}

TEST_F(PaintResultTest, WrongNumbersShowTheMisplacedCountInTheSingular) {
    Finish(0, 3, 1);
    EXPECT_TRUE(SameInside(BandWithText(" 1 item not OK "), kMessageBand));
    Finish(1, 3, 1);
    EXPECT_TRUE(SameInside(BandWithText(" 1 élément mal placé "), kMessageBand));
}

TEST_F(PaintResultTest, WrongNumbersShowTheMisplacedCountInThePlural) {
    Finish(0, 2, 4);
    EXPECT_TRUE(SameInside(BandWithText(" 4 items not OK "), kMessageBand));
    Finish(1, 2, 4);
    EXPECT_TRUE(SameInside(BandWithText(" 4 éléments mal placés "), kMessageBand));
    Finish(0, 1, 0);
    EXPECT_TRUE(SameInside(BandWithText(" 0 items not OK "), kMessageBand)) << "none misplaced is plural too";
}

TEST_F(PaintResultTest, TheBannersLeaveTheBandBehindTheirWordsUntouched) {
    Finish(0, 0, 0);
    EXPECT_EQ(Count(kMessageBand, kPink), 0) << "no pink band behind a banner";
    Finish(0, 0, 1);
    EXPECT_EQ(Count(kMessageBand, kPink), 0);
}

}  // namespace
