// Choosing a card's picture and drawing a card's group.
#pragma once

#include <QImage>

#include "render/context.h"
#include "render/raster.h"

namespace fusefuda {

struct CardPicture {
    const QImage *surface;
    int x;
    int y;
};

// The source of card (c, r)'s 64 x 102 picture, from its faceUp flag and
// touchCount.
CardPicture cardPicture(const GameState &g, const Surfaces &s, int c, int r);

// Draws every member of card anchorId's group onto target, the anchor's
// top-left corner at (x, y). With subtractView the view is subtracted (the
// target is then the window).
void drawGroup(Context &ctx, int x, int y, int anchorId, QImage &target, bool subtractView);

// bitBlt onto the window framebuffer that also marks the area for presenting.
void windowBlt(Surfaces &s, int x, int y, int w, int h, const QImage &src, int sx, int sy,
               Rop rop);
// Marks a window area as changed when something drew on it directly.
void markWindow(Surfaces &s, int x, int y, int w, int h);

}  // namespace fusefuda
