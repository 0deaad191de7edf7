// The board at 2 device pixels a board pixel: the layout of scale 1 at twice
// the coordinates, drawn from pictures with finer detail.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "game/deal.h"
#include "game/input.h"
#include "render/hover.h"
#include "render/painting.h"
#include "render/raster.h"
#include "render/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// Every pixel of img as a k x k block.
QImage blownUp(const QImage &img, int k) {
    QImage out(img.width() * k, img.height() * k, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto *from = reinterpret_cast<const uint32_t *>(img.constScanLine(y / k));
        auto *to = reinterpret_cast<uint32_t *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) to[x] = from[x / k];
    }
    out.setDevicePixelRatio(k);
    return out;
}

// The same game on surfaces at 1 and at 2.
struct TwoScales {
    Table one{1}, two{2};
    template <typename F>
    void both(F f) {
        f(one);
        f(two);
    }
};

}  // namespace

// With the trace pictures blown up as the pictures of scale 2, every copy,
// outline and shadow must give exactly the picture of scale 1 blown up: a
// copy that lands anywhere but at twice the coordinates, or a size left
// unscaled, shows as differing pixels.
TEST(Scale, EveryOperationDrawsTheSameLayoutAtTwiceTheCoordinates) {
    TwoScales t;
    t.both([](Table &s) { s.deal(kAdvanced); });
    useTracePictures(t.one.surfaces);
    Surfaces &two = t.two.surfaces;
    const Surfaces &one = t.one.surfaces;
    for (auto [to, from] : {std::pair{&two.background, &one.background},
                            {&two.face, &one.face},
                            {&two.settledFace, &one.settledFace},
                            {&two.backs, &one.backs},
                            {&two.unknownCard, &one.unknownCard},
                            {&two.greyCard, &one.greyCard}})
        *to = blownUp(*from, 2);
    two.peek = blownUp(one.peek, 2);
    GameState &g1 = t.one.g();
    const Rect seven = g1.cardRect[6][0];
    const int gx = seven.left + 20 - g1.viewX, gy = seven.top + 30 - g1.viewY;
    struct Step {
        const char *what;
        std::function<void(Table &)> run;
    };
    const Step steps[] = {
        {"full paint", [](Table &s) { paintWindow(s.ctx); }},
        {"guide outline",
         [&](Table &s) {
             s.g().guideOn = 1;
             s.g().peekModeOn = 1;
             trackHover(s.ctx, gx, gy);
         }},
        {"press", [&](Table &s) { onLeftPress(s.ctx, gx, gy, false); }},
        {"carry", [&](Table &s) { onMouseMove(s.ctx, gx + 37, gy + 23); }},
        {"carry on", [&](Table &s) { onMouseMove(s.ctx, gx - 150, gy + 61); }},
        {"drop", [&](Table &s) { onLeftRelease(s.ctx, gx - 150, gy + 61); }},
        {"peek", [&](Table &s) { onRightPress(s.ctx, gx + 300, gy + 200); }},
        {"peek ends", [&](Table &s) { onRightRelease(s.ctx, gx + 300, gy + 200); }},
        {"panning paint",
         [](Table &s) {
             s.g().panning = 1;
             s.g().viewX -= 40;
             paintWindow(s.ctx);
             s.g().panning = 0;
         }},
    };
    for (const Step &step : steps) {
        t.both(step.run);
        EXPECT_EQ(logicalSize(two.window), one.window.size()) << step.what;
        EXPECT_EQ(differingPixels(two.window, blownUp(one.window, 2)), 0) << step.what;
        const QRect canvas = logicalRect(two.board);
        EXPECT_EQ(differingPixels(two.board, blownUp(one.board.copy(canvas), 2)), 0) << step.what;
        EXPECT_EQ(differingPixels(two.peek, blownUp(one.peek, 2)), 0) << step.what;
        EXPECT_EQ(t.two.shell.confineRight, t.one.shell.confineRight) << step.what;
    }
    // The canvas reaches as far as a window of this size can show.
    EXPECT_EQ(logicalSize(two.board), QSize(kViewXMax + 1008, kViewYMax + 709));
}

// With the game's own pictures, scale 2 is not scale 1 blown up: the faces
// are drawn again on the finer grid. The background's flat cells are the
// same at both scales.
TEST(Scale, TheBoardAtTwoHasFinerDetailThanABlowUp) {
    TwoScales t;
    t.both([](Table &s) {
        s.deal(kAdvanced);
        // Every face in view: whatever lies on top, a face lies there.
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r) s.g().faceUp[c][r] = 1;
        paintWindow(s.ctx);
    });
    // Counted by pixel: a pixel of a blow-up is one colour over its 2 x 2
    // device pixels; the plain white body is white at any scale and left out.
    const QImage &one = t.one.surfaces.window, &two = t.two.surfaces.window;
    const GameState &g = t.one.g();
    std::vector<bool> onCard(size_t(one.width()) * size_t(one.height()));
    for (int id = 0; id < kCards; ++id) {
        if (!inPlay(g, cardColumn(id), cardRow(id))) continue;
        const Rect &r = g.cardRect[cardColumn(id)][cardRow(id)];
        for (int y = std::max(r.top - g.viewY, 0);
             y <= std::min(r.bottom - g.viewY, one.height() - 1); ++y)
            for (int x = std::max(r.left - g.viewX, 0);
                 x <= std::min(r.right - g.viewX, one.width() - 1); ++x)
                onCard[size_t(y) * size_t(one.width()) + size_t(x)] = true;
    }
    long ink = 0, differing = 0, background = 0, backgroundDiffering = 0;
    for (int y = 0; y < one.height(); ++y)
        for (int x = 0; x < one.width(); ++x) {
            const QRgb small = one.pixel(x, y);
            if (!onCard[size_t(y) * size_t(one.width()) + size_t(x)]) {
                // The background is flat cells: the same at every scale.
                ++background;
                for (int d = 0; d < 4; ++d)
                    backgroundDiffering += two.pixel(2 * x + d % 2, 2 * y + d / 2) != small;
                continue;
            }
            bool white = (small & 0xFFFFFFu) == 0xFFFFFFu, blown = true;
            for (int d = 0; d < 4; ++d) {
                const QRgb v = two.pixel(2 * x + d % 2, 2 * y + d / 2);
                white = white && (v & 0xFFFFFFu) == 0xFFFFFFu;
                blown = blown && v == small;
            }
            if (white) continue;
            ++ink;
            differing += !blown;
        }
    ASSERT_GT(background, 100000);
    EXPECT_EQ(backgroundDiffering, 0);
    ASSERT_GT(ink, 30000);
    // A blow-up scores 0. Solid pips and the outlines stay solid at any
    // scale; the edges of every pip, index and court drawing are finer: about
    // half the pixels.
    EXPECT_GT(double(differing) / double(ink), 0.4) << differing << " of " << ink;
}
