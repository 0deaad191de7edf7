#include "app/viewzoom.h"

#include <algorithm>

#include "app/boardview.h"
#include "game/zoom.h"
#include "render/surfaces.h"

namespace fusefuda {

ViewZoom::ViewZoom(GameState &g, Surfaces &s, BoardView &view,
                   std::function<void(bool remade)> changed)
    : g_(g), s_(s), view_(view), changed_(std::move(changed)) {}

void ViewZoom::makeSurfaces() { apply(g_.zoom, {}, true); }

// Before start-up there is nothing to follow: start-up makes the surfaces
// for the window as it is by then.
void ViewZoom::follow() {
    if (!s_.board.isNull()) apply(g_.zoom, {}, false);
}

void ViewZoom::zoomBy(double steps, QPointF at) {
    if (zoomWaits(g_) || s_.board.isNull()) return;
    apply(zoomStepped(g_.zoom, steps), at, false);
}

QPointF ViewZoom::keyAnchor() const {
    if (!g_.keyFocus.shown) return QPointF(view_.width(), view_.height()) / 2;
    const Rect &card = g_.board.cardRect[g_.keyFocus.column][g_.keyFocus.row];
    const QPoint centre((card.left + card.right) / 2 - g_.viewX,
                        (card.top + card.bottom) / 2 - g_.viewY);
    return QPointF(view_.toWindow(centre));
}

void ViewZoom::zoomBy(double steps) { zoomBy(steps, keyAnchor()); }

void ViewZoom::zoomTo(double zoom) {
    if (!zoomWaits(g_) && !s_.board.isNull()) apply(zoom, keyAnchor(), false);
}

void ViewZoom::apply(double zoom, QPointF at, bool remake) {
    const int w = std::max(view_.width(), 1), h = std::max(view_.height(), 1);
    zoomView(g_, zoom, w, h, int(at.x()), int(at.y()));
    view_.setZoom(g_.zoom);
    // A pull of the view goes on from where the pointer now is over the board.
    if (g_.gesture.panning) {
        g_.gesture.panLastX = windowToClient(at.x(), g_.zoom);
        g_.gesture.panLastY = windowToClient(at.y(), g_.zoom);
    }
    // Drawn at the next whole scale of zoom x density and shown smoothly
    // scaled: at 100 % the screen's own scale, as ever.
    changed_(fitSurfacesToZoom(s_, g_, view_.devicePixelRatio(), remake));
}

}  // namespace fusefuda
