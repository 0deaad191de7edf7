#include "game/input.h"

#include <algorithm>

#include "assets/catalogue.h"
#include "game/board.h"
#include "game/overlays.h"
#include "game/peek.h"
#include "game/scoring.h"
#include "game/undo.h"
#include "render/cards.h"
#include "render/hover.h"
#include "render/painting.h"

namespace fusefuda {

namespace {

// Half-open client rectangle that the pointer may take while a card is
// carried.
struct PointerBounds {
    int left, top, right, bottom;
};

// The pointer keeps its place inside the carried card, so the card's corner
// stays between the client area's left and top edges and one picture short of
// its right and bottom edges. A client area that reaches past the board is
// cut at the board's edge, so that no card is ever put where the canvas, the
// source of every restore, does not reach.
PointerBounds carryBounds(const Context &ctx) {
    const GameState &g = ctx.g;
    const int gx = g.gesture.grabOffsetX + g.viewX, gy = g.gesture.grabOffsetY + g.viewY;
    const QSize window = logicalSize(ctx.s.window);
    const int w = std::min(window.width(), kBoardWidth - g.viewX);
    const int h = std::min(window.height(), kBoardHeight - g.viewY);
    return {gx, gy, std::max(w + gx - kPitchX, gx + 1), std::max(h + gy - kPitchY, gy + 1)};
}

int clampTo(int v, int low, int highExclusive) {
    return std::max(low, std::min(v, highExclusive - 1));
}

int carriedCard(const GameState &g) { return cardId(g.gesture.dragColumn, g.gesture.dragRow); }

void holdRaise(Context &ctx, int c, int r) {
    GameState &g = ctx.g;
    g.gesture.pressColumn = c;
    g.gesture.pressRow = r;
    g.gesture.pressMode = kPressRaise;
    raiseGroup(ctx, c, r);
}

// The end of a press that only raised a group: the group goes onto the canvas
// at its place, then to the front of the window.
void releaseRaise(Context &ctx) {
    GameState &g = ctx.g;
    g.gesture.pressMode = kPressNone;
    const int c = g.gesture.pressColumn, r = g.gesture.pressRow;
    const Rect &at = g.board.cardRect[c][r];
    drawGroup(ctx, at.left, at.top, cardId(c, r), ctx.s.board, false);
    raiseGroup(ctx, c, r);
}

// Whether a card stacked above (nc, nr) has its centre square over point
// (px, py): the neighbour's spot is then taken and it does not join.
bool coveredAt(const GameState &g, int nc, int nr, int px, int py) {
    const int level = g.board.stackLevel[nc][nr];
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (g.board.stackLevel[c][r] <= level) continue;
            const Rect &o = g.board.cardRect[c][r];
            if (px >= o.left + 16 && px < o.left + 46 && py >= o.top + 35 && py < o.top + 65)
                return true;
        }
    }
    return false;
}

bool allJoinedToSevens(const GameState &g) {
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (!isMember(g, cardId(kSevensColumn, 0), c, r)) return false;
    return cols.first <= cols.last;
}

// The sparkle on the seam, placed from the stationary neighbour's corner by
// the direction in which that neighbour lies.
void sparkleOnSeam(GameState &g, int direction, const Rect &n) {
    static const int offsetX[4] = {18, -15, 18, 50};
    static const int offsetY[4] = {88, 32, -15, 32};
    spawnSparkle(g, n.left + offsetX[direction], n.top + offsetY[direction], 0);
}

}  // namespace

void onLeftPress(Context &ctx, int x, int y, bool shift) {
    GameState &g = ctx.g;
    const Gesture &hand = g.gesture;
    if (!g.gameStarted || g.gameOver || hand.dragging || hand.pressMode != kPressNone) return;
    // A pick-up while the view is being pulled would carry the group over a
    // moving board and let the pan's repaints wipe it off the window.
    if (hand.panning) return;
    const int id = cardAt(g, x, y);
    if (id < 0) return;
    const int c = cardColumn(id), r = cardRow(id);
    if (shift) {
        pushUndo(ctx);
        holdRaise(ctx, c, r);
        return;
    }
    pushUndo(ctx);
    const int count = g.board.touchCount[c][r];
    if (count < kSpent) {
        if (count < kSettled) spawnScorePopup(ctx, x, y, count);
        pickUp(ctx, c, r, x, y);
    } else {
        g.gesture.pressColumn = c;
        g.gesture.pressRow = r;
        g.gesture.pressMode = kPressRaise;
    }
    g.board.touchCount[c][r] = std::min(count + 1, kSpent);
    if (g.board.touchCount[c][r] == kSettled) g.board.faceUp[c][r] = true;
    raiseGroup(ctx, c, r);
}

void pickUp(Context &ctx, int c, int r, int x, int y) {
    GameState &g = ctx.g;
    g.gesture.dragging = true;
    g.gesture.dragMoved = false;
    g.gesture.dragColumn = c;
    g.gesture.dragRow = r;
    g.gesture.grabOffsetX = x - g.board.cardRect[c][r].left;
    g.gesture.grabOffsetY = y - g.board.cardRect[c][r].top;
    const PointerBounds b = carryBounds(ctx);
    ctx.shell.confineCursor(b.left, b.top, b.right, b.bottom);
    ctx.shell.setGrabCursor();
    g.gesture.dragLeft = x - g.gesture.grabOffsetX;
    g.gesture.dragTop = y - g.gesture.grabOffsetY;
    liftGroup(ctx, cardId(c, r));
}

