// The guide outline around the group under the pointer, and the peek window's
// picture.
#pragma once

#include "render/context.h"

namespace fusefuda {

// Fills the pixel block [x0, x1] x [y0, y1] of the window, clipped; board
// pixels, each k x k device pixels.
void fillWindowBlock(Surfaces &s, int x0, int y0, int x1, int y1, QRgb colour);

// The pointer left the group it was over: the outline around the card
// outlined before the last and around lastShown goes, and the peek picture
// becomes the unknown card.
void clearHoverOutline(Context &ctx, int lastShown);
// The two-pixel outline around card id's group, on the window.
void drawGuideOutline(Context &ctx, int id);
// The peek picture, while the peek window is on: card (c, r)'s face, or the
// unknown card.
void showPeekFace(Context &ctx, int c, int r);
void showPeekUnknown(Context &ctx);

}  // namespace fusefuda
