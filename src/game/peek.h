// Peeking at a card with the right button, and the touch counts.
#pragma once

#include "game/play.h"

namespace fusefuda {

void startPeek(Play &play, int c, int r, int x, int y);
void endPeek(Play &play);

}  // namespace fusefuda
