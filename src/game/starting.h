// The values that start-up gives the record before the settings are read.
#pragma once

#include "game/GameState.h"

namespace fusefuda {

void setStartingValues(GameState &g);

}  // namespace fusefuda
