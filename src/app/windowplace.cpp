#include "app/windowplace.h"

#include <QGuiApplication>
#include <algorithm>
#include <climits>

namespace fusefuda {

namespace {

constexpr int kOuterWidth = 1024;
constexpr int kOuterHeight = 768;
// Smaller than this, a kept size is taken for a damaged one.
constexpr int kSmallest = 160;

// How far a point lies outside a rectangle (0 inside).
long long distanceSquared(const QPoint &p, const QRect &r) {
    const long long dx = p.x() < r.left() ? r.left() - p.x() : std::max(0, p.x() - r.right());
    const long long dy = p.y() < r.top() ? r.top() - p.y() : std::max(0, p.y() - r.bottom());
    return dx * dx + dy * dy;
}

}  // namespace

QRect startingPlace(const WindowPlace &kept, bool keepsPosition) {
    QRect place(0, 0, kOuterWidth, kOuterHeight);
    if (!kept.known) return place;
    if (kept.width >= kSmallest && kept.height >= kSmallest)
        place.setSize(QSize(kept.width, kept.height));
    if (keepsPosition) place.moveTo(kept.x, kept.y);
    return place;
}

QRect placeOnScreens(const QRect &wanted, const QList<QRect> &screens) {
    if (screens.isEmpty()) return wanted;
    // The screen showing most of it, else the one nearest to its centre.
    const QRect *home = nullptr;
    long long most = 0;
    for (const QRect &screen : screens) {
        const QRect shown = screen.intersected(wanted);
        const long long area = shown.isEmpty() ? 0 : (long long)shown.width() * shown.height();
        if (area > most) {
            most = area;
            home = &screen;
        }
    }
    long long nearest = LLONG_MAX;
    if (home == nullptr)
        for (const QRect &screen : screens)
            if (const long long d = distanceSquared(wanted.center(), screen); d < nearest) {
                nearest = d;
                home = &screen;
            }
    // Wholly on it, so that the title bar and the menu can always be reached.
    QRect placed(wanted.topLeft(), wanted.size().boundedTo(home->size()));
    placed.moveLeft(std::clamp(placed.left(), home->left(), home->right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), home->top(), home->bottom() + 1 - placed.height()));
    return placed;
}

QRect openingPlace(const WindowPlace &kept, bool keepsPosition, const QList<QRect> &screens) {
    const QRect place = startingPlace(kept, keepsPosition);
    if (keepsPosition || screens.isEmpty()) return placeOnScreens(place, screens);
    return QRect(place.topLeft(), place.size().boundedTo(screens.first().size()));
}

bool windowsChooseTheirPlace() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace fusefuda
