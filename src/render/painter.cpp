#include "render/painter.h"

#include "render/canvas.h"
#include "render/cards.h"
#include "render/carriedpictures.h"
#include "render/flips.h"
#include "render/focus.h"
#include "render/hover.h"
#include "render/painting.h"

namespace fusefuda {

namespace {

const Rect &placeOf(const GameState &g, int id) {
    return g.board.cardRect[cardColumn(id)][cardRow(id)];
}

}  // namespace

// The canvas from the background with every card a dark back, then the
// sevens with their faces.
void BoardPainter::dealt() {
    focusOverdrawn(ctx_);
    rebuildBoardWithBacks(ctx_, kNoCard);
    drawGroupOnCanvas(ctx_, cardId(kSevensColumn, 0));
}

// Drawn on the window at its place; the canvas keeps it at its old depth until
// it is put down.
void BoardPainter::raised(int c, int r) {
    focusOverdrawn(ctx_);
    const Rect &at = ctx_.g.board.cardRect[c][r];
    drawGroup(ctx_, at.left, at.top, cardId(c, r), ctx_.s.window, true);
}

void BoardPainter::lifted(int id) {
    focusOverdrawn(ctx_);
    liftGroup(ctx_, id);
}

void BoardPainter::carried(int id, int oldLeft, int oldTop) {
    focusOverdrawn(ctx_);
    const Gesture &hand = ctx_.g.gesture;
    moveCarriedGroup(ctx_, oldLeft, oldTop, hand.dragLeft, hand.dragTop, id);
}

// The trail of the last move goes, and the group lies on the canvas and the
// window at its place.
void BoardPainter::dropped(int id) {
    focusOverdrawn(ctx_);
    const Rect at = placeOf(ctx_.g, id);
    eraseDropArea(ctx_, at.left + 5, at.top + 5, id);
    drawGroupOnCanvas(ctx_, id);
    drawGroup(ctx_, at.left - ctx_.g.viewX, at.top - ctx_.g.viewY, id, ctx_.s.window, false);
    forgetCarriedPictures(ctx_.s);
}

// The carried cards leave the canvas for their snapped places, and the window
// around the neighbour's group is wiped of where they were drawn.
void BoardPainter::joined(int id, int neighbour) {
    focusOverdrawn(ctx_);
    liftGroup(ctx_, id);
    const Rect &at = placeOf(ctx_.g, neighbour);
    eraseDropArea(ctx_, at.left, at.top, neighbour);
}

void BoardPainter::settled(int c, int r) {
    focusOverdrawn(ctx_);
    drawGroupOnCanvas(ctx_, cardId(c, r));
}

void BoardPainter::flipped(int c, int r, bool toFace) {
    focusOverdrawn(ctx_);
    if (toFace)
        flipToFace(ctx_, c, r);
    else
        flipToBack(ctx_, c, r);
}

void BoardPainter::hoverLeft(int lastShown) {
    focusOverdrawn(ctx_);
    clearHoverOutline(ctx_, lastShown);
}

void BoardPainter::hovered(int c, int r) {
    focusOverdrawn(ctx_);
    if (ctx_.g.guideOn) drawGuideOutline(ctx_, cardId(c, r));
    showPeekFace(ctx_, c, r);
    ctx_.drawn.guidePrevious = ctx_.drawn.guideCard;
    ctx_.drawn.guideCard = cardId(c, r);
}

}  // namespace fusefuda
