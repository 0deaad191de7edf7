// The carry's frames: the trail wiped, the shadow cast only where it shows, the
// group drawn over the canvas, at the window's edges and through a repaint; the
// canvas after a drop that joins twice, and the window while the view is pulled.
#include "render/painting.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <utility>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/undo.h"
#include "render/cards.h"
#include "render/focus.h"
#include "support/table.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// The window as a carry frame must look: the canvas at the view, the shadow
// of every member whose right and lower neighbours are not both members, then
// the group.
QImage expectedCarryFrame(Context &ctx, int id, int left, int top) {
    const GameState &g = ctx.g;
    QImage frame = atView(g, ctx.s.board, ctx.s.window.size());
    const int c0 = cardColumn(id), r0 = cardRow(id);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!inPlay(g, c, r) || !isMember(g, id, c, r)) continue;
            const bool right = c + 1 < kColumns && isMember(g, id, c + 1, r);
            const bool below = r + 1 < kRows && isMember(g, id, c, r + 1);
            if (right && below) continue;
            const int x = left + 5 + kPitchX * (c - c0) - g.viewX;
            const int y = top + 5 + kPitchY * (r - r0) - g.viewY;
            for (int j = 0; j < kCardHeight; ++j)
                for (int i = 0; i < kCardWidth; ++i)
                    if (frame.rect().contains(x + i, y + j))
                        frame.setPixel(x + i, y + j,
                                       frame.pixel(x + i, y + j) & ctx.s.greyCard.pixel(i, j));
        }
    }
    drawGroup(ctx, left, top, id, frame, true);
    return frame;
}

}  // namespace

TEST(Shadow, OnlyWhereAMembersRightAndLowerNeighboursAreNotBothMembers) {
    Table t;
    const int a = cardId(4, 0), b = cardId(5, 0), c = cardId(4, 1);
    dealAndClear(t, 3, {a, b, c});
    GameState &g = t.g();
    place(g, 4, 0, 900, 600);
    joinCards(g, a, b);
    joinCards(g, a, c);  // an L: (4,0) has members right and below, the corner is empty
    paintWindow(t.ctx);
    liftGroup(t.ctx, a);
    const QImage canvasView = atView(g, t.surfaces.board, t.surfaces.window.size());
    t.surfaces.window = canvasView.copy();
    const int L = 1000, T = 650;
    drawCarryShadow(t.ctx, L + 5, T + 5, a);
    drawGroup(t.ctx, L, T, a, t.surfaces.window, true);
    const QImage &w = t.surfaces.window;
    const int x0 = L - g.viewX, y0 = T - g.viewY;
    // the empty corner lies only under (4,0)'s shadow, which is not drawn
    for (int y = y0 + 102; y < y0 + 106; ++y)
        for (int x = x0 + 64; x < x0 + 68; ++x)
            EXPECT_EQ(w.pixel(x, y), canvasView.pixel(x, y)) << x - x0 << "," << y - y0;
    // right fringe of (5,0) and bottom fringe of (4,1) are shaded
    for (int y = y0 + 5; y < y0 + 107; ++y)
        for (int x = x0 + 127; x < x0 + 131; ++x)
            EXPECT_EQ(w.pixel(x, y),
                      canvasView.pixel(x, y) & t.surfaces.greyCard.pixel(x - x0 - 68, y - y0 - 5));
    for (int y = y0 + 203; y < y0 + 208; ++y)
        for (int x = x0 + 5; x < x0 + 68; ++x)
            EXPECT_EQ(w.pixel(x, y),
                      canvasView.pixel(x, y) & t.surfaces.greyCard.pixel(x - x0 - 5, y - y0 - 106));
    EXPECT_EQ(differingPixels(w, expectedCarryFrame(t.ctx, a, L, T)), 0);
}

