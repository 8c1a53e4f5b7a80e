// Painting of the game screen into the off-screen buffer.
//
// A full frame is drawn from the game record alone, which it leaves as it is, top to bottom: the clock,
// the board grid, the palette, the ray, the items in the cells, the ring of port boxes, the legend and
// the message band. What the frame shows of the palette counts, the selected item, the player's port
// labels and the shown ray's path is brought up to date beforehand, by RefreshShownState. A clock tick
// invalidates only the clock strip; such a request stops right after the clock, and the window shows
// the rest of the last full frame.
#include "core/render/paint.h"

#include <string>

#include "core/render/offscreen.h"
#include "core/render/paint_error.h"
#include "model/model.h"
#include "seam/host.h"

namespace {

constexpr int kBox = 21;  // boxes are 21 pixels square at a 20-pixel pitch

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kGreen = rgb(0, 255, 0);
constexpr Colour kPurple = rgb(128, 0, 128);
constexpr Colour kPink = rgb(255, 128, 128);
constexpr Colour kLightCyan = rgb(128, 255, 255);

// The legend's two halves: a yellow box whose ray comes back, a grey box whose ray is absorbed.
constexpr Point32 kReflectedLegend{51, 249};
constexpr Point32 kAbsorbedLegend{130, 249};
constexpr int kLegendWidth = 60;
constexpr int kLegendHeight = 17;

// The exclusive bottom edge of a paint request; an empty request reaches no row at all.
int InvalidBottom(const Rect32& invalid) {
    return invalid.right <= invalid.left || invalid.bottom <= invalid.top ? 0 : invalid.bottom;
}

// The clock's text is digits and the marks ' " h, one UTF-16 unit each.
std::u16string Widened(const wchar_t* text, int length) {
    return std::u16string(text, text + length);
}

void DrawClock(DeviceContext& dc, const GameRecord& g) {
    if (g.gameStartTick == 0 || g.gamePhase == Learning) return;
    wchar_t text[16] = {};
    const int length = FormatElapsed(text, 16, g.lastTick - g.gameStartTick);
    dc.DrawTextW(Widened(text, length), g.clockRect, DT_RIGHT);
}

void DrawBoardGrid(DeviceContext& dc, const GameRecord& g) {
    const int n = g.gridSize;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int left = g.boardX + 20 * x;
            const int top = g.boardY + 20 * y;
            dc.Rectangle(left, top, left + kBox, top + kBox);
        }
    }
}

// Draws the strip of items still to place (or, once the game is over, the puzzle's items). Returns
// whether the selected slot wants its white frame, and where.
bool DrawPalette(DeviceContext& dc, const GameRecord& g, Point32& selectionFrame) {
    bool framed = false;
    int slot = 0;
    for (int16_t type = SlashMirror; type <= TotalReflector; ++type) {
        for (int16_t copy = 0; copy < g.remaining[type]; ++copy) {
            const int left = g.paletteX;
            const int top = g.paletteY + 20 * slot;
            dc.Rectangle(left, top, left + kBox, top + kBox);
            if (slot == g.paletteSlot) {
                if (g.placedCount < g.itemCount) {
                    selectionFrame = Point32{left, top};
                    framed = true;
                }
            }
            DrawItemSprite(dc, left, top, type, PaletteSprite);
            ++slot;
        }
    }
    return framed;
}

// While playing the cells show the player's board. Afterwards they show the puzzle, with every cell
// where the player differs turned blue and the player's own item outlined in red on top.
void DrawCells(DeviceContext& dc, const GameRecord& g) {
    const int n = g.gridSize;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int left = g.boardX + 20 * x;
            const int top = g.boardY + 20 * y;
            const int16_t hidden = g.hiddenBoard[x * 8 + y];
            const int16_t player = g.playerBoard[x * 8 + y];
            if (g.gamePhase == Playing) {
                DrawItemSprite(dc, left, top, player, CellSprite);
                continue;
            }
            DrawItemSprite(dc, left, top, hidden, CellSprite);
            if (player != hidden) {
                DrawItemSprite(dc, left, top, hidden, Highlight);
                DrawItemOutline(dc, left, top, player, Outline);
            }
        }
    }
}

