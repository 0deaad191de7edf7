// The score popups and the sparkles on the window: each drawn over what lies
// there, and wiped back to the canvas when its time is up.
#pragma once

#include "render/context.h"

namespace fusefuda {

constexpr int kPopupWipeWidth = 28;
constexpr int kPopupWipeHeight = 20;
constexpr int kSparkleSize = 30;

// The popups' costs, white on black, where the score display is on.
void drawPopups(Context &ctx);
void wipePopup(Context &ctx, const ScorePopup &popup);
// The sparkles' current frames over the canvas, where sparkles are on.
void drawSparkles(Context &ctx);
void wipeSparkle(Context &ctx, const Sparkle &sparkle);

}  // namespace fusefuda
