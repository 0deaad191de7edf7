// Where a press lands, and the view pulled over the board.
#include "game/input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board.h"
#include "support/rules_table.h"

using namespace fusefuda;
using namespace fusefuda::testing;

TEST(Press, PicksTheTopmostCardAndNotOneWhoseRightOrBottomBorderIsHit) {
    struct Case {
        int bx, by, expected;
    };
    // (4,0) at (1000,700) on top of (5,0) at (1063,700) and (7,2) at (1000,801);
    // (8,3) at (1030,720) on top of all
    const Case cases[] = {
        {1062, 710, cardId(4, 0)}, {1063, 710, cardId(5, 0)}, {1030, 800, cardId(8, 3)},
        {1010, 800, cardId(4, 0)}, {1010, 801, cardId(7, 2)}, {1092, 820, cardId(8, 3)},
        {1093, 820, -1},           {1093, 750, cardId(5, 0)}, {1126, 750, -1},
        {1050, 901, cardId(7, 2)}, {1050, 902, -1},
    };
    for (const Case &k : cases) {
        RulesTable t;
        dealAndClear(t, 3, {cardId(4, 0), cardId(5, 0), cardId(7, 2), cardId(8, 3)});
        GameState &g = t.g();
        place(g, 5, 0, 1063, 700);
        place(g, 7, 2, 1000, 801);
        place(g, 4, 0, 1000, 700);
        place(g, 8, 3, 1030, 720);
        for (int id : {cardId(5, 0), cardId(7, 2), cardId(4, 0), cardId(8, 3)})
            raiseGroupInStack(g, cardColumn(id), cardRow(id));
        onLeftPress(t.play, clientX(g, k.bx), clientY(g, k.by), false);
        if (k.expected < 0) {
            EXPECT_EQ(g.gesture.dragging, 0) << k.bx << "," << k.by;
            EXPECT_EQ(g.undoStore.undoDepth, 0);
        } else {
            EXPECT_EQ(g.gesture.dragging, 1) << k.bx << "," << k.by;
            EXPECT_EQ(cardId(g.gesture.dragColumn, g.gesture.dragRow), k.expected) << k.bx << "," << k.by;
            EXPECT_EQ(g.board.stackLevel[g.gesture.dragColumn][g.gesture.dragRow], 51);
        }
    }
}

TEST(Pan, RefusedStepsAreNotClampedAndMovingBackPansAgainAtOnce) {
    RulesTable t;
    dealAndClear(t, 3, {});
    GameState &g = t.g();
    g.viewX = 5;
    g.viewY = kViewYMax - 3;
    onRightPress(t.play, 400, 300);
    ASSERT_EQ(g.gesture.panning, 1);
    EXPECT_TRUE(t.pointer.confined);
    EXPECT_EQ(t.pointer.confinement, (Rect{0, 0, 1008, 709}));
    t.events.log.clear();

    onMouseMove(t.play, 410, 299);  // x would reach -5: the whole step is refused
    EXPECT_EQ(g.viewX, 5);
    EXPECT_EQ(g.viewY, kViewYMax - 3);
    onMouseMove(t.play, 406, 299);  // 4 back: pans at once
    EXPECT_EQ(g.viewX, 9);
    onMouseMove(t.play, 406, 295);  // y would reach 841
    EXPECT_EQ(g.viewY, kViewYMax - 3);
    onMouseMove(t.play, 406, 296);
    EXPECT_EQ(g.viewY, kViewYMax - 4);
    onMouseMove(t.play, 397, 293);
    EXPECT_EQ(g.viewX, 18);
    EXPECT_EQ(g.viewY, kViewYMax - 1);
    EXPECT_EQ(t.events.log, std::vector<std::string>(5, "view moved"));
    onRightRelease(t.play, 397, 293);
    EXPECT_EQ(g.gesture.panning, 0);
    EXPECT_FALSE(t.pointer.confined);
    onMouseMove(t.play, 300, 200);
    EXPECT_EQ(g.viewX, 18);
}

TEST(Pan, ReachesEachLimitToThePixelAndRefusesOnePixelBeyond) {
    struct Case {
        int viewX, viewY, dx, dy, expectX, expectY;
    };
    // the view moves against the pointer
    const Case cases[] = {
        {985, 400, -1, 0, 986, 400}, {986, 400, -1, 0, 986, 400}, {1, 400, 1, 0, 0, 400},
        {0, 400, 1, 0, 0, 400},      {500, 839, 0, -1, 500, 840}, {500, 840, 0, -1, 500, 840},
        {500, 1, 0, 1, 500, 0},      {500, 0, 0, 1, 500, 0},
    };
    for (const Case &k : cases) {
        RulesTable t;
        dealAndClear(t, 3, {});
        GameState &g = t.g();
        g.viewX = k.viewX;
        g.viewY = k.viewY;
        onRightPress(t.play, 400, 300);
        ASSERT_EQ(g.gesture.panning, 1);
        onMouseMove(t.play, 400 + k.dx, 300 + k.dy);
        EXPECT_EQ(g.viewX, k.expectX) << k.viewX << "," << k.viewY;
        EXPECT_EQ(g.viewY, k.expectY) << k.viewX << "," << k.viewY;
    }
}
