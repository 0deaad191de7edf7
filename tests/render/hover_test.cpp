// The guide outline that follows the pointer, its wipe, and the peek picture.
#include <gtest/gtest.h>

#include <QImage>

#include "game/board.h"
#include "game/input.h"
#include "render/hover.h"
#include "render/raster.h"
#include "support/table.h"

namespace fusefuda {
namespace {

using testing::Table;

constexpr QRgb kYellow = 0xFFFFFF00u;

// A beginner board with every card far out of view except the ones a test
// places, a canvas whose every pixel differs from its neighbours, and the
// window showing that canvas.
struct HoverBoard {
    Table t;
    GameState &g;
    Context &ctx;

    HoverBoard() : g(t.g()), ctx(t.ctx) {
        t.deal(3);
        g.viewX = 500;
        g.viewY = 400;
        for (int c = 4; c <= 8; ++c)
            for (int r = 0; r < kRows; ++r) place(c, r, 2800, 1450);
        QImage &board = t.surfaces.board;
        for (int y = 0; y < board.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(board.scanLine(y));
            for (int x = 0; x < board.width(); ++x) line[x] = 0xFF000000u | uint32_t(x * 7 + y * 13);
        }
        bitBlt(t.surfaces.window, 0, 0, t.surfaces.window.width(), t.surfaces.window.height(),
               board, g.viewX, g.viewY, SRCCOPY);
        t.surfaces.dirty = QRegion();
    }

    // Puts card (c, r) with its top-left corner at window point (x, y).
    void place(int c, int r, int x, int y) {
        g.board.cardRect[c][r] = Rect{x + g.viewX, y + g.viewY, x + g.viewX + kPitchX,
                                y + g.viewY + kPitchY};
    }
    void join(int c1, int r1, int c2, int r2) {
        for (int id : {cardId(c1, r1), cardId(c2, r2)}) {
            g.board.groupMembers[id][c1][r1] = 1;
            g.board.groupMembers[id][c2][r2] = 1;
        }
    }
    void move(int x, int y) { trackHover(t.play, x, y); }

