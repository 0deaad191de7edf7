#include "game/undo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "support/rules_table.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

struct FourCards {
    FourCards() {
        dealAndClear(t, 3, {cardId(4, 0), cardId(5, 1), cardId(7, 2), cardId(8, 3)});
        GameState &g = t.g();
        place(g, 4, 0, 700, 600);
        place(g, 5, 1, 900, 600);
        place(g, 7, 2, 1100, 600);
        place(g, 8, 3, 700, 850);
    }
    // A right click on card (c, r), a peek; with shift a Shift left click.
    void peek(int c, int r, bool shift = false) {
        const Rect &at = t.g().board.cardRect[c][r];
        const int x = clientX(t.g(), at.left + 30), y = clientY(t.g(), at.top + 30);
        shift ? onLeftPress(t.play, x, y, true) : onRightPress(t.play, x, y);
        shift ? onLeftRelease(t.play, x, y) : onRightRelease(t.play, x, y);
    }
    RulesTable t;
};

}  // namespace

TEST(Undo, SixPressesThenFiveUndosRestoreTheBoardsBeforePressesSixToTwo) {
    FourCards f;
    GameState &g = f.t.g();
    const std::function<void()> presses[] = {
        [&] { carryTo(f.t, 4, 0, 720, 640); }, [&] { f.peek(5, 1); },
        [&] { carryTo(f.t, 7, 2, 1000, 900); }, [&] { f.peek(8, 3, true); },
        [&] { carryTo(f.t, 4, 0, 760, 630); }, [&] { carryTo(f.t, 5, 1, 1200, 700); }};
    std::vector<Board> before;  // the board before each press
    for (const auto &press : presses) before.push_back(g.board), press();
    EXPECT_EQ(g.undoStore.undoDepth, 5);

    for (int press = 6; press >= 2; --press) {
        f.t.events.log.clear();
        popUndo(f.t.play);
        EXPECT_TRUE(g.board == before[press - 1]) << "before press " << press;
        EXPECT_EQ(g.undoStore.undoDepth, press - 2);
        EXPECT_EQ(f.t.events.log, (std::vector<std::string>{"undo depth", "undone"}));
    }
    // the board before press 1 is out of reach
    f.t.events.log.clear();
    popUndo(f.t.play);
    EXPECT_TRUE(g.board == before[1]);
    EXPECT_EQ(g.undoStore.undoDepth, 0);
    EXPECT_TRUE(f.t.events.log.empty());
}

TEST(Undo, TakesBackASettlingPeekWithItsCostCountAndFace) {
    FourCards f;
    GameState &g = f.t.g();
    g.board.touchCount[5][1] = 2;
    g.board.score -= 80;
    const Board start = g.board;
    f.peek(5, 1);
    ASSERT_EQ(g.board.touchCount[5][1], 3);
    ASSERT_EQ(g.board.faceUp[5][1], 1);
    ASSERT_EQ(g.board.score, start.score - 20);
    f.t.events.log.clear();
    popUndo(f.t.play);
    EXPECT_TRUE(g.board == start);  // the light back again, the cost refunded
    EXPECT_EQ(f.t.events.said("undone"), 1);
}

TEST(Undo, TakesBackAJoinAndTheGroupsComeApart) {
    RulesTable t;
    dealAndClear(t, 3, {cardId(4, 0), cardId(5, 0)});
    GameState &g = t.g();
    place(g, 4, 0, 700, 600);
    place(g, 5, 0, 1000, 600);
    const Board start = g.board;
    carryTo(t, 4, 0, 937, 600);
    ASSERT_EQ(g.board.groupMembers[cardId(4, 0)][5][0], 1);
    popUndo(t.play);
    EXPECT_TRUE(g.board == start);
    carryTo(t, 5, 0, 1100, 700);  // (4,0) stays behind
    EXPECT_EQ(g.board.cardRect[4][0], start.cardRect[4][0]);
}

