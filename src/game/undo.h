// The five-step undo store and the reversal of the stacking order.
#pragma once

#include "game/play.h"

namespace fusefuda {

void pushUndo(Play &play);
void popUndo(Play &play);
void reverseStacking(Play &play);

}  // namespace fusefuda
