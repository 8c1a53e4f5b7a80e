// The game's face: everything a platform calls. A platform (the Qt desktop, the web page, a test's
// stand-in) implements the seam (seam/host.h) and calls the game through this header alone: it starts
// the game, hands it taps, keys, timer ticks, commands and close requests, and shows the picture that
// a paint request hands back. It never reads or writes the game's record.
//
// Game points count the pixels of the game's 240 x 268 screen (kGameWidth x kGameHeight in
// seam/host.h), whatever zoom a platform shows it at; rectangles have exclusive right and bottom edges.
#pragma once

#include <cstdint>
#include <span>

#include "core/ui/zoom.h"
#include "model/points.h"
#include "raster/raster.h"

// ---- Start and end ----------------------------------------------------------------------------------

// The window's start-up, once the platform's host is installed: seeds the random source, reads the
// settings (which deal the first puzzle), starts the title screen, makes the off-screen buffer and asks
// for the first frame.
void StartGame();

// Releases the off-screen buffer once the platform has stopped showing it.
void EndGame();

// The close request of the game's window (its close button, the Exit command, a closing page): while a
// game's clock runs the player is asked whether to abort it. True when the window may close; false
// when the player chose Cancel and goes on playing.
bool RequestClose();

// ---- Taps and keys ----------------------------------------------------------------------------------

// A pointer tap at a game point; it hides the key cursor. A double tap acts as a second tap.
void TapAt(int x, int y);
void DoubleTapAt(int x, int y);

// The keys of keyboard play, without modifiers: the arrows move the key cursor over the board's cells,
// the bands of port boxes and the palette; Tap (Space, Return) taps where it stands, or shows it;
// Slot1 to Slot9 (the digits) pick a palette slot.
enum class GameKey {
    Left,
    Right,
    Up,
    Down,
    Tap,
    Slot1,
    Slot2,
    Slot3,
    Slot4,
    Slot5,
    Slot6,
    Slot7,
    Slot8,
    Slot9
};
void PressKey(GameKey key);

// The outlines drawn over the shown picture (never into the game's own screen), in device pixels of a
// picture shown at `view`: the key cursor's square in orange, and the cell that "Show a sure cell"
// found in cyan, until the next tap. Each is a frame of `colour`, `thickness` wide, around the
// square, with a black frame of `inner` inside it. Returns how many there are now, 0 to 2.
struct Overlay {
    Rect32 outer;
    int thickness;
    int inner;
    Colour colour;
};
inline constexpr Colour kCursorColour = rgb(255, 160, 0);
inline constexpr Colour kSureCellColour = rgb(0, 255, 255);
int Overlays(const ZoomView& view, Overlay (&overlays)[2]);

// ---- Time -------------------------------------------------------------------------------------------

// A timer that the game started through the seam fired.
void TimerFired(uint32_t id);

// ---- Commands ---------------------------------------------------------------------------------------

// Where a command lives: the handheld's popup "Menu" and its tool bar, then the menus that the desktop
// adds: Edit (Undo, Redo) and Help (buttons of the page's bar), and View (the desktop window's own).
enum class CommandPlace { Menu, ToolBar, Edit, Help, View };

struct Command {
    int id;
    CommandPlace place;
    const char16_t* english;
    const char16_t* french;
    // Shortcuts in Qt's portable form ("Ctrl+N"), several separated by "; "; empty for none.
    const char* keys;
    int picture;          // the tool bar's picture: its index in the strip of bitmap 128, -1 for none
    bool separatorAfter;  // a separator follows it in its bar or menu
    bool checkable;       // an option that is on or off (CommandChecked)
};

// Help for a stuck player, and the preference for puzzles with one answer (kept by the platform,
// which hands it to the game before StartGame and reads it back through CommandChecked).
inline constexpr int ID_HELP_CHECK = 43001;
inline constexpr int ID_HELP_SURE_CELL = 43002;
inline constexpr int ID_HELP_ONE_ANSWER = 43003;
void UseOneAnswerPuzzles(bool on);

// The desktop's View menu: commands that the window carries out itself and the game never sees.
inline constexpr int ID_VIEW_ZOOM_IN = 41001;
inline constexpr int ID_VIEW_ZOOM_OUT = 41002;
inline constexpr int ID_VIEW_AUTOMATIC_SIZE = 41003;
inline constexpr int ID_VIEW_FULL_SCREEN = 41004;

// Every command in the order its menu or bar shows it.
std::span<const Command> Commands();
// A command's label, or a menu's title, in the player's language ("Menu" keeps its name in French).
const char16_t* CommandLabel(const Command& command);
const char16_t* MenuTitle(CommandPlace place);
// Whether a command can be chosen now (Undo and Redo only when there is a step to take); the game tells
// the platform when this may have changed (Host::commandsChanged).
bool CommandEnabled(int id);
bool CommandChecked(int id);
// Whether the player's language is French (the platform's own texts follow it).
bool PlaysInFrench();

// Runs a command of a menu or the tool bar by its id.
void RunCommand(int id);

// ---- Paint ------------------------------------------------------------------------------------------

// A paint request for `invalid` (game pixels): draws the frame and hands back what to show, the part
// of `picture` (240 x 268) inside `rect`. `picture` is null before the game's screen exists.
struct ShownFrame {
    Rect32 rect;
    const Bitmap* picture;
};
ShownFrame PaintFrame(const Rect32& invalid);
