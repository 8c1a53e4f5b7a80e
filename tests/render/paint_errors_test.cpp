// Internal errors met while painting: each tells the player once, freezes the game, and leaves out
// only what it could not draw.
#include "render/paint_fixture.h"

namespace {

// An 8 x 8 board whose ray from port 0 weaves through every row and column and back again: 198
// steps, more than the tracer allows.
const char* const kEndlessWeave[8] = {
    "./\\/\\/\\.",   //
    "\\......\\",    //
    "/....../",      //
    "\\......\\",    //
    "/....../",      //
    "\\......\\",    //
    "/....../",      //
    "\\/\\/\\/\\#",  //
};

class PaintErrorTest : public PaintTest {
  protected:
    void SetUp() override {
        PaintTest::SetUp();
        StartGame(8, {{0, 0, SlashMirror}, {3, 3, SlashMirror}, {1, 1, Absorber}});
    }

    void ExpectOneError(int number) {
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].text, QStringLiteral("Internal error %1 (Paint)").arg(number));
        EXPECT_EQ(asked[0].caption, QStringLiteral("Error"));
        EXPECT_EQ(asked[0].style, MB_OK);
        EXPECT_EQ(phaseWhenAsked[0], Broken) << "the game is frozen before the box shows";
        EXPECT_EQ(GameState.gamePhase, Broken);
    }

    // Whether port p's box is drawn: its inside left of the number takes a box colour.
    static bool BoxDrawn(int p) { return Pixel(PortCorner(p).x() + 2, PortCorner(p).y() + 10) != kBlack; }
    // Whether port p's box holds anything black inside its outline (its number).
    static bool NumberDrawn(int p) { return Count(PortBox(p).adjusted(1, 1, -1, -1), kBlack) > 0; }
    // The message band above the top port boxes, which start at row 43 on an 8 x 8 board.
    static bool BandEmpty() { return Count(QRect(25, 15, 215, 28), kBlack) == 215 * 28; }
    static bool LegendDrawn() { return Count(QRect(51, 249, 60, 17), kBlack) < 60 * 17; }
};

TEST_F(PaintErrorTest, AFrameWithoutErrorsDrawsBoxesNumbersAndLegend) {
    PaintAll();
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(GameState.gamePhase, Playing);
    EXPECT_TRUE(BoxDrawn(0));
    EXPECT_TRUE(NumberDrawn(0));
    EXPECT_TRUE(LegendDrawn());
}

TEST_F(PaintErrorTest, AnEndlessRayOnThePlayersBoardIsError20AndLeavesOutThePortBoxes) {
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const char c = kEndlessWeave[y][x];
            if (c != '.') Place(x, y, c == '/' ? SlashMirror : c == '\\' ? BackslashMirror : TotalReflector);
        }
    }
    GameState.hint = 1;
    PaintAll();
    ExpectOneError(20);
    for (int p = 0; p < 32; ++p) EXPECT_FALSE(BoxDrawn(p)) << "port " << p;
    EXPECT_TRUE(LegendDrawn()) << "the frame goes on with the legend";
}

TEST_F(PaintErrorTest, AMissingMarkBitmapIsError21AndLeavesOutBoxesAndMarks) {
    FailBitmap(131);
    PaintAll();
    ExpectOneError(21);
    for (int p = 0; p < 32; ++p) EXPECT_FALSE(BoxDrawn(p)) << "port " << p;
    EXPECT_TRUE(LegendDrawn());
}

TEST_F(PaintErrorTest, AMissingDigitStripIsError23AndLeavesOutTheNumbers) {
    FailBitmap(120);
    GameState.playerLabels = GameState.hiddenLabels;  // no marks either, whatever the phase
    PaintAll();
    ExpectOneError(23);
    for (int p = 0; p < 32; ++p) {
        EXPECT_TRUE(BoxDrawn(p)) << "port " << p;
        EXPECT_FALSE(NumberDrawn(p)) << "port " << p;
    }
}

TEST_F(PaintErrorTest, AMissingLegendIsError24) {
    FailBitmap(122);
    PaintAll();
    ExpectOneError(24);
    EXPECT_FALSE(LegendDrawn());
    EXPECT_EQ(Count(QRect(130, 249, 60, 17), kBlack), 60 * 17);
    EXPECT_TRUE(BoxDrawn(0));
}

TEST_F(PaintErrorTest, AMissingExactBannerIsError25) {
    FailBitmap(121);
    GameState.gamePhase = Finished;
    PaintAll();
    ExpectOneError(25);
    EXPECT_TRUE(BandEmpty());
}

TEST_F(PaintErrorTest, AMissingAcceptedBannerIsError26) {
    FailBitmap(123);
    GameState.gamePhase = Finished;
    GameState.moveCount = 2;
    PaintAll();
    ExpectOneError(26);
    EXPECT_TRUE(BandEmpty());
}

TEST_F(PaintErrorTest, AfterAnErrorTheFrameDrawsNoMessageOfTheOldPhase) {
    FailBitmap(131);
    GameState.gamePhase = Learning;
    PaintAll();
    ExpectOneError(21);
    EXPECT_EQ(Count(kMessageBand, kPink), 0) << "no learning text once broken";
}

TEST_F(PaintErrorTest, TheRepaintAfterAnErrorShowsOnlyThePanicTextAndAsksNothing) {
    FailBitmap(131);
    PaintAll();
    const QImage broken = Screen();
    PaintAll();
    EXPECT_EQ(asked.size(), 1u) << "the error is told once";
    const QImage expected =
        Reference(QStringLiteral("Panic, internal problem"), kMessageBand, DT_CENTER, kBlack, rgb(0, 255, 0));
    EXPECT_TRUE(SameInside(expected, kMessageBand));
    const QRect below(0, 45, kScreenWidth, kScreenHeight - 45);
    EXPECT_EQ(Screen().copy(below), broken.copy(below)) << "the rest keeps the broken frame";
}

}  // namespace
