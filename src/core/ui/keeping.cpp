#include "core/ui/keeping.h"

#include <optional>
#include <string>

#include "core/ui/input.h"
#include "model/kept_game.h"
#include "model/model.h"
#include "seam/host.h"

namespace {

History steps;
std::optional<KeptGame> setAside;   // the game the question is about to abandon
std::optional<KeptGame> abandoned;  // the game Undo can bring back, until the next game's first tap
bool resumeAfterTitle = false;      // a kept game was found under the title screen
uint32_t resumeElapsedMs = 0;       // and how long it had run
bool stored = false;                // the store may hold a game
uint32_t lastKeptTick = 0;

constexpr uint32_t kKeepEveryMs = 5000;  // how often a running clock is written to the store

bool InProgress() {
    return GameState.gamePhase == Playing && GameState.moveCount != 0;
}

KeptGame CaptureNow() {
    KeptGame kept = CaptureGame(GameState, steps);
    if (GameState.moveCount != 0) kept.elapsedMs = GetTickCount() - GameState.gameStartTick;
    return kept;
}

// Puts `kept` in play; its clock goes on now, or when the title screen ends.
void BringBack(const KeptGame& kept) {
    RestoreGame(kept, GameState, steps);
    ComputeLayout();
    GameState.gameStartTick = GameState.lastTick = 0;
    if (GameState.moveCount != 0) {
        if (GameState.titleStartTick != 0) {
            resumeAfterTitle = true;
            resumeElapsedMs = kept.elapsedMs;
        } else {
            StartGameClock(kept.elapsedMs);
        }
    }
}

}  // namespace

void StartGameClock(uint32_t elapsedMs) {
    GameRecord& g = GameState;
    const uint32_t now = StartTick();
    g.gameStartTick = now - elapsedMs;
    if (g.gameStartTick == 0) g.gameStartTick = UINT32_MAX;  // 0 reads as "not started"
    g.lastTick = now;
    g.timerId = SetTimer(1, 100);
}

void ForgetSteps() {
    steps = History{};
}

PlayerSide BeforeBoardTap() {
    return TakePlayerSide(GameState);
}

void AfterBoardTap(const PlayerSide& before) {
    RecordChange(steps, before, GameState);
    abandoned.reset();  // the next game's first counted tap
}

bool CanUndoNow() {
    return (GameState.gamePhase == Playing && CanUndo(steps)) || abandoned.has_value();
}

bool CanRedoNow() {
    return GameState.gamePhase == Playing && CanRedo(steps);
}

void OnUndo() {
    if (GameState.gamePhase == Playing && Undo(steps, GameState)) {
        JudgeBoard();
        return;
    }
    if (!abandoned) return;
    const KeptGame kept = *abandoned;
    abandoned.reset();
    BringBack(kept);
    KeepGame();
    InvalidateClient();
    UpdateWindow();
}

void OnRedo() {
    if (GameState.gamePhase == Playing && Redo(steps, GameState)) JudgeBoard();
}

void SetAsideGame() {
    setAside.reset();
    if (InProgress()) setAside = CaptureNow();
}

void GameAbandoned() {
    if (setAside) abandoned = std::move(setAside);
    setAside.reset();
    KeepGame();
}

void KeepGame() {
    if (GameState.titleStartTick != 0) return;  // a found game waits for its clock
    lastKeptTick = GetTickCount();
    if (InProgress()) {
        stored = true;
        // A store that cannot be written now (a full disk) is tried again at the clock's next tick.
        if (WriteKeptGameText(WriteKeptGame(CaptureNow())) != 0) lastKeptTick -= kKeepEveryMs;
    } else if (stored) {
        stored = false;
        WriteKeptGameText(std::string());
    }
}

void KeepRunningClock() {
    if (GetTickCount() - lastKeptTick >= kKeepEveryMs) KeepGame();
}

void FindKeptGame() {
    steps = History{};
    setAside.reset();
    abandoned.reset();
    resumeAfterTitle = false;
    std::string text;
    const SettingsRead found = ReadKeptGameText(text);
    stored = found != SettingsRead::Missing;
    KeptGame kept;
    // A damaged, cut or foreign text, or one of another version, is left alone: the new deal stays.
    if (found != SettingsRead::Present || !ReadKeptGame(text, kept)) return;
    BringBack(kept);
}

void ResumeKeptClock() {
    if (!resumeAfterTitle) return;
    resumeAfterTitle = false;
    if (InProgress()) StartGameClock(resumeElapsedMs);
}
