// Where a full frame puts the board, the port boxes, the legends and the palette, and how the palette
// shows and frames its selection.
#include "render/paint_fixture.h"

namespace {

class PaintLayoutTest : public PaintTest {
  protected:
    // Whether the buffer at `at` holds the given rows of the legend bitmap.
    static bool LegendAt(QPoint at, int firstRow) {
        const QImage legend = LoadBitmapW(122).convertToFormat(QImage::Format_RGB32);
        return Offscreen.bufferDC.Image().copy(QRect(at, QSize(60, 17))) == legend.copy(0, firstRow, 60, 17);
    }
    static bool AllBlack(const QRect& area) { return Count(area, kBlack) == area.width() * area.height(); }
    static bool SlotFramed(int slot) {
        const int x = GameState.paletteX;
        const int y = GameState.paletteY + 20 * slot;
        return Pixel(x, y + 10) == kWhite && Pixel(x + 20, y + 10) == kWhite && Pixel(x + 10, y) == kWhite &&
               Pixel(x + 10, y + 20) == kWhite;
    }
    static int FramedSlots(int slotCount) {
        int framed = 0;
        for (int s = 0; s < slotCount; ++s) framed += SlotFramed(s) ? 1 : 0;
        return framed;
    }
};

TEST_F(PaintLayoutTest, TheEightByEightBoardIsPurpleCellsBetweenWhiteLinesFrom50To210) {
    StartGame(8, {{7, 7, Absorber}, {0, 0, SlashMirror}, {4, 4, BackslashMirror}});
    PaintAll();
    for (int i = 0; i <= 8; ++i) {
        EXPECT_EQ(Pixel(50 + 20 * i, 100), kWhite) << "column line " << i;
        EXPECT_EQ(Pixel(100, 65 + 20 * i), kWhite) << "row line " << i;
    }
    EXPECT_EQ(Pixel(51, 66), kPurple);
    EXPECT_EQ(Pixel(209, 224), kPurple) << "the last cell's inside reaches (209, 224)";
    EXPECT_EQ(Pixel(131, 146), kPurple);
}

TEST_F(PaintLayoutTest, OneFreeLineSeparatesTheBoardThePortBoxesAndTheLegends) {
    StartGame(8, {{3, 3, SlashMirror}, {5, 2, BackslashMirror}, {1, 6, SlashMirror}});
    PaintAll();
    EXPECT_EQ(Pixel(100, 64), kBlack) << "free row above the board";
    EXPECT_EQ(Pixel(100, 226), kBlack) << "free row below the board";
    EXPECT_EQ(Pixel(49, 100), kBlack) << "free column left of the board";
    EXPECT_EQ(Pixel(211, 100), kBlack) << "free column right of the board";

    // Bottom port boxes: outline rows 227 and 247, box colour inside.
    const QRect bottomBox = PortBox(16);
    ASSERT_EQ(bottomBox.topLeft(), QPoint(190, 227));
    const QRgb colour = Pixel(191, 228);
    EXPECT_NE(colour, kBlack);
    EXPECT_EQ(Pixel(191, 246), colour) << "the box fills rows 228 to 246";
    EXPECT_EQ(Pixel(191, 247), kBlack) << "its bottom outline";
    EXPECT_TRUE(AllBlack(QRect(28, 248, 190, 1))) << "free row between the boxes and the legends";
    EXPECT_EQ(Pixel(212, 66), kBlack) << "right boxes: outline at x = 212";
    EXPECT_NE(Pixel(213, 66), kBlack) << "right boxes: box colour from x = 213";
    EXPECT_NE(Pixel(47, 224), kBlack) << "left boxes: box colour up to x = 47";
    EXPECT_EQ(Pixel(48, 224), kBlack) << "left boxes: outline at x = 48";

    EXPECT_TRUE(LegendAt(QPoint(51, 249), 0)) << "reflected legend";
    EXPECT_TRUE(LegendAt(QPoint(130, 249), 17)) << "absorbed legend";
    EXPECT_TRUE(AllBlack(QRect(0, 266, 240, 2))) << "nothing below the legends";
}

TEST_F(PaintLayoutTest, EachLegendHalfShowsOnlyWithItsItemKindInUse) {
    StartGame(8, {{3, 3, SlashMirror}, {5, 2, BackslashMirror}, {1, 6, SlashMirror}});
    GameState.usereflect = 0;
    PaintAll();
    EXPECT_TRUE(AllBlack(QRect(51, 249, 60, 17))) << "no reflected legend";
    EXPECT_TRUE(LegendAt(QPoint(130, 249), 17)) << "the absorbed legend stays";

    GameState.usereflect = 1;
    GameState.useabsorbed = 0;
    PaintAll();
    EXPECT_TRUE(LegendAt(QPoint(51, 249), 0));
    EXPECT_TRUE(AllBlack(QRect(130, 249, 60, 17)));
}

TEST_F(PaintLayoutTest, ThirteenPaletteSlotsSpanRows5To265) {
    StartGame(8, {{0, 0, SlashMirror},
                  {1, 0, SlashMirror},
                  {2, 0, SlashMirror},
                  {3, 0, BackslashMirror},
                  {4, 0, BackslashMirror},
                  {5, 0, BackslashMirror},
                  {0, 2, VerticalMirror},
                  {1, 2, VerticalMirror},
                  {2, 2, HorizontalMirror},
                  {3, 2, HorizontalMirror},
                  {4, 2, Absorber},
                  {5, 2, Absorber},
                  {6, 2, TotalReflector}});
    ASSERT_EQ(GameState.paletteY, 5);
    PaintAll();
    for (int slot = 0; slot < 13; ++slot) {
        const int top = 5 + 20 * slot;
        EXPECT_EQ(Pixel(3, top + 1), kPurple) << "slot " << slot << " starts inside at row " << top + 1;
        EXPECT_EQ(Pixel(3, top + 19), kPurple) << "slot " << slot;
        if (slot > 0) {
            EXPECT_NE(Pixel(3, top), kPurple) << "outline between slots " << slot - 1 << ", " << slot;
        }
    }
    EXPECT_EQ(Pixel(3, 4), kBlack) << "nothing above the strip";
    EXPECT_EQ(Pixel(3, 266), kBlack) << "nothing below the strip";
    EXPECT_EQ(Pixel(2, 100), kBlack) << "black slot outlines";
    EXPECT_EQ(Pixel(22, 100), kBlack);
}

TEST_F(PaintLayoutTest, TheSelectedSlotGetsAWhiteFrameAndSetsTheSelectedItem) {
    StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
    GameState.paletteSlot = 1;
    PaintAll();
    EXPECT_EQ(GameState.selectedItem, SlashMirror);
    EXPECT_TRUE(SlotFramed(1));
    EXPECT_EQ(FramedSlots(3), 1);
}

TEST_F(PaintLayoutTest, TypesWithNothingLeftGetNoSlotAndTheSlotIndexRunsOn) {
    // Types 2, 3 and 4 are missing: the absorber takes slot 2, right after the two slash mirrors.
    StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
    GameState.paletteSlot = 2;
    PaintAll();
    EXPECT_EQ(GameState.selectedItem, Absorber);
    EXPECT_TRUE(SlotFramed(2));
    EXPECT_EQ(Pixel(GameState.paletteX + 10, GameState.paletteY + 50), kBlack) << "the absorber's disc";
}

TEST_F(PaintLayoutTest, ASlotBeyondTheStripFramesNothingAndKeepsTheSelectedItem) {
    StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
    GameState.paletteSlot = 3;
    GameState.selectedItem = TotalReflector;
    PaintAll();
    EXPECT_EQ(GameState.selectedItem, TotalReflector);
    EXPECT_EQ(FramedSlots(4), 0) << "no white frame, not even around the missing fourth slot";
}

TEST_F(PaintLayoutTest, WithAllItemsPlacedNoFrameShowsButTheSelectionStillFollowsTheSlot) {
    StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
    // Three wrong items leave the puzzle's three still to find: the strip keeps three slots.
    Place(3, 3, BackslashMirror);
    Place(4, 4, BackslashMirror);
    Place(5, 5, BackslashMirror);
    GameState.paletteSlot = 2;
    GameState.selectedItem = SlashMirror;
    PaintAll();
    EXPECT_EQ(GameState.selectedItem, Absorber);
    EXPECT_EQ(FramedSlots(3), 0);
}

TEST_F(PaintLayoutTest, AfterTheGameNoSlotIsFramed) {
    StartGame(6, {{0, 0, SlashMirror}, {1, 1, SlashMirror}, {2, 2, Absorber}});
    GameState.gamePhase = Finished;
    PaintAll();
    EXPECT_EQ(FramedSlots(3), 0);
}

}  // namespace
