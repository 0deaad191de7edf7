// The window's ways to zoom: each about its own point, none while the hand
// holds something, the surfaces at the scale the zoom needs.
#include <gtest/gtest.h>

#include <QNativeGestureEvent>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <functional>
#include <memory>

#include "app_driving.h"
#include "game/zoom.h"
#include "render/raster.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

void wheel(BoardView *view, QPoint at, Qt::KeyboardModifiers mods) {
    QWheelEvent event(at, view->mapToGlobal(at), {}, {0, 120}, Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &event);
}

// The board point under a point of the view, in fractions of a board pixel.
QPointF boardUnder(const GameState &g, QPointF at) {
    return QPointF(g.viewX, g.viewY) + at / g.zoom;
}

}  // namespace

TEST(ZoomWindow, EachWayZoomsAboutItsPointAndNoneWhileTheHandHoldsSomething) {
    App app;
    app.run(kCmdAdvanced);
    GameState &g = app.g();
    BoardView *view = app.window->boardView();
    const std::unique_ptr<QPointingDevice> fingers(QTest::createTouchDevice());
    const QPoint at(300, 200);
    const struct {
        const char *what;
        std::function<void()> act;
        double zoom;  // before, zoom 1
        bool keepsThePoint;
    } cases[] = {
        {"Ctrl + wheel", [&] { wheel(view, at, Qt::ControlModifier); }, 1.1, true},
        {"wheel alone", [&] { wheel(view, at, Qt::NoModifier); }, 1.0, true},
        {"touchpad pinch",
         [&] {
             QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(),
                                       2, at, at, view->mapToGlobal(QPointF(at)), 0.21, {}, 0);
             QApplication::sendEvent(view, &pinch);
         },
         1.21, true},
        {"two fingers spread",
         [&] {
             QTest::touchEvent(view, fingers.get()).press(0, at - QPoint(50, 0)).press(1, at + QPoint(50, 0));
             QTest::touchEvent(view, fingers.get()).move(0, at - QPoint(61, 0)).move(1, at + QPoint(60, 0));
             QTest::touchEvent(view, fingers.get()).release(0, at - QPoint(61, 0)).release(1, at + QPoint(60, 0));
         },
         1.21, false},
        {"Ctrl + wheel with a card carried",
         [&] {
             g.gesture.dragging = true;
             wheel(view, at, Qt::ControlModifier);
             g.gesture.dragging = false;
         },
         1.0, true},
        {"Zoom In", [&] { app.run(kCmdZoomIn); }, 1.1, false},
        {"Fit", [&] { app.run(kCmdFitBoard); }, fitZoom(view->width(), view->height()), false},
    };
    for (const auto &c : cases) {
        app.run(kCmdActualSize);
        g.viewX = 200;
        g.viewY = 100;
        const QPointF before = boardUnder(g, at);
        const int was = app.window->surfaces().scale;
        c.act();
        App::settle();
        EXPECT_NEAR(g.zoom, c.zoom, 1e-9) << c.what;
        // The first step to a scale is shown from the scale in hand until its
        // pictures are decoded.
        if (&c == &cases[0]) {
            EXPECT_EQ(app.window->surfaces().scale, was);
        }
        app.window->awaitPictures();
        if (c.keepsThePoint) {
            EXPECT_LE((boardUnder(g, at) - before).manhattanLength(), 1.0) << c.what;
        }
        const Surfaces &s = app.window->surfaces();
        EXPECT_EQ(s.scale, surfaceScaleFor(view->devicePixelRatio() * g.zoom)) << c.what;
        EXPECT_EQ(logicalSize(s.window), QSize(g.clientWidth, g.clientHeight)) << c.what;
        EXPECT_EQ(g.clientWidth, clientExtent(view->width(), g.zoom)) << c.what;
    }
    // Fitted, the view cannot be pulled.
    EXPECT_EQ(QPoint(g.viewX, g.viewY), QPoint(0, 0));
    ASSERT_TRUE(app.window->saveSettings());
    EXPECT_NE(slurp(app.ini()).find("\r\nzoom=" + std::to_string(std::lround(g.zoom * 100))),
              std::string::npos);
}

// The carried strip is made at the scale in hand: pictures decoded while a
// card is carried wait for its drop.
TEST(ZoomWindow, PicturesDecodedWhileACardIsCarriedWaitForTheDrop) {
    App app;
    app.run(kCmdAdvanced);
    app.run(kCmdZoomIn);
    GameState &g = app.g();
    g.gesture.dragging = true;
    app.window->awaitPictures();
    EXPECT_EQ(app.window->surfaces().scale, 1);
    g.gesture.dragging = false;
    app.window->awaitPictures();
    EXPECT_EQ(app.window->surfaces().scale, 2);
}
