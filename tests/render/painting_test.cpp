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

namespace {

// Random cells of the columns in play on a dealt board.
struct RandomCells {
    const GameState &g;
    std::mt19937 &pick;
    ColumnRange cols = columnsInPlay(g.level);

    std::pair<int, int> cell() {
        const int c = cols.first + int(pick() % unsigned(cols.last - cols.first + 1));
        const int r = int(pick() % kRows);
        return {c, r};
    }
    int card() {
        const auto [c, r] = cell();
        return cardId(c, r);
    }
};

// Peeked, settled and spent cards mixed in: n random cells get a random
// touch count, face up when spent and otherwise at random.
void mixFaces(GameState &g, RandomCells &cells, int n) {
    for (int i = 0; i < n; ++i) {
        const auto [c, r] = cells.cell();
        g.board.touchCount[c][r] = int(cells.pick() % 5);
        g.board.faceUp[c][r] = g.board.touchCount[c][r] >= 3 || cells.pick() % 2 ? 1 : 0;
    }
}

}  // namespace

TEST(FullPaint, BeforeTheFirstGameWindowAndCanvasShowTheBackgroundAlone) {
    Table t;
    useTracePictures(t.surfaces);
    t.surfaces.board.fill(0xFF123456u);
    paintWindow(t.ctx);
    EXPECT_EQ(differingPixels(t.surfaces.board, t.surfaces.background), 0);
    EXPECT_EQ(differingPixels(t.surfaces.window,
                              atView(t.g(), t.surfaces.background, t.surfaces.window.size())),
              0);
    EXPECT_EQ(t.surfaces.dirty.boundingRect(), t.surfaces.window.rect());
}

TEST(FullPaint, CanvasMatchesTheRuleAndWindowShowsCardsInStackingOrderOnRandomBoards) {
    std::mt19937 pick(2024);
    for (int round = 0; round < 12; ++round) {
        Table t;
        t.deal(1 + round % 3, 1000 + round);
        useTracePictures(t.surfaces);
        GameState &g = t.g();
        RandomCells cells{g, pick};
        // random groups, laid out where they stand, and random raises
        for (int i = 0; i < 10; ++i) {
            const int a = cells.card();
            joinCards(g, a, cells.card());
        }
        for (int i = 0; i < 20; ++i) {
            const auto [c, r] = cells.cell();
            raiseGroupInStack(g, c, r);
        }
        mixFaces(g, cells, 8);
        paintWindow(t.ctx);
        ASSERT_EQ(differingPixels(t.surfaces.board, canvasByRule(t.ctx)), 0) << "round " << round;

        QImage cards = t.surfaces.background.copy();
        for (int n = 0; n < kCards; ++n) {
            const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
            if (!inPlay(g, c, r)) continue;
            const CardPicture pic = cardPicture(g, t.surfaces, c, r);
            bitBlt(cards, g.board.cardRect[c][r].left, g.board.cardRect[c][r].top, kCardWidth, kCardHeight,
                   *pic.surface, pic.x, pic.y, SRCCOPY);
        }
        ASSERT_EQ(differingPixels(t.surfaces.window, atView(g, cards, t.surfaces.window.size())), 0)
            << "round " << round;
    }
}

TEST(FullPaint, AWindowLargerThanTheRestOfTheBoardIsClearedPastItsEdge) {
    Table t;
    dealAndClear(t, 3, {});
    GameState &g = t.g();
    g.viewX = kViewXMax;
    g.viewY = kViewYMax;
    resizeWindowSurface(t.surfaces, 2100, 800);
    for (int panning = 0; panning <= 1; ++panning) {
        t.surfaces.window.fill(0xFFFF00FFu);
        g.gesture.panning = panning;
        paintWindow(t.ctx);
        const QImage &w = t.surfaces.window;
        const int right = kBoardWidth - kViewXMax, bottom = kBoardHeight - kViewYMax;
        EXPECT_EQ(w.pixel(right - 1, bottom - 1), backgroundPixel(2999, 1599));
        EXPECT_EQ(w.pixel(right, 10), 0xFF000000u);
        EXPECT_EQ(w.pixel(10, bottom), 0xFF000000u);
        EXPECT_EQ(w.pixel(2099, 799), 0xFF000000u);
    }
}

