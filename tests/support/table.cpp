#include "table.h"

namespace fusefuda::testing {

Table::Table(int scale) : state(startingState()), ctx{*state, surfaces, shell} {
    createSurfaces(surfaces, state->cardPattern, state->backgroundPattern, 1008, 709, scale);
}

}  // namespace fusefuda::testing
