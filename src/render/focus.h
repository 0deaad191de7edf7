// The keyboard's focus outline: a thick inset frame inside the focus card,
// unlike the guide's thin outline along a whole group's edge.
#pragma once

#include "render/context.h"

namespace fusefuda {

// Draws the outline at the focus card once a key has shown it, wiping it
// from where it was last drawn; does nothing while it is fresh in place.
void drawKeyFocus(Context &ctx);
// Something was drawn over the window: the outline is drawn again next time.
// `moved` says the card id's group moved and was redrawn whole, which took
// the outline with it when the focus card belongs to it.
void focusOverdrawn(Context &ctx, int moved = -1);

}  // namespace fusefuda
