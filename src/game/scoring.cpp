// Stand-in until the game end lands.
#include "game/scoring.h"

namespace fusefuda {
TouchTally tallyTouches(const GameState &) { return {}; }
int32_t scoreFor(const TouchTally &) { return 0; }
void finishGame(Context &ctx) { ctx.g.gameOver = 1; }
void layOutFinished(Context &) {}
}  // namespace fusefuda
