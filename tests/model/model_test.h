// What every model test starts from: a fresh game record, and the default random source put back at
// the end. Boards are written as rows of cells, top to bottom, with the characters of mirovane-cli.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>

#include "model/game_state.h"
#include "model/model.h"
#include "model/random.h"

class ModelTest : public testing::Test {
  protected:
    void SetUp() override { GameState = GameRecord{}; }
    void TearDown() override { SetRandomSource(nullptr, nullptr); }
};

// Fills `board` from rows, sets gridSize to the number of rows and the wormhole ends to their cells.
inline void SetRows(Board& board, std::initializer_list<std::string_view> rows) {
    GameState.gridSize = static_cast<int32_t>(rows.size());
    for (int32_t y = 0; std::string_view row : rows) {
        for (int32_t x = 0; x < static_cast<int32_t>(row.size()); ++x) {
            board[x * 8 + y] = static_cast<int16_t>(std::string_view("./\\|-o#AB").find(row[x]));
            if (row[x] == 'A') GameState.wormholeA = {x, y};
            if (row[x] == 'B') GameState.wormholeB = {x, y};
        }
        ++y;
    }
}

// A dense 8 x 8 board of mirrors whose ray from port 17 is still inside after 196 steps.
inline const std::initializer_list<std::string_view> kStepLimitRows = {
    "|/\\/\\/\\-",  "/..\\./.\\",  "\\./\\...|",  "//../\\//",
    "\\.//\\\\/\\", "///\\\\\\//", "\\./\\///\\", ".\\/\\/\\//"};
