// The score rule and the end of a won game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/scoring.h"
#include "support/recording_events.h"
#include "support/rules_table.h"

namespace fusefuda {
namespace {

using testing::RulesTable;

// Joins every card in play into one group, as the winning join leaves it.
void joinAll(GameState &g) {
    const ColumnRange cols = columnsInPlay(g.level);
    for (int a = cols.first; a <= cols.last; ++a)
        for (int b = 0; b < kRows; ++b)
            for (int c = cols.first; c <= cols.last; ++c)
                for (int r = 0; r < kRows; ++r) g.board.groupMembers[cardId(a, b)][c][r] = 1;
}

TEST(ScoreRule, BeginnerExampleGives1240) {
    RulesTable t;
    t.deal(3);
    GameState &g = t.g();
    // Columns 4 to 8: the sevens (column 6) start settled; fill the others.
    for (int c = 4; c <= 8; ++c)
        for (int r = 0; r < kRows; ++r) g.board.touchCount[c][r] = c == 6 ? 3 : 0;
    const int ids[] = {cardId(4, 0), cardId(4, 1), cardId(4, 2), cardId(4, 3),
                       cardId(5, 0), cardId(5, 1)};
    for (int i = 0; i < 4; ++i) g.board.touchCount[cardColumn(ids[i])][cardRow(ids[i])] = 1;
    for (int i = 4; i < 6; ++i) g.board.touchCount[cardColumn(ids[i])][cardRow(ids[i])] = 2;

    const TouchTally tally = tallyTouches(g);
    EXPECT_EQ(tally.neverTouched, 10);
    EXPECT_EQ(tally.touchedOnce, 4);
    EXPECT_EQ(tally.touchedTwice, 2);
    EXPECT_EQ(scoreFor(tally), 1240);
}

// Every card in play but the sevens at one touch count, strays in the columns
// out of play: a hundred a card never touched, fifty once, twenty twice,
// nothing settled or spent, and nothing for a card out of play.
TEST(ScoreRule, EveryLevelCountsItsOwnCardsByTheirTouches) {
    const int scores[4][kSpent + 1] = {
        {}, {4800, 2400, 960, 0, 0}, {3200, 1600, 640, 0, 0}, {1600, 800, 320, 0, 0}};
    for (int level = 1; level <= 3; ++level) {
        for (int touches = 0; touches <= kSpent; ++touches) {
            RulesTable t;
            t.deal(level);
            GameState &g = t.g();
            const ColumnRange cols = columnsInPlay(g.level);
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r)
                    g.board.touchCount[c][r] = c == kSevensColumn                 ? kSettled
                                               : c < cols.first || c > cols.last ? (c + r) % 3
                                                                                 : touches;
            EXPECT_EQ(scoreFor(tallyTouches(g)), scores[level][touches]) << level << " " << touches;
        }
    }
}

// Writes down what the end sequence says, with the undo depth it leaves and
// where the board lay when the game was won.
class EndEvents : public testing::RecordingEvents {
public:
    explicit EndEvents(const GameState &g) : g_(g) {}
    void undoDepthChanged() override {
        log.push_back("undo depth " + std::to_string(g_.undoStore.undoDepth));
    }
    void won() override {
        log.push_back("won over " + std::to_string(g_.board.cardRect[6][0].left - g_.viewX) +
                      (g_.gameOver ? " won" : " playing"));
    }

private:
    const GameState &g_;
};

TEST(GameEnd, FinishesInOrderAndLaysOutTheGridWithTheSevensCentred) {
    // The sevens' column lands at window x 473, 471 and 469; every card but
    // the sevens untouched scores the best there is.
    const int sevensX[4] = {0, 469, 471, 473};
    const int best[4] = {0, 4800, 3200, 1600};
    for (int level = 1; level <= 3; ++level) {
        RulesTable t;
        t.deal(level);
        GameState &g = t.g();
        g.viewX = 600;
        g.viewY = 300;
        g.undoStore.undoDepth = 4;
        g.overlays.sparkles[3].active = 1;
        g.overlays.sparkles[9].active = 1;
        joinAll(g);
        EndEvents events(g);
        Play play{g, events, t.pointer};

        finishGame(play);

        EXPECT_EQ(g.gameOver, 1);
        EXPECT_EQ(g.finalScore, best[level]);
        const std::vector<std::string> expected = {
            "board changed", "undo depth 0",
            "won over " + std::to_string(sevensX[level]) + " won"};
        EXPECT_EQ(events.log, expected) << "level " << level;
        const ColumnRange cols = columnsInPlay(levelFromNumber(level));
        for (int c = cols.first; c <= cols.last; ++c) {
            for (int r = 0; r < kRows; ++r) {
                const Rect &rect = g.board.cardRect[c][r];
                EXPECT_EQ(rect.left - g.viewX, 475 - 128 * (4 - level) + 63 * (c - cols.first));
                EXPECT_EQ(rect.top - g.viewY, 150 + 101 * r);
                EXPECT_EQ(rect.right - rect.left, 63);
                EXPECT_EQ(rect.bottom - rect.top, 101);
            }
        }
        for (const Sparkle &s : g.overlays.sparkles) EXPECT_EQ(s.active, 0);
    }
}

}  // namespace
}  // namespace fusefuda
