#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "game/zoom.h"

namespace fusefuda {
namespace {

constexpr int kW = 1008, kH = 709;  // the window's client area in window pixels

// A window point names the board pixel under it, whose corner shows within
// a window pixel of it, at every zoom.
TEST(Zoom, WindowPointsMapToBoardPointsAndBackWithinAPixel) {
    for (double z : {fitZoom(kW, kH), 0.5, 0.75, 1.0, 1.1, 1.5, 2.0})
        for (int w : {0, 1, 2, 333, 500, kW - 1}) {
            const int client = windowToClient(w, z);
            EXPECT_LE(std::abs(clientToWindow(client, z) - w), 1) << z << " " << w;
            EXPECT_LT(client, clientExtent(kW, z)) << z << " " << w;
        }
    EXPECT_EQ(windowToClient(333, 1.0), 333);
    EXPECT_EQ(windowToClient(333, 1.5), 222);
    EXPECT_EQ(windowToClient(3, 2.0), 1);
    EXPECT_EQ(clientExtent(kW, 2.0), 504);
    EXPECT_EQ(clientExtent(kW, 0.75), 1344);
}

// At 100 % the fixed limits; zoomed out to fit, the whole reachable board
// shows and the view cannot be pulled; zoomed in, the reachable board's far
// edges can still be brought to the window's.
TEST(Zoom, TheViewsLimitsKeepTheBoardThatTheWindowReachesAt100) {
    const struct {
        double zoom;
        int xMax, yMax;
    } cases[] = {{1.0, kViewXMax, kViewYMax}, {2.0, kViewXMax + kW - 504, kViewYMax + kH - 355},
                 {fitZoom(kW, kH), 0, 0}};
    for (const auto &c : cases) {
        GameState g;
        zoomView(g, c.zoom, kW, kH, 0, 0);
        EXPECT_EQ(viewXMax(g), c.xMax) << c.zoom;
        EXPECT_EQ(viewYMax(g), c.yMax) << c.zoom;
        EXPECT_EQ(reachableBoard(g), (BoardPoint{kViewXMax + kW, kViewYMax + kH})) << c.zoom;
        EXPECT_LE(g.viewX + g.clientWidth, kBoardWidth);
    }
    // A window as wide as the board never shows more than the board.
    EXPECT_LE(clientExtent(2600, fitZoom(2600, 300)), kBoardWidth);
    EXPECT_LE(clientExtent(300, fitZoom(2600, 300)), kBoardHeight);
}

TEST(Zoom, StepsAreWholePercentsAndStopAt100OnTheWay) {
    const struct {
        double from, steps, to;
    } cases[] = {{1.0, 1, 1.1}, {1.1, -1, 1.0}, {0.95, 1, 1.0}, {1.05, -1, 1.0},
                 {1.0, -3, 0.75}, {1.5, 0.01, 1.51}, {0.5, -0.01, 0.49}};
    for (const auto &c : cases) EXPECT_DOUBLE_EQ(zoomStepped(c.from, c.steps), c.to) << c.from;
    EXPECT_DOUBLE_EQ(clampZoom(5.0, kW, kH), kZoomMax);
    EXPECT_DOUBLE_EQ(clampZoom(0.0, kW, kH), fitZoom(kW, kH));
}

// The board point under the anchor stays under it, and zooming back returns
// the view to where it was.
TEST(Zoom, TheBoardPointUnderTheAnchorStaysUnderIt) {
    GameState g;
    zoomView(g, 1.0, kW, kH, 0, 0);
    g.viewX = 300;
    g.viewY = 200;
    zoomView(g, 2.0, kW, kH, 500, 300);
    EXPECT_EQ(g.viewX, 550);
    EXPECT_EQ(g.viewY, 350);
    EXPECT_EQ(g.clientWidth, 504);
    zoomView(g, 1.0, kW, kH, 500, 300);
    EXPECT_EQ(g.viewX, 300);
    EXPECT_EQ(g.viewY, 200);
    // Zoomed out past what the limits allow, the view stops at them.
    zoomView(g, 0.5, kW, kH, 0, 0);
    EXPECT_EQ(g.viewX, viewXMax(g));
}

}  // namespace
}  // namespace fusefuda
