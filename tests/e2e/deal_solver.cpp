// Plays a dealt game to its end with the game's own input handlers and prints
// the mouse actions that did it, so that the end-to-end test can replay them
// on the real window. Usage: deal_solver <level> <seed> <client width> <client height> [keys]
// Output lines, in client coordinates:
//   raise X Y              a Shift + left click
//   drag X1 Y1 X2 Y2       left press, move, release
//   tally N0 N1 N2 SCORE   the summary the finished game shows
// With "keys", the same moves made with the board's keys on a second table,
// one line "keys NAME..." a move (xdotool key names), then the tally, which
// must be the mouse's.
#include <cstdio>
#include <cstdlib>
#include <array>
#include <cstring>
#include <queue>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/keys.h"
#include "game/scoring.h"
#include "game/starting.h"
#include "support/quiet_shell.h"

using namespace fusefuda;

namespace {

// The moves as made, to print or to make again by keys.
struct Move {
    bool raise;
    int x1, y1, x2, y2;
    bool joins;  // carried to a neighbour's place
};
std::vector<Move> moves;

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
                moves.push_back({false, from.x, from.y, toX, toY, false});
                return true;
            }
        }
    }
    return false;
}

// A dealt game on a table of its own, the window's size given.
struct Deal {
    Deal(int level, long long seed, int width, int height) {
        setStartingValues(g);
        g.soundOn = 0;
        createSurfaces(surfaces, 1, 1, width, height);
        g.clientWidth = width;
        g.clientHeight = height;
        startNewGame(table.play, levelFromNumber(level), uint32_t(seed));
        dealScatter(table.play, levelFromNumber(level));
        g.dealPending = false;
    }
    GameState g;
    Surfaces surfaces;
    QuietTable table{g, surfaces};
};

// Makes the moves again with keys, writing each move's key names.
struct KeyPlayer {
    Play &play;
    std::string line;

    void press(BoardKey key, const char *name, bool longStep = false) {
        onKeyPress(play, key, {longStep, false});
        onKeyRelease(play, key);
        line += std::string(" ") + (longStep ? "shift+" : "") + name;
    }
    // Arrow d: 0 up, then clockwise.
    void arrow(int d, bool longStep = false) {
        static const BoardKey keys[4] = {BoardKey::Up, BoardKey::Right, BoardKey::Down,
                                         BoardKey::Left};
        static const char *names[4] = {"Up", "Right", "Down", "Left"};
        press(keys[d], names[d], longStep);
    }
    // The fewest arrows that take the focus to card id, by a search over the
    // focus rule; false when none do.
    bool focusOn(int id) {
        int came[kCards], by[kCards];
        std::fill(came, came + kCards, -2);
        const int from = focusCard(play.g);
        std::queue<int> open;
        for (open.push(from), came[from] = -1; !open.empty(); open.pop())
            for (int d = 0; d < 4; ++d) {
                const int dx = d % 2 * (2 - d), dy = (d + 1) % 2 * (d - 1);
                const int next = nearestCardToward(play.g, open.front(), dx, dy);
                if (next < 0 || came[next] != -2) continue;
                came[next] = open.front(), by[next] = d, open.push(next);
            }
        if (came[id] == -2) return false;
        std::vector<int> path;
        for (int at = id; at != from; at = came[at]) path.push_back(by[at]);
        for (auto d = path.rbegin(); d != path.rend(); ++d) arrow(*d);
        return true;
    }
    // Carries by (dx, dy) board pixels, long steps first, to within a step.
    void carryBy(int dx, int dy) {
        for (const auto [rest, forth, back] : {std::array{dx, 1, 3}, std::array{dy, 2, 0}}) {
            const int d = rest > 0 ? forth : back, n = std::abs(rest);
            for (int i = 0; i < n / kLongCarryStep; ++i) arrow(d, true);
            for (int i = 0; i < n % kLongCarryStep / kCarryStep; ++i) arrow(d);
        }
    }
    // A move of the mouse's, at its client points over the start view.
    bool make(const Move &m) {
        line.clear();
        GameState &g = play.g;
        const int id = cardAt(g, m.x1 + kStartViewX - g.viewX, m.y1 + kStartViewY - g.viewY);
        if (id < 0 || !focusOn(id)) return false;
        if (m.raise) {
            press(BoardKey::Raise, "r");
        } else {
            press(BoardKey::Lift, "space");
            carryBy(m.x2 - m.x1, m.y2 - m.y1);
            press(m.joins ? BoardKey::Join : BoardKey::Lift, m.joins ? "j" : "space");
        }
        std::printf("keys%s\n", line.c_str());
        return true;
    }
};

}  // namespace

int main(int argc, char **argv) {
    const bool keys = argc == 6 && std::strcmp(argv[5], "keys") == 0;
    if (argc != 5 && !keys) {
        std::fprintf(stderr, "usage: deal_solver <level> <seed> <width> <height> [keys]\n");
        return 2;
    }
    const int level = std::atoi(argv[1]);
    const long long seed = std::atoll(argv[2]);
    const int width = std::atoi(argv[3]), height = std::atoi(argv[4]);

    auto mouseDeal = std::make_unique<Deal>(level, seed, width, height);
    GameState &g = mouseDeal->g;
    Play &play = mouseDeal->table.play;

    const int anchor = cardId(6, 0);
    const ColumnRange cols = columnsInPlay(g.level);
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
                    moves.push_back({true, group.x, group.y, 0, 0, false});
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
                moves.push_back({false, from.x, from.y, toX, toY, true});
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
    if (keys) {
        auto keyDeal = std::make_unique<Deal>(level, seed, width, height);
        KeyPlayer player{keyDeal->table.play, {}};
        for (const Move &m : moves)
            if (!player.make(m))
                return std::fprintf(stderr, "deal_solver: no keys reach %d %d\n", m.x1, m.y1), 1;
        const int byKeys = scoreFor(tallyTouches(keyDeal->g));
        if (!keyDeal->g.gameOver || byKeys != scoreFor(tally))
            return std::fprintf(stderr, "deal_solver: by keys %d points, won %d\n", byKeys,
                                keyDeal->g.gameOver),
                   1;
    } else {
        for (const Move &m : moves)
            if (m.raise)
                std::printf("raise %d %d\n", m.x1, m.y1);
            else
                std::printf("drag %d %d %d %d\n", m.x1, m.y1, m.x2, m.y2);
    }
    std::printf("tally %d %d %d %d\n", tally.neverTouched, tally.touchedOnce, tally.touchedTwice,
                scoreFor(tally));
    return 0;
}
