#include <gtest/gtest.h>

#include "app/boardaccess.h"
#include "game/board.h"
#include "support/table.h"

using namespace fusefuda;
using namespace fusefuda::testing;

// A screen reader hears what the eye sees: two cards that look alike (the
// same back, group and hand) sound alike, whatever lies under their backs;
// a face shown is named.
TEST(Speech, AFaceDownCardSaysNoMoreThanItsBack) {
    const int pairs[2][2] = {{cardId(4, 0), cardId(5, 0)}, {cardId(8, 3), cardId(8, 2)}};
    const struct {
        int touches;
        bool faceUp, grouped, carried, named;
    } rows[] = {
        {0, false, false, false, false}, {1, false, true, false, false},
        {2, false, true, true, false},   {0, true, false, false, true},  // a peek
        {kSettled, true, false, false, true},  {kSpent, true, true, false, true},
    };
    for (const auto &row : rows) {
        QString heard[2][2];
        for (int i = 0; i < 2; ++i) {
            Table t;
            t.deal(3);
            GameState &g = t.g();
            for (const auto &pair : pairs) {
                const int c = cardColumn(pair[0]), r = cardRow(pair[0]);
                g.board.touchCount[c][r] = row.touches;
                g.board.faceUp[c][r] = row.faceUp;
                if (row.grouped) mergeGroups(g, pair[0], pair[1]);
            }
            g.keyFocus.column = cardColumn(pairs[i][0]);
            g.keyFocus.row = cardRow(pairs[i][0]);
            g.keyFocus.carrying = row.carried;
            heard[i][0] = focusCardSpeech(g);
            heard[i][1] = standingSpeech(g);
        }
        EXPECT_EQ(heard[0][0] != heard[1][0], row.named) << heard[0][0].toStdString();
        EXPECT_EQ(heard[0][1], heard[1][1]);
    }
}
