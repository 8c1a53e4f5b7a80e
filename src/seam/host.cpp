#include "seam/host.h"

#include "seam/registry.h"

namespace {

uint32_t NoTicks() {
    return 0;
}
uint32_t NoTimer(uint32_t, uint32_t) {
    return 0;
}
void NoKill(uint32_t) {}
void NoInvalidate(const Rect32&) {}
void Nothing() {}
Answer AnswerOk(std::u16string_view, std::u16string_view, BoxStyle) {
    return Answer::Ok;
}
Bitmap NoBitmap(int) {
    return {};
}
Answer CancelDialog(const DialogTemplate&, DialogRun&) {
    return Answer::Cancel;
}

SettingsRead NoSettings(std::string&) {
    return SettingsRead::Missing;
}
int32_t CannotWrite(const std::string&) {
    return ERROR_WRITE_FAULT;
}

constexpr Host kNoPlatform{&NoTicks,     &NoTimer,    &NoKill,       &NoInvalidate, &Nothing, &AnswerOk,
                           &NoBitmap,    &Nothing,    &CancelDialog, &Nothing,      &NoTicks, &NoSettings,
                           &CannotWrite, &NoSettings, &CannotWrite,  nullptr};

Host installed = kNoPlatform;

template <typename Function>
void Take(Function& slot, Function given, Function fallback) {
    slot = given != nullptr ? given : fallback;
}

}  // namespace

void SetHost(const Host& host) {
    Take(installed.tickCount, host.tickCount, kNoPlatform.tickCount);
    Take(installed.setTimer, host.setTimer, kNoPlatform.setTimer);
    Take(installed.killTimer, host.killTimer, kNoPlatform.killTimer);
    Take(installed.invalidate, host.invalidate, kNoPlatform.invalidate);
    Take(installed.updateWindow, host.updateWindow, kNoPlatform.updateWindow);
    Take(installed.messageBox, host.messageBox, kNoPlatform.messageBox);
    Take(installed.loadBitmap, host.loadBitmap, kNoPlatform.loadBitmap);
    Take(installed.commandsChanged, host.commandsChanged, kNoPlatform.commandsChanged);
    Take(installed.runDialog, host.runDialog, kNoPlatform.runDialog);
    Take(installed.closeWindow, host.closeWindow, kNoPlatform.closeWindow);
    Take(installed.randomSeed, host.randomSeed, kNoPlatform.randomSeed);
    Take(installed.readSettings, host.readSettings, kNoPlatform.readSettings);
    Take(installed.writeSettings, host.writeSettings, kNoPlatform.writeSettings);
    Take(installed.readGame, host.readGame, kNoPlatform.readGame);
    Take(installed.writeGame, host.writeGame, kNoPlatform.writeGame);
    SetTextDrawer(host.drawText);
}

uint32_t GetTickCount() {
    return installed.tickCount();
}

uint32_t StartTick() {
    const uint32_t now = GetTickCount();
    return now != 0 ? now : UINT32_MAX;
}

uint32_t SetTimer(uint32_t id, uint32_t milliseconds) {
    return installed.setTimer(id, milliseconds);
}

void KillTimer(uint32_t timerId) {
    installed.killTimer(timerId);
}

void InvalidateRect(const Rect32& rect) {
    installed.invalidate(rect);
}

void InvalidateClient() {
    installed.invalidate(Rect32{0, 0, kGameWidth, kGameHeight});
}

void UpdateWindow() {
    installed.updateWindow();
}

Answer MessageBox(std::u16string_view text, std::u16string_view caption, BoxStyle style) {
    return installed.messageBox(text, caption, style);
}

Bitmap LoadBitmapW(int number) {
    return installed.loadBitmap(number);
}

void CommandsChanged() {
    installed.commandsChanged();
}

Answer RunDialog(const DialogTemplate& dialog, DialogRun& run) {
    return installed.runDialog(dialog, run);
}

void CloseMainWindow() {
    installed.closeWindow();
}

uint32_t RandomSeed() {
    return installed.randomSeed();
}

SettingsRead ReadSettings(std::string& text) {
    return installed.readSettings(text);
}

int32_t WriteSettings(const std::string& text) {
    return installed.writeSettings(text);
}

SettingsRead ReadKeptGameText(std::string& text) {
    return installed.readGame(text);
}

int32_t WriteKeptGameText(const std::string& text) {
    return installed.writeGame(text);
}
