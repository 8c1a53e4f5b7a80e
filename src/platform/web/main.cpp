// The game in a web browser: the host table filled with the page's operations (shell/mirovane-page.js),
// and the game's face (core/face.h) exported to the page. Every call into the page goes through one of the
// small functions below, each forwarding to Module.web; message boxes and dialogs wait for the
// player's answer without blocking the browser (the page suspends the game while they are open).
#include <emscripten.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/face.h"
#include "platform/web/bitmap_file.h"
#include "platform/web/embedded_bitmaps.h"
#include "platform/web/text.h"
#include "seam/host.h"
#include "seam/registry.h"

// ---- The page's side ------------------------------------------------------------------------------
// Texts go to the page as UTF-16 code units: an address and a count.

EM_JS(void, PageSetTimer, (int id, int milliseconds), { Module.web.setTimer(id, milliseconds); });
EM_JS(void, PageKillTimer, (int id), { Module.web.killTimer(id); });
EM_JS(void, PageSchedulePaint, (), { Module.web.schedulePaint(); });
EM_JS(void, PagePresent, (const uint32_t* pixels, int left, int top, int right, int bottom),
      { Module.web.present(pixels, left, top, right, bottom); });
EM_JS(void, PageView, (int zoom, int left, int top), { Module.web.view(zoom, left, top); });
EM_JS(void, PageOutlines, (const int32_t* values, int count), { Module.web.outlines(values, count); });
EM_ASYNC_JS(int, PageMessageBox,
            (const char16_t* text, int textLength, const char16_t* caption, int captionLength, int okCancel,
             int exclamation, int okId, int cancelId),
            {
                return await Module.web.messageBox(text, textLength, caption, captionLength, okCancel,
                                                   exclamation, okId, cancelId);
            });
EM_JS(void, PageLanguage, (int french), { Module.web.language(french); });
EM_JS(void, PageMenuTitle, (const char16_t* text, int length), { Module.web.menuTitle(text, length); });
EM_JS(void, PageCommand,
      (int id, const char* place, int picture, int separatorAfter, const char* keys, const char16_t* text,
       int length),
      {
          Module.web.command(id, UTF8ToString(place), picture, separatorAfter, UTF8ToString(keys), text,
                             length);
      });
EM_JS(void, PageCommandLabel, (int id, const char16_t* text, int length, int enabled, int checked),
      { Module.web.commandLabel(id, text, length, enabled, checked); });
EM_JS(int, PageOption, (int id), { return Module.web.option(id); });
EM_JS(void, PageToolPictures, (const uint32_t* pixels, int width, int height),
      { Module.web.toolPictures(pixels, width, height); });
EM_JS(void, PageClose, (), { Module.web.close(); });
EM_JS(uint32_t, PageRandomSeed, (), { return Module.web.randomSeed(); });
EM_JS(int, PageStoredLength, (const char* key), { return Module.web.storedLength(UTF8ToString(key)); });
EM_JS(void, PageCopyStored, (char* bytes, int length), { Module.web.copyStored(bytes, length); });
EM_JS(int, PageWriteStored, (const char* key, const char* bytes, int length),
      { return Module.web.writeStored(UTF8ToString(key), bytes, length); });
EM_JS(int, PageLineHeight, (), { return Module.web.lineHeight(); });
EM_JS(int, PageAscent, (), { return Module.web.ascent(); });
EM_JS(int, PageLineWidth, (const char16_t* text, int length), { return Module.web.lineWidth(text, length); });
EM_JS(void, PageDrawLine,
      (const char16_t* text, int length, uint8_t* mask, int width, int height, int ascent),
      { Module.web.drawLine(text, length, mask, width, height, ascent); });
EM_JS(void, PageDialogBegin,
      (const char16_t* caption, int length, int width, int height, int okId, int cancelId),
      { Module.web.dialogBegin(caption, length, width, height, okId, cancelId); });
