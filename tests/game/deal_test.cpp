#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/random.h"
#include "support/rules_table.h"

using namespace fusefuda;
using fusefuda::testing::RulesTable;

TEST(Random, MatchesTheKnownSequence) {
    GameState g;
    seedRandom(g, 1);
    // the classic sequence of this generator from seed 1
    EXPECT_EQ(drawRandom(g), 41);
    EXPECT_EQ(drawRandom(g), 18467);
    EXPECT_EQ(drawRandom(g), 6334);
    EXPECT_EQ(drawRandom(g), 26500);
}

// A deal's number is its seed, the ends of the range included. The first two
// scattered cards of the top row and the last of the bottom row, row by row
// from the first draw: left from one draw, top from the next.
TEST(Deal, ScatteredCardsTakeTheirTwoDrawsRowByRow) {
    const struct {
        uint32_t number;
        int level, firstLeft, firstTop, secondLeft, secondTop, lastLeft, lastTop;
    } deals[] = {{4242u, 1, 822, 718, 1200, 840, 1120, 659},
                 {4242u, 2, 822, 718, 1200, 840, 1020, 659},
                 {4242u, 3, 822, 718, 1200, 840, 600, 757},
                 {0u, 1, 569, 666, 969, 584, 914, 908},
                 {0u, 2, 569, 666, 969, 584, 1059, 849},
                 {0u, 3, 569, 666, 969, 584, 577, 737},
                 {4294967295u, 1, 566, 686, 705, 888, 591, 931},
                 {4294967295u, 2, 566, 686, 705, 888, 997, 909},
                 {4294967295u, 3, 566, 686, 705, 888, 744, 768}};
    for (const auto &d : deals) {
        RulesTable t;
        t.deal(d.level, d.number);
        const GameState &g = t.g();
        EXPECT_TRUE(g.dealNumbered);
        EXPECT_EQ(g.dealNumber, d.number);
        const int first = 2 * d.level - 2, last = 14 - 2 * d.level;
        const Rect &a = g.board.cardRect[first][0], &b = g.board.cardRect[first + 1][0],
                   &z = g.board.cardRect[last][3];
        EXPECT_EQ(std::tuple(a.left, a.top, b.left, b.top, z.left, z.top),
                  std::tuple(d.firstLeft, d.firstTop, d.secondLeft, d.secondTop, d.lastLeft,
                             d.lastTop))
            << d.number << " at " << d.level;
        for (int col = first; col <= last; ++col)
            for (int row = 0; row < kRows; ++row) {
                const Rect &r = g.board.cardRect[col][row];
                EXPECT_EQ(std::pair(r.right - r.left, r.bottom - r.top), std::pair(63, 101));
            }
    }
}

TEST(Deal, SameSeedSameDealOtherSeedOtherDeal) {
    RulesTable a, b, c;
    a.deal(1, 99);
    b.deal(1, 99);
    c.deal(1, 100);
    bool differs = false;
    for (int col = 0; col < kColumns; ++col)
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(a.g().board.cardRect[col][r], b.g().board.cardRect[col][r]);
            differs |= !(a.g().board.cardRect[col][r] == c.g().board.cardRect[col][r]);
        }
    EXPECT_TRUE(differs);
}

// What the deal leaves at every level: the generator's state after 96, 64 and
// 32 draws from 777 (two a scattered card, the sevens drawing none); the
// sevens home, joined and settled; the level's starting score and nothing of
// the game before.
TEST(Deal, DrawsTwiceAScatteredCardLeavesTheSevensHomeAndStartsAfresh) {
    const uint32_t after[4] = {0, 199005673u, 3381078601u, 2610974377u};
    const int scores[4] = {0, 4800, 3200, 1600};
    for (int level = 1; level <= 3; ++level) {
        RulesTable t;
        t.g().undoStore.undoDepth = 3;
        t.g().finalScore = 77;
        t.g().nameEntryRank = 2;
        t.g().overlays.popups[4].active = 1;
        t.deal(level, 777);
        const GameState &g = t.g();
        EXPECT_EQ(g.randomState, after[level]) << "level " << level;
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(g.board.cardRect[6][r].left, 472 + kStartViewX);
            EXPECT_EQ(g.board.cardRect[6][r].top, 150 + 101 * r + kStartViewY);
            EXPECT_EQ(g.board.faceUp[6][r], 1);
            EXPECT_EQ(g.board.touchCount[6][r], 3);
            for (int k = 0; k < kRows; ++k) EXPECT_EQ(g.board.groupMembers[cardId(6, r)][6][k], 1);
        }
        EXPECT_EQ(g.board.stackLevel[6][3], 51);  // raised, card (6,3) topmost
        EXPECT_EQ(g.board.stackLevel[6][0], 48);
        EXPECT_EQ(g.board.score, scores[level]);
        EXPECT_EQ(g.undoStore.undoDepth, 0);
        EXPECT_EQ(g.finalScore, 0);
        EXPECT_EQ(g.nameEntryRank, kNoRank);
        EXPECT_EQ(g.overlays.popups[4].active, 0);
        EXPECT_EQ(g.hover.hoverCard, kNoCard);
        EXPECT_GT(t.events.said("undo depth"), 0);
    }
}

