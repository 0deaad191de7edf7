#include "game/starting.h"

#include "game/overlays.h"

namespace fusefuda {

namespace {

// Half-width katakana in code page 932.
const char *const kDefaultNames[kHighScores] = {
    "\xC6\xB9\xDE\xDB",  // ﾆｹﾞﾛ
    "\xB8\xD9\xD9",      // ｸﾙﾙ
    "\xD0\xB7\xDE\xD7",  // ﾐｷﾞﾗ
    "\xCB\xC0\xDE\xDB",  // ﾋﾀﾞﾛ
    "\xB3\xDB\xD8",      // ｳﾛﾘ
};
const int32_t kDefaultScores[kHighScores] = {1500, 1300, 1100, 900, 700};

}  // namespace

void setStartingValues(GameState &g) {
    clearScorePopups(g);
    g.board.score = 0;
    g.viewX = kStartViewX;
    g.viewY = kStartViewY;
    g.scoreDisplayOn = false;
    g.animationOn = true;
    for (int i = 0; i < kHighScores; ++i) {
        g.highScores[i] = kDefaultScores[i];
        g.highScoreNames[i] = kDefaultNames[i];
    }
}

}  // namespace fusefuda