EM_JS(void, PageDialogControl,
      (const char* kind, int id, int x, int y, int width, int height, const char16_t* text, int length,
       const char* style),
      {
          Module.web.dialogControl(UTF8ToString(kind), id, x, y, width, height, text, length,
                                   UTF8ToString(style));
      });
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
ZoomView shownAt;            // where the page's canvas shows the game, in device pixels

bool IsEmpty(const Rect32& rect) {
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
    if (IsEmpty(clipped)) return;
    pending = IsEmpty(pending)
                  ? clipped
                  : Rect32{std::min(pending.left, clipped.left), std::min(pending.top, clipped.top),
                           std::max(pending.right, clipped.right), std::max(pending.bottom, clipped.bottom)};
    PageSchedulePaint();
}

// The outlines over the canvas (the key cursor, a sure cell): seven numbers each, as the page reads them.
void ShowOutlines() {
    Overlay overlays[2];
    const int count = Overlays(shownAt, overlays);
    int32_t values[14] = {};
    for (int i = 0; i < count; ++i) {
        const Overlay& o = overlays[i];
        const int32_t one[7] = {o.outer.left,
                                o.outer.top,
                                o.outer.right,
                                o.outer.bottom,
                                o.thickness,
                                o.inner,
                                static_cast<int32_t>(o.colour & 0xFFFFFFu)};
        for (int k = 0; k < 7; ++k) values[7 * i + k] = one[k];
    }
    PageOutlines(values, count);
}

// Paints what is pending into the buffer and shows the buffer.
void PaintPending() {
    if (IsEmpty(pending)) return;
    const Rect32 invalid = pending;
    pending = Rect32{0, 0, 0, 0};
    const ShownFrame shown = PaintFrame(invalid);
    if (shown.picture == nullptr) return;
    ShowOutlines();
    // Only the invalid part of the buffer holds the new frame, as on the handheld.
    PagePresent(shown.picture->constBits(), shown.rect.left, shown.rect.top, shown.rect.right,
                shown.rect.bottom);
}

// A box or dialog covered the game; the page keeps the canvas, but the game may have changed under it.
Answer RepaintUncovered(int id) {
    InvalidateClient();
    return id == AnswerId(Answer::Ok) ? Answer::Ok : Answer::Cancel;
}

Answer ShowMessageBox(std::u16string_view text, std::u16string_view caption, BoxStyle style) {
    return RepaintUncovered(PageMessageBox(
        text.data(), Count(text), caption.data(), Count(caption), style != BoxStyle::Ok ? 1 : 0,
        style == BoxStyle::OkCancelWarning ? 1 : 0, AnswerId(Answer::Ok), AnswerId(Answer::Cancel)));
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

void Relabel() {
    PageLanguage(PlaysInFrench() ? 1 : 0);
    const std::u16string_view title = MenuTitle(CommandPlace::Menu);
    PageMenuTitle(title.data(), Count(title));
    for (const Command& command : Commands()) {
        const std::u16string_view label = CommandLabel(command);
        PageCommandLabel(command.id, label.data(), Count(label), CommandEnabled(command.id) ? 1 : 0,
                         command.checkable ? (CommandChecked(command.id) ? 1 : 0) : -1);
    }
}

// The page shows the handheld's "Menu" and tool bar, and Edit's and Help's commands as buttons of its
// bar (the preference for puzzles with one answer kept in local storage); the View
// menu's zoom and full screen are the desktop window's, the page fits the game to its canvas itself.
void BuildCommandBar() {
    const Bitmap strip = LoadBitmapW(128);
    if (!strip.isNull()) PageToolPictures(strip.constBits(), strip.width(), strip.height());
    for (const Command& command : Commands()) {
        if (command.place == CommandPlace::View) continue;
        const std::u16string_view label = CommandLabel(command);
        const char* place = command.place == CommandPlace::ToolBar ? "toolbar"
                            : command.place == CommandPlace::Menu  ? "menu"
                                                                   : "bar";  // Edit and Help
        PageCommand(command.id, place, command.picture, command.separatorAfter ? 1 : 0, command.keys,
                    label.data(), Count(label));
    }
}

// ---- Dialogs from templates -----------------------------------------------------------------------

// A control's kind and style as the page's dialog builder names them.
const char* KindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::RadioButton:
            return "radio";
        case ControlKind::CheckBox:
            return "check";
        case ControlKind::PushButton:
            return "button";
        case ControlKind::GroupBox:
            return "group";
        case ControlKind::CentredLabel:
            return "label";
        case ControlKind::LineEdit:
            return "edit";
        case ControlKind::MultiLineEdit:
            return "multiline";
    }
    return "label";
}