void onMouseMove(Context &ctx, int x, int y) {
    GameState &g = ctx.g;
    if (!g.gesture.dragging) trackHover(ctx, x, y);
    if (g.gesture.dragging) {
        g.gesture.dragMoved = true;
        ctx.shell.setGrabCursor();
        // The application keeps the pointer in these bounds; a position from
        // outside them must still not carry the card off the window.
        const PointerBounds b = carryBounds(ctx);
        const int cx = clampTo(x, b.left, b.right), cy = clampTo(y, b.top, b.bottom);
        const int nl = cx - g.gesture.grabOffsetX, nt = cy - g.gesture.grabOffsetY;
        const int id = carriedCard(g);
        moveCarriedGroup(ctx, g.gesture.dragLeft, g.gesture.dragTop, nl, nt, id);
        alignGroup(g, nl, nt, id);
        g.gesture.dragLeft = nl;
        g.gesture.dragTop = nt;
    }
    if (g.gesture.panning) {
        ctx.shell.setGrabCursor();
        const int vx = g.viewX - (x - g.gesture.panLastX), vy = g.viewY - (y - g.gesture.panLastY);
        // A step that would take the view past its limits is refused whole,
        // not clamped; the last position still advances, so a move back pans
        // again at once.
        if (vx >= 0 && vx <= kViewXMax && vy >= 0 && vy <= kViewYMax) {
            g.viewX = vx;
            g.viewY = vy;
        }
        g.gesture.panLastX = x;
        g.gesture.panLastY = y;
        ctx.shell.invalidateWindow();
    }
}

void onLeftRelease(Context &ctx, int, int) {
    GameState &g = ctx.g;
    if (g.gesture.dragging) {
        ctx.shell.setGrabCursor();
        // A click without a move keeps the group in hand: it follows the
        // pointer with the button up and goes down at the release after a move.
        if (g.gesture.dragMoved) dropGroup(ctx);
    }
    if (!g.gesture.dragging && g.gesture.pressMode == kPressRaise) releaseRaise(ctx);
}

void dropGroup(Context &ctx) {
    GameState &g = ctx.g;
    ctx.shell.releaseCursor();
    const int id = carriedCard(g);
    tryJoin(ctx, id);
    const Rect at = g.board.cardRect[g.gesture.dragColumn][g.gesture.dragRow];
    eraseDropArea(ctx, at.left + 5, at.top + 5, id);
    drawGroup(ctx, at.left, at.top, id, ctx.s.board, false);
    drawGroup(ctx, at.left - g.viewX, at.top - g.viewY, id, ctx.s.window, false);
    g.gesture.dragging = false;
}

void tryJoin(Context &ctx, int id) {
    GameState &g = ctx.g;
    const ColumnRange cols = columnsInPlay(g.level);
    // Membership is read afresh at every step, so cards that joined earlier
    // in this drop are tested in their turn, from where they now lie.
    for (int k = 0; k < kRows; ++k) {
        for (int j = 0; j < kColumns; ++j) {
            if (!inPlay(g, j, k) || !isMember(g, id, j, k)) continue;
            for (int d = 0; d < 4; ++d) {
                const int nc = j + g.neighbourDx[d], nr = k + g.neighbourDy[d];
                if (nc < cols.first || nc > cols.last || nr < 0 || nr >= kRows) continue;
                if (isMember(g, id, nc, nr)) continue;
                const Rect &m = g.board.cardRect[j][k];
                const int px = m.left + 31 + kPitchX * g.neighbourDx[d];
                const int py = m.top + 50 + kPitchY * g.neighbourDy[d];
                const Rect n = g.board.cardRect[nc][nr];
                if (px < n.left + 21 || px >= n.left + 41 || py < n.top + 40 || py >= n.top + 60)
                    continue;
                if (coveredAt(g, nc, nr, px, py)) continue;

                const int neighbour = cardId(nc, nr);
                mergeGroups(g, id, neighbour);
                alignGroup(g, n.left, n.top, neighbour);
                liftGroup(ctx, id);
                eraseDropArea(ctx, n.left, n.top, neighbour);
                raiseGroup(ctx, nc, nr);
                if (g.soundOn == 1) ctx.shell.playEffect(kJoinSound);
                sparkleOnSeam(g, d, n);
                if (allJoinedToSevens(g)) finishGame(ctx);
            }
        }
    }
}

void abandonGesture(Context &ctx) {
    GameState &g = ctx.g;
    if (g.gesture.dragging || g.gesture.panning) ctx.shell.releaseCursor();
    g.gesture.dragging = false;
    g.gesture.dragMoved = false;
    g.gesture.pressMode = kPressNone;
    g.gesture.panning = false;
}

void onRightPress(Context &ctx, int x, int y) {
    GameState &g = ctx.g;
    if (!g.gameStarted || g.gameOver || g.gesture.dragging) return;
    const int id = cardAt(g, x, y);
    if (id >= 0) {
        const int c = cardColumn(id), r = cardRow(id);
        if (g.board.touchCount[c][r] < kSpent)
            startPeek(ctx, c, r, x, y);
        else
            holdRaise(ctx, c, r);
        return;
    }
    ctx.shell.confineCursor(0, 0, logicalSize(ctx.s.window).width(),
                            logicalSize(ctx.s.window).height());
    ctx.shell.setGrabCursor();
    g.gesture.panning = true;
    g.gesture.panLastX = x;
    g.gesture.panLastY = y;
}

void onRightRelease(Context &ctx, int, int) {
    GameState &g = ctx.g;
    if (!g.gesture.dragging) {
        if (g.gesture.pressMode == kPressPeek)
            endPeek(ctx);
        else if (g.gesture.pressMode == kPressRaise)
            releaseRaise(ctx);
    }
    if (g.gesture.panning) {
        g.gesture.panning = false;
        ctx.shell.setGrabCursor();
        ctx.shell.releaseCursor();
    }
}

}  // namespace fusefuda
