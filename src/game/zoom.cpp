#include "game/zoom.h"

#include <algorithm>
#include <cmath>

#include "game/keys.h"

namespace fusefuda {

namespace {

// The window's size is kept: the client area, rounded up to whole board
// pixels, would give it a pixel larger at some zooms.
int windowExtent(int kept, int client, double z) {
    return kept > 0 ? kept : clientToWindow(client, z);
}

}  // namespace

BoardPoint reachableBoard(const GameState &g) {
    return reachableBoard(windowExtent(g.windowWidth, g.clientWidth, g.zoom),
                          windowExtent(g.windowHeight, g.clientHeight, g.zoom));
}

// At 100 % the limits are the fixed ones, whatever the window's size.
int viewXMax(const GameState &g) {
    return std::max(0, kViewXMax + windowExtent(g.windowWidth, g.clientWidth, g.zoom) -
                           g.clientWidth);
}
int viewYMax(const GameState &g) {
    return std::max(0, kViewYMax + windowExtent(g.windowHeight, g.clientHeight, g.zoom) -
                           g.clientHeight);
}

double fitZoom(int windowWidth, int windowHeight) {
    const int w = std::max(windowWidth, 1), h = std::max(windowHeight, 1);
    const BoardPoint reach = reachableBoard(w, h);
    const double fits = std::min(double(w) / reach.x, double(h) / reach.y);
    const double withinBoard = std::max(double(w) / kBoardWidth, double(h) / kBoardHeight);
    return std::min(std::max(fits, withinBoard), kZoomMax);
}

bool zoomWaits(const GameState &g) {
    return g.gesture.dragging || g.gesture.pressMode != kPressNone || keysHold(g);
}

double clampZoom(double z, int windowWidth, int windowHeight) {
    return std::clamp(std::isfinite(z) ? z : 1.0, fitZoom(windowWidth, windowHeight), kZoomMax);
}

double zoomStepped(double z, double steps) {
    const double percent = std::round(z * 100);
    double next = std::round(percent * std::pow(kZoomStep, steps));
    // A small step still moves a whole percent.
    if (next == percent && steps != 0) next += steps > 0 ? 1 : -1;
    if ((percent < 100 && next > 100) || (percent > 100 && next < 100)) next = 100;
    return next / 100;
}

int clientExtent(int windowExtent, double z) {
    return std::max(1, int(std::ceil(windowExtent / z - 1e-9)));
}

int windowToClient(double windowCoordinate, double z) {
    return int(std::floor(windowCoordinate / z + 1e-9));
}

int clientToWindow(int clientCoordinate, double z) {
    return int(std::lround(clientCoordinate * z));
}

void zoomView(GameState &g, double z, int windowWidth, int windowHeight, int anchorX, int anchorY) {
    z = clampZoom(z, windowWidth, windowHeight);
    // The board point under the anchor, in fractions of a board pixel.
    const double boardX = g.viewX + anchorX / g.zoom, boardY = g.viewY + anchorY / g.zoom;
    g.zoom = z;
    g.windowWidth = windowWidth;
    g.windowHeight = windowHeight;
    g.clientWidth = clientExtent(windowWidth, z);
    g.clientHeight = clientExtent(windowHeight, z);
    g.viewX = std::clamp(int(std::lround(boardX - anchorX / z)), 0, viewXMax(g));
    g.viewY = std::clamp(int(std::lround(boardY - anchorY / z)), 0, viewYMax(g));
}

}  // namespace fusefuda