TEST(Deal, CardsOutsideTheLevelStayZeroAndScatterKeepsItsBounds) {
    RulesTable t;
    t.deal(3, 31337);
    const GameState &g = t.g();
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (c < 4 || c > 8) {
                EXPECT_EQ(g.board.cardRect[c][r], Rect{});
                EXPECT_EQ(g.board.touchCount[c][r], 0);
                EXPECT_EQ(g.board.faceUp[c][r], 0);
                continue;
            }
            if (c == 6) continue;
            EXPECT_GE(g.board.cardRect[c][r].left, 531);
            EXPECT_LE(g.board.cardRect[c][r].left, 1330);
            EXPECT_GE(g.board.cardRect[c][r].top, 547);
            EXPECT_LE(g.board.cardRect[c][r].top, 946);
            EXPECT_EQ(g.board.faceUp[c][r], 0);
            EXPECT_EQ(g.board.touchCount[c][r], 0);
            // every scattered card is a group of its own
            int members = 0;
            for (int j = 0; j < kColumns; ++j)
                for (int k = 0; k < kRows; ++k) members += g.board.groupMembers[cardId(c, r)][j][k];
            EXPECT_EQ(members, 1);
        }
    }
}

TEST(Deal, NewGameLaysTheHomeGridBeforeTheScatter) {
    RulesTable t;
    t.g().viewX = 10;
    t.g().overlays.sparkles[3].active = 1;
    t.g().overlays.sparkles[3].stepping = 1;
    startNewGame(t.play, kIntermediate, RulesTable::kSeed);
    const GameState &g = t.g();
    EXPECT_EQ(g.dealPending, 1);
    EXPECT_EQ(g.viewX, kStartViewX);
    EXPECT_EQ(g.overlays.sparkles[3].active, 0);
    EXPECT_EQ(g.overlays.sparkles[3].stepping, 1);  // goes on ageing
    EXPECT_GT(t.events.said("board changed"), 0);
    for (int c = 2; c <= 10; ++c)
        for (int r = 0; r < kRows; ++r) {
            EXPECT_EQ(g.board.cardRect[c][r].left, 88 + 64 * c + kStartViewX);
            EXPECT_EQ(g.board.cardRect[c][r].top, 150 + 101 * r + kStartViewY);
            EXPECT_EQ(g.board.stackLevel[c][r], cardId(c, r));
            EXPECT_EQ(g.board.slotCard[c][r], cardId(c, r));
            EXPECT_EQ(g.board.slotPresent[c][r], 1);
        }
}

namespace {

// The pointer over the centre of card (c, r), which is raised to be hit there.
struct Point {
    int x, y;
};
Point centreOf(GameState &g, int c, int r) {
    raiseGroupInStack(g, c, r);
    return {g.board.cardRect[c][r].left + 31 - g.viewX, g.board.cardRect[c][r].top + 50 - g.viewY};
}

}  // namespace

TEST(NewGame, EndsTheGestureInHandAndFreesThePointer) {
    enum Gesture { ClickedCarry, HeldPeek, ViewPull, WonBoard };
    struct Case {
        Gesture gesture;
        int oldLevel;
    };
    // the peek is on a card that is out of play at the new level
    const Case cases[] = {{ClickedCarry, 3}, {HeldPeek, 1}, {ViewPull, 3}, {WonBoard, 3}};
    for (const Case &k : cases) {
        RulesTable t, fresh;
        t.deal(k.oldLevel, 4242);
        GameState &g = t.g();
        const Point p = centreOf(g, columnsInPlay(g.level).first, 0);
        switch (k.gesture) {
            case ClickedCarry:
                onLeftPress(t.play, p.x, p.y, false);
                onLeftRelease(t.play, p.x, p.y);
                break;
            case HeldPeek: onRightPress(t.play, p.x, p.y); break;
            case ViewPull: onRightPress(t.play, 5, 5); break;
            case WonBoard: g.gameOver = 1; break;
        }
        t.deal(3, 777);
        EXPECT_FALSE(t.pointer.confined) << k.gesture;
        fresh.deal(3, 777);
        // the rest of the old gesture, then a carry of the sevens in the new game
        for (RulesTable *table : {&t, &fresh}) {
            onMouseMove(table->play, p.x + 40, p.y + 30);
            onLeftRelease(table->play, p.x + 40, p.y + 30);
            onRightRelease(table->play, p.x + 40, p.y + 30);
            const Point seven = centreOf(table->g(), 6, 1);
            onLeftPress(table->play, seven.x, seven.y, false);
            onMouseMove(table->play, seven.x - 100, seven.y + 20);
            onLeftRelease(table->play, seven.x - 100, seven.y + 20);
        }
        // the part of the record a deal and the play after it decide
        EXPECT_TRUE(std::tie(g.board, g.gameOver, g.undoStore.undoDepth, g.gesture.dragging,
                             g.gesture.pressMode, g.gesture.panning, g.viewX, g.viewY) ==
                    std::tie(fresh.g().board, fresh.g().gameOver, fresh.g().undoStore.undoDepth,
                             fresh.g().gesture.dragging, fresh.g().gesture.pressMode,
                             fresh.g().gesture.panning, fresh.g().viewX, fresh.g().viewY))
            << k.gesture;
        EXPECT_FALSE(t.pointer.confined) << k.gesture;
    }
}
