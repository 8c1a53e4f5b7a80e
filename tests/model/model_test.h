// What every model test starts from: a fresh game record, and the default random source put back at
// the end.
#pragma once

#include <gtest/gtest.h>

#include "model/game_state.h"
#include "model/model.h"
#include "model/random.h"
#include "support/board_rows.h"

class ModelTest : public testing::Test {
  protected:
    void SetUp() override { GameState = GameRecord{}; }
    void TearDown() override { SetRandomSource(nullptr, nullptr); }
};

// A dense 8 x 8 board of mirrors whose ray from port 17 is still inside after 196 steps.
inline const Rows kStepLimitRows = {"|/\\/\\/\\-",  "/..\\./.\\",  "\\./\\...|",  "//../\\//",
                                    "\\.//\\\\/\\", "///\\\\\\//", "\\./\\///\\", ".\\/\\/\\//"};
