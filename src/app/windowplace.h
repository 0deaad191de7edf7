// Where the window opens: where the player left it, brought wholly onto the
// screen that shows most of it, or the nearest when none does.
#pragma once

#include <QList>
#include <QRect>

#include "app/sections.h"

namespace fusefuda {

// The first start's place: the top-left corner, 1024 x 768 with the frame.
QRect startingPlace(const WindowPlace &kept, bool keepsPosition);

// wanted (the outer rectangle, frame and all) moved into the area of the
// screen that shows most of it, or of the one nearest to it, and shrunk to
// that area where it is larger. The areas are the screens' available ones,
// without panels and docks.
QRect placeOnScreens(const QRect &wanted, const QList<QRect> &screens);

// Where the window opens: the kept place wholly on the screens, or, where
// the window system places windows itself, only its size, shrunk to the
// area of the first screen (the primary one).
QRect openingPlace(const WindowPlace &kept, bool keepsPosition, const QList<QRect> &screens);

// Whether the window system lets a window choose its place: a Wayland
// compositor places windows itself.
bool windowsChooseTheirPlace();

}  // namespace fusefuda
