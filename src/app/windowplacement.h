// The main window's place: it opens where the player left it, goes full
// screen as the option says, and notes where it was last seen in its normal
// state, for shut-down to keep.
#pragma once

#include <QRect>

#include "app/sections.h"

class QWidget;

namespace fusefuda {

class WindowPlacement {
public:
    explicit WindowPlacement(QWidget &window) : window_(window) {}

    // Before the window first shows: the kept place brought onto the screens
    // (only its size where the window system places windows itself), and
    // full screen from the first frame when the option is on; leaving it
    // later finds the place.
    void restore(const WindowPlace &kept, bool fullScreen);
    // Full screen or not, as the option says.
    void showFullScreen(bool on);

    // Whether the window has been put at its starting place: at its first
    // show only, so that a window restored from the task bar stays where the
    // player put it.
    bool placed() const { return placed_; }
    void place();
    // Every move and resize of the window.
    void follow();

    // The place to keep: where the window last was in its normal state.
    WindowPlace kept();

private:
    void fitOuterSize();
    void note();

    QWidget &window_;
    // Where the window opens, and where it was last seen in its normal state.
    QRect start_;
    WindowPlace kept_;
    bool outerSizeFitted_ = false;
    bool placed_ = false;
};

}  // namespace fusefuda
