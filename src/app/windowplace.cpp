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
    const QRect *nearest = &screens.front();
    long long best = LLONG_MAX;
    for (const QRect &screen : screens) {
        if (screen.intersects(wanted)) return wanted;
        const long long d = distanceSquared(wanted.center(), screen);
        if (d < best) {
            best = d;
            nearest = &screen;
        }
    }
    QRect placed = wanted;
    placed.moveLeft(std::clamp(wanted.left(), nearest->left(),
                               std::max(nearest->left(), nearest->right() + 1 - wanted.width())));
    placed.moveTop(std::clamp(wanted.top(), nearest->top(),
                              std::max(nearest->top(), nearest->bottom() + 1 - wanted.height())));
    return placed;
}

bool windowsChooseTheirPlace() {
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

}  // namespace fusefuda
