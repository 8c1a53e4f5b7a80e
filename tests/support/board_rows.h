// Boards written as rows of cells, top to bottom, with the characters of mirovane-cli: . empty,
// / and \ diagonal mirrors, | and - vertical and horizontal mirrors, o absorber, # total reflector,
// A and B the wormhole ends; the screen laid out for such a board, and a game hiding one.
#pragma once

#include <initializer_list>
#include <string_view>

#include "model/game_state.h"
#include "model/model.h"

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

// Lays the screen out for an N x N board of K items.
inline void Layout(int32_t n, int32_t k) {
    GameState.gridSize = n;
    GameState.itemCount = k;
    ComputeLayout();
}

// Replaces the game by a new one hiding `rows`, with K the number of its items but the wormhole ends,
// which stand on the player's board too; labels it and recounts the palette.
inline void UsePuzzle(Rows rows) {
    GameState.damier = static_cast<int32_t>(rows.size());
    GameState.items = 0;
    for (std::string_view row : rows) {
        for (char c : row) GameState.items += c != '.' && c != 'A' && c != 'B';
    }
    GeneratePuzzle();
    GameState.wormholeA = GameState.wormholeB = Point32{-1, -1};
    SetRows(GameState.hiddenBoard, rows);
    for (int32_t cell = 0; cell < 64; ++cell)
        GameState.playerBoard[cell] =
            GameState.hiddenBoard[cell] >= WormholeA ? GameState.hiddenBoard[cell] : 0;
    LabelAllPorts(kHiddenBoard);
    RecountPalette(0);
}
