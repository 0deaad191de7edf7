#include "game/input.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/board.h"
#include "game/undo.h"
#include "support/rules_table.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

const int kLeftCard = cardId(4, 0);   // carried to its right neighbour
const int kNeighbour = cardId(5, 0);  // waits at (1100, 700)

// (4,0) somewhere in view, (5,0) at (1100, 700); nothing else in view.
void neighbours(RulesTable &t) {
    dealAndClear(t, 3, {kLeftCard, kNeighbour});
    place(t.g(), 4, 0, 700, 900);
    place(t.g(), 5, 0, 1100, 700);
}

bool joined(const GameState &g, int a, int b) {
    return isMember(g, a, cardColumn(b), cardRow(b)) && isMember(g, b, cardColumn(a), cardRow(a));
}

}  // namespace

TEST(Press, IsRefusedBeforeAGameAfterTheWinWhileCarryingAndWhilePanning) {
    RulesTable fresh;
    onLeftPress(fresh.play, 500, 300, false);
    onRightPress(fresh.play, 500, 300);
    EXPECT_EQ(fresh.g().gesture.dragging + fresh.g().gesture.panning + fresh.g().undoStore.undoDepth, 0);

    RulesTable t;
    neighbours(t);
    GameState &g = t.g();
    const int x = clientX(g, 730), y = clientY(g, 950);
    g.gameOver = 1;
    onLeftPress(t.play, x, y, false);
    onRightPress(t.play, clientX(g, 300), clientY(g, 300));
    EXPECT_EQ(g.gesture.dragging + g.gesture.panning + g.gesture.pressMode + g.undoStore.undoDepth, 0);
    g.gameOver = 0;

    // the view is being pulled: a left press would carry over a moving board
    onRightPress(t.play, 20, 20);
    ASSERT_EQ(g.gesture.panning, 1);
    onLeftPress(t.play, x, y, false);
    EXPECT_EQ(g.gesture.dragging, 0);
    EXPECT_EQ(g.undoStore.undoDepth, 0);
    onRightRelease(t.play, 20, 20);
    EXPECT_EQ(g.gesture.panning, 0);
    EXPECT_FALSE(t.pointer.confined);
}

TEST(Carry, AClickWithoutAMoveKeepsTheGroupInHandUntilAReleaseAfterAMove) {
    RulesTable t;
    neighbours(t);
    GameState &g = t.g();
    const int x = clientX(g, 730), y = clientY(g, 950);
    onLeftPress(t.play, x, y, false);
    onLeftRelease(t.play, x, y);
    EXPECT_EQ(g.gesture.dragging, 1);
    EXPECT_TRUE(t.pointer.confined);
    // a second press is ignored: no new snapshot, no new touch
    onLeftPress(t.play, clientX(g, 1110), clientY(g, 710), false);
    EXPECT_EQ(g.undoStore.undoDepth, 1);
    EXPECT_EQ(g.board.touchCount[5][0], 0);
    EXPECT_EQ(cardId(g.gesture.dragColumn, g.gesture.dragRow), kLeftCard);
    // the card follows the pointer with the button up
    onMouseMove(t.play, x + 40, y - 30);
    EXPECT_EQ(g.board.cardRect[4][0], (Rect{740, 870, 803, 971}));
    EXPECT_EQ(g.gesture.dragging, 1);
    onLeftRelease(t.play, x + 40, y - 30);
    EXPECT_EQ(g.gesture.dragging, 0);
    EXPECT_FALSE(t.pointer.confined);
    EXPECT_EQ(g.board.cardRect[4][0], (Rect{740, 870, 803, 971}));
    EXPECT_EQ(g.board.touchCount[4][0], 1);  // down with the mid back
}

