// Where the keyboard's focus goes: the arrows' nearest card in a direction
// and Tab's reading order.
#pragma once

#include "game/GameState.h"

namespace fusefuda {

// The card an arrow toward (dx, dy) takes the focus to from card `from`; kNoCard
// if none lies that way. Cards are placed by their corners (all are one
// size, so as by their centres). A card lies that way when it is in the
// quarter of the plane around the direction; one exactly on a diagonal lies
// left or right, not up or down. Cards at one place make a pile, each just
// below the one above it: Down steps into the pile, Up back out. Of the
// cards that way the nearest is taken, of two alike the one on top.
int nearestCardToward(const GameState &g, int from, int dx, int dy);

// The card after `from` in reading order (forward) or before it, wrapping
// around: by the band of the board its top edge lies in (bands 101 pixels
// tall, a group's row, counted from the board's top), then by its left edge,
// then by its top edge, and of cards at one place the one on top first. A
// card not in play goes to the first card.
int cardInReadingOrder(const GameState &g, int from, bool forward);

}  // namespace fusefuda
