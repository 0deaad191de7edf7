// A card carried across others and dropped beside the sevens, with pictures a
// person can read. With FUSEFUDA_FRAMES_DIR set, every frame is also saved
// there as a PNG for a look by eye.
#include <gtest/gtest.h>

#include <QDir>
#include <cstdlib>

#include "game/board.h"
#include "game/input.h"
#include "render/cards.h"
#include "render/painting.h"
#include "support/table.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// The board area of the scene, for the saved frames.
const QRect kScene(481, 430, 640, 480);

void saveFrame(const GameState &g, const QImage &window, int n) {
    const char *dir = std::getenv("FUSEFUDA_FRAMES_DIR");
    if (dir == nullptr || *dir == '\0') return;
    QDir().mkpath(QString::fromLocal8Bit(dir));
    const QImage crop = window.copy(kScene.translated(-g.viewX, -g.viewY));
    crop.save(QStringLiteral("%1/carry-%2.png")
                  .arg(QString::fromLocal8Bit(dir))
                  .arg(n, 2, 10, QChar('0')));
}

// What the window must show while the group of id is carried with its anchor
// at (left, top): the canvas, the shadow's fringe, the group.
QImage carryFrame(Context &ctx, int id, int left, int top) {
    const GameState &g = ctx.g;
    QImage frame = atView(g, ctx.s.board, ctx.s.window.size());
    const int x = left + 5 - g.viewX, y = top + 5 - g.viewY;
    for (int j = 0; j < kCardHeight; ++j)
        for (int i = 0; i < kCardWidth; ++i)
            frame.setPixel(x + i, y + j, frame.pixel(x + i, y + j) & ctx.s.greyCard.pixel(i, j));
    drawGroup(ctx, left, top, id, frame, true);
    return frame;
}

}  // namespace

TEST(CarryFrames, ACardCarriedOverOthersLeavesNothingBehindAndJoinsTheSevens) {
    Table t;
    const int carried = cardId(5, 1);
    dealAndClear(t, 3, {carried, cardId(4, 2), cardId(8, 0), cardId(7, 3), cardId(4, 3)});
    useReadablePictures(t.surfaces);
    GameState &g = t.g();
    place(g, 6, 0, 900, 500);  // the sevens
    place(g, 5, 1, 500, 560);
    place(g, 4, 2, 640, 600);
    place(g, 8, 0, 700, 660);
    place(g, 7, 3, 760, 560);
    place(g, 4, 3, 600, 760);
    g.board.touchCount[7][3] = 3;
    g.board.faceUp[7][3] = 1;
    g.board.touchCount[5][1] = 2;  // the press settles it: carried face up
    paintWindow(t.ctx);
    saveFrame(g, t.surfaces.window, 0);

    int x = clientX(g, 530), y = clientY(g, 600);
    onLeftPress(t.play, x, y, false);
    saveFrame(g, t.surfaces.window, 1);
    const int path[][2] = {{30, 10}, {30, 10}, {30, 5},  {30, 0},  {30, -5}, {30, 0},
                           {30, 5},  {30, 0},  {30, -4}, {30, 12}, {25, 0},  {16, 5}};
    int n = 2;
    for (const auto &step : path) {
        x += step[0];
        y += step[1];
        onMouseMove(t.play, x, y);
        saveFrame(g, t.surfaces.window, n++);
        const Rect &at = g.board.cardRect[5][1];
        ASSERT_EQ(differingPixels(t.surfaces.window, carryFrame(t.ctx, carried, at.left, at.top)),
                  0)
            << "frame " << n - 1;
    }
    // (5,1) now lies 4 pixels right of and 3 above its place beside (6,1)
    ASSERT_EQ(g.board.cardRect[5][1].left, 900 - 63 + 4);
    ASSERT_EQ(g.board.cardRect[5][1].top, 601 - 3);
    onLeftRelease(t.play, x, y);
    saveFrame(g, t.surfaces.window, n);
    EXPECT_TRUE(isMember(g, cardId(6, 1), 5, 1));
    EXPECT_EQ(g.board.cardRect[5][1], (Rect{837, 601, 900, 702}));
    EXPECT_EQ(windowOffCanvas(t), 0);
    EXPECT_EQ(differingPixels(t.surfaces.board, canvasByRule(t.ctx)), 0);
}
