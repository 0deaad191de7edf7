#include "game/overview.h"

#include <gtest/gtest.h>

#include "render/overview.h"
#include "support/table.h"

using namespace fusefuda;

// At 1 and 2 device pixels a pixel the picture is the canvas scaled, within
// the smoothing's blur: a canvas whose red runs with x and green with y tells
// where each point came from. The margin is black, or the key green with the
// see-through background; the view is framed in white.
TEST(OverviewPicture, IsTheCanvasScaledAtTheWindowsDensityWithTheViewFramed) {
    for (const int k : {1, 2})
        for (const int pattern : {1, 4}) {
            fusefuda::testing::Table t(k);
            GameState &g = t.g();
            const QImage &w = t.surfaces.window;
            QImage &canvas = t.surfaces.board;
            g.backgroundPattern = pattern;
            const OverviewFrame f = overviewFrame(g.clientWidth, g.clientHeight);
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    canvas.setPixel(x, y,
                                    qRgb(std::min(255, x * 255 / (f.boardWidth * k)),
                                         std::min(255, y * 255 / (f.boardHeight * k)), 128));
            drawOverview(t.ctx);
            EXPECT_EQ(t.surfaces.dirty, QRegion(0, 0, 1008, 709));
            for (int i = 1; i < 8; ++i) {
                const int px = (f.left + i * f.width / 8) * k, py = (f.top + i * f.height / 11) * k;
                const QRgb shown = w.pixel(px, py);
                const QRgb from = canvas.pixel((px - f.left * k) * f.boardWidth / f.width,
                                               (py - f.top * k) * f.boardHeight / f.height);
                EXPECT_LE(
                    std::abs(qRed(shown) - qRed(from)) + std::abs(qGreen(shown) - qGreen(from)), 4)
                    << "k " << k << " at " << px << "," << py;
            }
            for (const int x : {0, f.left * k - 1})
                EXPECT_EQ(w.pixel(x, 300 * k), pattern == 4 ? 0xFF00FF00u : 0xFF000000u);
            // The view's left edge, half way down: white within a few pixels.
            const int edge = (f.left + g.viewX * f.width / f.boardWidth) * k, mid = 300 * k;
            bool white = false;
            for (int x = edge - k; x <= edge + 4 * k; ++x) white |= w.pixel(x, mid) == 0xFFFFFFFFu;
            EXPECT_TRUE(white) << "k " << k;
        }
}

// Over the desktop the key green blends with nothing: above the view's frame
// every pixel of the picture is the key or the grey of the canvas's lines.
TEST(OverviewPicture, TheSeeThroughGreenBlendsWithNothing) {
    for (const int k : {1, 2}) {
        fusefuda::testing::Table t(k);
        t.g().backgroundPattern = 4;
        QImage &canvas = t.surfaces.board;
        for (int y = 0; y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                canvas.setPixel(x, y, x % 7 == 0 || y % 7 == 0 ? 0xFF808080u : 0xFF00FF00u);
        drawOverview(t.ctx);
        int blended = 0;
        for (int y = 0; y < 150 * k; ++y)
            for (int x = 0; x < 1008 * k; ++x)
                blended += t.surfaces.window.pixel(x, y) != 0xFF00FF00u &&
                           t.surfaces.window.pixel(x, y) != 0xFF808080u;
        EXPECT_EQ(blended, 0) << k;
    }
}
