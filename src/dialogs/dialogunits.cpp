#include "dialogs/dialogunits.h"

#include <QFontMetrics>
#include <QString>
#include <QStringList>

namespace fusefuda {

namespace {

const QString &dialogFamily() {
    static const QString family = QString::fromUtf8("ＭＳ Ｐゴシック");
    return family;
}

// Rounds units x base / divisor to the nearest pixel, halves away from zero.
int scaleRounded(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    return static_cast<int>(product >= 0 ? (product + half) / divisor
                                         : -((-product + half) / divisor));
}

}  // namespace

void installDialogFont() {
    if (!QFont::substitutes(dialogFamily()).contains(QStringLiteral("IPAPGothic")))
        QFont::insertSubstitution(dialogFamily(), QStringLiteral("IPAPGothic"));
}

QFont dialogFont() {
    installDialogFont();
    QFont font(dialogFamily());
    font.setPointSize(9);
    return font;
}

DialogBaseUnits baseUnitsOf(const QFont &font) {
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The average of the 52 letters, rounded to the nearest pixel.
    return {(letters / 26 + 1) / 2, metrics.height()};
}

DialogBaseUnits dialogBaseUnits() { return baseUnitsOf(dialogFont()); }

int dialogUnitsToPixelsX(int units, const DialogBaseUnits &base) {
    return scaleRounded(units, base.x, 4);
}

int dialogUnitsToPixelsY(int units, const DialogBaseUnits &base) {
    return scaleRounded(units, base.y, 8);
}

QRect dialogRect(int x, int y, int width, int height) {
    const DialogBaseUnits base = dialogBaseUnits();
    return QRect(dialogUnitsToPixelsX(x, base), dialogUnitsToPixelsY(y, base),
                 dialogUnitsToPixelsX(width, base), dialogUnitsToPixelsY(height, base));
}

QSize dialogSize(int width, int height) {
    const DialogBaseUnits base = dialogBaseUnits();
    return QSize(dialogUnitsToPixelsX(width, base), dialogUnitsToPixelsY(height, base));
}

}  // namespace fusefuda
