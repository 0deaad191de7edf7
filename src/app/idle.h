// The timed side of the game: the two timer phases, and the idle step that
// runs the deferred deal and, on each tick, ages the score popups and
// sparkles and has them drawn.
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

}  // namespace fusefuda
