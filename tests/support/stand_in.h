// A stand-in platform for the game core, without a window and without Qt: it implements the seam
// (seam/host.h) with the ticks, timers, random seed, message-box answers, dialog actions and settings
// text that a test chooses, records what the game asked, and paints the game's screen through the face
// (core/face.h) as a window's event loop would. Its bitmaps are the game's own BMP files, and its text
// is a glyph pattern of each character's code, so that a picture test never depends on a font.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/face.h"
#include "core/render/offscreen.h"
#include "model/game_state.h"
#include "model/model.h"
#include "seam/host.h"

// A message box the game asked for, with the game's phase at that moment.
struct AskedBox {
    std::u16string text;
    std::u16string caption;
    BoxStyle style = BoxStyle::Ok;
    int phase = 0;
    std::u16string TextAndCaption() const { return text + u'|' + caption; }
};

// A dialog built from its template as a platform builds it: each control's text and check, by id,
// radio buttons grouped in template order. Click acts as the player's pointer and tells the game.
class StandInDialog : private DialogControls {
  public:
    StandInDialog(const DialogTemplate& dialog, DialogRun& run);
    void Click(int id);
    // Answer::Ok runs the game's OK step before the dialog closes; returns `button`.
    Answer Close(Answer button) { return button == Answer::Ok ? run_.Accepted(*this), button : button; }
    const std::u16string& Text(int id) { return controls_[id].text; }

  private:
    struct Control {
        std::u16string text;
        bool checked = false;
        int group = -1;  // the id of its group's first radio button
    };
    std::vector<int> Group(int firstId) const;
    void ExchangeText(bool pull, int id, std::u16string& value) override;
    void ExchangeCheck(bool pull, int id, int32_t& value) override;
    void ExchangeRadio(bool pull, int firstId, int32_t& value) override;
    void SetText(int id, std::u16string_view text) override { controls_[id].text = text; }

    const DialogTemplate& template_;
    DialogRun& run_;
    std::map<int, Control> controls_;
};

// What the stand-in platform answers and what it was asked.
struct StandIn {
    uint32_t now = 1000;
    uint32_t seed = 12345;                // the next start's random seed; every start takes another
    std::map<uint32_t, uint32_t> timers;  // id -> period
    std::deque<Answer> answers;           // the next message boxes' answers, then OK
    std::vector<AskedBox> asked;
    // Clicks a shown dialog and closes it; without one every dialog is cancelled.
    std::function<Answer(StandInDialog&)> dialogAction;
    std::vector<int> dialogsShown;  // template numbers
    std::set<int> failingBitmaps;   // bitmap numbers whose load fails
    SettingsRead settingsRead = SettingsRead::Missing;
    std::string settings;
    int settingsWrites = 0;
    std::string kept;        // the game in progress, empty when none is kept
    int32_t writeError = 0;  // a write that fails leaves the text as it was
    int updates = 0;         // updateWindow calls
    bool closed = false;     // the game closed its window
    int commandsChanges = 0;
    Rect32 invalid{};  // waiting to be painted; empty when nothing is
};
extern StandIn standIn;

// The period of the game's clock (timer 1), 0 while it is stopped.
inline uint32_t ClockPeriod() {
    return standIn.timers.contains(1) ? standIn.timers[1] : 0;
}

// A fresh stand-in, installed as the game's host.
void UseStandIn();

// Paints what is invalid, as a window does when its event loop runs, until nothing is.
void PaintPending();

// The game's screen as the last frame left it.
inline const Bitmap& Screen() {
    return Offscreen.bufferDC.Image();
}
inline Colour ScreenPixel(int x, int y) {
    return Screen().pixel(x, y);
}
// How many pixels of `area` of the screen (right and bottom exclusive) have `colour`.
int CountOnScreen(const Rect32& area, Colour colour);
// Whether `area` of `picture` equals the same area of the screen.
bool ScreenShows(const Bitmap& picture, const Rect32& area);

// `text` drawn by the stand-in's text on a black screen, in `ink` on an opaque `band`.
Bitmap TextPicture(std::u16string_view text, const Rect32& rect, Colour ink, Colour band,
                   unsigned format = DT_CENTER);

// Every test of the game through its face: a fresh game record and stand-in, the game started as a
// platform starts it, and taps, keys and commands each followed by the paints they ask for.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the game as a platform does (again when it ran: a new run of the program); the title
    // screen shows. StartPlaying then ends the title with a tap in an empty margin.
    static void Start();
    static void StartPlaying();

    static void Tap(int x, int y) { TapAt(x, y), PaintPending(); }
    static void DoubleTap(int x, int y) { Tap(x, y), DoubleTapAt(x, y), PaintPending(); }
    static void Key(GameKey key) { PressKey(key), PaintPending(); }
    static void Command(int id) { RunCommand(id), PaintPending(); }
    static void Tick(uint32_t id = 1) { TimerFired(id), PaintPending(); }
    // Taps the centre of cell (x, y) of the current board, or palette slot s.
    static void TapCell(int x, int y) { Tap(GameState.boardX + 20 * x + 10, GameState.boardY + 20 * y + 10); }
    static void TapSlot(int s) { Tap(GameState.paletteX + 10, GameState.paletteY + 20 * s + 10); }
    // Selects item type t in the palette and places it on cell (x, y).
    static void Place(int16_t t, int x, int y) { RecountPalette(t), TapCell(x, y); }
};
