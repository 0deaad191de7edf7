// Plays a dealt game to its end with the game's own input handlers and prints
// the mouse actions that did it, so that the end-to-end test can replay them
// on the real window. Usage: deal_solver <level> <seed> <client width> <client height>
// Output lines, in client coordinates:
//   raise X Y              a Shift + left click
//   drag X1 Y1 X2 Y2       left press, move, release
//   tally N0 N1 N2 SCORE   the summary the finished game shows
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/scoring.h"
#include "game/starting.h"
#include "support/quiet_shell.h"

using namespace fusefuda;

namespace {

struct Point {
    int x = -1, y = -1;
    bool valid() const { return x >= 0; }
};

// A point of the window where the topmost card belongs to id's group, as far
// from the edges of the cell as possible.
Point visiblePoint(const GameState &g, int id, int width, int height,
                   bool pickable = false) {
    Point best;
    int bestMargin = -1;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!isMember(g, id, c, r)) continue;
            const Rect &rect = g.board.cardRect[c][r];
            for (int by = rect.top + 4; by < rect.bottom - 4; by += 4) {
                for (int bx = rect.left + 4; bx < rect.right - 4; bx += 4) {
                    const int x = bx - g.viewX, y = by - g.viewY;
                    if (x < 2 || y < 2 || x >= width - 2 || y >= height - 2) continue;
                    const int hit = cardAt(g, x, y);
                    if (hit < 0 || !isMember(g, id, cardColumn(hit), cardRow(hit))) continue;
                    if (pickable && g.board.touchCount[cardColumn(hit)][cardRow(hit)] >= 4) continue;
                    const int margin = std::min({bx - rect.left, rect.right - bx, by - rect.top,
                                                 rect.bottom - by});
                    if (margin > bestMargin) {
                        bestMargin = margin;
                        best = {x, y};
                    }
                }
            }
        }
    }
    return best;
}

// Carries the whole of id's group to a place of the window where it does not
// lie over the cell `keepClear` (board coordinates). Returns whether it moved.
bool carryGroupAway(Play &play, int id, const Rect &keepClear, int width, int height) {
    GameState &g = play.g;
    const Point from = visiblePoint(g, id, width, height, true);
    if (!from.valid()) return false;
    Rect box{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (isMember(g, id, c, r)) {
                const Rect &m = g.board.cardRect[c][r];
                box = {std::min(box.left, m.left), std::min(box.top, m.top),
                       std::max(box.right, m.right + 1), std::max(box.bottom, m.bottom + 1)};
            }
    for (int step = 1; step <= 20; ++step) {
        for (int sign : {1, -1}) {
            for (int dy : {0, 60, -60, 120, -120}) {
                const int dx = sign * 40 * step;
                const int l = box.left + dx - g.viewX, t = box.top + dy - g.viewY;
                const int r = box.right + dx - g.viewX, b = box.bottom + dy - g.viewY;
                if (l < 4 || t < 4 || r > width - 4 || b > height - 4) continue;
                if (l < keepClear.right - g.viewX + 1 && r > keepClear.left - g.viewX &&
                    t < keepClear.bottom - g.viewY + 1 && b > keepClear.top - g.viewY)
                    continue;
                const int toX = from.x + dx, toY = from.y + dy;
                onLeftPress(play, from.x, from.y, false);
                onMouseMove(play, toX, toY);
                onLeftRelease(play, toX, toY);
                std::printf("drag %d %d %d %d\n", from.x, from.y, toX, toY);
                return true;
            }
        }
    }
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: deal_solver <level> <seed> <width> <height>\n");
        return 2;
    }
    const int level = std::atoi(argv[1]);
    const long long seed = std::atoll(argv[2]);
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);

    auto state = std::make_unique<GameState>();
    GameState &g = *state;
    setStartingValues(g);
    g.soundOn = 0;
    Surfaces surfaces;
    createSurfaces(surfaces, 1, 1, width, height);
    g.clientWidth = width;
    g.clientHeight = height;
    QuietTable table(g, surfaces);
    Play &play = table.play;
    startNewGame(play, level, uint32_t(seed));
    dealScatter(play, level);
    g.dealPending = false;

    const int anchor = cardId(6, 0);
    const ColumnRange cols = columnsInPlay(level);
    for (int round = 0; round < 200 && g.gameOver == 0; ++round) {
        bool progress = false;
        for (int r = 0; r < kRows && g.gameOver == 0; ++r) {
            for (int c = cols.first; c <= cols.last && g.gameOver == 0; ++c) {
                if (isMember(g, anchor, c, r)) continue;
                // a neighbour in the sevens' group fixes where the card goes
                int nc = -1;
                if (c > cols.first && isMember(g, anchor, c - 1, r)) nc = c - 1;
                else if (c < cols.last && isMember(g, anchor, c + 1, r)) nc = c + 1;
                if (nc < 0 || g.board.touchCount[c][r] >= 3) continue;
                // bring the group to the front so that nothing covers the spot
                const Point group = visiblePoint(g, anchor, width, height);
                if (group.valid()) {
                    onLeftPress(play, group.x, group.y, true);
                    onLeftRelease(play, group.x, group.y);
                    std::printf("raise %d %d\n", group.x, group.y);
                }
                Point from = visiblePoint(g, cardId(c, r), width, height);
                if (!from.valid()) {
                    // most likely under the sevens' group: take the group elsewhere
                    if (!carryGroupAway(play, anchor, g.board.cardRect[c][r], width, height)) continue;
                    from = visiblePoint(g, cardId(c, r), width, height);
                    if (!from.valid()) continue;
                }
                const Rect &n = g.board.cardRect[nc][r];
                const int targetLeft = n.left + kPitchX * (c - nc), targetTop = n.top;
                const int dx = targetLeft - g.board.cardRect[c][r].left;
                const int dy = targetTop - g.board.cardRect[c][r].top;
                const int toX = from.x + dx, toY = from.y + dy;
                if (toX < 1 || toY < 1 || toX >= width - 1 || toY >= height - 1) continue;
                onLeftPress(play, from.x, from.y, false);
                onMouseMove(play, (from.x + toX) / 2, (from.y + toY) / 2);
                onMouseMove(play, toX, toY);
                onLeftRelease(play, toX, toY);
                std::printf("drag %d %d %d %d\n", from.x, from.y, toX, toY);
                if (isMember(g, anchor, c, r)) progress = true;
            }
        }
        if (!progress) break;
    }
    if (g.gameOver != 1) {
        for (int r = 0; r < kRows; ++r)
            for (int c = cols.first; c <= cols.last; ++c)
                if (!isMember(g, anchor, c, r))
                    std::fprintf(stderr, "left (%d,%d) touches %d visible %d\n", c, r,
                                 g.board.touchCount[c][r],
                                 visiblePoint(g, cardId(c, r), width, height).valid());
        std::fprintf(stderr, "deal_solver: this deal was not finished\n");
        return 1;
    }
    const TouchTally tally = tallyTouches(g);
    std::printf("tally %d %d %d %d\n", tally.neverTouched, tally.touchedOnce, tally.touchedTwice,
                scoreFor(tally));
    return 0;
}
