// Where the window opens: where the player left it, brought back onto the
// nearest screen when none of the screens now connected shows any of it.
#pragma once

#include <QList>
#include <QRect>

#include "app/sections.h"

namespace fusefuda {

// The first start's place: the top-left corner, 1024 x 768 with the frame.
QRect startingPlace(const WindowPlace &kept, bool keepsPosition);

// wanted itself when it overlaps a screen; otherwise moved into the screen
// nearest to it (its top-left corner kept on that screen when it is larger).
QRect placeOnScreens(const QRect &wanted, const QList<QRect> &screens);

// Whether the window system lets a window choose its place: a Wayland
// compositor places windows itself.
bool windowsChooseTheirPlace();

}  // namespace fusefuda
