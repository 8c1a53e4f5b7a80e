// Painting of the game screen into the off-screen buffer.
//
// A full frame is drawn from GameState alone, top to bottom: the clock, the board grid, the palette,
// the ray, the items in the cells, the ring of port boxes, the legend and the message band. Painting
// also refreshes what the rest of the game reads back: the palette counts and the selected item, the
// player's port labels and the shown ray's path. A clock tick invalidates only the clock strip; such a
// request stops right after the clock, and the window shows the rest of the last full frame.
#include "render/paint.h"

#include <QString>

#include "model/model.h"
#include "platform/services.h"
#include "render/offscreen.h"
#include "render/paint_error.h"
#include "title/title_screen.h"

namespace {

constexpr int kBox = 21;  // boxes are 21 pixels square at a 20-pixel pitch

constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr QRgb kGreen = rgb(0, 255, 0);
constexpr QRgb kPurple = rgb(128, 0, 128);
constexpr QRgb kPink = rgb(255, 128, 128);
constexpr QRgb kLightCyan = rgb(128, 255, 255);

// The legend's two halves: a yellow box whose ray comes back, a grey box whose ray is absorbed.
constexpr QPoint kReflectedLegend{51, 249};
constexpr QPoint kAbsorbedLegend{130, 249};
constexpr int kLegendWidth = 60;
constexpr int kLegendHeight = 17;

QRect ToQRect(const Rect32& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// The exclusive bottom edge of a paint request; an empty request reaches no row at all.
int InvalidBottom(const QRect& invalid) {
    return invalid.isEmpty() ? 0 : invalid.y() + invalid.height();
}

void DrawClock(DeviceContext& dc) {
    if (GameState.gameStartTick == 0 || GameState.gamePhase == Learning) return;
    wchar_t text[16] = {};
    const int length = FormatElapsed(text, 16, GameState.lastTick - GameState.gameStartTick);
    dc.DrawTextW(QString::fromWCharArray(text, length), ToQRect(GameState.clockRect), DT_RIGHT);
}

void DrawBoardGrid(DeviceContext& dc) {
    const int n = GameState.gridSize;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int left = GameState.boardX + 20 * x;
            const int top = GameState.boardY + 20 * y;
            dc.Rectangle(left, top, left + kBox, top + kBox);
        }
    }
}