void DrawLegend(DeviceContext& dc, const GameRecord& g, PaintErrors& errors) {
    const Bitmap legend = LoadBitmapW(122);
    if (legend.isNull()) {
        errors.Add(24);
        return;
    }
    DeviceContext& source = Offscreen.sourceDC;
    const Bitmap replaced = source.SelectBitmap(legend);
    if (g.usereflect != 0) {
        dc.BitBlt(kReflectedLegend.x, kReflectedLegend.y, kLegendWidth, kLegendHeight, source, 0, 0);
    }
    if (g.useabsorbed != 0) {
        dc.BitBlt(kAbsorbedLegend.x, kAbsorbedLegend.y, kLegendWidth, kLegendHeight, source, 0,
                  kLegendHeight);
    }
    source.SelectBitmap(replaced);
}

void DrawLearningHint(DeviceContext& dc, const GameRecord& g) {
    const char16_t* text = g.langue == 0
                               ? u" Select a number to \r\n display the laser ray "
                               : u"  Sélectionner un nombre pour \r\n afficher le parcours d'un rayon ";
    dc.DrawTextW(text, g.messageRect, DT_CENTER);
}

// One language's half of a banner bitmap: its words (1-bits) in `colour`, the 0-bits around them
// skipped. A bitmap that cannot be loaded is internal error `error`.
void DrawBanner(DeviceContext& dc, PaintErrors& errors, int bitmap, int error, Colour colour, Point32 at,
                Rect32 half) {
    const Bitmap banner = LoadBitmapW(bitmap);
    if (banner.isNull()) {
        errors.Add(error);
        return;
    }
    DeviceContext& source = Offscreen.sourceDC;
    const Bitmap replaced = source.SelectBitmap(banner);
    dc.SetBkColor(colour);
    const int width = half.right - half.left;
    const int height = half.bottom - half.top;
    dc.TransparentImage(at.x, at.y, width, height, source, half.left, half.top, width, height, kBlack);
    source.SelectBitmap(replaced);
}

// The end of a game: the number of misplaced items when some ports still differ, else a banner, the
// exact one when the player found the puzzle's own arrangement, the "accepted" one for another
// arrangement that gives the same numbers. The banners' words are their 1-bits, drawn in the
// background colour; the 0-bits around them are skipped.
void DrawResult(DeviceContext& dc, const GameRecord& g, PaintErrors& errors) {
    const Rect32& band = g.messageRect;
    const int cx = band.left + (band.right - band.left) / 2;
    const int cy = band.top + (band.bottom - band.top) / 2;
    const bool english = g.langue == 0;

    if (g.mismatchCount != 0) {
        const int misplaced = g.moveCount;
        const char16_t* rest = nullptr;
        if (misplaced == 1) {
            rest = english ? u" item not OK " : u" élément mal placé ";
        } else {
            rest = english ? u" items not OK " : u" éléments mal placés ";
        }
        std::u16string text = u" ";
        text += NumberText(misplaced);
        text += rest;
        dc.DrawTextW(text, band, DT_CENTER);
        return;
    }

    if (g.moveCount == 0) {
        DrawBanner(dc, errors, 121, 25, kGreen, Point32{cx - 32, cy - 6},
                   Rect32{0, english ? 13 : 0, 65, english ? 26 : 13});
    } else if (english) {
        DrawBanner(dc, errors, 123, 26, kLightCyan, Point32{cx - 78, cy - 9}, Rect32{0, 19, 156, 36});
    } else {
        DrawBanner(dc, errors, 123, 26, kLightCyan, Point32{cx - 78, cy - 9}, Rect32{0, 0, 156, 18});
    }
}

}  // namespace

