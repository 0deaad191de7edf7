// The pictures of a carried group's cards, each copied once into a small
// strip of its own; the cards of one back share a block. Every frame of a
// carry copies every card again: from the strip it reads a few dense blocks
// instead of cards spread over the face sheets, whose rows lie most of a page
// apart and have gone cold by the next frame.
#pragma once

#include <array>

#include "render/cards.h"
#include "render/context.h"

namespace fusefuda {

// For each member of card id's group, by card id, its picture in the strip.
// The strip is copied again only when a member, a member's picture or a
// surface it comes from has changed since the last call.
void carriedPictures(Context &ctx, int id, std::array<CardPicture, kCards> &out);
// Lets the strip go once the group is put down.
void forgetCarriedPictures(Surfaces &s);

}  // namespace fusefuda