std::string StyleNames(unsigned style) {
    std::string names;
    constexpr std::pair<unsigned, const char*> kNames[] = {{kBordered, "bordered"},
                                                           {kCentred, "centred"},
                                                           {kRightAligned, "right"},
                                                           {kVerticalScroll, "scroll"},
                                                           {kOpensGroup, "opens-group"}};
    for (const auto& [bit, name] : kNames) {
        if ((style & bit) != 0) names += std::string(names.empty() ? "" : " ") + name;
    }
    return names;
}

// The controls of the page's dialog that is open, as the game exchanges values with them.
class PageControls final : public DialogControls {
  public:
    void ExchangeText(bool pull, int id, std::u16string& value) override {
        if (!pull) {
            PageSetControlText(id, value.data(), Count(value));
            return;
        }
        value.assign(static_cast<std::size_t>(PageControlTextLength(id)), u'\0');
        PageCopyControlText(id, value.data(), Count(value));
    }
    void ExchangeCheck(bool pull, int id, int32_t& value) override {
        value = PageExchangeCheck(id, pull ? 1 : 0, value);
    }
    void ExchangeRadio(bool pull, int firstId, int32_t& value) override {
        value = PageExchangeRadio(firstId, pull ? 1 : 0, value);
    }
    void SetText(int id, std::u16string_view text) override {
        PageSetControlText(id, text.data(), Count(text));
    }
};

Answer RunPageDialog(const DialogTemplate& dialog, DialogRun& run) {
    PageDialogBegin(dialog.caption.data(), Count(dialog.caption), dialog.width, dialog.height,
                    AnswerId(Answer::Ok), AnswerId(Answer::Cancel));
    for (const DialogControl& c : dialog.controls) {
        PageDialogControl(KindName(c.kind), c.id, c.x, c.y, c.width, c.height, c.text.data(), Count(c.text),
                          StyleNames(c.style).c_str());
    }
    PageControls controls;
    run.InitDialog(controls);
    for (;;) {
        const int id = PageDialogClick();
        if (id == AnswerId(Answer::Ok)) run.Accepted(controls);
        if (id == AnswerId(Answer::Ok) || id == AnswerId(Answer::Cancel)) {
            PageDialogEnd();
            return RepaintUncovered(id);
        }
        run.Clicked(controls, id);
    }
}

// ---- The stores in the page's local storage --------------------------------------------------------
// The settings under "Mirovane.reg", in the same text as the desktop's file; the game in progress under
// "Mirovane.game". Each is one item, read and replaced as one; an empty game text removes its item.

constexpr const char* kSettingsKey = "Mirovane.reg";
constexpr const char* kGameKey = "Mirovane.game";

SettingsRead ReadStored(const char* key, std::size_t limit, std::string& text) {
    const int length = PageStoredLength(key);
    if (length == -1) return SettingsRead::Missing;
    if (length < 0) return SettingsRead::Unreadable;
    if (static_cast<std::size_t>(length) > limit) return SettingsRead::TooLarge;
    text.assign(static_cast<std::size_t>(length), '\0');
    PageCopyStored(text.data(), length);
    return SettingsRead::Present;
}

SettingsRead ReadStoredSettings(std::string& text) {
    return ReadStored(kSettingsKey, kSettingsFileLimit, text);
}

