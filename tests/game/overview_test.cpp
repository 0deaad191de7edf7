#include "game/overview.h"

#include <gtest/gtest.h>

using namespace fusefuda;

// The reachable board (the view's limits plus the window) fitted in, centred.
TEST(Overview, TheReachableBoardFitsTheWindowCentred) {
    const struct {
        int w, h;
        OverviewFrame frame;
    } cases[] = {
        {1008, 709, {48, 0, 912, 709, 1994, 1549}},     // too tall: fills the height
        {200, 1000, {0, 365, 200, 269, 1186, 1600}},    // too wide: fills the width
        {2560, 1400, {0, 17, 2560, 1365, 3000, 1600}},  // past the view's reach: the whole board
    };
    for (const auto &c : cases) EXPECT_EQ(overviewFrame(c.w, c.h), c.frame) << c.w << "x" << c.h;
}

TEST(Overview, AClickNamesTheBoardPointUnderItAndCentresTheViewThereWithinTheLimits) {
    const OverviewFrame f = overviewFrame(1008, 709);
    const struct {
        int x, y;
        BoardPoint board, view;
    } cases[] = {
        {48, 0, {0, 0}, {0, 0}},                            // the board's corner
        {0, 300, {0, 655}, {0, 301}},                       // beside the picture: its edge
        {504, 354, {997, 773}, {493, 419}},                 // the middle
        {1007, 708, {1993, 1546}, {kViewXMax, kViewYMax}},  // the far corner
    };
    for (const auto &c : cases) {
        EXPECT_EQ(boardPointAt(f, c.x, c.y), c.board) << c.x << "," << c.y;
        EXPECT_EQ(viewCentredOn(c.board, 1008, 709), c.view) << c.x << "," << c.y;
    }
}
