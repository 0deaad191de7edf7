// Where a final score enters the high-score table and how it is inserted.
#include <gtest/gtest.h>

#include <string>

#include "game/highscores.h"
#include "support/rules_table.h"

namespace fusefuda {
namespace {

using testing::RulesTable;

const std::string kNigero = "\xC6\xB9\xDE\xDB";  // ﾆｹﾞﾛ
const std::string kKururu = "\xB8\xD9\xD9";      // ｸﾙﾙ
const std::string kMigira = "\xD0\xB7\xDE\xD7";  // ﾐｷﾞﾗ
const std::string kHidaro = "\xCB\xC0\xDE\xDB";  // ﾋﾀﾞﾛ
const std::string kUrori = "\xB3\xDB\xD8";       // ｳﾛﾘ

void expectTable(const GameState &g, const int (&scores)[kHighScores],
                 const std::string (&names)[kHighScores]) {
    for (int i = 0; i < kHighScores; ++i) {
        EXPECT_EQ(g.highScores[i], scores[i]) << "entry " << i;
        EXPECT_EQ(g.highScoreNames[i], names[i]) << "entry " << i;
    }
}

// Offers a score the way the name entry does: find the rank, insert there.
bool offer(GameState &g, int32_t score, const std::string &name) {
    const int rank = highScoreRank(g, score);
    if (rank < 0) return false;
    insertHighScore(g, rank, name, score);
    return true;
}

TEST(HighScoreInsertion, EqualScoreGoesBeforeTheOldEntry) {
    RulesTable t;
    EXPECT_EQ(highScoreRank(t.g(), 1300), 1);
    ASSERT_TRUE(offer(t.g(), 1300, "NEW"));
    expectTable(t.g(), {1500, 1300, 1300, 1100, 900}, {kNigero, "NEW", kKururu, kMigira, kHidaro});
}

TEST(HighScoreInsertion, LastPlaceAndBelow) {
    RulesTable t;
    EXPECT_FALSE(offer(t.g(), 699, "LOW"));
    expectTable(t.g(), {1500, 1300, 1100, 900, 700}, {kNigero, kKururu, kMigira, kHidaro, kUrori});
    ASSERT_TRUE(offer(t.g(), 700, "LAST"));
    expectTable(t.g(), {1500, 1300, 1100, 900, 700}, {kNigero, kKururu, kMigira, kHidaro, "LAST"});
}

TEST(HighScoreInsertion, BestScoreMovesEveryEntryDown) {
    RulesTable t;
    ASSERT_TRUE(offer(t.g(), 4800, "TOP"));
    expectTable(t.g(), {4800, 1500, 1300, 1100, 900}, {"TOP", kNigero, kKururu, kMigira, kHidaro});
}

TEST(HighScoreInsertion, UnsortedTableIsScannedFromTheTop) {
    RulesTable t;
    GameState &g = t.g();
    const int edited[kHighScores] = {100, 2000, -5, 3000, 0};
    for (int i = 0; i < kHighScores; ++i) {
        g.highScores[i] = edited[i];
        g.highScoreNames[i] = std::string(1, char('a' + i));
    }
    EXPECT_EQ(highScoreRank(g, 50), 2);   // -5 is the first entry 50 reaches
    EXPECT_EQ(highScoreRank(g, -6), -1);  // reaches none
    EXPECT_EQ(highScoreRank(g, 0), 2);
    ASSERT_TRUE(offer(g, 150, "X"));
    expectTable(g, {150, 100, 2000, -5, 3000}, {"X", "a", "b", "c", "d"});
}

TEST(HighScoreInsertion, ZeroEntersOnlyATableWhoseLowestIsZeroOrLess) {
    RulesTable t;
    EXPECT_EQ(highScoreRank(t.g(), 0), -1);
    t.g().highScores[4] = 0;
    EXPECT_EQ(highScoreRank(t.g(), 0), 4);
}

TEST(HighScoreInsertion, RankOutsideTheTableChangesNothing) {
    RulesTable t;
    insertHighScore(t.g(), kNoRank, "X", 9999);
    insertHighScore(t.g(), -1, "X", 9999);
    expectTable(t.g(), {1500, 1300, 1100, 900, 700}, {kNigero, kKururu, kMigira, kHidaro, kUrori});
}

}  // namespace
}  // namespace fusefuda