TEST(Carry, TheCardStaysInsideTheWindowAndTheBoardWhateverPositionArrives) {
    RulesTable t;
    neighbours(t);
    GameState &g = t.g();
    const int w = g.clientWidth, h = g.clientHeight;
    const int x = clientX(g, 730), y = clientY(g, 950);  // 30, 50 inside the card
    onLeftPress(t.play, x, y, false);
    EXPECT_EQ(t.pointer.confinement, (Rect{30, 50, w + 30 - 63, h + 50 - 101}));

    onMouseMove(t.play, -4000, -4000);
    EXPECT_EQ(g.board.cardRect[4][0].left, g.viewX);
    EXPECT_EQ(g.board.cardRect[4][0].top, g.viewY);
    onMouseMove(t.play, 9000, 9000);
    EXPECT_EQ(g.board.cardRect[4][0].left, g.viewX + w - 64);
    EXPECT_EQ(g.board.cardRect[4][0].top, g.viewY + h - 102);
    onLeftRelease(t.play, 9000, 9000);

    // a client area taller than what is left of the board below the view
    g.viewY = kViewYMax;
    g.clientHeight = 900;
    const Rect at = g.board.cardRect[4][0];
    onLeftPress(t.play, clientX(g, at.left + 10), clientY(g, at.top + 10), false);
    EXPECT_EQ(t.pointer.confinement.bottom, (kBoardHeight - kViewYMax) + 10 - 101);
    onMouseMove(t.play, 100, 5000);
    EXPECT_EQ(g.board.cardRect[4][0].top, kBoardHeight - 102);
}

TEST(Join, TheCatchSquareReachesTenBeforeAndNineAfterTheNeighboursCentre) {
    // (4,0) belongs at (1037, 700), left of (5,0)
    struct Case {
        int dx, dy;
        bool joins;
    };
    const Case cases[] = {{-10, 0, true},   {9, 0, true}, {10, 0, false}, {-11, 0, false},
                          {0, -10, true},   {0, 9, true}, {0, 10, false}, {0, -11, false},
                          {-10, -10, true}, {9, 9, true}, {9, 10, false}};
    for (const Case &k : cases) {
        RulesTable t;
        neighbours(t);
        GameState &g = t.g();
        carryTo(t, 4, 0, 1037 + k.dx, 700 + k.dy);
        EXPECT_EQ(joined(g, kLeftCard, kNeighbour), k.joins) << k.dx << "," << k.dy;
        const Rect expected = k.joins ? Rect{1037, 700, 1100, 801}
                                      : Rect{1037 + k.dx, 700 + k.dy, 1100 + k.dx, 801 + k.dy};
        EXPECT_EQ(g.board.cardRect[4][0], expected) << k.dx << "," << k.dy;
        EXPECT_EQ(g.board.cardRect[5][0], (Rect{1100, 700, 1163, 801}));  // the neighbour stays
        EXPECT_EQ(t.events.said("joined"), k.joins ? 1 : 0);
    }
}

TEST(Join, SnapsWithASparkleOnTheNeighboursEdgeAndThePairMovesAsOne) {
    RulesTable t;
    neighbours(t);
    GameState &g = t.g();
    carryTo(t, 4, 0, 1030, 705);
    ASSERT_TRUE(joined(g, kLeftCard, kNeighbour));
    // the neighbour lies to the right: the sparkle straddles its left edge
    EXPECT_EQ(g.overlays.sparkles[0].active, 1);
    EXPECT_EQ(g.overlays.sparkles[0].x, 1100 - 15);
    EXPECT_EQ(g.overlays.sparkles[0].y, 700 + 32);
    EXPECT_EQ(g.overlays.sparkles[0].frame, 0);
    EXPECT_EQ(g.overlays.sparkles[1].active, 0);
    // the joined pair moves as one
    carryTo(t, 5, 0, 1200, 800);
    EXPECT_EQ(g.board.cardRect[4][0], (Rect{1137, 800, 1200, 901}));
    EXPECT_EQ(g.board.cardRect[5][0], (Rect{1200, 800, 1263, 901}));
}

TEST(Join, ACoveredNeighbourJoinsOnlyOnceRaisedOrAfterTheStackIsReversed) {
    // (8,3) lies above (5,0), moved by (dx, dy); its centre square (16 to 45
    // and 35 to 64 pixels into it) takes the target point, the neighbour's
    // centre (1131, 750), from 15 pixels before to 14 after that centre
    enum Action { None, RaiseNeighbour, Reverse };
    struct Case {
        int dx, dy;
        Action action;
        bool joins;
    };
    const Case cases[] = {{15, 15, None, false},  {15, 15, RaiseNeighbour, true},
                          {15, 15, Reverse, true}, {16, 16, None, true},
                          {-15, 0, None, true},    {0, -15, None, true},
                          {-14, -14, None, false}, {16, 0, None, true},
                          {0, 16, None, true}};
    for (const Case &k : cases) {
        RulesTable t;
        dealAndClear(t, 3, {kLeftCard, kNeighbour, cardId(8, 3)});
        GameState &g = t.g();
        place(g, 4, 0, 700, 900);
        place(g, 5, 0, 1100, 700);
        place(g, 8, 3, 1100 + k.dx, 700 + k.dy);
        raiseGroupInStack(g, 8, 3);
        if (k.action == RaiseNeighbour) {  // with Shift
            onLeftPress(t.play, clientX(g, 1105), clientY(g, 705), true);
            onLeftRelease(t.play, clientX(g, 1105), clientY(g, 705));
            ASSERT_GT(g.board.stackLevel[5][0], g.board.stackLevel[8][3]);
        }
        if (k.action == Reverse) reverseStacking(t.play);
        carryTo(t, 4, 0, 1037, 700);
        EXPECT_EQ(joined(g, kLeftCard, kNeighbour), k.joins)
            << k.dx << "," << k.dy << " action " << k.action;
    }
}

