// The game's face: the platform's calls, each turned into the game's own steps.
#include "core/face.h"

#include <algorithm>

#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "core/render/paint_error.h"
#include "core/title/title_screen.h"
#include "core/ui/command_bar.h"
#include "core/ui/game_flow.h"
#include "core/ui/help.h"
#include "core/ui/input.h"
#include "core/ui/key_cursor.h"
#include "model/game_state.h"
#include "seam/host.h"

namespace {

KeyCursor keyCursor;

bool TitleShows() {
    return GameState.titleStartTick != 0;
}

// The cursor is drawn over the picture: showing, moving or hiding it repaints the game's screen.
void CursorChanged() {
    InvalidateClient();
}

}  // namespace

void StartGame() {
    keyCursor = KeyCursor{};
    OnCreate();
    CreateOffscreenBuffer(kGameWidth, kGameHeight);
    InvalidateClient();
    CommandsChanged();
}

void EndGame() {
    DestroyOffscreenBuffer();
}

bool RequestClose() {
    return ConfirmClose();
}

void TapAt(int x, int y) {
    if (keyCursor.shown) {
        keyCursor.shown = false;  // the player went back to the pointer
        CursorChanged();
    }
    OnLButtonDown(0, x, y);
    CommandsChanged();  // a tap on the board is a step to undo
}

void DoubleTapAt(int x, int y) {
    OnLButtonDblClk(0, x, y);
    CommandsChanged();
}

void PressKey(GameKey key) {
    switch (key) {
        case GameKey::Left:
        case GameKey::Right:
        case GameKey::Up:
        case GameKey::Down: {
            constexpr CursorKey kArrows[] = {CursorKey::Left, CursorKey::Right, CursorKey::Up,
                                             CursorKey::Down};
            MoveCursor(keyCursor, kArrows[static_cast<int>(key)]);
            CursorChanged();
            return;
        }
        case GameKey::Tap:
            // A tap where the cursor stands. With the cursor hidden the key only ends the title screen,
            // as any tap does, or else shows the cursor.
            if (keyCursor.shown || TitleShows()) {
                ClampCursor(keyCursor);
                ApplyTap(CursorHit(keyCursor));
                CommandsChanged();
            } else {
                keyCursor.shown = true;
                CursorChanged();
            }
            return;
        default: {
            const int slot = static_cast<int>(key) - static_cast<int>(GameKey::Slot1);
            const TapHit hit = PaletteSlotHit(slot);
            if (hit.place != TapPlace::Nothing || TitleShows()) ApplyTap(hit);
            return;
        }
    }
}

int Overlays(const ZoomView& view, Overlay (&overlays)[2]) {
    const int k = view.zoom;
    const int thickness = std::max(2, k);
    const auto around = [&](const Rect32& square, Colour colour) {
        return Overlay{
            Rect32{view.left + square.left * k - thickness / 2, view.top + square.top * k - thickness / 2,
                   view.left + square.right * k + thickness / 2,
                   view.top + square.bottom * k + thickness / 2},
            thickness, std::max(1, k / 2), colour};
    };
    int count = 0;
    Point32 cell{};
    if (SureCell(cell)) {
        const int left = GameState.boardX + 20 * cell.x;
        const int top = GameState.boardY + 20 * cell.y;
        overlays[count++] = around(Rect32{left, top, left + 21, top + 21}, kSureCellColour);
    }
    if (keyCursor.shown) {
        ClampCursor(keyCursor);
        overlays[count++] = around(CursorSquare(keyCursor), kCursorColour);
    }
    return count;
}

void TimerFired(uint32_t id) {
    OnTimer(id);
}

void RunCommand(int id) {
    OnCommand(id);
    CommandsChanged();
}

ShownFrame PaintFrame(const Rect32& invalid) {
    if (TitleShows()) {
        DrawTitleFrame();
        // The title screen's first frame draws nothing; the handheld asked again at once because the
        // window stayed invalid, so ask again here.
        if (GameState.titleFrame < 2) InvalidateClient();
    } else if (Offscreen.exists) {
        PaintErrors errors;
        if (!ClockOnly(GameState, invalid) && !RefreshShownState()) errors.Add(kLabelsFailed);
        Paint(GameState, invalid, errors);
        for (int i = 0; i < errors.count; ++i) ReportPaintError(errors.numbers[i]);
    }
    return ShownFrame{invalid, Offscreen.exists ? &Offscreen.bufferDC.Image() : nullptr};
}
