#include "game/overlays.h"

namespace fusefuda {

void spawnScorePopup(Context &ctx, int x, int y, int valueIndex) {
    GameState &g = ctx.g;
    if (valueIndex < 0 || valueIndex > 2) return;  // there are three costs only
    // The touch is charged even when no slot is free: the running score must
    // always equal what the touch counts are worth.
    g.score += g.touchCost[valueIndex];
    ctx.shell.showScore();
    for (ScorePopup &p : g.popups) {
        if (p.visible != 0) continue;
        p.x = x - 20;
        p.y = y - 20;
        p.visible = 1;
        p.active = 1;
        p.valueIndex = valueIndex;
        p.age = 0;
        return;
    }
}

void spawnSparkle(GameState &g, int x, int y, int frame) {
    for (Sparkle &s : g.sparkles) {
        if (s.active != 0) continue;
        s.x = x;
        s.y = y;
        s.frame = frame;
        s.active = 1;
        s.stepping = 1;
        s.age = 0;
        return;
    }
}

void clearScorePopups(GameState &g) {
    for (ScorePopup &p : g.popups) p = ScorePopup{};
}

void clearSparklesActive(GameState &g) {
    for (Sparkle &s : g.sparkles) s.active = 0;
}

}  // namespace fusefuda
