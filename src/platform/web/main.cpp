// The game in a web browser: the host table filled with the page's operations (shell/mirovane.js),
// and the game's entry points exported to the page. Every call into the page goes through one of the
// small functions below, each forwarding to Module.web; message boxes and dialogs wait for the
// player's answer without blocking the browser (the page suspends the game while they are open).
#include <emscripten.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/game_state.h"
#include "platform/host.h"
#include "platform/registry.h"
#include "platform/web/bitmap_file.h"
#include "platform/web/embedded_bitmaps.h"
#include "platform/web/text.h"
#include "render/offscreen.h"
#include "render/paint.h"
#include "ui/command_bar.h"
#include "ui/game_flow.h"
#include "ui/input.h"

// ---- The page's side ------------------------------------------------------------------------------
// Texts go to the page as UTF-16 code units: an address and a count.

EM_JS(void, PageSetTimer, (int id, int milliseconds), { Module.web.setTimer(id, milliseconds); });
EM_JS(void, PageKillTimer, (int id), { Module.web.killTimer(id); });
EM_JS(void, PageSchedulePaint, (), { Module.web.schedulePaint(); });
EM_JS(void, PagePresent, (const uint32_t* pixels, int left, int top, int right, int bottom),
      { Module.web.present(pixels, left, top, right, bottom); });
EM_ASYNC_JS(int, PageMessageBox,
            (const char16_t* text, int textLength, const char16_t* caption, int captionLength, int style),
            { return await Module.web.messageBox(text, textLength, caption, captionLength, style); });
EM_JS(void, PageLanguage, (int french), { Module.web.language(french); });
EM_JS(void, PageMenuLabel, (int position, const char16_t* text, int length),
      { Module.web.menuLabel(position, text, length); });
EM_JS(void, PageToolPictures, (const uint32_t* pixels, int width, int height),
      { Module.web.toolPictures(pixels, width, height); });
EM_JS(void, PageClose, (), { Module.web.close(); });
EM_JS(uint32_t, PageRandomSeed, (), { return Module.web.randomSeed(); });
EM_JS(int, PageSettingsLength, (), { return Module.web.settingsLength(); });
EM_JS(void, PageCopySettings, (char* bytes, int length), { Module.web.copySettings(bytes, length); });
EM_JS(int, PageWriteSettings, (const char* bytes, int length),
      { return Module.web.writeSettings(bytes, length); });
EM_JS(int, PageLineHeight, (), { return Module.web.lineHeight(); });
EM_JS(int, PageAscent, (), { return Module.web.ascent(); });
EM_JS(int, PageLineWidth, (const char16_t* text, int length), { return Module.web.lineWidth(text, length); });
EM_JS(void, PageDrawLine,
      (const char16_t* text, int length, uint8_t* mask, int width, int height, int ascent),
      { Module.web.drawLine(text, length, mask, width, height, ascent); });
EM_JS(void, PageDialogBegin, (const char16_t* caption, int length, int width, int height),
      { Module.web.dialogBegin(caption, length, width, height); });
EM_JS(void, PageDialogControl,
      (int kind, int id, int x, int y, int width, int height, const char16_t* text, int length, int style),
      { Module.web.dialogControl(kind, id, x, y, width, height, text, length, style); });
EM_ASYNC_JS(int, PageDialogClick, (), { return await Module.web.dialogClick(); });
EM_JS(void, PageDialogEnd, (), { Module.web.dialogEnd(); });
EM_JS(int, PageControlTextLength, (int id), { return Module.web.controlTextLength(id); });
EM_JS(void, PageCopyControlText, (int id, char16_t* text, int length),
      { Module.web.copyControlText(id, text, length); });
EM_JS(void, PageSetControlText, (int id, const char16_t* text, int length),
      { Module.web.setControlText(id, text, length); });
EM_JS(int, PageExchangeCheck, (int id, int pull, int value),
      { return Module.web.exchangeCheck(id, pull, value); });
EM_JS(int, PageExchangeRadio, (int firstId, int pull, int value),
      { return Module.web.exchangeRadio(firstId, pull, value); });

