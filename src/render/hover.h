// The guide outline around the group under the pointer, and the peek window's
// picture.
#pragma once

#include "render/context.h"

namespace fusefuda {

void trackHover(Context &ctx, int mouseX, int mouseY);
void drawGuideOutline(Context &ctx, int id);
void showPeekFace(Context &ctx, int c, int r);
void showPeekUnknown(Context &ctx);

}  // namespace fusefuda
