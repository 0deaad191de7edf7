// Which picture a card shows, and how a group lands on the window and the
// board canvas.
#include <gtest/gtest.h>

#include "render/cards.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;

namespace {

constexpr QRgb kFaceColour = 0xFF101010u;
constexpr QRgb kSettledColour = 0xFF202020u;
constexpr QRgb kBackColour = 0xFF303030u;
constexpr QRgb kEmpty = 0xFF000000u;

QImage solid(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Sheets of one colour each, so that a drawn pixel tells which sheet it came
// from.
void useSolidSheets(Surfaces &s) {
    s.face = solid(820, 405, kFaceColour);
    s.settledFace = solid(820, 405, kSettledColour);
    s.backs = solid(190, 102, kBackColour);
    s.board = solid(kBoardWidth, kBoardHeight, kEmpty);
    s.window = solid(1008, 709, kEmpty);
    s.dirty = QRegion();
}

// A fresh advanced game with every card on its own; the tests join groups by
// hand.
struct CardTable : Table {
    CardTable() {
        g().level = kAdvanced;
        g().gameStarted = 1;
        for (int id = 0; id < kCards; ++id) g().board.groupMembers[id][cardColumn(id)][cardRow(id)] = 1;
    }
    void join(const std::vector<int> &ids) {
        for (int a : ids)
            for (int b : ids) g().board.groupMembers[a][cardColumn(b)][cardRow(b)] = 1;
    }
    void show(int c, int r, int faceUp, int touches) {
        g().board.faceUp[c][r] = faceUp;
        g().board.touchCount[c][r] = touches;
    }
};

// The bounding box of the pixels that differ from the empty colour.
QRect drawnArea(const QImage &image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kEmpty) box |= QRect(x, y, 1, 1);
    return box;
}

}  // namespace

TEST(CardPicture, FaceDownCardsShowTheBackOfTheirTouchCount) {
    CardTable t;
    for (int touches = 0; touches < 3; ++touches) {
        t.show(3, 2, 0, touches);
        const CardPicture pic = cardPicture(t.g(), t.surfaces, 3, 2);
        EXPECT_EQ(pic.surface, &t.surfaces.backs);
        EXPECT_EQ(pic.x, 63 * touches);
        EXPECT_EQ(pic.y, 0);
    }
}

TEST(CardPicture, FaceUpCardsShowWhiteUnlessSettled) {
    CardTable t;
    struct Case {
        int touches;
        const QImage *sheet;
    };
    const Case cases[] = {{0, &t.surfaces.face},        {1, &t.surfaces.face},
                          {2, &t.surfaces.face},        {3, &t.surfaces.settledFace},
                          {4, &t.surfaces.face}};
    for (const Case &k : cases) {
        t.show(11, 3, 1, k.touches);
        const CardPicture pic = cardPicture(t.g(), t.surfaces, 11, 3);
        EXPECT_EQ(pic.surface, k.sheet) << k.touches;
        EXPECT_EQ(pic.x, 63 * 11) << k.touches;
        EXPECT_EQ(pic.y, 101 * 3) << k.touches;
    }
}

TEST(CardPicture, StrayTouchCountsOnAFaceDownCardStayInsideTheStrip) {
    CardTable t;
    for (int touches : {3, 4, 7, -1, 1000000}) {
        t.show(0, 0, 0, touches);
        const CardPicture pic = cardPicture(t.g(), t.surfaces, 0, 0);
        EXPECT_EQ(pic.surface, &t.surfaces.backs);
        EXPECT_GE(pic.x, 0) << touches;
        EXPECT_LE(pic.x + 64, t.surfaces.backs.width()) << touches;
    }
}

TEST(CardPicture, SwitchingTheDesignChangesEveryBackShade) {
    CardTable t;
    for (int touches = 0; touches < 3; ++touches) {
        t.show(5, 0, 0, touches);
        switchBacks(t.surfaces, 1);
        const CardPicture one = cardPicture(t.g(), t.surfaces, 5, 0);
        const QImage first = one.surface->copy(one.x, one.y, 64, 102);
        switchBacks(t.surfaces, 2);
        const CardPicture two = cardPicture(t.g(), t.surfaces, 5, 0);
        EXPECT_EQ(two.x, one.x);
        EXPECT_NE(two.surface->copy(two.x, two.y, 64, 102), first) << touches;
    }
}

TEST(DrawGroup, ALoneCardIsOnePictureAtItsCorner) {
    CardTable t;
    useSolidSheets(t.surfaces);
    t.show(7, 1, 1, 0);
    drawGroup(t.ctx, 500, 300, cardId(7, 1), t.surfaces.board, false);
    EXPECT_EQ(drawnArea(t.surfaces.board), QRect(500, 300, 64, 102));
    EXPECT_EQ(t.surfaces.board.pixel(500, 300), kFaceColour);
    // Nothing was drawn on the window, and nothing marked there.
    EXPECT_TRUE(t.surfaces.dirty.isEmpty());
    EXPECT_EQ(drawnArea(t.surfaces.window), QRect());
}