    const QImage &window() const { return t.surfaces.window; }
    bool yellow(int x, int y) const { return window().pixel(x, y) == kYellow; }
    int yellowCount() const {
        int n = 0;
        for (int y = 0; y < window().height(); ++y)
            for (int x = 0; x < window().width(); ++x) n += yellow(x, y);
        return n;
    }
    // Whether the window shows the canvas unchanged inside [x0, x1] x [y0, y1].
    bool showsCanvas(int x0, int y0, int x1, int y1) const {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                if (window().pixel(x, y) != t.surfaces.board.pixel(x + g.viewX, y + g.viewY))
                    return false;
        return true;
    }
};

// The number of pixels around the block [x0, x1] x [y0, y1] that break a
// two-pixel yellow ring along its inside edge; the three pixels outside the
// block on every side must keep their colour.
int ringMismatches(const HoverBoard &b, int x0, int y0, int x1, int y1) {
    int mismatches = 0;
    for (int y = y0 - 3; y <= y1 + 3; ++y) {
        for (int x = x0 - 3; x <= x1 + 3; ++x) {
            const bool inBlock = x >= x0 && x <= x1 && y >= y0 && y <= y1;
            const bool onRing =
                inBlock && (x <= x0 + 1 || x >= x1 - 1 || y <= y0 + 1 || y >= y1 - 1);
            if (b.yellow(x, y) != onRing) ++mismatches;
        }
    }
    return mismatches;
}
int ringSize(int width, int height) { return width * height - (width - 4) * (height - 4); }

TEST(GuideOutline, RunsAroundAPairWithoutALineBetweenThem) {
    HoverBoard b;
    b.place(4, 0, 200, 100);
    b.place(5, 0, 263, 100);
    b.join(4, 0, 5, 0);
    b.move(230, 150);
    // One closed ring around both 64 x 102 pictures, which overlap by a pixel.
    EXPECT_EQ(ringMismatches(b, 200, 100, 326, 201), 0);
    EXPECT_EQ(b.yellowCount(), ringSize(127, 102));
    EXPECT_TRUE(b.t.surfaces.dirty.contains(QRect(200, 100, 127, 102)));
    EXPECT_EQ(b.g.hover.hoverCard, cardId(4, 0));
}

TEST(GuideOutline, RunsAroundALoneCardAndAColumnOfTwo) {
    HoverBoard b;
    b.place(8, 1, 500, 200);
    b.move(562, 300);  // the last pixel of the card's cell
    EXPECT_EQ(ringMismatches(b, 500, 200, 563, 301), 0);
    EXPECT_EQ(b.yellowCount(), ringSize(64, 102));
    b.move(563, 300);  // right and bottom edges of a cell lie outside it
    EXPECT_EQ(b.g.hover.hoverCard, kNoCard);
    b.move(520, 302);
    EXPECT_EQ(b.g.hover.hoverCard, kNoCard);

    HoverBoard column;
    column.place(7, 0, 100, 300);
    column.place(7, 1, 100, 401);
    column.join(7, 0, 7, 1);
    column.move(120, 450);
    EXPECT_EQ(ringMismatches(column, 100, 300, 163, 502), 0);
    EXPECT_EQ(column.yellowCount(), ringSize(64, 203));
}

TEST(GuideOutline, OnlyTheTopmostCardsGroupIsOutlined) {
    HoverBoard b;
    b.place(4, 0, 200, 100);
    b.place(5, 0, 263, 100);
    b.join(4, 0, 5, 0);
    b.place(8, 1, 240, 140);
    raiseGroupInStack(b.g, 8, 1);
    b.move(250, 150);  // inside both the pair and the lone card
    EXPECT_EQ(ringMismatches(b, 240, 140, 303, 241), 0);
    EXPECT_EQ(b.yellowCount(), ringSize(64, 102));
    EXPECT_EQ(b.g.hover.hoverCard, cardId(8, 1));
}

TEST(GuideOutline, FollowsTheView) {
    HoverBoard b;
    b.place(8, 1, 500, 200);
    b.g.viewX -= 40;
    b.g.viewY += 25;
    b.move(560, 180);  // the card now lies at window (540, 175)
    EXPECT_EQ(ringMismatches(b, 540, 175, 603, 276), 0);
}

TEST(GuideOutline, PreviousCardIsWipedOneMoveAfterTheNextIsOutlined) {
    HoverBoard b;
    b.place(4, 0, 200, 100);
    b.place(5, 0, 263, 100);
    b.join(4, 0, 5, 0);
    b.place(8, 1, 500, 200);
    b.move(230, 150);
    b.move(231, 150);
    b.move(520, 250);  // straight onto the lone card: both outlines show
    EXPECT_EQ(ringMismatches(b, 500, 200, 563, 301), 0);
    EXPECT_EQ(b.yellowCount(), ringSize(127, 102) + ringSize(64, 102));
    b.move(521, 250);  // the pair's outline goes
    EXPECT_TRUE(b.showsCanvas(200, 100, 326, 201));
    EXPECT_EQ(ringMismatches(b, 500, 200, 563, 301), 0);
    EXPECT_EQ(b.yellowCount(), ringSize(64, 102));
    b.move(700, 600), b.move(522, 250), b.move(232, 150);  // off, back, and on at once
    EXPECT_TRUE(b.showsCanvas(500, 200, 563, 301));
}

TEST(GuideOutline, LeavingForTheBareBoardWipesAtTheSecondMove) {
    HoverBoard b;
    b.place(8, 1, 500, 200);
    b.move(520, 250);
    b.move(521, 250);
    b.move(700, 600);
    EXPECT_EQ(b.g.hover.hoverCard, kNoCard);
    EXPECT_EQ(b.yellowCount(), ringSize(64, 102));
    b.t.surfaces.dirty = QRegion();
    b.move(701, 600);
    EXPECT_EQ(b.yellowCount(), 0);
    EXPECT_TRUE(b.showsCanvas(0, 0, b.window().width() - 1, b.window().height() - 1));
    EXPECT_TRUE(b.t.surfaces.dirty.contains(QRect(500, 200, 64, 102)));
}

TEST(GuideOutline, CardCrossedWithASingleMoveLeavesNoOutlineBehind) {
    HoverBoard b;
    b.place(8, 1, 500, 200);
    b.move(520, 250);
    b.move(700, 600);
    b.move(701, 600);
    EXPECT_EQ(b.yellowCount(), 0);
    EXPECT_TRUE(b.showsCanvas(0, 0, b.window().width() - 1, b.window().height() - 1));
}

TEST(GuideOutline, GuideOffDrawsNothingAndAnyOtherValueDraws) {
    HoverBoard b;
    b.place(8, 1, 500, 200);
    b.g.guideOn = 0;
    b.move(520, 250);
    b.move(521, 250);
    EXPECT_EQ(b.yellowCount(), 0);
    EXPECT_EQ(b.g.hover.hoverCard, cardId(8, 1));

    HoverBoard stored;
    stored.place(8, 1, 500, 200);
    stored.g.guideOn = 2;  // an out-of-range value from an edited settings file
    stored.move(520, 250);
    EXPECT_EQ(ringMismatches(stored, 500, 200, 563, 301), 0);
}

TEST(GuideOutline, OutlineAtTheWindowEdgeIsClipped) {
    HoverBoard b;
    b.place(8, 1, -30, -40);
    b.move(5, 5);
    // The right and bottom edges are inside the window, the others outside.
    EXPECT_TRUE(b.yellow(33, 10));
    EXPECT_TRUE(b.yellow(10, 61));
    EXPECT_FALSE(b.yellow(0, 0));
    EXPECT_EQ(b.yellowCount(), 2 * 62 + 2 * 34 - 4 + 0);
}

// The face sheet and the question-mark card get pixel values that name their
// source, so that the peek picture shows where it came from.
void markSources(HoverBoard &b) {
    QImage &face = b.t.surfaces.face;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x) face.setPixel(x, y, 0xFF000000u | uint32_t(x << 10 | y));
    b.t.surfaces.unknownCard.fill(0xFF123456u);
    b.t.surfaces.peek.fill(0xFF000000u);
}
bool peekShowsFace(const HoverBoard &b, int c, int r) {
    const QImage &peek = b.t.surfaces.peek;
    if (peek.size() != QSize(kCardWidth, kCardHeight)) return false;
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x)
            if (peek.pixel(x, y) != b.t.surfaces.face.pixel(63 * c + x, 101 * r + y)) return false;
    return true;
}
bool peekShowsUnknown(const HoverBoard &b) {
    return b.t.surfaces.peek == b.t.surfaces.unknownCard;
}

