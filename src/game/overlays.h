// The score popups and sparkles: spawning them belongs to the game, their
// ageing and drawing to the idle step.
#pragma once

#include "game/play.h"

namespace fusefuda {

// Shows the cost touchCost[valueIndex] beside the window point (x, y) and
// charges it to the score.
void spawnScorePopup(Play &play, int x, int y, int valueIndex);
// Starts a sparkle at board point (x, y); nothing when all ten slots are busy.
void spawnSparkle(GameState &g, int x, int y, int frame);
void clearScorePopups(GameState &g);
// The costs of a card's first, second and third touch: 50, 30 and 20 points.
void setTouchCosts(GameState &g);
void clearSparklesActive(GameState &g);

}  // namespace fusefuda
