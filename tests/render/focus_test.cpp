// The keyboard's focus frame, pixel by pixel at both scales.
#include <gtest/gtest.h>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "render/focus.h"
#include "render/painting.h"
#include "render/raster.h"
#include "support/table.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

// (4,0) with a card beneath its left side, one above it over its bottom
// edge, and a carried card over its top side with the carried card's
// shadow: the frame lies just outside the picture in whole board pixels,
// dashed over the cards above and beside the edges they hide, comes back
// after the carry overdraws it, and its wiping gives the window back.
TEST(FocusFrame, LiesOutsideThePictureDashedOverCardsAboveAndWipesExactly) {
    constexpr QRgb as = 0, dark = 0xFF000000u, band = 0xFFFF00FFu;  // as: as without it
    constexpr int L = 1700, T = 1200, R = L + kCardWidth - 1, B = T + kCardHeight - 1;
    const std::tuple<int, int, QRgb> pixels[] = {
        {L - 6, T + 20, as},   {L - 5, T + 20, dark}, {L - 4, T + 20, band}, {L - 2, T + 20, band},
        {L - 1, T + 20, dark}, {L, T + 20, as},       {R + 1, T + 20, dark}, {R + 3, T + 20, band},
        {R + 5, T + 20, dark}, {R + 6, T + 20, as},   {L + 9, T - 5, dark},  {L + 5, B + 2, band},
        {L + 9, B + 6, as},    {L - 3, T + 60, band}, {1744, T - 4, band},   {1741, T - 4, as},
        {L - 3, T + 81, as}};
    for (int k : {1, 2}) {
        Table t(k);
        t.deal(kBeginner);
        GameState &g = t.g();
        place(g, 8, 2, 1660, 1240);
        place(g, 4, 0, L, T);
        raiseGroupInStack(g, 4, 0);
        place(g, 7, 3, L, T + 80);
        raiseGroupInStack(g, 7, 3);
        place(g, 5, 0, 1900, 1250);
        g.viewX = kViewXMax;
        g.viewY = kViewYMax;
        g.keyFocus = {false, 4, 0};
        paintWindow(t.ctx);
        const int x = 1900 + 31 - g.viewX, y = 1250 + 50 - g.viewY;
        onLeftPress(t.play, x, y, false);
        onMouseMove(t.play, x - 160, y - 155);
        const QImage without = t.surfaces.window.copy(), &window = t.surfaces.window;
        g.keyFocus.shown = true;
        drawKeyFocus(t.ctx);
        const auto at = [&](const QImage &img, int bx, int by, int sub) {
            return img.pixel((bx - g.viewX) * k + sub, (by - g.viewY) * k + sub);
        };
        for (const auto &[px, py, colour] : pixels)
            for (int sub : {0, k - 1})
                EXPECT_EQ(at(window, px, py, sub), colour ? colour : at(without, px, py, sub))
                    << "scale " << k << " at " << px << "," << py;
        const QRect face = devicePixels(QRect(L - g.viewX, T - g.viewY, R - L + 1, B - T + 1), k);
        EXPECT_EQ(window.copy(face), without.copy(face)) << "the face is left alone";
        onMouseMove(t.play, x - 156, y - 155);
        drawKeyFocus(t.ctx);
        EXPECT_EQ(at(window, 1746, T - 2, 0), band) << "drawn again after the carry";
        onMouseMove(t.play, x - 160, y - 155);
        g.keyFocus.shown = false;
        drawKeyFocus(t.ctx);
        EXPECT_EQ(differingPixels(window, without), 0) << "scale " << k;
    }
}
