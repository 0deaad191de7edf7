// The score popups and sparkles: when they start, how they age and when they
// end belong to the game; drawing them to render/, the ticks to the idle step.
#pragma once

#include "game/play.h"

namespace fusefuda {

// Shows the cost kTouchCost[valueIndex] beside the window point (x, y) and
// charges it to the score.
void spawnScorePopup(Play &play, int x, int y, int valueIndex);
// Starts a sparkle at board point (x, y); nothing when all ten slots are busy.
void spawnSparkle(GameState &g, int x, int y, int frame);
void clearScorePopups(GameState &g);
void clearSparklesActive(GameState &g);

// One tick of the popup timer for a showing popup: true when it has shown
// its three ticks and its slot is to be wiped and freed.
bool popupTickEnds(ScorePopup &popup);
// One tick of the sparkle timer for a stepping sparkle: frames 1 to 4 over
// its first four ticks; true at the fifth, when it is to be wiped and freed.
bool sparkleTickEnds(Sparkle &sparkle);

// Over a won board, starts sparkles at random within the home-grid cells.
// One round is one chance of 1 in 1000 per card place. Rounds repeat until the
// ten slots are full or maxRounds is reached; returns how many started.
int spawnAmbientSparkles(GameState &g, int maxRounds);

// Bound on the rounds run per sparkle tick on a won board: enough to refill the
// ten slots at once, as a loop running flat out would, and no more.
constexpr int kAmbientRoundsPerTick = 2000;

}  // namespace fusefuda
