// Painting of the game screen.
#pragma once

#include <cstdint>
#include <string>

#include "model/game_state.h"
#include "model/points.h"

// The internal errors met while drawing a frame, in their order: the player's board could not be
// labelled (a ray beyond the tracer's step limit), or a bitmap could not be loaded.
inline constexpr int kLabelsFailed = 20;
struct PaintErrors {
    int numbers[8] = {};
    int count = 0;
    void Add(int number) {
        if (count < 8) numbers[count++] = number;
    }
    bool Has(int number) const {
        for (int i = 0; i < count; ++i) {
            if (numbers[i] == number) return true;
        }
        return false;
    }
};

// Brings what the next frame shows up to date with the game: the palette counts and the selected item
// (which the next tap on an empty cell places), the labels of the player's board and the shown ray's
// path. Runs before every frame of the game screen and before every tap, so that what a tap does never
// depends on the last frame drawn. Does nothing during the title screen or once the game is broken.
// False when the player's board could not be labelled.
bool RefreshShownState();

// Whether a paint request for `invalid` reaches no further down than the clock strip: such a frame
// draws the clock alone, and the rest of the last full frame stays on screen.
bool ClockOnly(const GameRecord& game, const Rect32& invalid);

// Whether the frame shows a ray: the shown port's, once the game is over, during Learn rules, or while
// playing with online hints on.
bool RayShown(const GameRecord& game);

// Draws one frame of the game screen for a paint request whose invalid rectangle is `invalid` into the
// off-screen buffer, from `game` alone. `errors` comes holding kLabelsFailed when the refresh could not
// label the player's board (the boxes are left out); bitmaps that cannot be loaded are added to it. The
// window then shows the buffer, limited to the invalid region. Does nothing before the buffer exists.
void Paint(const GameRecord& game, const Rect32& invalid, PaintErrors& errors);

// The two steps of every full frame that show the puzzle's physics.
void DrawRayPath(const GameRecord& game);
void DrawPortLabels(const GameRecord& game, PaintErrors& errors);

// A number as "%i" writes it.
std::u16string NumberText(int32_t value);