int32_t WriteStoredSettings(const std::string& text) {
    return PageWriteStored(kSettingsKey, text.data(), static_cast<int>(text.size()));
}

SettingsRead ReadStoredGame(std::string& text) {
    return ReadStored(kGameKey, kKeptGameTextLimit, text);
}

int32_t WriteStoredGame(const std::string& text) {
    return PageWriteStored(kGameKey, text.data(), static_cast<int>(text.size()));
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
    host.commandsChanged = &Relabel;
    host.runDialog = &RunPageDialog;
    host.closeWindow = [] { PageClose(); };
    host.randomSeed = [] { return PageRandomSeed(); };
    host.readSettings = &ReadStoredSettings;
    host.writeSettings = &WriteStoredSettings;
    host.readGame = &ReadStoredGame;
    host.writeGame = &WriteStoredGame;
    host.drawText = &DrawGlyphText;
    UseGlyphText(GlyphSource{PageLineHeight(), PageAscent(), &LineWidth, &DrawLine});
    SetHost(host);
}

}  // namespace

// ---- The game's entry points for the page ---------------------------------------------------------

extern "C" {

// The window's start-up: the host, the command bar, the game and its first frame.
EMSCRIPTEN_KEEPALIVE void mirovane_start() {
    UseWebHost();
    BuildCommandBar();
    UseOneAnswerPuzzles(PageOption(ID_HELP_ONE_ANSWER) != 0);
    StartGame();
}

// The canvas is width x height device pixels: the game is shown at the largest whole zoom that fits,
// centred; the page is told where.
EMSCRIPTEN_KEEPALIVE void mirovane_resize(int width, int height) {
    shownAt = CentredView(width, height, FittingZoom(width, height));
    PageView(shownAt.zoom, shownAt.left, shownAt.top);
    InvalidateClient();
}

// A tap at a device point of the canvas; a double tap is two of these, as on the desktop. The black
// margin around the game takes no taps.
EMSCRIPTEN_KEEPALIVE void mirovane_tap(int x, int y) {
    int gameX = 0;
    int gameY = 0;
    if (ToGamePoint(shownAt, x, y, gameX, gameY)) TapAt(gameX, gameY);
}

// A key of keyboard play, by the name the browser gives it (KeyboardEvent.key); false for a key that
// is not the game's, which the page then leaves to the browser.
EMSCRIPTEN_KEEPALIVE int mirovane_key(const char* name) {
    const std::string key(name);
    constexpr std::pair<const char*, GameKey> kKeys[] = {
        {"ArrowLeft", GameKey::Left}, {"ArrowRight", GameKey::Right},
        {"ArrowUp", GameKey::Up},     {"ArrowDown", GameKey::Down},
        {" ", GameKey::Tap},          {"Enter", GameKey::Tap}};
    for (const auto& [known, game] : kKeys) {
        if (key == known) {
            PressKey(game);
            return 1;
        }
    }
    if (key.size() == 1 && key[0] >= '1' && key[0] <= '9') {
        PressKey(static_cast<GameKey>(static_cast<int>(GameKey::Slot1) + key[0] - '1'));
        return 1;
    }
    return 0;
}

EMSCRIPTEN_KEEPALIVE void mirovane_timer(int id) {
    TimerFired(static_cast<uint32_t>(id));
}

EMSCRIPTEN_KEEPALIVE void mirovane_command(int id) {
    RunCommand(id);
}

EMSCRIPTEN_KEEPALIVE void mirovane_paint() {
    PaintPending();
}

// The game's drawing time of a whole frame in milliseconds, the mean of `count` paints (the page's
// tests report it).
EMSCRIPTEN_KEEPALIVE double mirovane_frame_ms(int count) {
    if (count <= 0) return 0;
    const double start = emscripten_get_now();
    for (int i = 0; i < count; ++i) PaintFrame(Rect32{0, 0, kGameWidth, kGameHeight});
    return (emscripten_get_now() - start) / count;
}

}  // extern "C"
