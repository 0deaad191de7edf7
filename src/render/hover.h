// The guide outline around the group under the pointer, and the peek window's
// picture.
#pragma once

#include "render/context.h"

namespace fusefuda {

// The pointer left the group it was over: the outline around it and around
// the card last outlined goes, and the peek picture becomes the unknown card.
void clearHoverOutline(Context &ctx, int previous, int lastShown);
// The two-pixel outline around card id's group, on the window.
void drawGuideOutline(Context &ctx, int id);
// The peek picture, while the peek window is on: card (c, r)'s face, or the
// unknown card.
void showPeekFace(Context &ctx, int c, int r);
void showPeekUnknown(Context &ctx);

}  // namespace fusefuda
