#include "table.h"

#include "game/deal.h"
#include "game/starting.h"

namespace fusefuda::testing {

Table::Table(int scale)
    : state(std::make_unique<GameState>()), ctx{*state, surfaces, shell} {
    setStartingValues(*state);
    createSurfaces(surfaces, state->cardPattern, state->backgroundPattern, 1008, 709, scale);
}

void Table::deal(int level, int64_t seed) {
    shell.time = seed;
    startNewGame(ctx, level);
    dealScatter(ctx, level);
    state->dealPending = 0;
}

}  // namespace fusefuda::testing
