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
            g.backgroundPattern = Background(pattern);
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
        t.g().backgroundPattern = kSeeThroughBackground;
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

// The view's frame has each of its four edges where the view's own edges
// fall on the picture: across the middle of the frame, white only there.
TEST(OverviewPicture, TheViewsFrameHasItsFourEdgesWhereTheViewsEdgesFall) {
    const struct { int viewX, viewY; } cases[] = {{300, 60}, {kViewXMax, kViewYMax}, {0, 500}};
    for (const auto &c : cases) {
        fusefuda::testing::Table t;
        GameState &g = t.g();
        g.viewX = c.viewX;
        g.viewY = c.viewY;
        t.surfaces.board.fill(0xFF606060u);
        drawOverview(t.ctx);
        const OverviewFrame f = overviewFrame(g.clientWidth, g.clientHeight);
        const int left = f.left + g.viewX * f.width / f.boardWidth;
        const int right = f.left + (g.viewX + g.clientWidth) * f.width / f.boardWidth;
        const int top = f.top + g.viewY * f.height / f.boardHeight;
        const int bottom = f.top + (g.viewY + g.clientHeight) * f.height / f.boardHeight;
        const auto white = [&](int x, int y) {
            return t.surfaces.window.pixel(x, y) == 0xFFFFFFFFu;
        };
        std::vector<int> across, down;
        for (int x = 0; x < 1008; ++x)
            if (white(x, (top + bottom) / 2)) across.push_back(x);
        for (int y = 0; y < 709; ++y)
            if (white((left + right) / 2, y)) down.push_back(y);
        ASSERT_EQ(across.size(), 2u) << c.viewX;
        ASSERT_EQ(down.size(), 2u) << c.viewX;
        EXPECT_NEAR(across[0], left + 1, 1) << c.viewX;
        EXPECT_NEAR(across[1], right - 2, 1) << c.viewX;
        EXPECT_NEAR(down[0], top + 1, 1) << c.viewX;
        EXPECT_NEAR(down[1], bottom - 2, 1) << c.viewX;
    }
}
