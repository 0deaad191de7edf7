// The board's zoom in the window: the client area in board pixels, the
// surfaces at the scale the zoom and the screen's density need, and the
// view that keeps the board point under the pointer (or the focus card, or
// the window's centre) where it was.
#pragma once

#include <QObject>
#include <QPointF>
#include <QTimer>
#include <functional>
#include <future>
#include <vector>

#include "render/surfaces.h"

namespace fusefuda {

struct GameState;
class BoardView;

class ViewZoom {
public:
    // `changed` runs after every change of the client area or the surfaces;
    // true when the surfaces were made afresh.
    ViewZoom(GameState &g, Surfaces &s, BoardView &view, std::function<void(bool remade)> changed);
    ~ViewZoom();
    ViewZoom(const ViewZoom &) = delete;
    ViewZoom &operator=(const ViewZoom &) = delete;

    // The surfaces for the window as it is: at start-up (made afresh), after a
    // resize or a move to a screen of another density. The zoom stays, kept
    // within fit for the window's size, and the view keeps its corner.
    void makeSurfaces();
    void follow();
    // Zoom steps (game/zoom.h) about a point of the board view, unless the
    // zoom waits for the hand; a pull of the view goes on from there.
    void zoomBy(double steps, QPointF at);
    // For the keys and the menu: about the focus card once the keys have
    // shown it, else the window's centre.
    void zoomBy(double steps);
    // 0 and anything below fit: the reachable board fits the window.
    void zoomTo(double zoom);
    // Waits for the pictures being decoded ahead, if any, and draws with them.
    void awaitPictures();

private:
    QPointF keyAnchor() const;
    void apply(double zoom, QPointF at, bool remake);
    int scaleToDraw(bool remake);
    void decodeAhead(std::vector<Surfaces::Made> pictures);
    void takePictures(int decoding);
    void surfacesChanged(bool remade);

    GameState &g_;
    Surfaces &s_;
    BoardView &view_;
    std::function<void(bool)> changed_;
    // Pictures of a new scale decoded on another thread, and which decoding.
    std::future<std::vector<Surfaces::Made>> decoded_;
    int decoding_ = 0;
    QObject guard_;  // their arrival is posted to it
    // The surfaces' memory that a burst of steps put aside goes back to the
    // system when the steps stop.
    QTimer spare_;
};

}  // namespace fusefuda
