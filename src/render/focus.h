// The keyboard's focus frame: a magenta band with dark edges just outside the
// focus card's picture, unlike the guide's thin outline along a whole group's
// edge, so that the card's face and corner indices stay in view. Where it
// crosses a card lying above the focus card, or runs beside an edge of the
// focus card that such a card hides, it is drawn dashed: a buried card looks
// buried.
#pragma once

#include "render/context.h"

namespace fusefuda {

// How far the frame reaches past the card's 64 x 102 picture on every side.
constexpr int kFocusReach = 5;

// Draws the frame at the focus card once a key has shown it, wiping it from
// where it was last drawn; does nothing while it is fresh in place.
void drawKeyFocus(Context &ctx);
// Something was drawn over the window: the frame is drawn again next time,
// and wiped first where the focus card no longer lies.
void focusOverdrawn(Context &ctx);

}  // namespace fusefuda