TEST(Carry, LeavesNoTrailAndNoShadowBehindAcrossOtherCards) {
    Table t;
    const int a = cardId(4, 0), b = cardId(5, 0), c = cardId(4, 1);
    const int o1 = cardId(7, 2), o2 = cardId(8, 3), o3 = cardId(5, 2);
    dealAndClear(t, 3, {a, b, c, o1, o2, o3});
    GameState &g = t.g();
    place(g, 4, 0, 700, 600);
    joinCards(g, a, b);
    joinCards(g, a, c);
    place(g, 7, 2, 900, 640);
    place(g, 8, 3, 940, 700);
    place(g, 5, 2, 1010, 610);
    paintWindow(t.ctx);

    int x = clientX(g, 700 + 20), y = clientY(g, 600 + 30);
    onLeftPress(t.play, x, y, false);
    ASSERT_EQ(g.gesture.dragging, 1);
    const QImage lifted = canvasByRule(t.ctx, a);
    EXPECT_EQ(differingPixels(t.surfaces.board, lifted), 0);
    const int steps[][2] = {{1, 0},   {0, 1},    {37, 12}, {80, -5},   {3, 3},
                            {-2, 60}, {150, 40}, {-1, -1}, {-90, -70}, {5, 0}};
    for (const auto &step : steps) {
        x += step[0];
        y += step[1];
        onMouseMove(t.play, x, y);
        const Rect &at = g.board.cardRect[4][0];
        ASSERT_EQ(at.left, x - g.gesture.grabOffsetX);
        ASSERT_EQ(differingPixels(t.surfaces.window, expectedCarryFrame(t.ctx, a, at.left, at.top)),
                  0)
            << "after the move by " << step[0] << "," << step[1];
    }
    // the canvas never received the carried group
    EXPECT_EQ(differingPixels(t.surfaces.board, lifted), 0);

    onLeftRelease(t.play, x, y);
    EXPECT_EQ(g.gesture.dragging, 0);
    // dropped: on the canvas, on top, and the window shows the canvas again
    EXPECT_EQ(differingPixels(t.surfaces.board, canvasByRule(t.ctx)), 0);
    EXPECT_EQ(windowOffCanvas(t), 0);
}

// The widest group a late advanced game makes, a whole row joined to the
// sevens' column (13 cards wide, 4 high), carried over the dealt board.
TEST(Carry, TheWidestGroupLeavesNoTrailAndNoShadowBehind) {
    Table t;
    t.deal(kAdvanced);
    useTracePictures(t.surfaces);
    GameState &g = t.g();
    const int a = cardId(0, 0);
    for (int c = 1; c < kColumns; ++c) joinCards(g, a, cardId(c, 0));
    ASSERT_EQ(
        std::count(&g.board.groupMembers[a][0][0], &g.board.groupMembers[a][0][0] + kCards, true),
        16);
    place(g, 0, 0, g.viewX + 50, g.viewY + 100);
    paintWindow(t.ctx);
    int x = 70, y = 130;
    onLeftPress(t.play, x, y, false);
    const int steps[][2] = {{20, 0}, {20, 0}, {-40, 7}, {3, -60}, {150, 90}, {-1, 1}, {-200, -5}};
    for (const auto &step : steps) {
        onMouseMove(t.play, x += step[0], y += step[1]);
        const Rect &at = g.board.cardRect[0][0];
        ASSERT_EQ(differingPixels(t.surfaces.window, expectedCarryFrame(t.ctx, a, at.left, at.top)),
                  0)
            << "after the move by " << step[0] << "," << step[1];
    }
    onLeftRelease(t.play, x, y);
    EXPECT_EQ(windowOffCanvas(t), 0);
}

// A menu command in the middle of a carry can give the faces new pictures:
// the next move draws the carried cards from them.
TEST(Carry, NewFacePicturesDuringACarryShowAtTheNextMove) {
    Table t;
    const int a = cardId(4, 0), b = cardId(5, 0);
    dealAndClear(t, 3, {a, b});
    GameState &g = t.g();
    place(g, 4, 0, 800, 600);
    joinCards(g, a, b);
    g.board.faceUp[5][0] = 1;
    paintWindow(t.ctx);
    const int x = clientX(g, 820), y = clientY(g, 630);
    onLeftPress(t.play, x, y, false);
    onMouseMove(t.play, x + 10, y);
    t.surfaces.face = t.surfaces.face.mirrored(true, false);
    onMouseMove(t.play, x + 20, y);
    const Rect &at = g.board.cardRect[4][0];
    EXPECT_EQ(differingPixels(t.surfaces.window, expectedCarryFrame(t.ctx, a, at.left, at.top)),
              0);
}

