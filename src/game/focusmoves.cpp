#include "game/focusmoves.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace fusefuda {

namespace {

const Rect &placeOf(const GameState &g, int id) {
    return g.board.cardRect[cardColumn(id)][cardRow(id)];
}

int levelOf(const GameState &g, int id) { return g.board.stackLevel[cardColumn(id)][cardRow(id)]; }

// Card `to` seen from card `from` toward (dx, dy): false unless it lies that
// way, else how far. Every other card lies one way only: a card lying in
// two ways at once took both arrows from a card hidden behind it, which then
// no arrow reached. A pile's cards lie nearer than any card elsewhere, the
// next one in the pile nearest.
bool liesToward(const GameState &g, int from, int to, int dx, int dy, long &distance) {
    const Rect &f = placeOf(g, from), &o = placeOf(g, to);
    const int vx = o.left - f.left, vy = o.top - f.top;
    if (vx == 0 && vy == 0) {
        const int beneath = levelOf(g, from) - levelOf(g, to);
        if (dx != 0 || (beneath > 0) != (dy > 0)) return false;
        distance = std::abs(beneath) - kCards;
        return true;
    }
    const int along = vx * dx + vy * dy;
    const int across = std::abs(vx * dy - vy * dx);
    if (along <= 0 || across > along || (across == along && dx == 0)) return false;
    distance = long(vx) * vx + long(vy) * vy;
    return true;
}

}  // namespace

int nearestCardToward(const GameState &g, int from, int dx, int dy) {
    int best = kNoCard;
    long bestDistance = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            long distance = 0;
            if (id == from || !liesToward(g, from, id, dx, dy, distance)) continue;
            // Of two at one distance, the one on top: the one the eye sees.
            if (best == kNoCard || distance < bestDistance ||
                (distance == bestDistance && levelOf(g, id) > levelOf(g, best))) {
                best = id;
                bestDistance = distance;
            }
        }
    }
    return best;
}

int cardInReadingOrder(const GameState &g, int from, bool forward) {
    std::array<int, kCards> order;
    int n = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) order[n++] = cardId(c, r);
    const auto key = [&](int id) {
        const Rect &p = placeOf(g, id);
        return std::array{p.top / kPitchY, p.left, p.top, -levelOf(g, id)};
    };
    std::sort(order.begin(), order.begin() + n, [&](int a, int b) { return key(a) < key(b); });
    const int at = int(std::find(order.begin(), order.begin() + n, from) - order.begin());
    if (at == n) return n > 0 ? order[0] : kNoCard;
    return order[(at + (forward ? 1 : n - 1)) % n];
}

}  // namespace fusefuda