TEST(Lift, RecomposesEachMembersAreaFromTheBackgroundAndTheCardsAround) {
    Table t;
    const int a = cardId(4, 0), b = cardId(5, 0), under = cardId(7, 2), over = cardId(8, 3);
    dealAndClear(t, 3, {a, b, under, over});
    GameState &g = t.g();
    place(g, 4, 0, 1000, 700);
    place(g, 5, 0, 1063, 700);
    joinCards(g, a, b);
    place(g, 7, 2, 1030, 740);  // below the group in the stack
    place(g, 8, 3, 960, 650);   // above it
    raiseGroupInStack(g, 7, 2);
    raiseGroupInStack(g, 4, 0);
    raiseGroupInStack(g, 8, 3);
    paintWindow(t.ctx);
    const QImage before = t.surfaces.board.copy();

    liftGroup(t.ctx, a);
    const QImage without = canvasByRule(t.ctx, a);
    for (const int id : {a, b}) {
        const Rect &m = g.board.cardRect[cardColumn(id)][cardRow(id)];
        EXPECT_EQ(differingPixels(block(t.surfaces.board, m.left, m.top, 64, 102),
                                  block(without, m.left, m.top, 64, 102)),
                  0)
            << "member " << id;
    }
    // nothing outside the members' blocks changes
    QImage outside = t.surfaces.board.copy();
    bitBlt(outside, 1000, 700, 127, 102, before, 1000, 700, SRCCOPY);
    EXPECT_EQ(differingPixels(outside, before), 0);
}

TEST(Lift, ACardOnePitchAwayLeavesItsSharedBorderShowingTheBackground) {
    Table t;
    const int a = cardId(4, 0), right = cardId(7, 1), below = cardId(8, 2), near = cardId(5, 3);
    dealAndClear(t, 3, {a, right, below, near});
    GameState &g = t.g();
    place(g, 4, 0, 1000, 700);
    place(g, 7, 1, 1063, 700);  // exactly one pitch to the right
    place(g, 8, 2, 1000, 801);  // exactly one pitch below
    place(g, 5, 3, 1300, 700);
    for (int id : {a, right, below, near}) raiseGroupInStack(g, cardColumn(id), cardRow(id));
    paintWindow(t.ctx);
    liftGroup(t.ctx, a);
    for (int y = 700; y <= 801; ++y)
        EXPECT_EQ(t.surfaces.board.pixel(1063, y), backgroundPixel(1063, y)) << "y " << y;
    for (int x = 1000; x <= 1063; ++x)
        EXPECT_EQ(t.surfaces.board.pixel(x, 801), backgroundPixel(x, 801)) << "x " << x;

    // one pixel nearer, the card is taken into the recomposition
    place(g, 5, 3, 1062, 700);
    raiseGroupInStack(g, 5, 3);
    paintWindow(t.ctx);
    liftGroup(t.ctx, a);
    const CardPicture pic = cardPicture(g, t.surfaces, 5, 3);
    for (int y = 700; y <= 801; ++y) {
        EXPECT_EQ(t.surfaces.board.pixel(1062, y), pic.surface->pixel(pic.x, pic.y + y - 700));
        EXPECT_EQ(t.surfaces.board.pixel(1063, y), pic.surface->pixel(pic.x + 1, pic.y + y - 700));
    }
}

TEST(Shadow, MembersInTheLastColumnAndRowAlwaysCastOne) {
    Table t;
    t.deal(1);
    useTracePictures(t.surfaces);
    GameState &g = t.g();
    const int a = cardId(0, 1);
    joinCards(g, a, cardId(12, 0));
    joinCards(g, a, cardId(12, 1));
    place(g, 0, 1, -100, 700);
    paintWindow(t.ctx);
    const QImage canvasView = atView(g, t.surfaces.board, t.surfaces.window.size());
    // (12,0) sits at x -100 + 756 = 656, y 599; its right fringe must be shaded
    drawCarryShadow(t.ctx, -100 + 5, 700 + 5, a);
    const int x = 656 + 64 - g.viewX + 2, y = 599 + 50 - g.viewY;
    EXPECT_EQ(t.surfaces.window.pixel(x, y),
              canvasView.pixel(x, y) & t.surfaces.greyCard.pixel(61, 45));
}

