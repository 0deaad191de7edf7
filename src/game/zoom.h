// How large the board is shown. The rules stay in board pixels at every
// zoom: only the mapping between the board and the window changes. The
// window's client area holds clientWidth x clientHeight board pixels, each
// shown zoom x zoom window pixels large.
#pragma once

#include "game/overview.h"

namespace fusefuda {

constexpr double kZoomMax = 2.0;
// A notch of the wheel, or a zoom key.
constexpr double kZoomStep = 1.1;

// The board that a window of this size (window pixels) can reach: what the
// view can show at 100 %, its limits plus the window. The same at every zoom.
BoardPoint reachableBoard(const GameState &g);
// The view's limits: the reachable board's far edges at the window's far
// edges; 0 where the window shows the reachable board whole. At 100 % the
// fixed limits.
int viewXMax(const GameState &g);
int viewYMax(const GameState &g);

// The smallest zoom: the reachable board fits the window, and the window
// never shows more than the whole board.
double fitZoom(int windowWidth, int windowHeight);
// The zoom waits while a card, a press or a peek is in hand; a pull of the
// view goes on across it.
bool zoomWaits(const GameState &g);
// z kept between fit and 200 %; not a number, 100 %.
double clampZoom(double z, int windowWidth, int windowHeight);
// z after a number of steps (negative: out), in whole percents; a step that
// passes 100 % stops there.
double zoomStepped(double z, double steps);

// The client area, in board pixels, of a window of this size at zoom z.
int clientExtent(int windowExtent, double z);
// The board pixel under a window pixel, relative to the view, and back to
// the window pixel where that board pixel's top left corner shows.
int windowToClient(double windowCoordinate, double z);
int clientToWindow(int clientCoordinate, double z);

// Shows the board at zoom z (kept between fit and 200 %) in a window of this
// size, the board point under window point (anchorX, anchorY) kept under it
// as far as the view's limits allow. Changes the client size, the view and
// g.zoom; the window makes its surfaces for the new client size.
void zoomView(GameState &g, double z, int windowWidth, int windowHeight, int anchorX, int anchorY);

}  // namespace fusefuda