TEST(Undo, AfterANewGameNothingOfTheOldGameComesBack) {
    FourCards f;
    GameState &g = f.t.g();
    carryTo(f.t, 4, 0, 720, 640);
    ASSERT_EQ(g.undoStore.undoDepth, 1);
    f.t.deal(2, 999);
    ASSERT_EQ(g.undoStore.undoDepth, 0);
    const Board dealt = g.board;
    f.t.events.log.clear();
    popUndo(f.t.play);
    EXPECT_TRUE(g.board == dealt);
    EXPECT_TRUE(f.t.events.log.empty());
    // the first move of the new game can be taken back to the dealt board
    const Rect at = g.board.cardRect[2][0];
    carryTo(f.t, 2, 0, at.left + 3, at.top + 3);
    popUndo(f.t.play);
    EXPECT_TRUE(g.board == dealt);
}

TEST(Undo, DuringACarryAHeldPeekOrAViewPullEndsThatGesture) {
    FourCards f;
    GameState &g = f.t.g();
    const Board start = g.board;
    const int x = clientX(g, 730), y = clientY(g, 630);
    onLeftPress(f.t.play, x, y, false);
    onLeftRelease(f.t.play, x, y);  // in hand, button up
    ASSERT_EQ(g.gesture.dragging, 1);
    popUndo(f.t.play);
    EXPECT_EQ(g.gesture.dragging, 0);
    EXPECT_FALSE(f.t.pointer.confined);
    EXPECT_TRUE(g.board == start);
    onMouseMove(f.t.play, x + 100, y + 100);
    onLeftRelease(f.t.play, x + 100, y + 100);
    EXPECT_TRUE(g.board == start);

    const int px = clientX(g, 930), py = clientY(g, 630);
    onRightPress(f.t.play, px, py);
    ASSERT_EQ(g.gesture.pressMode, kPressPeek);
    popUndo(f.t.play);
    f.t.events.log.clear();
    onRightRelease(f.t.play, px, py);
    EXPECT_TRUE(g.board == start);  // not counted, not charged, face down
    EXPECT_EQ(f.t.events.said("flipped"), 0);

    carryTo(f.t, 4, 0, 760, 630);
    onRightPress(f.t.play, 20, 20);
    ASSERT_EQ(g.gesture.panning, 1);
    popUndo(f.t.play);
    EXPECT_EQ(g.gesture.panning, 0);
    EXPECT_FALSE(f.t.pointer.confined);
}

TEST(Reverse, TwiceRestoresTheStackingAndTakesTwoSnapshots) {
    FourCards f;
    GameState &g = f.t.g();
    const Board start = g.board;
    f.t.events.log.clear();
    reverseStacking(f.t.play);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(g.board.stackLevel[c][r], 51 - start.stackLevel[c][r]);
            EXPECT_EQ(g.board.stackColumn[g.board.stackLevel[c][r]], c);
            EXPECT_EQ(g.board.stackRow[g.board.stackLevel[c][r]], r);
        }
    }
    EXPECT_EQ(std::memcmp(g.board.cardRect, start.cardRect, sizeof start.cardRect), 0);
    reverseStacking(f.t.play);
    EXPECT_TRUE(g.board == start);
    EXPECT_EQ(g.undoStore.undoDepth, 2);
    EXPECT_EQ(f.t.events.said("board changed"), 2);
}

TEST(Reverse, ChosenWhileAPeekIsHeldIsUndoneWithTheCardFaceDownAndItsTouchCounted) {
    // the first and the second peek of a card both leave it face down
    const int scores[] = {1600 - 50, 1600 - 80};
    for (int peek = 1; peek <= 2; ++peek) {
        FourCards f;
        GameState &g = f.t.g();
        if (peek == 2) f.peek(5, 1);
        const int x = clientX(g, 930), y = clientY(g, 630);
        onRightPress(f.t.play, x, y);
        reverseStacking(f.t.play);
        onRightRelease(f.t.play, x, y);
        EXPECT_EQ(g.board.faceUp[5][1], 0) << "peek " << peek;
        EXPECT_EQ(g.board.touchCount[5][1], peek);
        EXPECT_EQ(g.board.score, scores[peek - 1]);
        carryTo(f.t, 4, 0, 720, 640);
        popUndo(f.t.play);
        popUndo(f.t.play);  // back to the moment of the reversal
        EXPECT_EQ(g.board.faceUp[5][1], 0) << "peek " << peek;
        EXPECT_EQ(g.board.touchCount[5][1], peek);
        EXPECT_EQ(g.board.score, scores[peek - 1]);
    }
}
