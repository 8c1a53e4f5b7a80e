// The puzzles the solver's timings deal: 8 x 8 cells and 13 items, under one of the eight option sets
// (bit 0 reflecting items, bit 1 absorbers, bit 2 the wormhole pair), each seed drawn from its own
// std::mt19937 as mirovane-cli generate does.
#pragma once

#include <random>

#include "model/game_state.h"

inline uint32_t EngineDraw(void* engine) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(engine))());
}

inline void SetOptions(int options) {
    GameState = GameRecord{};
    GameState.damier = 8;
    GameState.items = 13;
    GameState.usereflect = options & 1;
    GameState.useabsorbed = options & 2;
    GameState.useworm = options & 4;
}
