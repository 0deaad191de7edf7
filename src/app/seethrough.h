// The see-through background: pure green becomes transparent where the
// window system can show it.
#pragma once

#include <QImage>
#include <QRect>

namespace fusefuda {

// Whether a top-level window with per-pixel alpha will show what lies behind
// it: always on Wayland; on X11 only while a compositing manager owns the
// _NET_WM_CM_S<screen> selection. Without one, transparent pixels would show
// black, so the window stays opaque and the green shows as green.
bool compositorPresent();

// The area of frame (in its device pixels) as ARGB32 with every pure green
// (0, 255, 0) pixel fully transparent and every other pixel opaque, at the
// frame's device pixel ratio.
QImage keyOutGreen(const QImage &frame, const QRect &area);

}  // namespace fusefuda
