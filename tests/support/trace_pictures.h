// Pictures and board set-ups for tests that read pixels back. In the trace
// pictures every pixel tells where it came from, so a block restored from the
// wrong place or a card drawn one pixel off shows up as a wrong pixel.
#pragma once

#include <QImage>
#include <cstdint>
#include <initializer_list>

#include "game/GameState.h"
#include "render/context.h"
#include "support/rules_table.h"
#include "support/table.h"

namespace fusefuda::testing {

constexpr uint32_t kGreyDark = 0xFF868686u;
constexpr uint32_t kGreyLight = 0xFF969696u;

// Board pixel (x, y) of the trace background: different for every pixel.
uint32_t backgroundPixel(int x, int y);
// Every sheet, strip, the background and the grey stencil with trace patterns.
void useTracePictures(Surfaces &s);
// Pictures a person can read in a saved frame: felt, card backs, faces with
// their rank and suit. Still textured enough that a wrong restore shows.
void useReadablePictures(Surfaces &s);

// A game at a level with every card in play but keep parked (parkAllBut), in
// the trace pictures. Ends with a full paint, so the window and the canvas agree.
void dealAndClear(Table &t, int level, std::initializer_list<int> keep = {});

// The canvas as the board's rule defines it: the background, then for each
// stacking level the whole group of the card on it; the groups of skipGroup
// left out.
QImage canvasByRule(Context &ctx, int skipGroup = -1);
// The window-sized part of img shown at the current view.
QImage atView(const GameState &g, const QImage &img, QSize size);
// Number of pixels in which two images of the same size differ.
int differingPixels(const QImage &a, const QImage &b);
// Number of pixels in which the window differs from the canvas at the view.
int windowOffCanvas(Table &t);
// Every pixel of img as a k x k block, tagged with k as its device pixel ratio.
QImage blownUp(const QImage &img, int k);
// Gives the surfaces of scale k the pictures of `one` blown up, so that every
// copy at k must give the picture of scale 1 blown up.
void useBlownUpPictures(Surfaces &s, const Surfaces &one, int k);
// A block of img, w x h at (x, y).
QImage block(const QImage &img, int x, int y, int w, int h);

inline void carryTo(Table &t, int c, int r, int left, int top) { carryTo(t.play, c, r, left, top); }

}  // namespace fusefuda::testing
