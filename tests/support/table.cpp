#include "table.h"

#include "game/starting.h"
#include "support/rules_table.h"

namespace fusefuda::testing {

Table::Table(int scale) : state(std::make_unique<GameState>()), ctx{*state, surfaces, shell} {
    setStartingValues(*state);
    createSurfaces(surfaces, state->cardPattern, state->backgroundPattern, 1008, 709, scale);
    state->clientWidth = 1008;
    state->clientHeight = 709;
}

void Table::deal(int level, uint32_t seed) { dealAt(play, levelFromNumber(level), seed); }
void Table::deal(Level level, uint32_t seed) { dealAt(play, level, seed); }

}  // namespace fusefuda::testing
