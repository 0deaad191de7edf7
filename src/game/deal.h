// Starting a new game: the reset and home layout of the menu command, and the
// scatter that the next idle step runs.
#pragma once

#include "render/context.h"

namespace fusefuda {

constexpr int kBeginner = 3;
constexpr int kIntermediate = 2;
constexpr int kAdvanced = 1;

void startNewGame(Context &ctx, int level);
void layOutColumns(GameState &g, int level);
void dealScatter(Context &ctx, int level);

}  // namespace fusefuda
