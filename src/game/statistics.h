// The player's record beside the top five: per level, the games dealt, won
// and left unfinished, the scores of won games and the runs of wins. Only
// games dealt here count (every one has a number); a game taken from a play
// file is outside the record, so a file won again and again adds nothing.
#pragma once

#include <cstdint>

#include "game/level.h"

namespace fusefuda {

constexpr int kRecordLevels = 3;
constexpr int kRecentWins = 10;

// A won game as the record keeps it.
struct RecentWin {
    int32_t score = 0;
    uint32_t number = 0;  // the deal's number
    bool operator==(const RecentWin &) const = default;
};

struct LevelStatistics {
    int64_t dealt = 0;
    int64_t won = 0;
    int64_t unfinished = 0;
    int32_t bestScore = 0;   // of won games; meaningless while won is 0
    int64_t scoreTotal = 0;  // of won games, for the average
    int64_t touchTotal = 0;  // touches in won games, for the average
    int64_t currentRun = 0;
    int64_t longestRun = 0;
    int recentCount = 0;
    RecentWin recent[kRecentWins] = {};  // newest first
    bool operator==(const LevelStatistics &) const = default;
};

struct Statistics {
    // Beginner, intermediate, advanced: the order the window shows them in.
    LevelStatistics levels[kRecordLevels] = {};
    bool operator==(const Statistics &) const = default;
};


struct GameState;

// The game in play is being replaced (a new deal, a play file opened): a
// counted game not yet won was left unfinished and ends the run of wins.
void noteGameLeft(GameState &g);
// A new deal at the game's level.
void noteDeal(GameState &g);
// The game in play was won with this final score.
void noteWin(GameState &g, int32_t finalScore);
// The touches the cards in play record, the sevens (which start settled) left
// out.
int touchesOnBoard(const GameState &g);

}  // namespace fusefuda
