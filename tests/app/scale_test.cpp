// What the window adds at 2 device pixels a board pixel: the score popups and
// sparkles of the idle step, and the framebuffer shown through the backing
// store or handed to a window that counts device pixels.
#include <gtest/gtest.h>

#include <functional>

#include "app/boardview.h"
#include "app/idle.h"
#include "game/deal.h"
#include "game/overlays.h"
#include "render/painting.h"
#include "render/raster.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// White where two pictures of one size differ, black elsewhere.
QImage changes(const QImage &before, const QImage &after) {
    QImage out(after.size(), QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, before.pixel(x, y) == after.pixel(x, y) ? 0xFF000000u : 0xFFFFFFFFu);
    return out;
}

}  // namespace

// With the pictures of scale 2 blown up from those of scale 1, each picture
// must be the one of scale 1 blown up; the popup's text is drawn afresh on the
// finer grid, so there the area it changes must be.
TEST(Scale, TheWindowsOwnDrawingAndPresentingDoubleTheCoordinates) {
    Table one(1), two(2);
    for (Table *t : {&one, &two}) {
        t->deal(kAdvanced);
        t->g().scoreDisplayOn = 1;
        t->g().animationOn = 1;
    }
    useTracePictures(one.surfaces);
    useBlownUpPictures(two.surfaces, one.surfaces, 2);
    for (Table *t : {&one, &two}) paintWindow(t->ctx);
    const auto idle = [](Table &t, void (*flip)(GameState &), int times) {
        for (int n = 0; n < times; ++n) {
            flip(t.g());
            idleStep(t.play, t.ctx);
        }
        return t.surfaces.window.copy();
    };
    const struct {
        const char *what;
        std::function<QImage(Table &)> picture;
    } steps[] = {
        {"score popup",
         [](Table &t) {
             const QImage before = t.surfaces.window.copy();
             spawnScorePopup(t.play, 333, 222, 1);
             idleStep(t.play, t.ctx);
             return changes(before, t.surfaces.window);
         }},
        {"popup wiped", [&](Table &t) { return idle(t, flipPopupPhase, 3); }},
        {"sparkle",
         [&](Table &t) {
             spawnSparkle(t.g(), t.g().viewX + 517, t.g().viewY + 301, 0);
             return idle(t, flipSparklePhase, 2);
         }},
        {"sparkle wiped", [&](Table &t) { return idle(t, flipSparklePhase, 3); }},
        {"backing store",
         [](Table &t) {
             BoardView view(t.surfaces);
             view.resize(1008, 709);
             const int k = t.surfaces.scale;
             QImage shown(1008 * k, 709 * k, QImage::Format_RGB32);
             shown.setDevicePixelRatio(k);
             view.render(&shown);
             return shown;
         }},
        {"shown directly",
         [](Table &t) {
             // As the X server copies the region it is handed from the framebuffer.
             const QImage &frame = t.surfaces.window;
             QImage shown(frame.size(), QImage::Format_RGB32);
             shown.fill(0xFF000000u);
             const QRegion region = QRegion(5, 7, 30, 20) + QRegion(400, 300, 64, 102);
             for (const QRect &r : devicePixels(region, t.surfaces.scale))
                 deviceBitBlt(shown, r.x(), r.y(), r.width(), r.height(), frame, r.x(), r.y(),
                              SRCCOPY);
             return shown;
         }},
    };
    for (const auto &step : steps) {
        const QImage atOne = step.picture(one), atTwo = step.picture(two);
        EXPECT_EQ(differingPixels(atTwo, blownUp(atOne, 2)), 0) << step.what;
    }
}
