// Stand-in until the mouse play lands.
#include "game/input.h"

namespace fusefuda {
void onLeftPress(Context &, int, int, bool) {}
void onLeftRelease(Context &, int, int) {}
void onRightPress(Context &, int, int) {}
void onRightRelease(Context &, int, int) {}
void onMouseMove(Context &, int, int) {}
void pickUp(Context &, int, int, int, int) {}
void dropGroup(Context &) {}
void tryJoin(Context &, int) {}
}  // namespace fusefuda
