// The game's canvas, the window and a margin, against the canvas of the
// whole board: the same steps show the same window, pixel for pixel.
#include <gtest/gtest.h>

#include <functional>

#include "game/board.h"
#include "game/input.h"
#include "game/zoom.h"
#include "render/overview.h"
#include "render/painting.h"
#include "render/raster.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

void pull(Table &t, int viewX, int viewY) {
    t.g().gesture.panning = true;
    t.g().viewX = viewX;
    t.g().viewY = viewY;
    paintWindow(t.ctx);
    t.g().gesture.panning = false;
}

// As the window zooms: a new client size, at a new scale when it needs one.
void zoom(Table &t, double z, int scale) {
    GameState &g = t.g();
    zoomView(g, z, 1008, 709, 504, 354);
    const BoardPoint reach = reachableBoard(g);
    t.surfaces.reach = QSize(reach.x, reach.y);
    if (scale == t.surfaces.scale)
        resizeWindowSurface(t.surfaces, g.clientWidth, g.clientHeight);
    else
        createSurfaces(t.surfaces, 1, 1, g.clientWidth, g.clientHeight, scale);
    paintWindow(t.ctx);
}

// The topmost card whose centre is in view carried 300 pixels left and up.
void carry(Table &t) {
    const GameState &g = t.g();
    for (int n = kCards - 1; n >= 0; --n) {
        const Rect &at = g.board.cardRect[g.board.stackColumn[n]][g.board.stackRow[n]];
        const int x = at.left + 31 - g.viewX, y = at.top + 50 - g.viewY;
        if (x < 300 || y < 300 || x >= g.clientWidth || y >= g.clientHeight) continue;
        onLeftPress(t.play, x, y, false);
        onMouseMove(t.play, x - 300, y - 300);
        onLeftRelease(t.play, x - 300, y - 300);
        return;
    }
    FAIL() << "no card in view";
}

}  // namespace

TEST(WindowedCanvas, ShowsWhatTheWholeBoardShows) {
    struct Step {
        const char *what;
        std::function<void(Table &, int k)> run;
        int moves;  // the canvas leaves its place (1), stays (0), or either (-1)
    };
    const Step steps[] = {
        {"deal", [](Table &t, int) { t.deal(kAdvanced), paintWindow(t.ctx); }, 1},
        {"pull within the margin",
         [](Table &t, int) { pull(t, kStartViewX + 100, kStartViewY - 100); }, 0},
        {"pull past it", [](Table &t, int) { pull(t, kViewXMax, kViewYMax); }, 1},
        {"pull back", [](Table &t, int) { pull(t, kStartViewX - 300, kStartViewY - 300); }, 1},
        {"carry", [](Table &t, int) { carry(t); }, 0},
        {"overview", [](Table &t, int) { paintWindow(t.ctx), drawOverview(t.ctx); }, 0},
        {"zoom out", [](Table &t, int k) { zoom(t, 0.9, k); }, -1},
        {"zoom in", [](Table &t, int k) { zoom(t, 2.0, k + 1); }, -1},
        {"overview zoomed", [](Table &t, int) { paintWindow(t.ctx), drawOverview(t.ctx); }, 0},
    };
    for (const int k : {1, 2}) {
        Table whole(k), windowed(k);
        windowed.surfaces.trimCanvas = true;
        createSurfaces(windowed.surfaces, 1, 1, 1008, 709, k);
        for (const Step &step : steps) {
            const QPoint was = windowed.surfaces.canvasOrigin;
            for (Table *t : {&whole, &windowed}) step.run(*t, k);
            const Surfaces &s = windowed.surfaces;
            SCOPED_TRACE(::testing::Message() << "scale " << k << ", " << step.what);
            EXPECT_EQ(differingPixels(s.window, whole.surfaces.window), 0);
            EXPECT_TRUE(step.moves < 0 || (s.canvasOrigin != was) == (step.moves == 1));
            const int margin = 256 / s.scale;
            EXPECT_EQ(logicalSize(s.board), logicalSize(s.window) + 2 * QSize(margin, margin));
            const QImage part = whole.surfaces.board.copy(devicePixels(canvasRect(s), s.scale));
            EXPECT_EQ(differingPixels(s.board, part), 0);
        }
    }
}
