#include <gtest/gtest.h>

#include <tuple>

#include "game/board.h"
#include "game/input.h"
#include "game/overlays.h"
#include "support/rules_table.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// (4,0) alone in view at (1000, 700) at beginner level (start score 1600).
struct OneCard {
    OneCard() {
        dealAndClear(t, 3, {cardId(4, 0)});
        place(t.g(), 4, 0, 1000, 700);
    }
    void peek() {
        onRightPress(t.play, x(), y());
        onRightRelease(t.play, x(), y());
    }
    void pickUp() { carryTo(t, 4, 0, t.g().board.cardRect[4][0].left + 7, 700); }
    int x() { return clientX(t.g(), t.g().board.cardRect[4][0].left + 20); }
    int y() { return clientY(t.g(), 730); }
    RulesTable t;
};

}  // namespace

TEST(Touch, CostsFiftyThirtyTwentyByPeekOrPickUpThenNothing) {
    OneCard one;
    GameState &g = one.t.g();
    // the score, and the card's touch count and face
    const auto now = [&] {
        return std::tuple(g.board.score, g.board.touchCount[4][0], g.board.faceUp[4][0]);
    };
    ASSERT_EQ(g.board.score, 1600);

    one.peek();
    EXPECT_EQ(now(), std::tuple(1550, 1, false));
    EXPECT_EQ(g.overlays.popups[0].valueIndex, 0);
    EXPECT_EQ(g.overlays.popups[0].x, one.x() - 20);
    EXPECT_EQ(g.overlays.popups[0].y, one.y() - 20);

    one.pickUp();
    EXPECT_EQ(now(), std::tuple(1520, 2, false));
    EXPECT_EQ(g.overlays.popups[1].valueIndex, 1);

    onRightPress(one.t.play, one.x(), one.y());
    EXPECT_EQ(now(), std::tuple(1500, 2, true));  // shown while held
    onRightRelease(one.t.play, one.x(), one.y());
    EXPECT_EQ(now(), std::tuple(1500, 3, true));  // settled by the third touch
    EXPECT_EQ(g.overlays.popups[2].valueIndex, 2);
    EXPECT_EQ(one.t.events.said("peeked"), 2);

    // a settled card is looked at for free, silently, without turning
    one.t.events.log.clear();
    one.peek();
    EXPECT_EQ(now(), std::tuple(1500, 3, true));
    EXPECT_EQ(one.t.events.said("peeked") + one.t.events.said("flipped"), 0);
    EXPECT_EQ(g.overlays.popups[3].active, 0);

    one.pickUp();  // the fourth touch spends it, for free
    EXPECT_EQ(now(), std::tuple(1500, 4, true));
    EXPECT_EQ(g.overlays.popups[3].active, 0);
}

TEST(Touch, TheThirdPickUpSettlesTheCardWithTheLightBlueFace) {
    OneCard one;
    GameState &g = one.t.g();
    one.pickUp();
    one.pickUp();
    EXPECT_EQ(g.board.faceUp[4][0], 0);
    EXPECT_EQ(g.board.touchCount[4][0], 2);  // the light back
    onLeftPress(one.t.play, one.x(), one.y(), false);
    EXPECT_EQ(g.board.touchCount[4][0], 3);
    EXPECT_EQ(g.board.faceUp[4][0], 1);
    EXPECT_EQ(g.board.score, 1600 - 100);
    // picked up face up, and carried and put down so
    onMouseMove(one.t.play, one.x() + 30, one.y());
    EXPECT_EQ(g.board.faceUp[4][0], 1);
    onLeftRelease(one.t.play, one.x() + 30, one.y());
    EXPECT_EQ(g.board.faceUp[4][0], 1);
    EXPECT_EQ(g.board.touchCount[4][0], 3);
}

TEST(Popups, ATouchIsChargedEvenWhenAllTenAreShowing) {
    OneCard one;
    GameState &g = one.t.g();
    for (ScorePopup &p : g.overlays.popups) {
        p.active = 1;
        p.valueIndex = 2;
        p.x = 7;
    }
    one.t.events.log.clear();
    one.peek();
    EXPECT_EQ(g.board.score, 1550);
    EXPECT_EQ(one.t.events.said("scored"), 1);
    for (const ScorePopup &p : g.overlays.popups) {
        EXPECT_EQ(p.valueIndex, 2);
        EXPECT_EQ(p.x, 7);
    }
    // one slot frees: the next touch takes it
    g.overlays.popups[6].active = 0;
    one.pickUp();
    EXPECT_EQ(g.board.score, 1520);
    EXPECT_EQ(g.overlays.popups[6].valueIndex, 1);
    EXPECT_EQ(g.overlays.popups[6].active, 1);
    EXPECT_EQ(g.overlays.popups[6].age, 0);
}

TEST(Sparkles, TakeTheFirstFreeSlotAndAreDroppedWhenAllTenAreBusy) {
    GameState g;
    g.overlays.sparkles[0].active = 1;
    g.overlays.sparkles[1].stepping = 1;  // still ageing but no longer shown: free
    g.overlays.sparkles[1].age = 3;
    spawnSparkle(g, 120, 340, 0);
    EXPECT_EQ(g.overlays.sparkles[1].x, 120);
    EXPECT_EQ(g.overlays.sparkles[1].y, 340);
    EXPECT_EQ(g.overlays.sparkles[1].active, 1);
    EXPECT_EQ(g.overlays.sparkles[1].stepping, 1);
    EXPECT_EQ(g.overlays.sparkles[1].age, 0);
    EXPECT_EQ(g.overlays.sparkles[1].frame, 0);
    EXPECT_EQ(g.overlays.sparkles[2].active, 0);  // one slot only
    for (Sparkle &s : g.overlays.sparkles) s.active = 1;
    const Overlays before = g.overlays;
    spawnSparkle(g, 1, 2, 0);
    EXPECT_EQ(g.overlays, before);
}