TEST(PeekPicture, ShowsTheFaceOfAFaceDownCardAndTheQuestionMarkBetweenCards) {
    HoverBoard b;
    markSources(b);
    b.g.peekModeOn = 1;
    b.place(4, 2, 200, 100);
    b.place(8, 3, 500, 200);
    ASSERT_EQ(b.g.board.faceUp[4][2], 0);
    const int32_t score = b.g.board.score;
    b.move(210, 110);
    EXPECT_TRUE(peekShowsFace(b, 4, 2));
    EXPECT_EQ(b.t.shell.peekChanges, 1);
    b.move(211, 110);
    b.move(510, 210);
    EXPECT_TRUE(peekShowsFace(b, 8, 3));
    const int before = b.t.shell.peekChanges;
    b.move(511, 210);  // the question mark flashes, then the face again
    EXPECT_EQ(b.t.shell.peekChanges, before + 2);
    EXPECT_TRUE(peekShowsFace(b, 8, 3));
    b.move(700, 600);
    EXPECT_TRUE(peekShowsFace(b, 8, 3));
    b.move(701, 600);
    EXPECT_TRUE(peekShowsUnknown(b));
    b.move(702, 600);
    EXPECT_TRUE(peekShowsUnknown(b));
    // The look is free: the card stays face down and untouched.
    EXPECT_EQ(b.g.board.faceUp[8][3], 0);
    EXPECT_EQ(b.g.board.touchCount[8][3], 0);
    EXPECT_EQ(b.g.board.score, score);
}

TEST(PeekPicture, NothingIsDrawnWhilePeekModeIsOff) {
    HoverBoard b;
    markSources(b);
    b.place(4, 2, 200, 100);
    const QImage before = b.t.surfaces.peek.copy();
    b.move(210, 110);
    b.move(700, 600);
    b.move(701, 600);
    EXPECT_EQ(b.t.surfaces.peek, before);
    EXPECT_EQ(b.t.shell.peekChanges, 0);
}

}  // namespace
}  // namespace fusefuda