// Draws the strip of items still to place (or, once the game is over, the puzzle's items) and makes
// selectedItem follow paletteSlot. Returns whether the selected slot wants its white frame, and where.
bool DrawPalette(DeviceContext& dc, QRect& selectionFrame) {
    bool framed = false;
    int slot = 0;
    for (int16_t type = SlashMirror; type <= TotalReflector; ++type) {
        for (int16_t copy = 0; copy < GameState.remaining[type]; ++copy) {
            const int left = GameState.paletteX;
            const int top = GameState.paletteY + 20 * slot;
            dc.Rectangle(left, top, left + kBox, top + kBox);
            if (slot == GameState.paletteSlot) {
                GameState.selectedItem = type;
                if (GameState.placedCount < GameState.itemCount) {
                    selectionFrame = QRect(left, top, kBox, kBox);
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
void DrawCells(DeviceContext& dc) {
    const int n = GameState.gridSize;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int left = GameState.boardX + 20 * x;
            const int top = GameState.boardY + 20 * y;
            const int16_t hidden = GameState.hiddenBoard[x * 8 + y];
            const int16_t player = GameState.playerBoard[x * 8 + y];
            if (GameState.gamePhase == Playing) {
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

void DrawLegend(DeviceContext& dc) {
    const Bitmap legend = LoadBitmapW(122);
    if (legend.isNull()) {
        ReportPaintError(24);
        return;
    }
    DeviceContext& source = Offscreen.sourceDC;
    const Bitmap replaced = source.SelectBitmap(legend);
    if (GameState.usereflect != 0) {
        dc.BitBlt(kReflectedLegend.x(), kReflectedLegend.y(), kLegendWidth, kLegendHeight, source, 0, 0);
    }
    if (GameState.useabsorbed != 0) {
        dc.BitBlt(kAbsorbedLegend.x(), kAbsorbedLegend.y(), kLegendWidth, kLegendHeight, source, 0,
                  kLegendHeight);
    }
    source.SelectBitmap(replaced);
}

void DrawLearningHint(DeviceContext& dc) {
    const QString text =
        GameState.langue == 0
            ? QStringLiteral(" Select a number to \r\n display the laser ray ")
            : QStringLiteral("  Sélectionner un nombre pour \r\n afficher le parcours d'un rayon ");
    dc.DrawTextW(text, ToQRect(GameState.messageRect), DT_CENTER);
}

// One language's half of a banner bitmap: its words (1-bits) in `colour`, the 0-bits around them
// skipped. A bitmap that cannot be loaded is internal error `error`.
void DrawBanner(DeviceContext& dc, int bitmap, int error, QRgb colour, QPoint at, QRect half) {
    const Bitmap banner = LoadBitmapW(bitmap);
    if (banner.isNull()) {
        ReportPaintError(error);
        return;
    }
    DeviceContext& source = Offscreen.sourceDC;
    const Bitmap replaced = source.SelectBitmap(banner);
    dc.SetBkColor(colour);
    dc.TransparentImage(at.x(), at.y(), half.width(), half.height(), source, half.x(), half.y(), half.width(),
                        half.height(), kBlack);
    source.SelectBitmap(replaced);
}

// The end of a game: the number of misplaced items when some ports still differ, else a banner, the
// exact one when the player found the puzzle's own arrangement, the "accepted" one for another
// arrangement that gives the same numbers. The banners' words are their 1-bits, drawn in the
// background colour; the 0-bits around them are skipped.
void DrawResult(DeviceContext& dc) {
    const Rect32& band = GameState.messageRect;
    const int cx = band.left + (band.right - band.left) / 2;
    const int cy = band.top + (band.bottom - band.top) / 2;
    const bool english = GameState.langue == 0;

    if (GameState.mismatchCount != 0) {
        const int misplaced = GameState.moveCount;
        QString text;
        if (misplaced == 1) {
            text = english ? QString::asprintf(" %i item not OK ", misplaced)
                           : QString::asprintf(" %i élément mal placé ", misplaced);
        } else {
            text = english ? QString::asprintf(" %i items not OK ", misplaced)
                           : QString::asprintf(" %i éléments mal placés ", misplaced);
        }
        dc.DrawTextW(text, ToQRect(band), DT_CENTER);
        return;
    }

    if (GameState.moveCount == 0) {
        DrawBanner(dc, 121, 25, kGreen, QPoint(cx - 32, cy - 6), QRect(0, english ? 13 : 0, 65, 13));
    } else if (english) {
        DrawBanner(dc, 123, 26, kLightCyan, QPoint(cx - 78, cy - 9), QRect(0, 19, 156, 17));
    } else {
        DrawBanner(dc, 123, 26, kLightCyan, QPoint(cx - 78, cy - 9), QRect(0, 0, 156, 18));
    }
}

}  // namespace

void ReportPaintError(int number) {
    GameState.gamePhase = Broken;
    MessageBox(AppMainWindow(), QStringLiteral("Internal error %1 (Paint)").arg(number),
               QStringLiteral("Error"), MB_OK);
}

void Paint(const QRect& invalid) {
    if (GameState.titleStartTick != 0) {
        DrawTitleFrame();
        return;
    }
    if (!Offscreen.exists) return;

    DeviceContext& dc = Offscreen.bufferDC;
    const Pen whitePen = CreatePen(1, kWhite);
    const Pen blackPen = CreatePen(1, kBlack);

    // Once broken, every frame only writes the panic text over what the buffer still holds.
    if (GameState.gamePhase == Broken) {
        dc.SetBkColor(kGreen);
        dc.SetTextColor(kBlack);
        dc.SetBkMode(BackgroundMode::Opaque);
        dc.DrawTextW(QStringLiteral("Panic, internal problem"), ToQRect(GameState.messageRect), DT_CENTER);
        return;
    }

    dc.PatBlt(0, 0, Offscreen.width, Offscreen.height, RasterOp::Blackness);
    dc.SetTextColor(kGreen);
    dc.SetBkColor(kBlack);
    DrawClock(dc);
    if (InvalidBottom(invalid) <= GameState.clockRect.bottom) return;

    dc.SetTextColor(kBlack);
    const Pen replacedPen = dc.SelectPen(whitePen);
    dc.SelectBrush(CreateSolidBrush(kPurple));
    DrawBoardGrid(dc);

    RecountPalette(-1);
    dc.SelectPen(blackPen);
    QRect selectionFrame;
    const bool framed = DrawPalette(dc, selectionFrame);
    dc.SelectBrush(GetStockBrush(NULL_BRUSH));

    if (GameState.gamePhase == Playing && GameState.placedCount < GameState.itemCount && framed) {
        dc.SelectPen(whitePen);
        dc.Rectangle(selectionFrame.left(), selectionFrame.top(), selectionFrame.left() + kBox,
                     selectionFrame.top() + kBox);
    }

    const bool rayDue = GameState.gamePhase == Finished || GameState.gamePhase == Learning ||
                        (GameState.gamePhase == Playing && GameState.hint != 0);
    if (GameState.shownPort >= 0 && rayDue) DrawRayPath();

    dc.SelectBrush(GetStockBrush(NULL_BRUSH));
    DrawCells(dc);

    if (LabelAllPorts(kPlayerBoard) != 0) {
        ReportPaintError(20);
    } else {
        DrawPortLabels();
    }

    DrawLegend(dc);

    dc.SetTextColor(kBlack);
    dc.SetBkColor(kPink);
    if (GameState.gamePhase == Learning) DrawLearningHint(dc);
    if (GameState.gamePhase == Finished) DrawResult(dc);

    dc.SelectPen(replacedPen);
}
