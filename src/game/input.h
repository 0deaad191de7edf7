// Mouse input: carrying and joining, the view drag, and the presses that only
// raise a group. Positions are client (window) coordinates.
#pragma once

#include "render/context.h"

namespace fusefuda {

void onLeftPress(Context &ctx, int x, int y, bool shift);
void onLeftRelease(Context &ctx, int x, int y);
void onRightPress(Context &ctx, int x, int y);
void onRightRelease(Context &ctx, int x, int y);
void onMouseMove(Context &ctx, int x, int y);

void pickUp(Context &ctx, int c, int r, int x, int y);
void dropGroup(Context &ctx);
void tryJoin(Context &ctx, int id);

}  // namespace fusefuda
