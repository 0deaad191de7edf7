// The numbered pictures and sounds carried inside the executable.
#pragma once

#include <QByteArray>
#include <QImage>

#include "assets/numbers.h"

namespace fusefuda {

// The picture with that number as Format_RGB32 (ARGB32 for the icon and the
// cursor); a null image when there is none. At a scale of 2 or 3 the picture
// drawn at that many device pixels a board pixel, its device pixel ratio set
// to the scale; only the board's pictures and the icon have these, and the
// backgrounds are kept there one row of cells (101 board pixels) high.
QImage loadPicture(int number, int scale = 1);
// The larger rendering of the icon, for the desktop launcher.
QImage loadLargeIcon();
// The WAV file with that number; empty when there is none.
QByteArray loadSound(int number);

}  // namespace fusefuda
