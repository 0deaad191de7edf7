// Painting the whole window, and the partial redraws that carrying, dropping
// and joining make on the window and the board canvas.
#pragma once

#include "render/context.h"

namespace fusefuda {

// The full paint: the window from the background and the cards, then the
// board canvas placed round the view and drawn afresh. While the view is
// pulled, the window from the canvas instead, which is first brought round
// the view when the pull has passed its edge.
void paintWindow(Context &ctx);
// Takes card id's group off the board canvas.
void liftGroup(Context &ctx, int id);
// Copies the canvas back over each member's 64 x 102 block on the window.
void restoreGroupCells(Context &ctx, int id);
// Wipes the carried group and its shadow, anchor at board (left, top).
void eraseCarryTrail(Context &ctx, int left, int top, int id);
// The drop shadow of a carried group, anchor at board (left, top).
void drawCarryShadow(Context &ctx, int left, int top, int id);
// Moves the carried group of id on the window from anchor (oldLeft, oldTop)
// to (newLeft, newTop), board coordinates: the same pixels as eraseCarryTrail
// at the old place, drawCarryShadow and drawGroup at the new, for a fraction
// of the copying.
void moveCarriedGroup(Context &ctx, int oldLeft, int oldTop, int newLeft, int newTop, int id);
// Wipes each member's cell widened by 25 pixels, anchor at board (left, top).
void eraseDropArea(Context &ctx, int left, int top, int id);
// The canvas from the background, every card in play but exceptId as a dark
// back in stacking order.
void rebuildBoardWithBacks(Context &ctx, int exceptId);
// Draws the group that the mouse holds (carried, peeked or raised by a press
// not yet released) on the window at its place; nothing when the hand is
// empty. A wipe from the canvas must be followed by it: the canvas lacks a
// lifted group and keeps a raised one at its old depth until the release.
void drawGroupInHand(Context &ctx);

}  // namespace fusefuda