namespace {

int Count(std::u16string_view text) {
    return static_cast<int>(text.size());
}

// ---- The host -------------------------------------------------------------------------------------

Rect32 pending{0, 0, 0, 0};  // the part of the screen to paint, empty when right < left

bool Empty(const Rect32& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

uint32_t Ticks() {
    return static_cast<uint32_t>(static_cast<uint64_t>(emscripten_get_now()));
}

uint32_t StartPageTimer(uint32_t id, uint32_t milliseconds) {
    PageSetTimer(static_cast<int>(id), static_cast<int>(milliseconds));
    return id;
}

void Invalidate(const Rect32& rect) {
    const Rect32 clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, kGameWidth),
                         std::min(rect.bottom, kGameHeight)};
    if (Empty(clipped)) return;
    pending = Empty(pending)
                  ? clipped
                  : Rect32{std::min(pending.left, clipped.left), std::min(pending.top, clipped.top),
                           std::max(pending.right, clipped.right), std::max(pending.bottom, clipped.bottom)};
    PageSchedulePaint();
}

// Paints what is pending into the buffer and shows the buffer.
void PaintPending() {
    if (Empty(pending) || !Offscreen.exists) return;
    const Rect32 invalid = pending;
    pending = Rect32{0, 0, 0, 0};
    Paint(invalid);
    // Only the invalid part of the buffer holds the new frame, as on the handheld.
    PagePresent(Offscreen.bufferDC.Image().constBits(), invalid.left, invalid.top, invalid.right,
                invalid.bottom);
    // The title screen's first frame draws nothing; the handheld asked again at once because the
    // window stayed invalid, so ask again here.
    if (GameState.titleStartTick != 0 && GameState.titleFrame < 2) InvalidateClient();
}

// A box or dialog covered the game; the page keeps the canvas, but the game may have changed under it.
int RepaintUncovered(int answer) {
    InvalidateClient();
    return answer;
}

int ShowMessageBox(std::u16string_view text, std::u16string_view caption, unsigned style) {
    return RepaintUncovered(
        PageMessageBox(text.data(), Count(text), caption.data(), Count(caption), static_cast<int>(style)));
}

Bitmap LoadBitmap(int number) {
    static std::vector<std::pair<int, Bitmap>> loaded;
    for (const auto& [known, bitmap] : loaded) {
        if (known == number) return bitmap;
    }
    const std::span<const uint8_t> file = EmbeddedBitmap(number);
    Bitmap bitmap = file.empty() ? Bitmap() : BitmapFromBmp(file);
    loaded.emplace_back(number, bitmap);
    return bitmap;
}

void LanguageChanged() {
    PageLanguage(GameState.langue != 0 ? 1 : 0);
    for (const MenuLabel& label : MenuLabels(0)) {
        const std::u16string_view text = InLanguage(label);
        PageMenuLabel(label.position, text.data(), Count(text));
    }
}

// ---- Dialogs from templates -----------------------------------------------------------------------

void ExchangeText(void*, bool pull, int id, std::u16string& value) {
    if (!pull) {
        PageSetControlText(id, value.data(), Count(value));
        return;
    }
    value.assign(static_cast<std::size_t>(PageControlTextLength(id)), u'\0');
    PageCopyControlText(id, value.data(), Count(value));
}

void ExchangeCheck(void*, bool pull, int id, int32_t& value) {
    value = PageExchangeCheck(id, pull ? 1 : 0, value);
}

void ExchangeRadio(void*, bool pull, int firstId, int32_t& value) {
    value = PageExchangeRadio(firstId, pull ? 1 : 0, value);
}

void SetText(void*, int id, std::u16string_view text) {
    PageSetControlText(id, text.data(), Count(text));
}

