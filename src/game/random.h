// The program's one pseudo-random generator, shared by the deal and the
// sparkles over a won board.
#pragma once

#include <cstdint>

#include "game/GameState.h"

namespace fusefuda {

inline void seedRandom(GameState &g, uint32_t seed) { g.randomState = seed; }

// state = state * 214013 + 2531011 (mod 2^32); a draw is (state >> 16) & 0x7FFF.
inline int drawRandom(GameState &g) {
    g.randomState = g.randomState * 214013u + 2531011u;
    return int((g.randomState >> 16) & 0x7FFFu);
}

}  // namespace fusefuda