TEST(Carry, AtTheWindowsEdgesTheShadowIsCutOffCleanly) {
    Table t;
    const int a = cardId(4, 0), b = cardId(4, 1);
    dealAndClear(t, 3, {a, b});
    GameState &g = t.g();
    place(g, 4, 0, 800, 600);
    joinCards(g, a, b);
    paintWindow(t.ctx);
    const int x = clientX(g, 830), y = clientY(g, 650);
    onLeftPress(t.play, x, y, false);
    for (const auto &to : {std::pair{9000, 9000}, std::pair{-50, 9000}, std::pair{9000, -50},
                           std::pair{-9000, -9000}, std::pair{500, 300}}) {
        onMouseMove(t.play, to.first, to.second);
        const Rect &at = g.board.cardRect[4][0];
        ASSERT_EQ(differingPixels(t.surfaces.window, expectedCarryFrame(t.ctx, a, at.left, at.top)),
                  0)
            << "towards " << to.first << "," << to.second;
    }
}

TEST(Carry, ARepaintDuringACarryKeepsTheGroupOffTheCanvas) {
    Table t;
    const int a = cardId(4, 0);
    dealAndClear(t, 3, {a});
    GameState &g = t.g();
    place(g, 4, 0, 800, 600);
    paintWindow(t.ctx);
    const int x = clientX(g, 830), y = clientY(g, 650);
    onLeftPress(t.play, x, y, false);
    paintWindow(t.ctx);  // say the window was resized
    // the group in hand with its shadow until the next move
    EXPECT_EQ(differingPixels(t.surfaces.window, expectedCarryFrame(t.ctx, a, g.board.cardRect[4][0].left,
                                                                    g.board.cardRect[4][0].top)),
              0);
    onMouseMove(t.play, x + 200, y + 100);
    EXPECT_EQ(differingPixels(t.surfaces.board, canvasByRule(t.ctx, a)), 0);
    EXPECT_EQ(differingPixels(t.surfaces.window, expectedCarryFrame(t.ctx, a, g.board.cardRect[4][0].left,
                                                                    g.board.cardRect[4][0].top)),
              0);
}

TEST(Carry, ADropThatJoinsTwiceLeavesTheCanvasAsTheStackingHasIt) {
    Table t;
    dealAndClear(t, 3, {cardId(5, 0), cardId(5, 1), cardId(4, 1)});
    GameState &g = t.g();
    layTwoJoinsForOneDrop(g);
    paintWindow(t.ctx);
    carryTo(t, 5, 0, 1100, 700);
    ASSERT_TRUE(isMember(g, cardId(5, 0), 5, 1) && isMember(g, cardId(5, 0), 4, 1));
    EXPECT_EQ(differingPixels(t.surfaces.board, canvasByRule(t.ctx)), 0);
    EXPECT_EQ(windowOffCanvas(t), 0);
}

// While the view is pulled the window is the canvas at the view; an undo ends
// the pull, and the next paint is a full one of the board before the carry.
TEST(Pull, TheWindowIsTheCanvasAtTheViewAndAfterAnUndoTheBoardTakenBack) {
    Table t;
    dealAndClear(t, 3, {cardId(4, 0)});
    GameState &g = t.g();
    place(g, 4, 0, 700, 600);
    paintWindow(t.ctx);
    carryTo(t, 4, 0, 760, 630);
    onRightPress(t.play, 400, 300);
    onMouseMove(t.play, 397, 293);
    paintWindow(t.ctx);
    const QSize size = t.surfaces.window.size();
    EXPECT_EQ(differingPixels(t.surfaces.window, atView(g, t.surfaces.board, size)), 0);
    popUndo(t.play);
    paintWindow(t.ctx);
    EXPECT_EQ(differingPixels(t.surfaces.window, atView(g, canvasByRule(t.ctx), size)), 0);
}