namespace {

// (5,0) in view, and two cards it joins with one drop at (1100, 700).
}  // namespace

// (5,0) goes down at (1100, 700) above (5,1), which it joins first; (5,1), now
// a member, then finds (4,1) on its left.
TEST(Join, ADropMakesAndSaysSeveralJoinsInWalkOrderEachFromWhereTheCardsNowLie) {
    RulesTable t;
    dealAndClear(t, 3, {cardId(5, 0), cardId(5, 1), cardId(4, 1)});
    GameState &g = t.g();
    layTwoJoinsForOneDrop(g);
    const int x = clientX(g, 710), y = clientY(g, 910);
    onLeftPress(t.play, x, y, false);
    onMouseMove(t.play, x + 400, y - 200);
    t.events.log.clear();
    onLeftRelease(t.play, x + 400, y - 200);
    EXPECT_EQ(t.events.log, (std::vector<std::string>{"joined (5,0) to (5,1)", "raised (5,1)",
                                                      "joined (5,0) to (4,1)", "raised (4,1)",
                                                      "dropped (5,0)"}));
    EXPECT_TRUE(joined(g, cardId(5, 0), cardId(5, 1)));
    EXPECT_TRUE(joined(g, cardId(5, 0), cardId(4, 1)));
    EXPECT_EQ(g.board.cardRect[4][1], (Rect{1035, 807, 1098, 908}));
    EXPECT_EQ(g.board.cardRect[5][1], (Rect{1098, 807, 1161, 908}));
    EXPECT_EQ(g.board.cardRect[5][0], (Rect{1098, 706, 1161, 807}));
    EXPECT_EQ(g.overlays.sparkles[0].x, 1103 + 18);  // (5,1) below the member: its top edge
    EXPECT_EQ(g.overlays.sparkles[0].y, 803 - 15);
    EXPECT_EQ(g.overlays.sparkles[1].x, 1035 + 50);  // (4,1) left of the member: its right edge
    EXPECT_EQ(g.overlays.sparkles[1].y, 807 + 32);
    EXPECT_EQ(g.gameOver, 0);
}

TEST(Join, NeighboursAreTakenUpRightDownLeftAndMembersRowByRow) {
    // Every card lies on one grid in which (3,1) is at (1000, 700), so every
    // neighbour joins; the sparkles on the seams come in the order of the joins.
    struct Case {
        std::vector<int> carried;  // the first is pressed
        std::vector<int> neighbours;
        std::vector<std::pair<int, int>> sparkles;
    };
    const Case cases[] = {
        // up (3,0), right (4,1), down (3,2), left (2,1)
        {{cardId(3, 1)},
         {cardId(3, 0), cardId(4, 1), cardId(3, 2), cardId(2, 1)},
         {{1018, 687}, {1048, 732}, {1018, 786}, {987, 732}}},
        // (3,0) of row 0 finds (4,0) before (2,1) of row 1 finds (2,2)
        {{cardId(3, 0), cardId(2, 1), cardId(3, 1)},
         {cardId(2, 2), cardId(4, 0)},
         {{1048, 631}, {955, 786}}},
    };
    for (const Case &k : cases) {
        RulesTable t;
        dealAndClear(t, 2);
        GameState &g = t.g();
        const auto onGrid = [](int id) {
            return std::pair{1000 + 63 * (cardColumn(id) - 3), 700 + 101 * (cardRow(id) - 1)};
        };
        for (int id : k.neighbours) {
            const auto [left, top] = onGrid(id);
            place(g, cardColumn(id), cardRow(id), left, top);
        }
        const int pressed = k.carried[0];
        for (int id : k.carried) joinCards(g, pressed, id);
        place(g, cardColumn(pressed), cardRow(pressed), 600, 900);
        const auto [left, top] = onGrid(pressed);
        carryTo(t, cardColumn(pressed), cardRow(pressed), left, top);
        for (size_t i = 0; i < k.sparkles.size(); ++i) {
            EXPECT_EQ(g.overlays.sparkles[i].x, k.sparkles[i].first) << "join " << i;
            EXPECT_EQ(g.overlays.sparkles[i].y, k.sparkles[i].second) << "join " << i;
        }
        EXPECT_EQ(g.overlays.sparkles[k.sparkles.size()].active, 0);
    }
}

