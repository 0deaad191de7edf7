// The turn-over animations of a peeked card.
#pragma once

#include "render/context.h"

namespace fusefuda {

void flipToFace(Context &ctx, int c, int r);
void flipToBack(Context &ctx, int c, int r);

}  // namespace fusefuda
