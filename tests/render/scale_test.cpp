// The board at 2 device pixels a board pixel: the layout of scale 1 at twice
// the coordinates, drawn from pictures with finer detail.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "render/hover.h"
#include "render/painting.h"
#include "render/raster.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// The same game on surfaces at 1 and at 2, keeping what each present shows:
// the part of the window drawn since the present before.
struct TwoScales {
    Table one{1}, two{2};
    std::vector<QImage> shownOne, shownTwo;
    TwoScales() {
        watch(one, shownOne);
        watch(two, shownTwo);
    }
    static void watch(Table &t, std::vector<QImage> &shown) {
        t.shell.onPresent = [&t, &shown] {
            Surfaces &s = t.surfaces;
            shown.push_back(s.window.copy(devicePixels(s.dirty.boundingRect(), s.scale)));
            s.dirty = QRegion();
        };
    }
    template <typename F>
    void both(F f) {
        f(one);
        f(two);
    }
};

// The centre of the topmost face-down card whose centre is in view.
QPoint faceDownInView(const GameState &g) {
    for (int n = kCards - 1; n >= 0; --n) {
        const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
        const Rect &at = g.board.cardRect[c][r];
        const QPoint centre((at.left + at.right) / 2 - g.viewX, (at.top + at.bottom) / 2 - g.viewY);
        if (inPlay(g, c, r) && g.board.faceUp[c][r] == 0 && centre.x() < 1008 && centre.y() < 709 &&
            cardAt(g, centre.x(), centre.y()) == cardId(c, r))
            return centre;
    }
    return {};
}

// Resizes the window, paints it at the far corner of the view, then pulls the
// view back a little: a pan shows the canvas.
void growAndPan(Table &s, int width, int height) {
    resizeWindowSurface(s.surfaces, width, height);
    s.g().viewX = kViewXMax;
    s.g().viewY = kViewYMax;
    paintWindow(s.ctx);
    s.g().gesture.panning = 1;
    s.g().viewX -= 40;
    s.g().viewY -= 40;
    paintWindow(s.ctx);
    s.g().gesture.panning = 0;
}

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
    useBlownUpPictures(two, one, 2);
    GameState &g1 = t.one.g();
    const Rect seven = g1.board.cardRect[6][0];
    const int gx = seven.left + 20 - g1.viewX, gy = seven.top + 30 - g1.viewY;
    QPoint peekAt;
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
             trackHover(s.play, gx, gy);
         }},
        {"press", [&](Table &s) { onLeftPress(s.play, gx, gy, false); }},
        {"carry", [&](Table &s) { onMouseMove(s.play, gx + 37, gy + 23); }},
        {"carry on", [&](Table &s) { onMouseMove(s.play, gx - 150, gy + 61); }},
        {"drop", [&](Table &s) { onLeftRelease(s.play, gx - 150, gy + 61); }},
        {"peek",
         [&](Table &s) {
             peekAt = faceDownInView(s.g());
             onRightPress(s.play, peekAt.x(), peekAt.y());
         }},
        {"peek ends", [&](Table &s) { onRightRelease(s.play, peekAt.x(), peekAt.y()); }},
        {"panning paint",
         [](Table &s) {
             s.g().gesture.panning = 1;
             s.g().viewX -= 40;
             paintWindow(s.ctx);
             s.g().gesture.panning = 0;
         }},
        // A window that grows one way only still finds the board it can show
        // on the canvas, in the far corner of the view too.
        {"wider window", [](Table &s) { growAndPan(s, 1200, 709); }},
        {"taller window", [](Table &s) { growAndPan(s, 1200, 750); }},
    };
    size_t fullWidthFrames = 0;
    for (const Step &step : steps) {
        t.both(step.run);
        // A card turn shows 64 frames, the first and last at full width: those
        // are blow-ups too (narrowed, the finer grid picks its columns more
        // finely).
        ASSERT_EQ(t.shownTwo.size(), t.shownOne.size()) << step.what;
        for (size_t i = 0; i < t.shownOne.size(); ++i) {
            if (t.shownOne.size() % 64 == 0 && i % 64 != 0 && i % 64 != 63) continue;
            EXPECT_EQ(differingPixels(t.shownTwo[i], blownUp(t.shownOne[i], 2)), 0)
                << step.what << ", present " << i;
            fullWidthFrames += t.shownOne.size() % 64 == 0;
        }
        t.shownOne.clear();
        t.shownTwo.clear();
        EXPECT_EQ(logicalSize(two.window), one.window.size()) << step.what;
        EXPECT_EQ(differingPixels(two.window, blownUp(one.window, 2)), 0) << step.what;
        const QRect canvas = logicalRect(two.board);
        EXPECT_EQ(differingPixels(two.board, blownUp(one.board.copy(canvas), 2)), 0) << step.what;
        EXPECT_EQ(differingPixels(two.peek, blownUp(one.peek, 2)), 0) << step.what;
        EXPECT_EQ(t.two.shell.confinement, t.one.shell.confinement) << step.what;
    }
    EXPECT_EQ(fullWidthFrames, 4u) << "the peek turns a card over and back";
    // The canvas reaches as far as a window of this size can show.
    EXPECT_EQ(logicalSize(two.board), QSize(kViewXMax + 1200, kViewYMax + 750));
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
            for (int r = 0; r < kRows; ++r) s.g().board.faceUp[c][r] = 1;
        paintWindow(s.ctx);
    });
    // Counted by pixel: a pixel of a blow-up is one colour over its 2 x 2
    // device pixels; the plain white body is white at any scale and left out.
    const QImage &one = t.one.surfaces.window, &two = t.two.surfaces.window;
    const GameState &g = t.one.g();
    std::vector<bool> onCard(size_t(one.width()) * size_t(one.height()));
    for (int id = 0; id < kCards; ++id) {
        if (!inPlay(g, cardColumn(id), cardRow(id))) continue;
        const Rect &r = g.board.cardRect[cardColumn(id)][cardRow(id)];
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
