#include "core/ui/game_flow.h"

#include <string>

#include "core/settings/options_dialog.h"
#include "core/settings/rules_dialog.h"
#include "core/settings/settings.h"
#include "core/title/title_screen.h"
#include "core/ui/command_bar.h"
#include "core/ui/help.h"
#include "core/ui/input.h"
#include "core/ui/keeping.h"
#include "model/game_state.h"
#include "model/model.h"
#include "model/random.h"
#include "seam/host.h"

namespace {

const char16_t* Text(const char16_t* english, const char16_t* french) {
    return GameState.langue == 0 ? english : french;
}

void InternalError(const char* text) {
    const std::string ascii(text);
    MessageBox(std::u16string(ascii.begin(), ascii.end()), u"Error", BoxStyle::Ok);
}

// The learn-rules demonstration board, 8 x 8: twelve items and the wormhole pair.
struct DemoItem {
    int x;
    int y;
    ItemType item;
};
constexpr DemoItem kDemoBoard[] = {
    {0, 0, SlashMirror},      {1, 0, BackslashMirror}, {2, 1, VerticalMirror}, {1, 2, BackslashMirror},
    {3, 2, HorizontalMirror}, {7, 2, BackslashMirror}, {1, 3, SlashMirror},    {2, 3, BackslashMirror},
    {4, 4, Absorber},         {2, 5, WormholeB},       {4, 5, WormholeA},      {6, 6, TotalReflector},
    {4, 7, BackslashMirror},  {7, 7, SlashMirror},
};
constexpr Point32 kDemoWormholeA{4, 5};
constexpr Point32 kDemoWormholeB{2, 5};
constexpr int16_t kDemoShownPort = 23;  // the bottom port of column 0

// The port whose hidden ray is the longest; ties go to the lowest port.
int16_t LongestHiddenRay() {
    int16_t best = 0;
    for (int16_t port = 1; port < 4 * GameState.gridSize; ++port) {
        if ((GameState.hiddenLabels[port] & 0xFF) > (GameState.hiddenLabels[best] & 0xFF)) best = port;
    }
    return best;
}

}  // namespace

void OnCreate() {
    SeedRandom(RandomSeed());
    InitSettings();
    // The title screen greets the player while the first game waits underneath.
    GameState.titleFrame = 0;
    GameState.titleStartTick = StartTick();
    // A game kept from the last run takes the new deal's place; its clock waits for the title's end.
    FindKeptGame();
    GameState.timerId = SetTimer(1, 60);
}

void StopTitleScreen() {
    if (GameState.titleStartTick == 0) return;
    GameState.titleStartTick = 0;
    KillTimer(GameState.timerId);
    ResumeKeptClock();
}

Answer ConfirmAbort() {
    StopTitleScreen();
    Answer answer = Answer::Ok;
    if (GameState.moveCount != 0 && GameState.gamePhase == Playing) {
        answer = MessageBox(Text(u"This will abort the current game. Abort?",
                                 u"Cela va arrêter la partie en-cours. Arrêter? "),
                            Text(u"Warning", u"Attention"), BoxStyle::OkCancel);
        if (answer != Answer::Ok) return answer;
    }
    // The abandoned game counts in no statistic, and the store forgets it.
    KillTimer(GameState.timerId);
    GameState.moveCount = 0;
    KeepGame();
    return answer;
}

bool ConfirmClose() {
    StopTitleScreen();
    return ConfirmAbort() == Answer::Ok;
}

void OnNewGame() {
    StopTitleScreen();
    SetAsideGame();
    if (ConfirmAbort() != Answer::Ok) return;
    GameAbandoned();
    ForgetSteps();
    DealPuzzle();
    InvalidateClient();
}

void OnSolution() {
    StopTitleScreen();
    if (GameState.gamePhase != Playing) return;

    int32_t misplaced = 0;
    const int16_t mismatches = CompareBoards(misplaced);
    if (mismatches < 0) {
        InternalError("Internal error 3 (OnSolution)");
        return;
    }
    if (mismatches > 0 && GameState.placedCount != GameState.itemCount) {
        const Answer answer = MessageBox(Text(u"Not all items are placed.\r\nSolution anyway?",
                                              u"Il reste des éléments à placer.\r\nSolution quand même? "),
                                         u"Solution", BoxStyle::OkCancelWarning);
        if (answer != Answer::Ok) return;
    }

    KillTimer(GameState.timerId);
    if (GameState.moveCount != 0) {
        const uint32_t now = GetTickCount();
        GameState.lastTick = now;
        GameState.elapsedMs = now - GameState.gameStartTick;
        GameState.moveCount = misplaced;
        GameState.mismatchCount = mismatches;
        RecordGame(mismatches, misplaced, GameState.elapsedMs);
    } else {
        // The clock never ran: the result is shown, nothing is counted or saved.
        GameState.moveCount = misplaced;
        GameState.mismatchCount = mismatches;
    }
    GameState.gamePhase = Finished;
    GameState.shownPort = LongestHiddenRay();
    KeepGame();
    InvalidateClient();
    UpdateWindow();
}

