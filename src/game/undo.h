// The five-step undo store and the reversal of the stacking order.
#pragma once

#include "render/context.h"

namespace fusefuda {

void pushUndo(Context &ctx);
void popUndo(Context &ctx);
void reverseStacking(Context &ctx);

}  // namespace fusefuda
