// The operations of the game model. All of them work in place on GameState and never allocate.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model/game_state.h"

// Result codes of TraceRay besides an exit port 0 .. 4N-1.
inline constexpr int16_t TraceAbsorbed = -1;
inline constexpr int16_t TracePortTooLarge = -997;
inline constexpr int16_t TraceStepLimit = -998;
inline constexpr int16_t TraceNegativePort = -999;

// Traces the ray fired in at `port` through the hidden board (board 0) or the player's board (any
// other value); fills rayPath unless the port is out of range. Returns the exit port or a code above.
int16_t TraceRay(int16_t port, uint16_t& count, uint16_t board);

// Labels every port of one board into hiddenLabels or playerLabels. 0, or -1 when a trace failed.
int16_t LabelAllPorts(uint16_t board);

// Starts a new game from damier, items and the three item options.
void GeneratePuzzle();

// Recounts the palette; preferred 1..6 selects that type, 0 the first type left, other values
// only keep the selection valid.
void RecountPalette(int16_t preferred);

// Relabels the player's board; returns the number of differing ports or -1, and the misplaced count.
int16_t CompareBoards(int32_t& misplaced);

// Places the board and the palette for the current gridSize and itemCount.
void ComputeLayout();

// Top-left corner of port p's 21 x 21 label box.
void PortPosition(int16_t port, Point32& point);

// Writes a duration as 45"3, 1'5"3 or 1h2'3"4 into `buffer` (room for `capacity` characters with the
// terminating zero; 13 always suffice). Returns the number of characters written.
int FormatElapsed(wchar_t* buffer, std::size_t capacity, uint32_t milliseconds);
