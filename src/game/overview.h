// The whole board at a glance: where its picture lies in the window, which
// board point a click on it names, and the view that such a click chooses.
#pragma once

#include "game/play.h"

namespace fusefuda {

// The board's picture in the window, in window pixels; it shows the board
// from (0, 0) to (boardWidth, boardHeight).
struct OverviewFrame {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int boardWidth = 0;
    int boardHeight = 0;
    bool operator==(const OverviewFrame &) const = default;
};

// What a window of this client size can ever show of the board: the view's
// limits plus the window. No card lies beyond, since a carried card stays in
// the window.
BoardPoint reachableBoard(int clientWidth, int clientHeight);

// That part of the board scaled into the client area as large as it fits,
// its shape kept, centred.
OverviewFrame overviewFrame(int clientWidth, int clientHeight);
// The same for the window as it is, at its zoom.
OverviewFrame overviewFrame(const GameState &g);

// The board point shown at window point (x, y); a point beside the picture
// names the nearest edge of the board.
BoardPoint boardPointAt(const OverviewFrame &frame, int x, int y);

// The view that puts board point p at the window's centre, kept within the
// view's limits.
BoardPoint viewCentredOn(BoardPoint p, int clientWidth, int clientHeight,
                         int viewXLimit = kViewXMax, int viewYLimit = kViewYMax);

// Moves the view so that p is at the window's centre, as far as the limits
// allow, and says so.
void centreViewOn(Play &play, BoardPoint p);

}  // namespace fusefuda
