// The whole board at a glance, drawn over the window: the board canvas
// scaled down smoothly at the window's density, the window's view framed.
#pragma once

#include "render/context.h"

namespace fusefuda {

// Fills the window framebuffer with the overview and marks it for
// presenting. The canvas must show the board as it stands, as it does
// whenever nothing is in hand. With the see-through background the margin
// beside the picture is the key colour too, so the desktop shows around it.
void drawOverview(Context &ctx);

}  // namespace fusefuda
