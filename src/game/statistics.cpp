#include "game/statistics.h"

#include <algorithm>

#include "game/GameState.h"

namespace fusefuda {

namespace {

LevelStatistics *countedLevel(GameState &g) {
    const int slot = statisticsSlot(g.level);
    if (slot < 0 || !g.gameStarted || !g.dealNumbered) return nullptr;
    return &g.statistics.levels[slot];
}

}  // namespace

void noteGameLeft(GameState &g) {
    LevelStatistics *level = countedLevel(g);
    if (level == nullptr || g.gameOver) return;
    ++level->unfinished;
    level->currentRun = 0;
}

void noteDeal(GameState &g) {
    if (LevelStatistics *level = countedLevel(g)) ++level->dealt;
}

void noteWin(GameState &g, int32_t finalScore) {
    LevelStatistics *level = countedLevel(g);
    if (level == nullptr) return;
    level->bestScore = level->won == 0 ? finalScore : std::max(level->bestScore, finalScore);
    ++level->won;
    level->scoreTotal += finalScore;
    level->touchTotal += touchesOnBoard(g);
    level->longestRun = std::max(level->longestRun, ++level->currentRun);
    std::copy_backward(level->recent, level->recent + kRecentWins - 1, level->recent + kRecentWins);
    level->recent[0] = {finalScore, g.dealNumber};
    level->recentCount = std::min(level->recentCount + 1, kRecentWins);
}

int touchesOnBoard(const GameState &g) {
    int touches = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (c != kSevensColumn) touches += g.board.touchCount[c][r];
    return touches;
}

}  // namespace fusefuda
