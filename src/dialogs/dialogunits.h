// The dialog font and the dialog units that every template is laid out in.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace fusefuda {

// Maps the dialog font's family to a metric-compatible font that Debian
// ships; call once at start, before the first dialog or menu is built.
// Calling it again does no harm.
void installDialogFont();

// "ＭＳ Ｐゴシック" at 9 points.
QFont dialogFont();

// Base units of a font: horizontal = the average width of A-Z and a-z,
// vertical = the line height, in pixels.
struct DialogBaseUnits {
    int x;
    int y;
};
DialogBaseUnits baseUnitsOf(const QFont &font);
DialogBaseUnits dialogBaseUnits();

// Dialog units to pixels: horizontal units are a quarter of the horizontal
// base unit, vertical units an eighth of the vertical one, rounded.
int dialogUnitsToPixelsX(int units, const DialogBaseUnits &base);
int dialogUnitsToPixelsY(int units, const DialogBaseUnits &base);
QRect dialogRect(int x, int y, int width, int height);
QSize dialogSize(int width, int height);

}  // namespace fusefuda
