// The board canvas, read and written in board coordinates: it holds only the
// board rectangle canvasRect(s), and these copies go through its origin.
// Blocks outside that rectangle are clipped, as those outside the board are.
#pragma once

#include <QImage>
#include <QPoint>

#include "render/context.h"
#include "render/raster.h"

namespace fusefuda {

// Copies the canvas's block at board (boardX, boardY) to (x, y) of dst.
void copyFromCanvas(QImage &dst, int x, int y, int w, int h, const Surfaces &s, int boardX,
                    int boardY);
// The same onto the window, marked for presenting.
void canvasToWindow(Surfaces &s, int x, int y, int w, int h, int boardX, int boardY);
// Copies src's block at (sx, sy) onto the canvas at board (boardX, boardY).
void copyToCanvas(Surfaces &s, int boardX, int boardY, int w, int h, const QImage &src, int sx,
                  int sy);
// The background onto the canvas over a board rectangle.
void backgroundToCanvas(Surfaces &s, int boardX, int boardY, int w, int h);
// Draws card id's group onto the canvas at its place.
void drawGroupOnCanvas(Context &ctx, int id);

// The board by the rule into an image that holds the board from point origin
// on, at the surfaces' scale: the background, then every group once, at the
// stacking level of its topmost member. Drawing a group again at each lower
// member's level, as a plain walk would, only paints pixels that the later
// draw of the same group paints over again, so the picture is the same at a
// fraction of the copies.
void drawBoardByRule(Context &ctx, QImage &into, QPoint origin);

}  // namespace fusefuda
