#include "table.h"

#include "game/deal.h"
#include "game/starting.h"

namespace fusefuda::testing {

Table::Table(int scale) : state(std::make_unique<GameState>()), ctx{*state, surfaces, shell} {
    setStartingValues(*state);
    createSurfaces(surfaces, state->cardPattern, state->backgroundPattern, 1008, 709, scale);
    state->clientWidth = 1008;
    state->clientHeight = 709;
}

void Table::deal(int level, uint32_t seed) { deal(levelFromNumber(level), seed); }

void Table::deal(Level level, uint32_t seed) {
    startNewGame(play, level, seed);
    dealScatter(play, level);
    state->dealPending = false;
}

}  // namespace fusefuda::testing
