#include "app/viewzoom.h"

#include <QTimer>
#include <algorithm>

#include "app/boardview.h"
#include "game/zoom.h"
#include "render/pictures.h"

namespace fusefuda {

namespace {

// How often pictures decoded while the hand held something look again.
constexpr int kRetryMs = 50;
// How long after the last step the memory put aside is kept for the next.
constexpr int kSpareKeptMs = 1000;

}  // namespace

ViewZoom::ViewZoom(GameState &g, Surfaces &s, BoardView &view,
                   std::function<void(bool remade)> changed)
    : g_(g), s_(s), view_(view), changed_(std::move(changed)) {
    spare_.setSingleShot(true);
    spare_.setInterval(kSpareKeptMs);
    QObject::connect(&spare_, &QTimer::timeout, &guard_, [this] { s_.store.releaseSpare(); });
}

// A decoding on its way finishes first; its arrival, posted to guard_, goes
// with it.
ViewZoom::~ViewZoom() {
    if (decoded_.valid()) decoded_.wait();
}

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
    surfacesChanged(fitSurfacesAtScale(s_, g_, scaleToDraw(remake), remake));
}

void ViewZoom::surfacesChanged(bool remade) {
    changed_(remade);
    spare_.start();
}

// Drawn at the next whole scale of zoom x density and shown smoothly scaled:
// at 100 % the screen's own scale, as ever. A step to a scale whose pictures
// were never decoded is shown at once from the scale in hand, a little soft,
// and sharp again as soon as the pictures are decoded on other threads.
int ViewZoom::scaleToDraw(bool remake) {
    const int wanted = surfaceScaleFor(view_.devicePixelRatio() * g_.zoom);
    if (remake || wanted == s_.scale || g_.zoom == 1.0 || s_.board.isNull()) return wanted;
    std::vector<Surfaces::Made> missing = picturesMissing(
        s_, {g_.cardPattern, g_.backgroundPattern, g_.fourColourOn}, wanted);
    if (missing.empty()) return wanted;
    decodeAhead(std::move(missing));
    return s_.scale;
}

// One decoding at a time: when it arrives, the scale is chosen again.
void ViewZoom::decodeAhead(std::vector<Surfaces::Made> pictures) {
    if (decoded_.valid()) return;
    const int decoding = ++decoding_;
    decoded_ = std::async(std::launch::async, [this, decoding, pictures]() mutable {
        decodePictures(pictures);
        QMetaObject::invokeMethod(&guard_, [this, decoding] { takePictures(decoding); },
                                  Qt::QueuedConnection);
        return pictures;
    });
}

// The surfaces change scale only between carries and peeks: the carried
// strip and the peek window are made at the scale in hand.
void ViewZoom::takePictures(int decoding) {
    if (decoded_.valid() && decoding == decoding_) keepPictures(s_, decoded_.get());
    if (decoding != decoding_ || s_.board.isNull()) return;
    if (zoomWaits(g_)) {
        QTimer::singleShot(kRetryMs, &guard_, [this, decoding] { takePictures(decoding); });
        return;
    }
    surfacesChanged(fitSurfacesAtScale(s_, g_, scaleToDraw(false), false));
}

void ViewZoom::awaitPictures() { takePictures(decoding_); }

}  // namespace fusefuda
