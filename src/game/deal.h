// Starting a new game: the reset and home layout of the menu command, and the
// scatter that the next idle step runs.
#pragma once

#include <cstdint>

#include "game/play.h"

namespace fusefuda {

// The columns as dealt, window coordinates of the view at the deal: a
// column's cards 64 pixels from the next one's, one pitch apart downwards.
constexpr int kHomeLeft = 88;
constexpr int kHomeTop = 150;
constexpr int kHomePitchX = 64;
// The scatter: every card but the sevens at random in this window area.
constexpr int kScatterLeft = 50;
constexpr int kScatterTop = 120;
constexpr int kScatterWidth = 800;
constexpr int kScatterHeight = 400;

// The menu command: a new game at the level, its cards laid out in their
// columns, the scatter left to the next idle step. The seed starts the
// game's random draws.
void startNewGame(Play &play, Level level, uint32_t seed);
void layOutColumns(GameState &g, Level level);
void dealScatter(Play &play, Level level);

}  // namespace fusefuda
