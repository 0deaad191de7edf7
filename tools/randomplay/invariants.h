// What must hold between any two input events, written apart from the game's
// own code so that the two are compared rather than trusted.
#pragma once

#include <string>

#include "game/GameState.h"

namespace fusefuda::stress {

// Boards are compared as an undo snapshot keeps them (boardAsKept): a held
// peek counts as finished, as the player would see it restored.
// The first field in which two boards differ, for the failure report.
std::string firstDifference(const Board &want, const Board &got);

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

// Empty when the zoom keeps what it promises a window of this size (window
// pixels): the zoom between fit and 200 %, the client area the window's
// size over it, the view within its limits and a won board's grid on the
// board the window can reach.
std::string brokenZoom(const GameState &g, int windowWidth, int windowHeight);
// Empty when card (c, r) lies on the board the window can reach, all of its
// picture.
std::string offReachableBoard(const GameState &g, int c, int r);

}  // namespace fusefuda::stress
