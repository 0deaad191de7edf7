#include <gtest/gtest.h>

#include <vector>

#include "game/board.h"
#include "game/input.h"
#include "render/cards.h"
#include "render/painting.h"
#include "support/recording_shell.h"
#include "support/table.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// Keeps what the window shows of one area at every presented frame.
class FrameShell : public RecordingShell {
public:
    explicit FrameShell(const Surfaces &s) : s_(s) {}
    void presentNow() override {
        RecordingShell::presentNow();
        frames.push_back(s_.window.copy(area));
    }
    QRect area;
    std::vector<QImage> frames;

private:
    const Surfaces &s_;
};

// A frame of width 2 at columns 31 and 32 taken from src columns 0 and 32,
// with what lies under the card everywhere else.
QImage narrowFrame(const QImage &under, const QImage &src, int sx, int sy) {
    QImage frame = under.copy();
    for (int y = 0; y < kCardHeight; ++y) {
        frame.setPixel(31, y, src.pixel(sx, sy + y));
        frame.setPixel(32, y, src.pixel(sx + 32, sy + y));
    }
    return frame;
}

struct PeekTable {
    PeekTable() : shell(t.surfaces), ctx{t.g(), t.surfaces, shell} {
        const int a = cardId(4, 0), beneath = cardId(7, 2), partner = cardId(5, 0);
        dealAndClear(t, 3, {a, beneath, partner});
        GameState &g = t.g();
        place(g, 7, 2, 1020, 740);
        place(g, 4, 0, 1000, 700);
        raiseGroupInStack(g, 4, 0);
        place(g, 5, 0, 1200, 500);
        paintWindow(t.ctx);
        shell.area = QRect(1000 - g.viewX, 700 - g.viewY, kCardWidth, kCardHeight);
    }
    Table t;
    FrameShell shell;
    Context ctx;  // the table's, paced by the frame shell
    BoardPainter painter{ctx};
    GameEvents events{t.g(), painter, shell};
    Play play{t.g(), events, shell};
    int x() const { return shell.area.x() + 10; }
    int y() const { return shell.area.y() + 10; }
};

}  // namespace

TEST(Flip, AFaceDownCardNarrowsToTwoPixelsAndOpensOnItsFaceThenTurnsBackOneShadeLighter) {
    PeekTable p;
    GameState &g = p.t.g();
    const Surfaces &s = p.t.surfaces;
    const QImage under = block(canvasByRule(p.ctx, cardId(4, 0)), 1000, 700, 64, 102);
    const QImage darkBack = block(s.backs, 0, 0, 64, 102);
    const QImage midBack = block(s.backs, 63, 0, 64, 102);
    const QImage face = block(s.face, 4 * 63, 0, 64, 102);

    onRightPress(p.play, p.x(), p.y());
    ASSERT_EQ(p.shell.frames.size(), 64u);
    EXPECT_EQ(p.shell.pauses, std::vector<int>(64, 3));
    EXPECT_EQ(differingPixels(p.shell.frames[0], darkBack), 0);
    EXPECT_EQ(differingPixels(p.shell.frames[31], narrowFrame(under, s.backs, 0, 0)), 0);
    EXPECT_EQ(differingPixels(p.shell.frames[32], narrowFrame(under, s.face, 4 * 63, 0)), 0);
    EXPECT_EQ(differingPixels(p.shell.frames[63], face), 0);
    EXPECT_EQ(g.board.faceUp[4][0], 1);
    EXPECT_EQ(g.gesture.pressMode, kPressPeek);

    onRightRelease(p.play, p.x(), p.y());
    ASSERT_EQ(p.shell.frames.size(), 128u);
    EXPECT_EQ(p.shell.pauses.size(), 128u);
    EXPECT_EQ(differingPixels(p.shell.frames[64], face), 0);
    EXPECT_EQ(differingPixels(p.shell.frames[95], narrowFrame(under, s.face, 4 * 63, 0)), 0);
    EXPECT_EQ(differingPixels(p.shell.frames[96], narrowFrame(under, s.backs, 63, 0)), 0);
    EXPECT_EQ(differingPixels(p.shell.frames[127], midBack), 0);
    // the card rests with its lighter back, on the window and on the canvas
    EXPECT_EQ(differingPixels(p.t.surfaces.window.copy(p.shell.area), midBack), 0);
    EXPECT_EQ(differingPixels(block(s.board, 1000, 700, 64, 102), midBack), 0);
    EXPECT_EQ(g.board.touchCount[4][0], 1);
    EXPECT_EQ(g.board.faceUp[4][0], 0);
}

TEST(Flip, ALightBackOpensButSettlesWithoutTurningBackAndASettledCardDoesNotTurn) {
    PeekTable p;
    GameState &g = p.t.g();
    const Surfaces &s = p.t.surfaces;
    g.board.touchCount[4][0] = 2;
    paintWindow(p.t.ctx);
    onRightPress(p.play, p.x(), p.y());
    EXPECT_EQ(differingPixels(p.shell.frames[0], block(s.backs, 126, 0, 64, 102)), 0);
    onRightRelease(p.play, p.x(), p.y());
    EXPECT_EQ(p.shell.frames.size(), 64u);
    EXPECT_EQ(g.board.touchCount[4][0], 3);
    EXPECT_EQ(g.board.faceUp[4][0], 1);
    const QImage settled = block(s.settledFace, 4 * 63, 0, 64, 102);
    EXPECT_EQ(differingPixels(p.t.surfaces.window.copy(p.shell.area), settled), 0);
    EXPECT_EQ(differingPixels(block(s.board, 1000, 700, 64, 102), settled), 0);

    onRightPress(p.play, p.x(), p.y());
    onRightRelease(p.play, p.x(), p.y());
    EXPECT_EQ(p.shell.frames.size(), 64u);
    EXPECT_EQ(p.shell.pauses.size(), 64u);
    EXPECT_EQ(g.board.touchCount[4][0], 3);
    EXPECT_EQ(differingPixels(p.t.surfaces.window.copy(p.shell.area), settled), 0);
}

TEST(Flip, OnlyThePeekedCardOfAGroupTurnsAndTheGroupIsRedrawnWhole) {
    PeekTable p;
    GameState &g = p.t.g();
    joinCards(g, cardId(4, 0), cardId(5, 0));  // (5,0) now right beside (4,0)
    raiseGroupInStack(g, 4, 0);
    paintWindow(p.t.ctx);
    p.shell.area = QRect(1000 - g.viewX, 700 - g.viewY, 2 * 63 + 1, kCardHeight);
    onRightPress(p.play, p.x(), p.y());
    const QImage back = block(p.t.surfaces.backs, 0, 0, 64, 102);
    for (const QImage &frame : p.shell.frames)  // (5,0) keeps its back, but for the shared border
        ASSERT_EQ(differingPixels(frame.copy(64, 0, 63, 102), back.copy(1, 0, 63, 102)), 0);
    const QImage now = p.t.surfaces.window.copy(p.shell.area);
    EXPECT_EQ(differingPixels(now.copy(0, 0, 63, 102), block(p.t.surfaces.face, 252, 0, 63, 102)),
              0);
    EXPECT_EQ(differingPixels(now.copy(63, 0, 64, 102), back), 0);
}
