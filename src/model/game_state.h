// The one game record of Mirovane and the vocabulary the whole game speaks.
//
// Cells. A cell is (x, y): x the column from 0 at the left, y the row from 0 at the top, on an N x N
// grid (N = gridSize, 4 to 8). A Board holds 64 item codes indexed [x * 8 + y] whatever N is; cells
// with x or y at N or beyond stay 0. Positions one step outside the grid (x or y equal to -1 or N)
// are the ports' positions, met only while a ray is traced.
//
// Ports. The 4N ports run clockwise from the top-left corner:
//   0 .. N-1     top, left to right     outside (p, -1)           ray enters moving Down
//   N .. 2N-1    right, top to bottom   outside (N, p - N)        ray enters moving Left
//   2N .. 3N-1   bottom, right to left  outside (3N - 1 - p, N)   ray enters moving Up
//   3N .. 4N-1   left, bottom to top    outside (-1, 4N - 1 - p)  ray enters moving Right
//
// Labels. The number shown at a port is an EdgeLabel: low byte the count of cells the ray crossed,
// high byte how it ended: 0x00 it left through another port, 0xF0 it came back out of its own port,
// 0x0F it was absorbed. Two labels are equal only when count and ending both agree.
//
// Ray path. rayPath holds the last traced ray: entry 0 is the entry port's outside position, then one
// entry per step (plus one for the landing cell of each wormhole jump). A ray that leaves the grid
// ends with its outside position and then (-200, exit port); an absorbed ray ends at the absorber.
// Entries not written hold (-99, -99). Readers stop at the first entry whose x is below -1.
#pragma once

#include <array>
#include <cstdint>

#include "model/points.h"

enum ItemType : int16_t {
    Empty = 0,
    SlashMirror = 1,      // diagonal, lower left to upper right
    BackslashMirror = 2,  // diagonal, upper left to lower right
    VerticalMirror = 3,
    HorizontalMirror = 4,
    Absorber = 5,
    TotalReflector = 6,
    WormholeA = 7,
    WormholeB = 8,
};

enum Direction : int32_t { Up = 0, Right = 1, Down = 2, Left = 3 };

enum GamePhase : int32_t { Playing = 0, Finished = 1, Learning = 2, Broken = 3 };

using Board = std::array<int16_t, 64>;
using EdgeLabel = uint16_t;
using PortLabels = std::array<EdgeLabel, 32>;
using RayPath = std::array<Point32, 200>;

inline constexpr int kRayPathCapacity = 200;
inline constexpr int32_t kRayUnwritten = -99;
inline constexpr int32_t kRayExitMark = -200;

inline constexpr uint16_t kLabelKindMask = 0xFF00;
inline constexpr uint16_t kLabelReflected = 0xF000;
inline constexpr uint16_t kLabelAbsorbed = 0x0F00;

// Board selector of the tracer and the labelling: 0 the hidden board, anything else the player's.
inline constexpr uint16_t kHiddenBoard = 0;
inline constexpr uint16_t kPlayerBoard = 1;

struct Star {
    int32_t x;
    int32_t y;
    int16_t brightness;  // 0 to 255
};

struct RipplePoint {
    double a;
    double b;
};

// Five totals of one player; all wrap at 32 bits.
struct PlayerStats {
    int32_t bestscore;
    int32_t totalbad;
    int32_t totalscore;
    int32_t totalplay;
    int32_t totaltime;
};

// The whole state of the program, in storage order. The off-screen buffer holds drawing objects and
// lives beside this record in the rendering code.
struct GameRecord {
    // Title screen: tables built in its set-up frame, and its fixed geometry.
    double depthScale = 0.0;
    std::array<RipplePoint, 90> rippleTable{};
    std::array<Star, 100> starField{};
    Point32 camera{20000, 20000};
    Point32 rippleCentre{85, 114};
    Point32 vanishingPoint{85, 110};
    Rect32 animationRect{0, 80, 240, 180};

    Point32 wormholeB{-1, -1};
    Point32 wormholeA{-1, -1};
    Rect32 messageRect{25, 15, 240, 45};
    Rect32 clockRect{150, 0, 240, 15};
    uint32_t timerId = 0;
    int16_t shownPort = 0;
    RayPath rayPath{};
    int16_t titleFrame = 0;
    uint32_t titleStartTick = 0;

    int32_t version = 0;
    GamePhase gamePhase = Playing;
    int32_t langue = 0;  // 0 English, anything else French
    int32_t hint = 0;
    int32_t gridSize = 0;   // N of the current game
    int32_t damier = 0;     // N for the next game
    int32_t itemCount = 0;  // K of the current game
    int32_t items = 0;      // K for the next game
    int32_t optionsChanged = 0;
    int32_t usereflect = 0;
    int32_t useabsorbed = 0;
    int32_t useworm = 0;

    int32_t placedCount = 0;
    int32_t paletteSlot = 0;
    int16_t selectedItem = 0;
    std::array<int16_t, 9> remaining{};  // indexed by ItemType

    int32_t moveCount = 0;
    int32_t mismatchCount = 0;
    uint32_t elapsedMs = 0;
    uint32_t gameStartTick = 0;
    uint32_t lastTick = 0;

    Board hiddenBoard{};
    Board playerBoard{};
    PortLabels hiddenLabels{};
    PortLabels playerLabels{};

    PlayerStats stats1{};
    int16_t player = 0;  // 0 Player 1, anything else Player 2
    PlayerStats stats2{};

    int16_t boardX = 0;
    int16_t boardY = 0;
    int16_t paletteX = 0;
    int16_t paletteY = 0;
};

// The one instance, with static storage. Tests put it back to its start-up contents with
// `GameState = GameRecord{}`.
extern GameRecord GameState;