void OnLearn() {
    StopTitleScreen();
    SetAsideGame();
    if (ConfirmAbort() != Answer::Ok) return;
    GameAbandoned();
    ForgetSteps();
    RunRulesDialog();

    // The next new game returns to the size that was being played.
    GameState.damier = GameState.gridSize;
    GameState.items = GameState.itemCount;
    GameState.hiddenBoard.fill(0);
    GameState.hiddenLabels.fill(0);

    GameState.itemCount = 12;
    GameState.gridSize = 8;
    ComputeLayout();
    // Two free palette slots: a palette tap can select only the first two slots of the strip.
    GameState.placedCount = 10;

    for (const DemoItem& cell : kDemoBoard) GameState.hiddenBoard[cell.x * 8 + cell.y] = cell.item;
    GameState.wormholeA = kDemoWormholeA;
    GameState.wormholeB = kDemoWormholeB;

    if (LabelAllPorts(kHiddenBoard) != 0) InternalError("Internal error 0 (OnLearn)");
    GameState.playerBoard = GameState.hiddenBoard;
    if (LabelAllPorts(kPlayerBoard) != 0) InternalError("Internal error 1 (OnLearn)");
    uint16_t count = 0;
    TraceRay(kDemoShownPort, count, kHiddenBoard);

    GameState.shownPort = kDemoShownPort;
    GameState.gamePhase = Learning;
    InvalidateClient();
}

void OnHint() {
    GameState.hint = GameState.hint == 0 ? 1 : 0;
    KeepGame();
    InvalidateClient();
    UpdateWindow();
}

void OnOptions() {
    StopTitleScreen();
    if (GameState.moveCount != 0) {
        if (GameState.gamePhase == Playing) {
            const Answer answer = MessageBox(Text(u"This will abort the current game. Continue?",
                                                  u"Cela va arrêter la partie en-cours. Continuer?"),
                                             Text(u"Warning", u"Attention"), BoxStyle::OkCancel);
            if (answer != Answer::Ok) return;
        }
        // The game ends here, shown as finished but not counted.
        KillTimer(GameState.timerId);
        int32_t misplaced = 0;
        const int16_t mismatches = CompareBoards(misplaced);
        GameState.moveCount = misplaced;
        GameState.mismatchCount = mismatches;
        GameState.gamePhase = Finished;
        if (mismatches < 0) {
            GameState.gamePhase = Broken;
            InternalError("Internal error 5 (OnOptions)");
        }
    }

    GameState.optionsChanged = 0;
    RunOptionsDialog();
    UpdateMenuLabels();
    SaveSettings();
    if (GameState.optionsChanged != 0) {
        ForgetSteps();
        DealPuzzle();
    }
    KeepGame();
    InvalidateClient();
}

void OnTimer(uint32_t /*timerId*/) {
    if (GameState.titleStartTick != 0) {
        const uint32_t now = GetTickCount();
        if (now - GameState.titleStartTick > 5000) {
            StopTitleScreen();
            InvalidateClient();
            UpdateWindow();
        } else if (GameState.titleFrame <= 1) {
            InvalidateClient();
        } else {
            InvalidateRect(GameState.animationRect);
        }
        return;
    }
    if (GameState.moveCount != 0) {
        GameState.lastTick = GetTickCount();
        InvalidateRect(GameState.clockRect);
        KeepRunningClock();
    }
}

void OnCommand(int id) {
    if (id != ID_HELP_SURE_CELL && id != ID_HELP_CHECK) ForgetSureCell();
    switch (id) {
        case ID_NEW_GAME:
        case ID_TOOL_NEW_GAME:
            OnNewGame();
            break;
        case ID_SOLUTION:
        case ID_TOOL_SOLUTION:
            OnSolution();
            break;
        case ID_LEARN:
        case ID_TOOL_LEARN:
            OnLearn();
            break;
        case ID_OPTIONS:
        case ID_TOOL_OPTIONS:
            OnOptions();
            break;
        case ID_ABOUT:
            ShowAbout();
            break;
        case ID_TOOL_HINT:
            OnHint();
            break;
        case ID_HELP_CHECK:
            OnCheckBoard();
            break;
        case ID_HELP_SURE_CELL:
            OnShowSureCell();
            break;
        case ID_HELP_ONE_ANSWER:
            SetOneAnswerPuzzles(!OneAnswerPuzzles());  // from the next deal on
            break;
        case ID_EDIT_UNDO:
            OnUndo();
            break;
        case ID_EDIT_REDO:
            OnRedo();
            break;
        case ID_APP_EXIT:
            if (ConfirmClose()) CloseMainWindow();
            break;
        default:
            break;
    }
}