TEST(DrawGroup, WindowTargetSubtractsTheViewAndMarksTheArea) {
    CardTable t;
    useSolidSheets(t.surfaces);
    t.g().viewX = 481;
    t.g().viewY = 427;
    t.show(7, 1, 0, 2);
    drawGroup(t.ctx, 700, 600, cardId(7, 1), t.surfaces.window, true);
    EXPECT_EQ(drawnArea(t.surfaces.window), QRect(700 - 481, 600 - 427, 64, 102));
    EXPECT_EQ(t.surfaces.dirty, QRegion(700 - 481, 600 - 427, 64, 102));

    // Moving the view moves the group on the window...
    useSolidSheets(t.surfaces);
    t.g().viewX = 0;
    t.g().viewY = 100;
    drawGroup(t.ctx, 700, 600, cardId(7, 1), t.surfaces.window, true);
    EXPECT_EQ(drawnArea(t.surfaces.window), QRect(700, 500, 64, 102));

    // ...but not on the board canvas.
    for (int view : {0, 300, 986}) {
        useSolidSheets(t.surfaces);
        t.g().viewX = view;
        t.g().viewY = view / 2;
        drawGroup(t.ctx, 700, 600, cardId(7, 1), t.surfaces.board, false);
        EXPECT_EQ(drawnArea(t.surfaces.board), QRect(700, 600, 64, 102)) << view;
    }
}

TEST(DrawGroup, MembersSitOnThePitchAroundTheAnchor) {
    CardTable t;
    useSolidSheets(t.surfaces);
    // An L of three: (4,1), (5,1) and (4,2); the anchor is (5,1).
    t.join({cardId(4, 1), cardId(5, 1), cardId(4, 2)});
    t.show(4, 1, 1, 0);  // white face
    t.show(5, 1, 0, 0);  // dark back
    t.show(4, 2, 1, 3);  // settled
    const int x = 1000, y = 700;
    drawGroup(t.ctx, x, y, cardId(5, 1), t.surfaces.board, false);
    const QImage &b = t.surfaces.board;
    EXPECT_EQ(drawnArea(b), QRect(x - 63, y, 127, 203));
    EXPECT_EQ(b.pixel(x - 63, y), kFaceColour);
    EXPECT_EQ(b.pixel(x + 63, y + 101), kBackColour);
    EXPECT_EQ(b.pixel(x - 63, y + 202), kSettledColour);
    // The cell right of the settled card and below the back is no member.
    EXPECT_EQ(b.pixel(x + 10, y + 150), kEmpty);

    // Shared borders: the right neighbour covers the left card's last
    // column, and the lower card covers the upper card's last row.
    for (int yy = y; yy < y + 102; ++yy) EXPECT_EQ(b.pixel(x, yy), kBackColour) << yy;
    for (int xx = x - 63; xx < x; ++xx) EXPECT_EQ(b.pixel(xx, y + 101), kSettledColour) << xx;
    EXPECT_EQ(b.pixel(x - 1, y + 100), kFaceColour);

    // Any member may anchor: the same group drawn from (4,2) lands the same.
    QImage first = b.copy();
    useSolidSheets(t.surfaces);
    drawGroup(t.ctx, x - 63, y + 101, cardId(4, 2), t.surfaces.board, false);
    EXPECT_EQ(t.surfaces.board, first);
}

TEST(DrawGroup, ColumnsOutsideTheLevelAreNeverDrawn) {
    CardTable t;
    useSolidSheets(t.surfaces);
    t.g().level = kBeginner;  // columns 4..8
    t.join({cardId(3, 0), cardId(4, 0)});
    drawGroup(t.ctx, 400, 400, cardId(4, 0), t.surfaces.board, false);
    EXPECT_EQ(drawnArea(t.surfaces.board), QRect(400, 400, 64, 102));
}

TEST(DrawGroup, GroupsHangingOffTheEdgesAreClipped) {
    CardTable t;
    useSolidSheets(t.surfaces);
    t.join({cardId(0, 0), cardId(1, 0)});
    drawGroup(t.ctx, -30, -50, cardId(1, 0), t.surfaces.board, false);
    EXPECT_EQ(drawnArea(t.surfaces.board), QRect(0, 0, 34, 52));
    useSolidSheets(t.surfaces);
    drawGroup(t.ctx, 990, 700, cardId(0, 0), t.surfaces.window, false);
    EXPECT_EQ(drawnArea(t.surfaces.window), QRect(990, 700, 18, 9));
    EXPECT_EQ(t.surfaces.dirty, QRegion(990, 700, 18, 9));
}

TEST(DrawGroup, AnAnchorThatIsNoCardDrawsNothing) {
    CardTable t;
    useSolidSheets(t.surfaces);
    for (int id : {-1, 52, 99, kNoCard})
        drawGroup(t.ctx, 100, 100, id, t.surfaces.board, false);
    EXPECT_EQ(drawnArea(t.surfaces.board), QRect());
}

TEST(DrawGroup, RealSheetsPutEachCardsOwnFaceOnTheBoard) {
    CardTable t;
    t.join({cardId(9, 2), cardId(10, 2), cardId(10, 3)});
    t.show(9, 2, 1, 0);
    t.show(10, 2, 1, 3);
    t.show(10, 3, 1, 4);
    const QImage before = t.surfaces.board.copy();
    drawGroup(t.ctx, 200, 200, cardId(9, 2), t.surfaces.board, false);
    const QImage &b = t.surfaces.board;
    // Inner pixels come from the named cell of the named sheet.
    EXPECT_EQ(b.copy(201, 201, 62, 100), t.surfaces.face.copy(63 * 9 + 1, 101 * 2 + 1, 62, 100));
    EXPECT_EQ(b.copy(264, 201, 62, 100),
              t.surfaces.settledFace.copy(63 * 10 + 1, 101 * 2 + 1, 62, 100));
    EXPECT_EQ(b.copy(264, 302, 62, 100), t.surfaces.face.copy(63 * 10 + 1, 101 * 3 + 1, 62, 100));
    EXPECT_EQ(b.copy(200, 302, 63, 100), before.copy(200, 302, 63, 100));
}
