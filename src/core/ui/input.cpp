// What one tap on the client area does: the pointer, the keyboard's cursor and the digit keys find
// what lies under their game point with HitTest, then apply the tap here.
#include "core/ui/input.h"

#include "core/render/paint.h"
#include "core/ui/game_flow.h"
#include "core/ui/help.h"
#include "core/ui/keeping.h"
#include "model/game_state.h"
#include "model/model.h"
#include "seam/host.h"

namespace {

constexpr int16_t kPortHiddenAgain = -89;  // a second tap on the shown port hides its ray

// A tap on the board while playing: place, remove, or nothing; every such tap counts as a move.
void TapBoard(int column, int row) {
    GameRecord& g = GameState;
    g.moveCount += 1;
    if (g.moveCount == 1) StartGameClock(0);

    int16_t& cell = g.playerBoard[column * 8 + row];
    if (cell == WormholeA || cell == WormholeB) return;  // the pair can be neither placed nor removed

    if (cell != Empty) {
        const int16_t removed = cell;
        cell = Empty;
        g.placedCount -= 1;
        RecountPalette(removed);  // the next tap on an empty cell puts the same item back
        return;
    }
    if (g.placedCount >= g.itemCount) return;
    cell = g.selectedItem;
    g.placedCount += 1;
    // Keep the selection inside the now shorter strip.
    const int left = g.itemCount - g.placedCount;
    if (g.paletteSlot + 1 > left) g.paletteSlot -= 1;
    if (g.paletteSlot < 0) g.paletteSlot = 0;
}

void TapPalette(int slot) {
    GameRecord& g = GameState;
    const int left = g.itemCount - g.placedCount;
    if (left >= 1 && slot >= 0 && slot < left) g.paletteSlot = slot;
}

}  // namespace

void ApplyTap(const TapHit& hit) {
    GameRecord& g = GameState;
    RefreshShownState();  // the selected item and the counts as the screen shows them
    ForgetSureCell();     // the outline of "Show a sure cell" lasts until the next tap

    if (g.titleStartTick != 0) {
        // The first tap only ends the title screen.
        StopTitleScreen();
        InvalidateClient();
        UpdateWindow();
    } else {
        switch (hit.place) {
            case TapPlace::Board:
                if (g.gamePhase == Playing) {
                    const PlayerSide before = BeforeBoardTap();
                    TapBoard(hit.column, hit.row);
                    AfterBoardTap(before);
                }
                break;
            case TapPlace::Palette:
                TapPalette(hit.slot);
                break;
            case TapPlace::Port:
                g.shownPort = hit.port == g.shownPort ? kPortHiddenAgain : hit.port;
                break;
            case TapPlace::Nothing:
                break;
        }
    }

    JudgeBoard();
}

void JudgeBoard() {
    if (GameState.gamePhase == Playing) {
        int32_t misplaced = 0;
        const int16_t mismatches = CompareBoards(misplaced);
        if (mismatches <= 0 && GameState.placedCount == GameState.itemCount) {
            OnSolution();  // solved: the game ends here and repaints
            return;
        }
    }
    KeepGame();
    InvalidateClient();
    UpdateWindow();
}

void OnLButtonDown(unsigned /*flags*/, int x, int y) {
    ApplyTap(HitTest(GameState, x, y));
}

void OnLButtonDblClk(unsigned flags, int x, int y) {
    OnLButtonDown(flags, x, y);
}
