// Peeking at a card with the right button, and the touch counts.
#pragma once

#include "render/context.h"

namespace fusefuda {

void startPeek(Context &ctx, int c, int r, int x, int y);
void endPeek(Context &ctx);

}  // namespace fusefuda
