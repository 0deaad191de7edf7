// What must hold between any two input events, written apart from the game's
// own code so that the two are compared rather than trusted.
#pragma once

#include <string>

#include "game/GameState.h"

namespace fusefuda::stress {

// The part of the record that an undo snapshot takes, as the player would see
// it restored: a held peek counts as finished (its cost is already charged).
struct BoardCopy {
    int32_t score = 0;
    int32_t slotCard[kColumns][kRows] = {};
    Rect cardRect[kColumns][kRows] = {};
    int32_t slotPresent[kColumns][kRows] = {};
    int32_t stackLevel[kColumns][kRows] = {};
    int32_t touchCount[kColumns][kRows] = {};
    int32_t faceUp[kColumns][kRows] = {};
    int32_t groupMembers[kCards][kColumns][kRows] = {};
    int32_t stackColumn[kCards] = {};
    int32_t stackRow[kCards] = {};
    bool operator==(const BoardCopy &) const = default;
};

BoardCopy copyBoard(const GameState &g);
// The first field in which two copies differ, for the failure report.
std::string firstDifference(const BoardCopy &want, const BoardCopy &got);

// Empty when the tables are what the game relies on to index and draw: the
// stacking a permutation and its inverse, cells of one size, touch counts in
// range with settled cards face up, groups whole and on their pitch, the cards
// outside the level as dealt, a won board one group. A file that passes the
// loader's checks gives such a record.
std::string brokenStructure(const GameState &g);

// Empty when every invariant holds; otherwise what is broken. Beyond the
// structure: faces down but for a held peek, the score what the touch counts
// are worth, a board with every card joined won. Only for a dealt game.
std::string brokenInvariant(const GameState &g);

}  // namespace fusefuda::stress
