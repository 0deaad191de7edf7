#include "app/idle.h"

#include <malloc.h>

#include "game/deal.h"
#include "game/overlays.h"
#include "render/focus.h"
#include "render/overlays.h"

namespace fusefuda {

namespace {

void agePopups(GameState &g, Context &ctx) {
    if (g.phases.popupPhase == g.phases.popupPhaseSeen) return;
    for (ScorePopup &p : g.overlays.popups) {
        if (!p.active || !popupTickEnds(p)) continue;
        wipePopup(ctx, p);
        p = ScorePopup{};
    }
    g.phases.popupPhaseSeen = g.phases.popupPhase;
}

void ageSparkles(GameState &g, Context &ctx) {
    if (g.phases.sparklePhase == g.phases.sparklePhaseSeen) return;
    for (Sparkle &s : g.overlays.sparkles) {
        if (!s.stepping || !sparkleTickEnds(s)) continue;
        wipeSparkle(ctx, s);
        s = Sparkle{};
    }
    g.phases.sparklePhaseSeen = g.phases.sparklePhase;
}

}  // namespace

void flipPopupPhase(GameState &g) { g.phases.popupPhase = g.phases.popupPhase == 0 ? 1 : 0; }
void flipSparklePhase(GameState &g) { g.phases.sparklePhase = g.phases.sparklePhase == 0 ? 1 : 0; }

void idleStep(Play &play, Context &ctx) {
    GameState &g = play.g;
    if (g.dealPending) {
        dealScatter(play, g.level);
        g.dealPending = false;
        // The menu or dialog that asked for the game has just closed; what
        // it drew with is freed but lies between live blocks, where the
        // allocator keeps it: 0.7 MB after the File menu. A deal is rare and
        // slow beside the walk over the heap that hands it back.
        malloc_trim(0);
    }
    // The popups and sparkles wipe and draw over whatever lies there.
    if (g.phases.popupPhase != g.phases.popupPhaseSeen ||
        g.phases.sparklePhase != g.phases.sparklePhaseSeen)
        focusOverdrawn(ctx);
    agePopups(g, ctx);
    drawPopups(ctx);
    // A tick is when slots free up; refilling them then keeps a won board as
    // busy as a loop that never rests, without running one.
    const bool sparkleTick = g.phases.sparklePhase != g.phases.sparklePhaseSeen;
    ageSparkles(g, ctx);
    drawSparkles(ctx);
    if (g.gameOver) {
        // Newly started sparkles show their first frame now, not one tick late.
        if (spawnAmbientSparkles(g, sparkleTick ? kAmbientRoundsPerTick : 1) > 0)
            drawSparkles(ctx);
    }
    drawKeyFocus(ctx);
}

}  // namespace fusefuda
