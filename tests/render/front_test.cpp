// What stays in front over the board: a peeked or raised group while the pointer
// leaves it, and the keyboard's focus frame around its card.
#include "render/painting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "render/cards.h"
#include "render/focus.h"
#include "support/table.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

TEST(Held, APeekedOrRaisedGroupStaysInFrontWhileThePointerLeavesItForOtherCards) {
    // (4,0) lies under (7,2); pressed, it comes to the front, and the pointer
    // slides onto (7,2) and on to (8,3): each outline left behind is wiped
    for (const bool peek : {true, false}) {
        Table t;
        dealAndClear(t, 3, {cardId(4, 0), cardId(7, 2), cardId(8, 3)});
        GameState &g = t.g();
        place(g, 4, 0, 1000, 700);
        place(g, 7, 2, 1030, 720);
        place(g, 8, 3, 1200, 700);
        raiseGroupInStack(g, 7, 2);
        paintWindow(t.ctx);
        const int x = clientX(g, 1010), y = clientY(g, 710);
        onMouseMove(t.play, x, y);
        if (peek)
            onRightPress(t.play, x, y);
        else
            onLeftPress(t.play, x, y, true);
        for (const int bx : {1080, 1081, 1220, 1221, 1222})
            onMouseMove(t.play, clientX(g, bx), clientY(g, 790));
        const QImage held = peek ? block(t.surfaces.face, 4 * 63, 0, 64, 102)
                                 : block(t.surfaces.backs, 0, 0, 64, 102);
        EXPECT_EQ(differingPixels(block(t.surfaces.window, clientX(g, 1000), clientY(g, 700),
                                        kCardWidth, kCardHeight),
                                  held),
                  0)
            << (peek ? "peek" : "raise");
    }
}

// (4,0): a card beneath on its left, one above on its bottom edge, a carried one and
// its shadow on its top. The frame lies outside the picture, dashed over cards above
// and beside edges they hide, comes back when drawn over, and wipes off exactly.
TEST(FocusFrame, LiesOutsideThePictureDashedOverCardsAboveAndWipesExactly) {
    constexpr QRgb as = 0, dark = 0xFF000000u, band = 0xFFFF00FFu;  // as: as without it
    constexpr int L = 1700, T = 1200, R = L + kCardWidth - 1, B = T + kCardHeight - 1;
    const std::tuple<int, int, QRgb> pixels[] = {
        {L - 5, T + 20, dark}, {L - 2, T + 20, band}, {L - 1, T + 20, dark}, {L, T + 20, as},
        {R + 5, T + 20, dark}, {R + 6, T + 20, as},   {L + 9, T - 5, dark},  {L + 5, B + 2, band},
        {L - 3, T + 60, band}, {1744, T - 4, band},   {1741, T - 4, as},     {L - 3, T + 81, as}};
    for (int k : {1, 2}) {
        Table t(k);
        t.deal(kBeginner);
        GameState &g = t.g();
        for (const auto &[c, r, left, top] :
             {std::tuple{8, 2, 1660, 1240}, {4, 0, L, T}, {7, 3, L, T + 80}, {5, 0, 1900, 1250}})
            place(g, c, r, left, top), raiseGroupInStack(g, c, r);
        g.viewX = kViewXMax, g.viewY = kViewYMax, g.keyFocus = {false, 4, 0};
        paintWindow(t.ctx);
        const int x = 1900 + 31 - g.viewX, y = 1250 + 50 - g.viewY;
        onLeftPress(t.play, x, y, false);
        onMouseMove(t.play, x - 160, y - 155);
        const QImage without = t.surfaces.window.copy(), &window = t.surfaces.window;
        g.keyFocus.shown = true;
        drawKeyFocus(t.ctx);
        onMouseMove(t.play, x - 156, y - 155), onMouseMove(t.play, x - 160, y - 155);
        drawKeyFocus(t.ctx);  // again, where the carry drew over it
        const auto at = [&](const QImage &img, int bx, int by, int sub) {
            return img.pixel((bx - g.viewX) * k + sub, (by - g.viewY) * k + sub); };
        for (const auto &[px, py, colour] : pixels)
            for (int sub : {0, k - 1})
                EXPECT_EQ(at(window, px, py, sub), colour ? colour : at(without, px, py, sub))
                    << "scale " << k << " at " << px << "," << py;
        const QRect face = devicePixels(QRect(L - g.viewX, T - g.viewY, R - L + 1, B - T + 1), k);
        EXPECT_EQ(window.copy(face), without.copy(face)) << "the face is left alone";
        const QImage framed = window.copy();
        paintWindow(t.ctx);  // a full paint draws it afresh
        EXPECT_EQ(differingPixels(window, framed), 0) << "scale " << k;
        g.keyFocus.shown = false;
        drawKeyFocus(t.ctx);
        EXPECT_EQ(differingPixels(window, without), 0) << "scale " << k;
    }
}
