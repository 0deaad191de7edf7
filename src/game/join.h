// The join rule, named once: where a carried member's neighbour belongs (the
// target point), the neighbour's catch square around its centre, and the
// card stacked above it that takes its spot. The release joins by it; the
// join key and the random player aim by it.
#pragma once

#include "game/GameState.h"

namespace fusefuda {

// A card's centre, from its corner.
constexpr int kCentreX = kPitchX / 2;
constexpr int kCentreY = kPitchY / 2;
// The catch square reaches this far before the neighbour's centre and one
// pixel less after it, on each axis: 20 x 20.
constexpr int kCatchHalf = 10;
// A card's centre square, which covers a target point in it: 30 x 30.
constexpr int kCoverHalf = 15;

// The target point of a member whose corner lies at (left, top): the centre
// of the cell beside it in direction (dx, dy), where that neighbour belongs.
inline BoardPoint joinTarget(int left, int top, int dx, int dy) {
    return {left + kCentreX + kPitchX * dx, top + kCentreY + kPitchY * dy};
}

// Whether p lies in the square from half before to half - 1 after the centre
// of the card at r.
inline bool nearCentre(const Rect &r, BoardPoint p, int half) {
    const int x = r.left + kCentreX, y = r.top + kCentreY;
    return p.x >= x - half && p.x < x + half && p.y >= y - half && p.y < y + half;
}
inline bool catches(const Rect &neighbour, BoardPoint p) {
    return nearCentre(neighbour, p, kCatchHalf);
}
// Whether a card in play stacked above card (nc, nr) has p in its centre
// square: the spot is then taken.
bool covered(const GameState &g, int nc, int nr, BoardPoint p);

// Calls f(j, k, d, nc, nr) for each member (j, k) of id's group and each
// direction d whose neighbour (nc, nr) is in play and outside the group, in
// the order a drop tries them: rows, columns, then up, right, down, left.
// Membership is read at every step, so cards that f joins are walked in
// their turn.
template <typename F>
void forEachOpenSide(const GameState &g, int id, F f) {
    const ColumnRange cols = columnsInPlay(g.level);
    for (int k = 0; k < kRows; ++k) {
        for (int j = cols.first; j <= cols.last; ++j) {
            if (!isMember(g, id, j, k)) continue;
            for (int d = 0; d < 4; ++d) {
                const int nc = j + kNeighbourDx[d], nr = k + kNeighbourDy[d];
                if (inPlay(g, nc, nr) && !isMember(g, id, nc, nr)) f(j, k, d, nc, nr);
            }
        }
    }
}

// Whether member (j, k), where it lies, joins its neighbour in direction d on
// an open side: the target point in the neighbour's catch square, and not
// covered.
bool wouldJoin(const GameState &g, int j, int k, int d);

}  // namespace fusefuda
