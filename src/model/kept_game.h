// The kept game: what a game in play needs to go on after the program was closed or killed, and its
// text.
//
// A kept game is taken from a game being played (gamePhase Playing). The text is ASCII, one field a
// line, `key value`, in this order, the last line "end" with its line feed:
//
//   Mirovane kept game 1
//   size 5                          N, 4 to 8
//   items 4                         K, 3 to 13
//   reflect 1                       the three item options, 0 or 1
//   absorb 1
//   worm 1
//   wormholes 1 0 3 4               the cells of ends A and B (x y x y), -1 -1 -1 -1 without the pair
//   hidden /A... ..o.. ..... ...B. \....
//   player .A... ..... ..... ...B. /....
//   hidden-labels 2 5r 3a ...       the 4N labels in port order: the count, then r when the ray came
//   player-labels 2 5r 3a ...       back out of its own port, a when it was absorbed
//   hint 1
//   shown-port -99                  a port, or -99 and -89 (no ray shown)
//   elapsed-ms 12500                how long the game has run, time away not counted
//   moves 3
//   placed 1
//   palette-slot 0
//   selected 1
//   remaining 0 1 0 0 1 0           the palette counts of the types 1 to 6
//   undo-steps 1
//   undo ..... ..... ..... ..... ..... 0 1
//   redo-steps 0
//   end
//
// A board is N rows top to bottom, each N cells: `.` empty, `/` `\` diagonal mirrors, `|` vertical
// mirror, `-` horizontal mirror, `o` absorber, `#` total reflector, `A` `B` the wormhole ends. An undo
// or redo step is the player's board, then paletteSlot and selectedItem; its counts follow from the
// boards. Steps are written oldest first, as History holds them.
//
// Reading accepts only a text that this writer could have written for a game in play: the version
// line, every key in its order, numbers in range, labels equal to those the tracer gives both boards,
// the wormhole ends where both boards have them and the options allow them, player boards holding no
// more of each item than the puzzle hides, and counts and selection as the palette shows them. Texts
// over kKeptGameMaxBytes are refused unread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/game_state.h"
#include "model/history.h"

inline constexpr std::size_t kKeptGameMaxBytes = 256 * 1024;

struct KeptGame {
    int32_t gridSize = 0;
    int32_t itemCount = 0;
    int32_t usereflect = 0;
    int32_t useabsorbed = 0;
    int32_t useworm = 0;
    Point32 wormholeA{-1, -1};
    Point32 wormholeB{-1, -1};
    Board hiddenBoard{};
    PortLabels hiddenLabels{};
    PortLabels playerLabels{};
    int32_t hint = 0;
    int16_t shownPort = 0;
    uint32_t elapsedMs = 0;
    int32_t moveCount = 0;
    PlayerSide player;
    History history;
    friend bool operator==(const KeptGame&, const KeptGame&) = default;
};

// Takes the game in play. The options and hint are kept as 0 or 1, the palette counts and the player's
// labels as the next repaint shows them, and the clock as lastTick - gameStartTick once it runs.
KeptGame CaptureGame(const GameRecord& game, const History& history);

// Puts a kept game back as a game in play: gamePhase Playing, elapsedMs the kept time, mismatchCount 0.
// The caller lays the screen out (ComputeLayout), restarts the clock (gameStartTick = now - elapsedMs,
// lastTick = now, its timer when moveCount is not 0) and repaints.
void RestoreGame(const KeptGame& kept, GameRecord& game, History& history);

std::string WriteKeptGame(const KeptGame& kept);

// Reads `text` into `kept`; false, with `kept` left alone, when the text is not a kept game. Labels the
// boards with the game's tracer, which works on GameState: GameState is put back as it was.
bool ReadKeptGame(std::string_view text, KeptGame& kept);
