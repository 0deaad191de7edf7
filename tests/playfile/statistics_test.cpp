#include "game/statistics.h"

#include <gtest/gtest.h>

#include "boards.h"
#include "game/scoring.h"
#include "playfile/playfile.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;
namespace boards = fusefuda::testing;

// Only dealt games count: a game opened from a play file neither adds a deal
// nor a win, while the unfinished game it replaces is counted as left.
TEST(Statistics, CountAScriptedRunOfWonUnfinishedAndLoadedGames) {
    enum What { Deal, Win, Save, Load };
    struct Step {
        What what;
        int level = 0;
        uint32_t seed = 0;
        int extraTouches = 0;  // on one untouched card, before a win
    };
    const Step steps[] = {
        {Deal, 3, 11},  {Win, 0, 0, 0},         {Deal, 3, 12},  {Save},
        {Win, 0, 0, 2}, {Deal, 3, 13},          {Deal, 1, 14},  {Load},
        {Win},          {Deal, 3, 4294967295u}, {Win, 0, 0, 1},
    };
    boards::ScratchFolder folder;
    Table t;
    GameState &g = t.g();
    for (const Step &step : steps) {
        t.shell.saveChoice = t.shell.openChoice = folder.file("kept.pvq");
        switch (step.what) {
            case Deal:
                t.deal(step.level, step.seed);
                break;
            case Save:
                savePlayFile(g, t.shell);
                break;
            case Load:
                loadPlayFile(t.play, t.shell);
                break;
            case Win:
                boards::winGame(g);
                g.board.touchCount[columnsInPlay(g.level).first][3] = step.extraTouches;
                finishGame(t.play);
                break;
        }
    }
    const LevelStatistics &beginner = g.statistics.levels[statisticsSlot(kBeginner)];
    EXPECT_EQ(beginner.dealt, 4);
    EXPECT_EQ(beginner.won, 3);
    EXPECT_EQ(beginner.unfinished, 1);
    EXPECT_EQ(beginner.currentRun, 1);
    EXPECT_EQ(beginner.longestRun, 2);
    // 14 untouched cards and one touched once: 1450; a card touched twice
    // more costs 80, once more 50.
    EXPECT_EQ(beginner.bestScore, 1450);
    EXPECT_EQ(beginner.scoreTotal, 1450 + 1370 + 1400);
    EXPECT_EQ(beginner.touchTotal, 5 + 7 + 6);
    ASSERT_EQ(beginner.recentCount, 3);
    const RecentWin newestFirst[] = {{1400, 4294967295u}, {1370, 12}, {1450, 11}};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(beginner.recent[i], newestFirst[i]) << i;

    const LevelStatistics &advanced = g.statistics.levels[statisticsSlot(kAdvanced)];
    EXPECT_EQ(advanced.dealt, 1);
    EXPECT_EQ(advanced.unfinished, 1);
    EXPECT_EQ(advanced.won, 0);
    EXPECT_EQ(g.statistics.levels[statisticsSlot(kIntermediate)], LevelStatistics{});
}