TEST(Erase, CellsAndDropAreasComeBackFromTheCanvas) {
    Table t;
    const int a = cardId(4, 0), b = cardId(4, 1);
    dealAndClear(t, 3, {a, b});
    GameState &g = t.g();
    place(g, 4, 0, 800, 600);
    joinCards(g, a, b);
    paintWindow(t.ctx);
    t.surfaces.board.fill(0xFF00FF00u);
    t.surfaces.window.fill(0xFF000000u);
    t.surfaces.dirty = QRegion();

    restoreGroupCells(t.ctx, a);
    const QImage &w = t.surfaces.window;
    const int x0 = 800 - g.viewX, y0 = 600 - g.viewY;
    EXPECT_EQ(w.pixel(x0, y0), 0xFF00FF00u);
    EXPECT_EQ(w.pixel(x0 + 63, y0 + 202), 0xFF00FF00u);  // last pixel of (4,1)
    EXPECT_EQ(w.pixel(x0 + 64, y0 + 50), 0xFF000000u);
    EXPECT_EQ(w.pixel(x0, y0 + 203), 0xFF000000u);
    EXPECT_EQ(t.surfaces.dirty.boundingRect(), QRect(x0, y0, 64, 203));

    t.surfaces.window.fill(0xFF000000u);
    eraseDropArea(t.ctx, 800, 600, a);
    EXPECT_EQ(w.pixel(x0 - 25, y0 - 25), 0xFF00FF00u);
    EXPECT_EQ(w.pixel(x0 - 26, y0 - 25), 0xFF000000u);
    EXPECT_EQ(w.pixel(x0 + 87, y0 + 226), 0xFF00FF00u);
    EXPECT_EQ(w.pixel(x0 + 88, y0 + 226), 0xFF000000u);
    EXPECT_EQ(w.pixel(x0 + 87, y0 + 227), 0xFF000000u);

    t.surfaces.window.fill(0xFF000000u);
    eraseCarryTrail(t.ctx, 800, 600, a);
    EXPECT_EQ(w.pixel(x0 + 68, y0 + 207), 0xFF00FF00u);
    EXPECT_EQ(w.pixel(x0 + 69, y0 + 207), 0xFF000000u);
    EXPECT_EQ(w.pixel(x0 + 68, y0 + 208), 0xFF000000u);
}

TEST(CanvasWithBacks, GetsEveryCardAsADarkBackInStackingOrder) {
    Table t;
    const int a = cardId(4, 0), b = cardId(5, 0);
    dealAndClear(t, 3, {a, b});
    GameState &g = t.g();
    place(g, 4, 0, 800, 600);
    place(g, 5, 0, 830, 620);
    g.board.faceUp[5][0] = 1;
    g.board.touchCount[5][0] = 3;
    raiseGroupInStack(g, 4, 0);  // (4,0) above (5,0)
    t.surfaces.board.fill(0xFF000000u);
    rebuildBoardWithBacks(t.ctx, 100);
    const QImage &board = t.surfaces.board;
    EXPECT_EQ(board.pixel(840, 630), t.surfaces.backs.pixel(40, 30));  // (4,0) on top
    EXPECT_EQ(board.pixel(880, 710), t.surfaces.backs.pixel(50, 90));  // (5,0), as a back too
    EXPECT_EQ(board.pixel(100, 100), backgroundPixel(100, 100));

    rebuildBoardWithBacks(t.ctx, a);
    EXPECT_EQ(board.pixel(810, 610), backgroundPixel(810, 610));
}

// The carry's redraw in one pass must leave exactly the window that wiping
// the old place, shading and drawing at the new one leave, with every changed
// pixel marked for presenting: random groups with gaps, random moves near and
// over the window's edges, over a window that holds other things too.
TEST(Carry, OnePassRedrawMatchesWipeShadeAndDrawOnRandomGroupsAndMoves) {
    std::mt19937 pick(77);
    for (int round = 0; round < 16; ++round) {
        Table t;
        t.deal(1 + round % 3, 500 + round);
        useTracePictures(t.surfaces);
        GameState &g = t.g();
        RandomCells cells{g, pick};
        const int id = cells.card();
        for (int i = 0, joins = int(pick() % 14); i < joins; ++i) joinCards(g, id, cells.card());
        mixFaces(g, cells, 10);
        paintWindow(t.ctx);
        liftGroup(t.ctx, id);
        // Something else on the window where the canvas is not: a popup, a
        // sparkle, an outline.
        for (int i = 0; i < 30; ++i)
            t.surfaces.window.setPixel(int(pick() % 1008), int(pick() % 709), 0xFF000000u | pick());

        int left = g.viewX - 300 + int(pick() % 1500), top = g.viewY - 200 + int(pick() % 1000);
        for (int move = 0; move < 10; ++move) {
            const int big = move % 3 == 0 ? 400 : 12;
            const int nl = left + int(pick() % (2 * big + 1)) - big;
            const int nt = top + int(pick() % (2 * big + 1)) - big;
            QImage expected = t.surfaces.window.copy();
            {
                Surfaces copy = t.surfaces;
                copy.window = expected;
                Context ctx{g, copy, t.shell};
                eraseCarryTrail(ctx, left, top, id);
                drawCarryShadow(ctx, nl + 5, nt + 5, id);
                drawGroup(ctx, nl, nt, id, copy.window, true);
                expected = copy.window;
            }
            const QImage before = t.surfaces.window.copy();
            t.surfaces.dirty = QRegion();
            moveCarriedGroup(t.ctx, left, top, nl, nt, id);
            ASSERT_EQ(differingPixels(t.surfaces.window, expected), 0)
                << "round " << round << " move " << move;
            QImage marked(before.size(), QImage::Format_Grayscale8);
            marked.fill(0);
            for (const QRect &r : t.surfaces.dirty)
                for (int y = r.top(); y <= r.bottom(); ++y)
                    std::fill_n(marked.scanLine(y) + r.left(), r.width(), uchar(1));
            // And nothing else: only the members' blocks with their shadows,
            // at the old place and the new, not the gaps between them.
            QImage blocks(before.size(), QImage::Format_Grayscale8);
            blocks.fill(0);
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r) {
                    if (!isMember(g, id, c, r)) continue;
                    for (const QPoint at : {QPoint(left, top), QPoint(nl, nt)}) {
                        const QRect block =
                            QRect(at.x() + kPitchX * (c - cardColumn(id)) - g.viewX,
                                  at.y() + kPitchY * (r - cardRow(id)) - g.viewY,
                                  kCardWidth + 5, kCardHeight + 5)
                                .intersected(blocks.rect());
                        for (int y = block.top(); y <= block.bottom(); ++y)
                            std::fill_n(blocks.scanLine(y) + block.left(), block.width(),
                                        uchar(1));
                    }
                }
            for (int y = 0; y < before.height(); ++y) {
                const auto *was = reinterpret_cast<const uint32_t *>(before.constScanLine(y));
                const auto *now = reinterpret_cast<const uint32_t *>(expected.constScanLine(y));
                const uchar *mark = marked.constScanLine(y);
                const uchar *block = blocks.constScanLine(y);
                for (int x = 0; x < before.width(); ++x) {
                    ASSERT_TRUE(was[x] == now[x] || mark[x] == 1)
                        << "round " << round << " move " << move << " at " << x << "," << y;
                    ASSERT_TRUE(mark[x] == 0 || block[x] == 1)
                        << "round " << round << " move " << move << " at " << x << "," << y;
                }
            }
            left = nl;
            top = nt;
        }
    }
}

