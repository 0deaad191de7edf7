// Starting a new game: the reset and home layout of the menu command, and the
// scatter that the next idle step runs.
#pragma once

#include "render/context.h"

namespace fusefuda {

constexpr int kBeginner = 3;
constexpr int kIntermediate = 2;
constexpr int kAdvanced = 1;

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

void startNewGame(Context &ctx, int level);
void layOutColumns(GameState &g, int level);
void dealScatter(Context &ctx, int level);

}  // namespace fusefuda