int RunPageDialog(const DialogTemplate& dialog, DialogRun& run) {
    PageDialogBegin(dialog.caption.data(), Count(dialog.caption), dialog.width, dialog.height);
    for (const DialogControl& c : dialog.controls) {
        PageDialogControl(static_cast<int>(c.kind), c.id, c.x, c.y, c.width, c.height, c.text.data(),
                          Count(c.text), static_cast<int>(c.style));
    }
    const DialogControls controls{nullptr, &ExchangeText, &ExchangeCheck, &ExchangeRadio, &SetText};
    run.initDialog(run.state, controls);
    for (;;) {
        const int id = PageDialogClick();
        if (id == IDOK) run.accepted(run.state, controls);
        if (id == IDOK || id == IDCANCEL) {
            PageDialogEnd();
            return RepaintUncovered(id);
        }
        run.clicked(run.state, controls, id);
    }
}

// ---- Settings in the page's local storage ---------------------------------------------------------

SettingsRead ReadStoredSettings(std::string& text) {
    const int length = PageSettingsLength();
    if (length == -1) return SettingsRead::Missing;
    if (length < 0) return SettingsRead::Unreadable;
    if (static_cast<std::size_t>(length) > kSettingsFileLimit) return SettingsRead::TooLarge;
    text.assign(static_cast<std::size_t>(length), '\0');
    PageCopySettings(text.data(), length);
    return SettingsRead::Present;
}

int32_t WriteStoredSettings(const std::string& text) {
    return PageWriteSettings(text.data(), static_cast<int>(text.size()));
}

// ---- Text -----------------------------------------------------------------------------------------

int32_t LineWidth(std::u16string_view line) {
    return PageLineWidth(line.data(), Count(line));
}

void DrawLine(std::u16string_view line, uint8_t* mask, int32_t width, int32_t height, int32_t ascent) {
    PageDrawLine(line.data(), Count(line), mask, width, height, ascent);
}

void UseWebHost() {
    Host host{};
    host.tickCount = &Ticks;
    host.setTimer = &StartPageTimer;
    host.killTimer = [](uint32_t id) { PageKillTimer(static_cast<int>(id)); };
    host.invalidate = &Invalidate;
    host.updateWindow = &PaintPending;
    host.messageBox = &ShowMessageBox;
    host.loadBitmap = &LoadBitmap;
    host.languageChanged = &LanguageChanged;
    host.runDialog = &RunPageDialog;
    host.closeWindow = [] { PageClose(); };
    host.randomSeed = [] { return PageRandomSeed(); };
    host.readSettings = &ReadStoredSettings;
    host.writeSettings = &WriteStoredSettings;
    SetHost(host);
    UseGlyphText(GlyphSource{PageLineHeight(), PageAscent(), &LineWidth, &DrawLine});
}

}  // namespace

// ---- The game's entry points for the page ---------------------------------------------------------

extern "C" {

// The window's start-up: the host, the tool bar's pictures, the game, then the buffer and a first paint.
EMSCRIPTEN_KEEPALIVE void mirovane_start() {
    UseWebHost();
    const Bitmap strip = LoadBitmapW(128);
    if (!strip.isNull()) PageToolPictures(strip.constBits(), strip.width(), strip.height());
    OnCreate();
    CreateOffscreenBuffer(kGameWidth, kGameHeight);
    InvalidateClient();
}

// A tap at a game point; a double tap is two of these, as on the desktop.
EMSCRIPTEN_KEEPALIVE void mirovane_tap(int x, int y) {
    OnLButtonDown(0, x, y);
}

EMSCRIPTEN_KEEPALIVE void mirovane_timer(int id) {
    OnTimer(static_cast<uint32_t>(id));
}

EMSCRIPTEN_KEEPALIVE void mirovane_command(int id) {
    OnCommand(id);
}

EMSCRIPTEN_KEEPALIVE void mirovane_paint() {
    PaintPending();
}

// The game's drawing time of a whole frame in milliseconds, the mean of `count` paints (the page's
// tests report it).
EMSCRIPTEN_KEEPALIVE double mirovane_frame_ms(int count) {
    if (!Offscreen.exists || count <= 0) return 0;
    const double start = emscripten_get_now();
    for (int i = 0; i < count; ++i) Paint(Rect32{0, 0, kGameWidth, kGameHeight});
    return (emscripten_get_now() - start) / count;
}

}  // extern "C"
