#include "core/ui/help.h"

#include <string>

#include "core/render/paint.h"
#include "core/ui/game_flow.h"
#include "core/ui/keeping.h"
#include "model/model.h"
#include "model/solve.h"
#include "seam/host.h"

namespace {

constexpr uint32_t kHelpCostMs = 30000;   // each help puts this on the clock
constexpr int32_t kOneAnswerDeals = 500;  // deals tried for a puzzle with one answer

bool oneAnswer = false;
Point32 sureCell{-1, -1};

const char16_t* Text(const char16_t* english, const char16_t* french) {
    return GameState.langue == 0 ? english : french;
}

// Help is for a game in play; the title screen gives way first, as for every command.
bool HelpAllowed() {
    StopTitleScreen();
    return GameState.gamePhase == Playing;
}

// Starts the clock if it is idle, as a first counted tap does, and puts the cost of a help on it.
void ChargeHelp() {
    GameRecord& g = GameState;
    if (g.moveCount == 0) {
        g.moveCount = 1;
        StartGameClock(0);
    }
    g.gameStartTick -= kHelpCostMs;
    if (g.gameStartTick == 0) g.gameStartTick = UINT32_MAX;  // 0 reads as "not started"
    g.lastTick = GetTickCount();
    KeepGame();
    InvalidateRect(g.clockRect);
}

}  // namespace

void OnCheckBoard() {
    if (!HelpAllowed()) return;
    ChargeHelp();
    const Fit fit = PlacedItemsFit(PuzzleOfGame(true));
    const char16_t* text =
        fit == Fit::Yes
            ? Text(u"Every item you have placed can stay.", u"Tous les éléments placés peuvent rester.")
        : fit == Fit::No
            ? Text(u"Some item you have placed cannot stay.", u"Un élément placé ne peut pas rester.")
            : Text(u"Your board could not be checked in time.",
                   u"La grille n'a pas pu être vérifiée à temps.");
    MessageBox(text, Text(u"Check my board", u"Vérifier ma grille"), BoxStyle::Ok);
}

void OnShowSureCell() {
    if (!HelpAllowed()) return;
    ChargeHelp();
    const Solution solution = SolvePuzzle(PuzzleOfGame(true));
    const char16_t* caption = Text(u"Show a sure cell", u"Montrer une case sûre");
    if (solution.status == SolveStatus::OutOfSteps) {
        MessageBox(
            Text(u"No sure cell could be found in time.", u"Aucune case sûre n'a pu être trouvée à temps."),
            caption, BoxStyle::Ok);
        return;
    }
    if (solution.arrangements == 0) {
        MessageBox(Text(u"Your board can no longer be completed: take an item back.",
                        u"La grille ne peut plus être complétée : reprenez un élément."),
                   caption, BoxStyle::Ok);
        return;
    }
    const int n = GameState.gridSize;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int16_t item = solution.sure[x * 8 + y];
            if (item < SlashMirror || item > TotalReflector || GameState.playerBoard[x * 8 + y] != Empty)
                continue;
            RefreshShownState();
            RecountPalette(item);  // its type selected in the palette
            sureCell = Point32{x, y};
            InvalidateClient();
            UpdateWindow();
            return;
        }
    }
    MessageBox(Text(u"No other cell is sure yet.", u"Aucune autre case n'est encore sûre."), caption,
               BoxStyle::Ok);
}

bool SureCell(Point32& cell) {
    if (sureCell.x < 0 || GameState.gamePhase != Playing || GameState.titleStartTick != 0) return false;
    cell = sureCell;
    return true;
}

void ForgetSureCell() {
    if (sureCell.x < 0) return;
    sureCell = Point32{-1, -1};
    InvalidateClient();
}

void DealPuzzle() {
    ForgetSureCell();
    if (oneAnswer) {
        GeneratePuzzleWithOneAnswer(kOneAnswerDeals);
    } else {
        GeneratePuzzle();
    }
}

void SetOneAnswerPuzzles(bool on) {
    oneAnswer = on;
}

bool OneAnswerPuzzles() {
    return oneAnswer;
}
