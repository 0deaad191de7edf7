#include "game/overlays.h"

namespace fusefuda {

void spawnScorePopup(Play &play, int x, int y, int valueIndex) {
    GameState &g = play.g;
    if (valueIndex < 0 || valueIndex > 2) return;  // there are three costs only
    // The touch is charged even when no slot is free: the running score must
    // always equal what the touch counts are worth.
    g.board.score += g.touchCost[valueIndex];
    play.events.scored();
    for (ScorePopup &p : g.overlays.popups) {
        if (p.visible) continue;
        p.x = x - 20;
        p.y = y - 20;
        p.visible = true;
        p.active = true;
        p.valueIndex = valueIndex;
        p.age = 0;
        return;
    }
}

void spawnSparkle(GameState &g, int x, int y, int frame) {
    for (Sparkle &s : g.overlays.sparkles) {
        if (s.active) continue;
        s.x = x;
        s.y = y;
        s.frame = frame;
        s.active = true;
        s.stepping = true;
        s.age = 0;
        return;
    }
}

void clearScorePopups(GameState &g) {
    for (ScorePopup &p : g.overlays.popups) p = ScorePopup{};
}

void clearSparklesActive(GameState &g) {
    for (Sparkle &s : g.overlays.sparkles) s.active = false;
}

void setTouchCosts(GameState &g) {
    g.touchCost[0] = -50;
    g.touchCost[1] = -30;
    g.touchCost[2] = -20;
}

}  // namespace fusefuda
