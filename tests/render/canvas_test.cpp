// The window and a margin as the canvas, against the whole board: the same window, pixel for pixel.
#include <gtest/gtest.h>

#include <functional>

#include "game/zoom.h"
#include "render/overview.h"
#include "render/painting.h"
#include "render/raster.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

void pull(Table &t, int viewX, int viewY) {
    t.g().viewX = viewX, t.g().viewY = viewY, t.g().gesture.panning = true;
    paintWindow(t.ctx);
    t.g().gesture.panning = false;
}

// As the window zooms on a screen of k device pixels a pixel: a new client
// size, at a new scale when it needs one.
void zoom(Table &t, double z, int k) {
    zoomView(t.g(), z, 1008, 709, 504, 354);
    fitSurfacesToZoom(t.surfaces, t.g(), k);
    paintWindow(t.ctx);
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
        {"pull within", [](Table &t, int) { pull(t, kStartViewX + 40, kStartViewY - 40); }, 0},
        {"pull past it", [](Table &t, int) { pull(t, kViewXMax, kViewYMax); }, 1},
        {"pull back", [](Table &t, int) { pull(t, kStartViewX - 300, kStartViewY - 300); }, 1},
        {"carry", [](Table &t, int) { carryTo(t, 6, 0, 500, 300); }, 0},
        {"overview", [](Table &t, int) { paintWindow(t.ctx), drawOverview(t.ctx); }, 0},
        {"zoom out", [](Table &t, int k) { zoom(t, 0.9, k); }, -1},
        {"zoom in", [](Table &t, int k) { zoom(t, 2.0, k); }, -1},
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
            EXPECT_EQ(logicalSize(s.board) - logicalSize(s.window), QSize(2, 2) * (128 / s.scale));
            const QImage part = whole.surfaces.board.copy(devicePixels(canvasRect(s), s.scale));
            EXPECT_EQ(differingPixels(s.board, part), 0);
        }
    }
}
