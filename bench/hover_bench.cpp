// The hover display runs on every mouse move while no card is carried: the
// outline around the group under the pointer and, when the pointer changes
// cards, the wipe of the previous outline.
#include <benchmark/benchmark.h>

#include "game/deal.h"
#include "game/input.h"
#include "game/starting.h"
#include "render/hover.h"
#include "support/quiet_shell.h"

namespace fusefuda {
namespace {

struct HoverTable {
    GameState g;
    Surfaces s;
    QuietTable table{g, s};
    Context &ctx = table.ctx;
    Play &play = table.play;

    // An advanced deal with the spades joined into one row of thirteen
    // across the middle of the window and every other card out of view.
    HoverTable() {
        setStartingValues(g);
        createSurfaces(s, g.cardPattern, g.backgroundPattern, 1008, 709);
        g.clientWidth = 1008;
        g.clientHeight = 709;
        startNewGame(play, kAdvanced, 12345);
        dealScatter(play, kAdvanced);
        g.dealPending = false;
        for (int c = 0; c < kColumns; ++c)
            for (int r = 1; r < kRows; ++r) g.board.cardRect[c][r] = Rect{2800, 1450, 2863, 1551};
        for (int c = 0; c < kColumns; ++c) {
            const int left = g.viewX + 60 + kPitchX * c, top = g.viewY + 300;
            g.board.cardRect[c][0] = Rect{left, top, left + kPitchX, top + kPitchY};
            for (int m = 0; m < kColumns; ++m) g.board.groupMembers[cardId(c, 0)][m][0] = 1;
        }
        for (int c = 0; c < kColumns; ++c) {
            // Bring the row above everything else.
            const int from = g.board.stackLevel[c][0];
            for (int n = from; n < kCards - 1; ++n) {
                g.board.stackColumn[n] = g.board.stackColumn[n + 1];
                g.board.stackRow[n] = g.board.stackRow[n + 1];
                g.board.stackLevel[g.board.stackColumn[n]][g.board.stackRow[n]] = n;
            }
            g.board.stackColumn[kCards - 1] = c;
            g.board.stackRow[kCards - 1] = 0;
            g.board.stackLevel[c][0] = kCards - 1;
        }
    }
};

void BM_MoveAlongAGroupOfThirteen(benchmark::State &state) {
    HoverTable b;
    b.g.peekModeOn = state.range(0) != 0;
    int x = 70;
    for (auto _ : state) {
        trackHover(b.play, x, 350);
        x = x >= 860 ? 70 : x + 3;
        b.s.dirty = QRegion();
    }
}
BENCHMARK(BM_MoveAlongAGroupOfThirteen)->Arg(0)->Arg(1);

// Alternating between the group and the bare board wipes the thirteen
// cards' outline on every other move.
void BM_MoveOnAndOffAGroupOfThirteen(benchmark::State &state) {
    HoverTable b;
    bool onGroup = true;
    for (auto _ : state) {
        trackHover(b.play, 400, onGroup ? 350 : 650);
        onGroup = !onGroup;
        b.s.dirty = QRegion();
    }
}
BENCHMARK(BM_MoveOnAndOffAGroupOfThirteen);

}  // namespace
}  // namespace fusefuda

BENCHMARK_MAIN();