// Every card but (8,3) in one group, the grid at (600, 500): joining (8,3)
// wins only when the sevens are in that group.
TEST(Join, OnlyJoiningTheLastCardToTheSevensWinsTheGame) {
    for (const bool sevens : {true, false}) {
        RulesTable t;
        dealAndClear(t, 3, {});
        GameState &g = t.g();
        for (int c = 4; c <= 8; ++c)
            for (int r = 0; r < kRows; ++r)
                if ((sevens || c != 6) && !(c == 8 && r == 3)) joinCards(g, kLeftCard, cardId(c, r));
        place(g, 4, 0, 600, 500);
        place(g, 8, 3, 1200, 900);
        carryTo(t, 8, 3, 600 + 4 * 63 + 3, 500 + 3 * 101 - 4);
        EXPECT_TRUE(joined(g, kLeftCard, cardId(8, 3))) << sevens;
        EXPECT_EQ(g.gameOver, sevens) << sevens;
    }
}

TEST(SpentCard, IsNeitherPickedUpNorChargedButItsGroupCanBeCarriedByAnotherMember) {
    RulesTable t;
    neighbours(t);
    GameState &g = t.g();
    joinCards(g, kNeighbour, kLeftCard);
    g.board.touchCount[5][0] = 4;
    g.board.faceUp[5][0] = 1;
    const int score = g.board.score;
    const int x = clientX(g, 1130), y = clientY(g, 750);

    onLeftPress(t.play, x, y, false);
    EXPECT_EQ(g.gesture.dragging, 0);
    EXPECT_EQ(g.gesture.pressMode, kPressRaise);
    EXPECT_EQ(g.undoStore.undoDepth, 1);
    EXPECT_EQ(g.board.touchCount[5][0], 4);
    onMouseMove(t.play, x + 50, y);
    EXPECT_EQ(g.board.cardRect[5][0].left, 1100);
    onLeftRelease(t.play, x + 50, y);
    EXPECT_EQ(g.gesture.pressMode, kPressNone);

    onRightPress(t.play, x, y);  // no snapshot for the right button
    EXPECT_EQ(g.gesture.pressMode, kPressRaise);
    EXPECT_EQ(g.undoStore.undoDepth, 1);
    EXPECT_EQ(t.events.said("flipped"), 0);
    onRightRelease(t.play, x, y);
    EXPECT_EQ(g.gesture.pressMode, kPressNone);
    EXPECT_EQ(g.board.score, score);

    carryTo(t, 4, 0, 1037, 600);
    EXPECT_EQ(g.board.cardRect[5][0], (Rect{1100, 600, 1163, 701}));
    EXPECT_EQ(g.board.score, score - 50);
}

TEST(ShiftPress, RaisesWithoutCostAndPutsTheGroupOnTheCanvasAtRelease) {
    RulesTable t;
    dealAndClear(t, 3, {kLeftCard, kNeighbour});
    GameState &g = t.g();
    place(g, 4, 0, 1000, 700);
    place(g, 5, 0, 1030, 720);
    raiseGroupInStack(g, 5, 0);
    const int score = g.board.score;
    t.events.log.clear();
    onLeftPress(t.play, clientX(g, 1010), clientY(g, 710), true);
    EXPECT_EQ(g.board.stackLevel[4][0], 51);
    EXPECT_EQ(g.gesture.dragging, 0);
    EXPECT_EQ(g.undoStore.undoDepth, 1);
    EXPECT_EQ(g.board.touchCount[4][0], 0);
    // to the front at once, back on the board only at release
    EXPECT_EQ(t.events.log, (std::vector<std::string>{"undo depth", "raised (4,0)"}));
    t.events.log.clear();
    onLeftRelease(t.play, clientX(g, 1010), clientY(g, 710));
    EXPECT_EQ(t.events.log, (std::vector<std::string>{"settled (4,0)", "raised (4,0)"}));
    EXPECT_EQ(g.gesture.pressMode, kPressNone);
    EXPECT_EQ(g.board.score, score);
}
