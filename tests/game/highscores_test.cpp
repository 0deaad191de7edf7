// Where a final score enters the high-score table and how it is inserted.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "game/highscores.h"
#include "support/rules_table.h"

namespace fusefuda {
namespace {

using testing::RulesTable;

// The starting table's names, by their first letters: ﾆｹﾞﾛ, ｸﾙﾙ, ﾐｷﾞﾗ, ﾋﾀﾞﾛ, ｳﾛﾘ.
const std::string kNames[] = {"\xC6\xB9\xDE\xDB", "\xB8\xD9\xD9", "\xD0\xB7\xDE\xD7",
                              "\xCB\xC0\xDE\xDB", "\xB3\xDB\xD8"};
const std::string kLetters = "NKMHU";

// A score offered the way the name entry does: the rank found, inserted there
// under the name X. The names expected are the starting names' letters and X.
TEST(HighScoreInsertion, AScoreGoesBeforeTheFirstEntryItReachesOrNowhere) {
    const struct {
        int32_t score;
        int lowest;  // the last entry's score
        int rank;
        std::array<int, kHighScores> scores;
        const char *names;
    } cases[] = {
        {1300, 700, 1, {1500, 1300, 1300, 1100, 900}, "NXKMH"},  // before an equal score
        {699, 700, -1, {1500, 1300, 1100, 900, 700}, "NKMHU"},
        {700, 700, 4, {1500, 1300, 1100, 900, 700}, "NKMHX"},
        {4800, 700, 0, {4800, 1500, 1300, 1100, 900}, "XNKMH"},
        {0, 700, -1, {1500, 1300, 1100, 900, 700}, "NKMHU"},
        {0, 0, 4, {1500, 1300, 1100, 900, 0}, "NKMHX"},  // zero enters at zero or less
    };
    for (const auto &k : cases) {
        RulesTable t;
        GameState &g = t.g();
        g.highScores[4] = k.lowest;
        const int rank = highScoreRank(g, k.score);
        EXPECT_EQ(rank, k.rank) << k.score;
        if (rank >= 0) insertHighScore(g, rank, "X", k.score);
        for (int i = 0; i < kHighScores; ++i) {
            EXPECT_EQ(g.highScores[i], k.scores[i]) << k.score << " entry " << i;
            const size_t letter = kLetters.find(k.names[i]);
            EXPECT_EQ(g.highScoreNames[i], letter == std::string::npos ? "X" : kNames[letter])
                << k.score << " entry " << i;
        }
    }
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
    insertHighScore(g, highScoreRank(g, 150), "X", 150);
    insertHighScore(g, kNoRank, "Y", 9999);  // a rank outside the table changes nothing
    insertHighScore(g, -1, "Y", 9999);
    const int scores[kHighScores] = {150, 100, 2000, -5, 3000};
    for (int i = 0; i < kHighScores; ++i)
        EXPECT_EQ(std::pair(g.highScores[i], g.highScoreNames[i]),
                  std::pair(scores[i], std::string(1, "Xabcd"[i])));
}

}  // namespace
}  // namespace fusefuda
