// The one seam between the game and a platform, in the game's own vocabulary: plain points,
// rectangles and 32-bit colours, UTF-16 text, bitmaps by number. The game calls the free functions
// below; a platform (the Qt desktop, the web page, a test stand-in) fills a Host table with its own
// operations and installs it with SetHost before the game runs. What the platform calls in the game is
// the game's face (core/face.h).
//
// Without an installed platform every operation does nothing: no ticks (0), no timers, no bitmaps,
// no settings (a write fails quietly), and every message box is answered OK.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/kept_game.h"
#include "model/points.h"
#include "raster/device_context.h"
#include "raster/raster.h"
#include "seam/dialog.h"

// The largest kept game a store hands the game (model/kept_game.h).
inline constexpr std::size_t kKeptGameTextLimit = kKeptGameMaxBytes;

// What reading the settings text found. The text is the registry export of seam/registry.h.
enum class SettingsRead { Present, Missing, Unreadable, TooLarge };

// ---- Message boxes ------------------------------------------------------------------------------
// A message box's buttons, and its warning icon (the values are the handheld's style bits).
enum class BoxStyle : unsigned { Ok = 0x0, OkCancel = 0x1, OkCancelWarning = 0x31 };

struct Host {
    // Milliseconds from a steady clock, as a 32-bit counter that wraps.
    uint32_t (*tickCount)();
    // Starts (or replaces) timer `id`, firing every `milliseconds` through OnTimer; returns the id.
    uint32_t (*setTimer)(uint32_t id, uint32_t milliseconds);
    void (*killTimer)(uint32_t id);
    // Marks a rectangle of the game's screen for repainting; updateWindow paints what is marked at
    // once, before it returns.
    void (*invalidate)(const Rect32& rect);
    void (*updateWindow)();
    // A modal message box owned by the game's window: Answer::Ok or Answer::Cancel.
    Answer (*messageBox)(std::u16string_view text, std::u16string_view caption, BoxStyle style);
    // Bitmap resource `number` (120 .. 132), shared; a null Bitmap when it cannot be loaded.
    Bitmap (*loadBitmap)(int number);
    // The labels (the game's language) or the availability of commands changed: the platform relabels
    // and enables its menus and bars (core/face.h: Commands, CommandLabel, CommandEnabled) and its own
    // texts.
    void (*commandsChanged)();
    // Runs a modal dialog built from `dialog`'s template; `run` is told of every click and exchanges
    // the controls' values. Answer::Ok or Answer::Cancel.
    Answer (*runDialog)(const DialogTemplate& dialog, DialogRun& run);
    // The close request of the game's window (the Exit command).
    void (*closeWindow)();
    // A seed for the game's random source, different at every start.
    uint32_t (*randomSeed)();
    // The whole settings text, read and replaced as one: reading never writes; a write replaces the
    // whole text or leaves the old one, and returns ERROR_SUCCESS or a registry error code
    // (seam/registry.h).
    SettingsRead (*readSettings)(std::string& text);
    int32_t (*writeSettings)(const std::string& text);
    // The game in progress, kept after every change so that a closed page or a killed program finds it
    // again (model/kept_game.h): read and replaced as one, like the settings; an empty text removes it.
    SettingsRead (*readGame)(std::string& text);
    int32_t (*writeGame)(const std::string& text);
    // Draws a text into a bitmap in the platform's font; the raster core's drawing contexts call it
    // (see TextDrawer in raster/device_context.h).
    TextDrawer drawText;
};

// Installs a platform's operations; every null entry keeps the do-nothing default (text draws nothing
// and measures 0).
void SetHost(const Host& host);

// ---- What the game calls --------------------------------------------------------------------------
uint32_t GetTickCount();
// The tick to keep as the start of the title screen or of a game's clock. The game reads a start tick
// of 0 as "not started", so a start that falls on tick 0 is taken one millisecond earlier.
uint32_t StartTick();
uint32_t SetTimer(uint32_t id, uint32_t milliseconds);
void KillTimer(uint32_t timerId);
void InvalidateRect(const Rect32& rect);
// The whole 240 x 268 screen.
void InvalidateClient();
void UpdateWindow();
Answer MessageBox(std::u16string_view text, std::u16string_view caption, BoxStyle style);
Bitmap LoadBitmapW(int number);
void CommandsChanged();
Answer RunDialog(const DialogTemplate& dialog, DialogRun& run);
void CloseMainWindow();
uint32_t RandomSeed();
SettingsRead ReadSettings(std::string& text);
int32_t WriteSettings(const std::string& text);
SettingsRead ReadKeptGameText(std::string& text);
int32_t WriteKeptGameText(const std::string& text);

// The game's screen, whatever the window's zoom.
inline constexpr int kGameWidth = 240;
inline constexpr int kGameHeight = 268;
