#include "game/highscores.h"

#include "platform/codepage.h"

namespace fusefuda {

int highScoreRank(const GameState &g, int32_t score) {
    for (int i = 0; i < kHighScores; ++i)
        if (score >= g.highScores[i]) return i;
    return -1;
}

void insertHighScore(GameState &g, int rank, const std::string &name, int32_t score) {
    if (rank < 0 || rank >= kHighScores) return;
    for (int i = kHighScores - 1; i > rank; --i) {
        g.highScoreNames[i] = g.highScoreNames[i - 1];
        g.highScores[i] = g.highScores[i - 1];
    }
    g.highScoreNames[rank] = name;
    g.highScores[rank] = score;
}

std::string nameForTable(std::string_view cp932Name) {
    return cp932Prefix(cp932Name, kNameEntryBytes);
}

}  // namespace fusefuda
