// The timed side of the game: the two timer phases, and the idle step that
// runs the deferred deal and ages and draws the score popups and sparkles.
#pragma once

#include "game/play.h"
#include "render/context.h"

namespace fusefuda {

// Timer 1 (500 ms) ages the popups, timer 2 (100 ms) the sparkles.
constexpr int kPopupTimerMs = 500;
constexpr int kSparkleTimerMs = 100;

void flipPopupPhase(GameState &g);
void flipSparklePhase(GameState &g);

// One idle step: the deal request, popup ageing and drawing, sparkle ageing
// and drawing, and sparkles over a won board. Cheap when nothing is due: it
// only compares the phases and redraws what is on show.
void idleStep(Play &play, Context &ctx);

// Over a won board, starts sparkles at random within the home-grid cells.
// One round is one chance of 1 in 1000 per card place. Rounds repeat until the
// ten slots are full or maxRounds is reached; returns how many started.
int spawnAmbientSparkles(GameState &g, int maxRounds);

// Bound on the rounds run per sparkle tick on a won board: enough to refill the
// ten slots at once, as a loop running flat out would, and no more.
constexpr int kAmbientRoundsPerTick = 2000;

}  // namespace fusefuda
