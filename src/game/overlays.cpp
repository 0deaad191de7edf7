#include "game/overlays.h"

#include "game/deal.h"
#include "game/random.h"

namespace fusefuda {

void spawnScorePopup(Play &play, int x, int y, int valueIndex) {
    GameState &g = play.g;
    if (valueIndex < 0 || valueIndex > 2) return;  // there are three costs only
    // The touch is charged even when no slot is free: the running score must
    // always equal what the touch counts are worth.
    g.board.score += kTouchCost[valueIndex];
    play.events.scored();
    for (ScorePopup &p : g.overlays.popups) {
        if (p.active) continue;
        p.x = x - 20;
        p.y = y - 20;
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

bool popupTickEnds(ScorePopup &p) { return ++p.age >= 3; }

bool sparkleTickEnds(Sparkle &s) {
    ++s.age;
    if (s.age >= 1 && s.age <= 4) ++s.frame;
    return s.age >= 5;
}

namespace {

bool allSparkleSlotsBusy(const GameState &g) {
    for (const Sparkle &s : g.overlays.sparkles)
        if (!s.active) return false;
    return true;
}

}  // namespace

int spawnAmbientSparkles(GameState &g, int maxRounds) {
    const ColumnRange cols = columnsInPlay(g.level);
    int started = 0;
    for (int round = 0; round < maxRounds && !allSparkleSlotsBusy(g); ++round) {
        for (int c = cols.first; c <= cols.last; ++c) {
            for (int r = 0; r < kRows; ++r) {
                if (drawRandom(g) % 1000 >= 1) continue;
                const int jy = drawRandom(g) % 80;
                const int jx = drawRandom(g) % 40;
                const bool free = !allSparkleSlotsBusy(g);
                spawnSparkle(g, kHomeLeft + kHomePitchX * c + g.viewX + jx,
                             kHomeTop + kPitchY * r + g.viewY + jy, 0);
                if (free) ++started;
            }
        }
    }
    return started;
}

}  // namespace fusefuda
