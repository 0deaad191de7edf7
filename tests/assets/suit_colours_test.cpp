// Whether the four suits stay apart for the common kinds of colour blindness,
// simulated with the matrices of Machado, Oliveira and Fernandes (2009) at
// full severity in linear RGB; colours compared by CIE 1976 Delta E*ab.
#include <gtest/gtest.h>

#include <QColor>
#include <algorithm>
#include <array>
#include <cmath>
#include <map>

#include "assets/catalogue.h"

using namespace fusefuda;

namespace {

const char *const kVisionNames[] = {"protanopia", "deuteranopia", "tritanopia"};
const double kVisions[3][9] = {
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881},
    {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.303900},
};
// sRGB to CIE XYZ, each row divided by the D65 white's coordinate.
const double kToXyz[9] = {0.4124 / 0.95047, 0.3576 / 0.95047, 0.1805 / 0.95047, 0.2126, 0.7152,
                          0.0722, 0.0193 / 1.08883, 0.1192 / 1.08883, 0.9505 / 1.08883};

double row(const double *m, int i, const double *v) {
    return m[3 * i] * v[0] + m[3 * i + 1] * v[1] + m[3 * i + 2] * v[2];
}

// L*a*b* of the colour as an eye with that vision sees it.
std::array<double, 3> seen(QRgb colour, const double *m) {
    double rgb[3], f[3];
    for (int i = 0; i < 3; ++i) {
        const double c = (colour >> (16 - 8 * i) & 0xFF) / 255.0;
        f[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    for (int i = 0; i < 3; ++i) rgb[i] = std::clamp(row(m, i, f), 0.0, 1.0);
    for (int i = 0; i < 3; ++i) {
        const double t = row(kToXyz, i, rgb);
        f[i] = t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    }
    return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

// The commonest colour on the suit's ten apart from its body: its pips and
// indices, away from their smoothed edges.
QRgb pipColour(const QImage &sheet, int suit) {
    const int k = int(sheet.devicePixelRatio()), x0 = 63 * 9 * k, y0 = 101 * suit * k;
    const QRgb body = sheet.pixel(x0 + 3 * k, y0 + 45 * k);
    std::map<QRgb, int> counts;
    std::pair<int, QRgb> commonest{0, body};
    for (int y = y0 + k; y < y0 + 101 * k; ++y)
        for (int x = x0 + k; x < x0 + 63 * k; ++x)
            if (const QRgb v = sheet.pixel(x, y); v != body)
                commonest = std::max(commonest, std::pair(++counts[v], v));
    return commonest.second;
}

}  // namespace

// A difference of 20 reads as another colour at a glance. Today's two-colour
// faces are the baseline, which fails: spades and clubs are both black.
TEST(SuitColours, FourColourFacesStayApartForEveryVisionTwoColourOnesDoNot) {
    for (int k : {1, 2, 3})
        for (int number : {kFacesPicture, kSettledFacesPicture, kFourColourFacesPicture,
                           kFourColourSettledFacesPicture}) {
            const QImage sheet = loadPicture(number, k);
            const bool four = number >= kFourColourFacesPicture;
            QRgb pips[4];
            for (int suit = 0; suit < 4; ++suit) pips[suit] = pipColour(sheet, suit);
            for (int v = 0; v < 3; ++v) {
                double nearest = 1e9;
                for (int a = 0; a < 4; ++a)
                    for (int b = a + 1; b < 4; ++b) {
                        const auto p = seen(pips[a], kVisions[v]), q = seen(pips[b], kVisions[v]);
                        nearest = std::min(nearest,
                                           std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]));
                    }
                EXPECT_EQ(nearest >= 20, four) << number << " at " << k << ", " << kVisionNames[v];
            }
            // Spades and hearts as they always were, clubs green and diamonds blue.
            const QColor c(pips[1]), d(pips[3]);
            EXPECT_TRUE(pips[0] == qRgb(0, 0, 0) && pips[2] == qRgb(255, 0, 0)) << number << k;
            EXPECT_TRUE(!four || (c.green() > c.red() + 100 && c.green() > c.blue() &&
                                  d.blue() > d.red() + 100 && d.blue() > d.green() + 100))
                << number << " at " << k;
        }
}
