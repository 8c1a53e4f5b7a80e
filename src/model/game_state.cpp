#include "model/game_state.h"

GameRecord GameState;
