#include "app/windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "app/childwindows.h"
#include "app/windowplace.h"

namespace fusefuda {

void WindowPlacement::restore(const WindowPlace &kept, bool fullScreen) {
    kept_ = kept;
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens()) screens << screen->availableGeometry();
    start_ = openingPlace(kept_, windowsChooseTheirPlace(), screens);
    window_.resize(start_.size());
    window_.move(start_.topLeft());
    if (fullScreen) window_.setWindowState(Qt::WindowFullScreen);
}

void WindowPlacement::showFullScreen(bool on) {
    if (window_.isFullScreen() != on)
        window_.setWindowState(on ? window_.windowState() | Qt::WindowFullScreen
                                  : window_.windowState() & ~Qt::WindowFullScreen);
}

void WindowPlacement::place() {
    placed_ = true;
    if (!window_.isFullScreen()) window_.move(start_.topLeft());
    fitOuterSize();
    note();
}

void WindowPlacement::follow() {
    fitOuterSize();
    note();
}

WindowPlace WindowPlacement::kept() {
    note();
    return kept_;
}

// The outer size counts the frame, which the window system reports only once
// the window is on screen; the first time it is known, the window gets its
// outer size and its place.
void WindowPlacement::fitOuterSize() {
    // A full-screen window has no frame; its place waits until it leaves.
    if (outerSizeFitted_ || !window_.isVisible() || window_.isFullScreen()) return;
    const QSize frame = window_.frameGeometry().size() - window_.geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) return;
    outerSizeFitted_ = true;
    resizeOuter(&window_, start_.size());
    window_.move(start_.topLeft());
}

// The outer rectangle the last time the window was on the screen and neither
// minimised, maximised nor full screen: a window closed from its frame is
// already gone when the settings are written.
void WindowPlacement::note() {
    if (!placed_ || !window_.isVisible() ||
        (window_.windowState() &
         (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QRect frame = window_.frameGeometry();
    kept_ = {true, frame.x(), frame.y(), frame.width(), frame.height()};
}

}  // namespace fusefuda
