// The sparkle strips. The shapes are hard-edged: the window gets the first
// strip OR-ed and the second AND-ed, and only pure white under the first and
// pure yellow under the second turn into a clean yellow shape; any
// in-between shade would tint what lies beneath.
#include <QPointF>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "assetgen.h"

namespace fusefuda::assetgen {

const int kSparkleAreas[6] = {29, 72, 102, 126, 23, 12};

namespace {

constexpr int kFrame = 30;
const QPointF kCentre(14.5, 14.5);

// A star with long rays on the axes and, when diagonal > 0, shorter rays on
// the diagonals; waist is the radius between rays.
struct Star {
    double radius;
    double diagonal;  // length of the diagonal rays as a share of radius
    double waist;     // as a share of radius
};

std::vector<QPointF> outline(const Star &s) {
    std::vector<QPointF> points;
    for (int i = 0; i < 16; ++i) {
        const double angle = i * M_PI / 8 - M_PI / 2;
        double r;
        if (i % 4 == 0)
            r = s.radius;
        else if (i % 4 == 2)
            r = s.diagonal > 0 ? s.radius * s.diagonal : s.radius * s.waist * 0.8;
        else
            r = s.radius * s.waist;
        points.emplace_back(kCentre.x() + r * std::cos(angle), kCentre.y() + r * std::sin(angle));
    }
    return points;
}

bool inside(const std::vector<QPointF> &poly, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const QPointF &a = poly[i], &b = poly[j];
        if ((a.y() > y) != (b.y() > y) &&
            x < (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()) + a.x())
            in = !in;
    }
    return in;
}

// Which device pixels of a frame k device pixels a board pixel the star
// lights, sampled at their centres.
std::vector<bool> rasterise(const Star &s, int k) {
    const auto poly = outline(s);
    const int n = kFrame * k;
    std::vector<bool> lit(size_t(n) * size_t(n));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            lit[size_t(y * n + x)] = inside(poly, (x + 0.5) / k, (y + 0.5) / k);
    return lit;
}

int count(const std::vector<bool> &lit) {
    int n = 0;
    for (bool b : lit) n += b;
    return n;
}

// The star of the given proportions whose lit area in board pixels comes
// closest to target.
Star starFor(double diagonal, double waist, int target) {
    Star best{1.0, diagonal, waist};
    int bestError = 1 << 30;
    for (double radius = 1.0; radius <= 14.0; radius += 0.01) {
        const int error = std::abs(count(rasterise({radius, diagonal, waist}, 1)) - target);
        if (error < bestError) {
            bestError = error;
            best.radius = radius;
        }
    }
    return best;
}

}  // namespace

QImage drawSparkleStrip(bool mask, int scale) {
    // The burst grows with ever longer diagonal rays, then collapses into a
    // small plain twinkle that fades.
    const double diagonals[6] = {0.0, 0.45, 0.5, 0.55, 0.0, 0.0};
    const double waists[6] = {0.24, 0.22, 0.25, 0.28, 0.2, 0.24};
    const QRgb on = mask ? qRgb(255, 255, 0) : qRgb(255, 255, 255);
    const QRgb off = mask ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    const int n = kFrame * scale;
    QImage strip(n, n * 6, QImage::Format_RGB32);
    for (int f = 0; f < 6; ++f) {
        const auto lit = rasterise(starFor(diagonals[f], waists[f], kSparkleAreas[f]), scale);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                strip.setPixel(x, n * f + y, lit[size_t(y * n + x)] ? on : off);
    }
    return strip;
}

}  // namespace fusefuda::assetgen
