// Boards written as rows of cells, top to bottom, with the characters of mirovane-cli: . empty,
// / and \ diagonal mirrors, | and - vertical and horizontal mirrors, o absorber, # total reflector,
// A and B the wormhole ends.
#pragma once

#include <initializer_list>
#include <string_view>

#include "model/game_state.h"

using Rows = std::initializer_list<std::string_view>;

// The board of `rows`; the rest of it is empty.
inline Board BoardOf(Rows rows) {
    Board board{};
    for (int32_t y = 0; std::string_view row : rows) {
        for (int32_t x = 0; x < static_cast<int32_t>(row.size()); ++x)
            board[x * 8 + y] = static_cast<int16_t>(std::string_view("./\\|-o#AB").find(row[x]));
        ++y;
    }
    return board;
}

// Puts `rows` on `board`, sets gridSize to their number and the wormhole ends to where they stand.
inline void SetRows(Board& board, Rows rows) {
    board = BoardOf(rows);
    GameState.gridSize = static_cast<int32_t>(rows.size());
    for (int32_t cell = 0; cell < 64; ++cell) {
        if (board[cell] == WormholeA) GameState.wormholeA = {cell / 8, cell % 8};
        if (board[cell] == WormholeB) GameState.wormholeB = {cell / 8, cell % 8};
    }
}
