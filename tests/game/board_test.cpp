#include <gtest/gtest.h>

#include <random>

#include "game/board.h"
#include "support/rules_table.h"

using namespace fusefuda;
using fusefuda::testing::RulesTable;

namespace {

void expectStackIsPermutation(const GameState &g) {
    bool seen[kCards] = {};
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int level = g.board.stackLevel[c][r];
            ASSERT_GE(level, 0);
            ASSERT_LT(level, kCards);
            EXPECT_FALSE(seen[level]) << "level " << level << " used twice";
            seen[level] = true;
            EXPECT_EQ(g.board.stackColumn[level], c);
            EXPECT_EQ(g.board.stackRow[level], r);
        }
    }
}

}  // namespace

TEST(Stacking, StaysAnInversePermutationAfterAnySequenceOfRaises) {
    RulesTable t;
    t.deal(1);
    mergeGroups(t.g(), cardId(0, 0), cardId(1, 0));
    mergeGroups(t.g(), cardId(1, 0), cardId(1, 1));
    std::mt19937 pick(7);
    for (int i = 0; i < 500; ++i) {
        raiseGroup(t.play, int(pick() % kColumns), int(pick() % kRows));
        expectStackIsPermutation(t.g());
    }
}

TEST(Stacking, GroupRisesInRowMajorOrderWithThePressedCardOnTop) {
    RulesTable t;
    t.deal(1);
    GameState &g = t.g();
    // The sevens are one group of four; raise it by its third member.
    raiseGroup(t.play, 0, 0);  // something else on top first
    const int otherBefore = g.board.stackLevel[5][2];
    raiseGroup(t.play, 6, 2);
    EXPECT_EQ(g.board.stackLevel[6][2], 51);
    EXPECT_EQ(g.board.stackLevel[6][0], 48);
    EXPECT_EQ(g.board.stackLevel[6][1], 49);
    EXPECT_EQ(g.board.stackLevel[6][3], 50);
    expectStackIsPermutation(g);
    // the others keep their relative order
    EXPECT_LT(g.board.stackLevel[5][2], g.board.stackLevel[0][0]);
    EXPECT_LE(g.board.stackLevel[5][2], otherBefore);
}

TEST(Stacking, ALoneCardAloneGoesToTheTop) {
    RulesTable t;
    t.deal(2);
    GameState &g = t.g();
    int before[kColumns][kRows];
    std::copy(&g.board.stackLevel[0][0], &g.board.stackLevel[0][0] + kCards, &before[0][0]);
    raiseGroup(t.play, 3, 1);
    EXPECT_EQ(g.board.stackLevel[3][1], 51);
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            if (c == 3 && r == 1) continue;
            const int expected = before[c][r] > before[3][1] ? before[c][r] - 1 : before[c][r];
            EXPECT_EQ(g.board.stackLevel[c][r], expected);
        }
}

TEST(Align, PlacesEveryMemberOnThePitchAroundTheAnchor) {
    RulesTable t;
    t.deal(1);
    GameState &g = t.g();
    mergeGroups(g, cardId(2, 1), cardId(3, 1));
    mergeGroups(g, cardId(3, 1), cardId(3, 2));
    const Rect untouched = g.board.cardRect[9][3];
    alignGroup(g, 1000, 700, cardId(3, 1));
    EXPECT_EQ(g.board.cardRect[3][1], (Rect{1000, 700, 1063, 801}));
    EXPECT_EQ(g.board.cardRect[2][1], (Rect{937, 700, 1000, 801}));
    EXPECT_EQ(g.board.cardRect[3][2], (Rect{1000, 801, 1063, 902}));
    EXPECT_EQ(g.board.cardRect[9][3], untouched);

    // a lone card: only its own rectangle
    Rect all[kColumns][kRows];
    std::copy(&g.board.cardRect[0][0], &g.board.cardRect[0][0] + kCards, &all[0][0]);
    alignGroup(g, 5, 6, cardId(12, 3));
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            EXPECT_EQ(g.board.cardRect[c][r], ((c == 12 && r == 3) ? Rect{5, 6, 68, 107} : all[c][r]));
}

TEST(HitTest, NothingIsHitBeforeTheFirstGame) {
    RulesTable t;
    for (int y = 0; y < 700; y += 7)
        for (int x = 0; x < 1000; x += 7) ASSERT_EQ(cardAt(t.g(), x, y), kNoCard);
}
