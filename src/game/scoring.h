// The score rule and the end of a won game.
#pragma once

#include "game/play.h"

namespace fusefuda {

struct TouchTally {
    int neverTouched = 0;
    int touchedOnce = 0;
    int touchedTwice = 0;
};

// Counts the cards in play by touchCount 0, 1 and 2.
TouchTally tallyTouches(const GameState &g);
// 100 per card never touched, 50 per card touched once, 20 per card touched twice.
int32_t scoreFor(const TouchTally &tally);

// Every card in play has joined the sevens: the game is over, its cards lie
// in the finished grid, nothing can be undone, and the win is told.
void finishGame(Play &play);
void layOutFinished(Play &play);

}  // namespace fusefuda