std::u16string NumberText(int32_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

void ReportPaintError(int number) {
    GameState.gamePhase = Broken;
    std::u16string text = u"Internal error ";
    text += NumberText(number);
    text += u" (Paint)";
    MessageBox(text, u"Error", BoxStyle::Ok);
}

bool ClockOnly(const GameRecord& g, const Rect32& invalid) {
    return InvalidBottom(invalid) <= g.clockRect.bottom;
}

bool RayShown(const GameRecord& g) {
    const bool rayDue =
        g.gamePhase == Finished || g.gamePhase == Learning || (g.gamePhase == Playing && g.hint != 0);
    return g.shownPort >= 0 && rayDue;
}

bool RefreshShownState() {
    GameRecord& g = GameState;
    if (g.titleStartTick != 0 || g.gamePhase == Broken) return true;
    RecountPalette(-1);
    // The selected item follows the selected slot of the strip.
    int slot = 0;
    for (int16_t type = SlashMirror; type <= TotalReflector; ++type) {
        if (g.paletteSlot >= slot && g.paletteSlot < slot + g.remaining[type]) g.selectedItem = type;
        slot += g.remaining[type];
    }
    const bool labelled = LabelAllPorts(kPlayerBoard) == 0;
    // Last, since labelling traces every port: rayPath then holds the shown ray.
    if (RayShown(g)) {
        uint16_t count = 0;
        TraceRay(g.shownPort, count, g.gamePhase == Playing ? kPlayerBoard : kHiddenBoard);
    }
    return labelled;
}

void Paint(const GameRecord& g, const Rect32& invalid, PaintErrors& errors) {
    if (!Offscreen.exists) return;

    DeviceContext& dc = Offscreen.bufferDC;
    const Pen whitePen = CreatePen(1, kWhite);
    const Pen blackPen = CreatePen(1, kBlack);

    // Once broken, every frame only writes the panic text over what the buffer still holds.
    if (g.gamePhase == Broken) {
        dc.SetBkColor(kGreen);
        dc.SetTextColor(kBlack);
        dc.SetBkMode(BackgroundMode::Opaque);
        dc.DrawTextW(u"Panic, internal problem", g.messageRect, DT_CENTER);
        return;
    }

    dc.PatBlt(0, 0, Offscreen.width, Offscreen.height, RasterOp::Blackness);
    dc.SetTextColor(kGreen);
    dc.SetBkColor(kBlack);
    DrawClock(dc, g);
    if (ClockOnly(g, invalid)) return;

    dc.SetTextColor(kBlack);
    const Pen replacedPen = dc.SelectPen(whitePen);
    dc.SelectBrush(CreateSolidBrush(kPurple));
    DrawBoardGrid(dc, g);

    dc.SelectPen(blackPen);
    Point32 selectionFrame{0, 0};
    const bool framed = DrawPalette(dc, g, selectionFrame);
    dc.SelectBrush(GetStockBrush(NULL_BRUSH));

    if (g.gamePhase == Playing && g.placedCount < g.itemCount && framed) {
        dc.SelectPen(whitePen);
        dc.Rectangle(selectionFrame.x, selectionFrame.y, selectionFrame.x + kBox, selectionFrame.y + kBox);
    }

    if (RayShown(g)) DrawRayPath(g);

    dc.SelectBrush(GetStockBrush(NULL_BRUSH));
    DrawCells(dc, g);
    if (!errors.Has(kLabelsFailed)) DrawPortLabels(g, errors);
    DrawLegend(dc, g, errors);

    // A bitmap that could not be drawn has broken the game from here on: the message band stays empty.
    dc.SetTextColor(kBlack);
    dc.SetBkColor(kPink);
    if (errors.count == 0 && g.gamePhase == Learning) DrawLearningHint(dc, g);
    if (errors.count == 0 && g.gamePhase == Finished) DrawResult(dc, g, errors);

    dc.SelectPen(replacedPen);
}