// The game's window keeps a canvas only as large as it can show: every frame
// and every pixel of the canvas it keeps must be what the canvas of the whole
// board gives, through carries into the far corner, panning there, and a
// window grown past what the canvas held; a pan past it starts from a full paint.
TEST(TrimmedCanvas, ShowsWhatTheWholeBoardShows) {
    Table whole, trimmed;
    trimmed.surfaces.trimCanvas = true;
    createSurfaces(trimmed.surfaces, 1, 1, 1008, 709);
    EXPECT_EQ(trimmed.surfaces.board.size(), QSize(1008 + 256, 709 + 256));
    const auto both = [&](const char *what, const std::function<void(Table &)> &step) {
        for (Table *t : {&whole, &trimmed}) step(*t);
        const QImage &kept = trimmed.surfaces.board;
        EXPECT_EQ(differingPixels(trimmed.surfaces.window, whole.surfaces.window), 0) << what;
        const QImage part = whole.surfaces.board.copy(canvasRect(trimmed.surfaces));
        EXPECT_EQ(differingPixels(kept, part), 0) << what;
    };
    both("deal", [](Table &t) { t.deal(kAdvanced); });
    both("full paint", [](Table &t) { paintWindow(t.ctx); });
    const Rect seven = whole.g().board.cardRect[6][0];
    const int gx = seven.left + 20 - whole.g().viewX, gy = seven.top + 30 - whole.g().viewY;
    both("press", [&](Table &t) { onLeftPress(t.play, gx, gy, false); });
    both("carry to the corner", [&](Table &t) { onMouseMove(t.play, 990, 690); });
    both("drop", [&](Table &t) { onLeftRelease(t.play, 990, 690); });
    both("pan to the limits", [](Table &t) {
        paintWindow(t.ctx);
        t.g().viewX = kViewXMax;
        t.g().viewY = kViewYMax;
        t.g().gesture.panning = 1;
        paintWindow(t.ctx);
        t.g().gesture.panning = 0;
    });
    both("carry further", [&](Table &t) {
        const Rect &m = t.g().board.cardRect[6][0];
        const int x = m.left + 20 - t.g().viewX, y = m.top + 30 - t.g().viewY;
        onLeftPress(t.play, x, y, false);
        onMouseMove(t.play, 1000, 700);
        onLeftRelease(t.play, 1000, 700);
    });
    // past what the window showed before it panned
    ASSERT_GT(whole.g().board.cardRect[6][0].left, 1008);
    ASSERT_GT(whole.g().board.cardRect[6][0].top, 709);
    both("grown window", [](Table &t) {
        resizeWindowSurface(t.surfaces, 2100, 900);
        paintWindow(t.ctx);
    });
    EXPECT_EQ(trimmed.surfaces.board.size(), QSize(2100 + 256, 900 + 256));
    both("panning in the grown window", [](Table &t) {
        t.g().viewX = kViewXMax / 2;
        t.g().gesture.panning = 1;
        paintWindow(t.ctx);
        t.g().gesture.panning = 0;
    });
}
