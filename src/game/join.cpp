#include "game/join.h"

namespace fusefuda {

bool covered(const GameState &g, int nc, int nr, BoardPoint p) {
    const int level = g.board.stackLevel[nc][nr];
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (g.board.stackLevel[c][r] > level &&
                nearCentre(g.board.cardRect[c][r], p, kCoverHalf))
                return true;
    return false;
}

bool wouldJoin(const GameState &g, int j, int k, int d) {
    const int dx = kNeighbourDx[d], dy = kNeighbourDy[d];
    const Rect &m = g.board.cardRect[j][k];
    const BoardPoint p = joinTarget(m.left, m.top, dx, dy);
    return catches(g.board.cardRect[j + dx][k + dy], p) && !covered(g, j + dx, k + dy, p);
}

}  // namespace fusefuda
