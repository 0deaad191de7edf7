// The partial redraws that the board's changes make on the window and the
// board canvas, from the record as it stands when each change is told.
#pragma once

#include "game/play.h"
#include "render/context.h"

namespace fusefuda {

class BoardPainter : public BoardEvents {
public:
    explicit BoardPainter(Context &ctx) : ctx_(ctx) {}

    // The whole window is painted afresh by the window's own repaint.
    void boardChanged() override {}
    void viewMoved() override {}
    void dealt() override;
    void undone() override {}
    void undoDepthChanged() override {}
    void scored() override {}

    void raised(int c, int r) override;
    void lifted(int id) override;
    void carried(int id, int oldLeft, int oldTop) override;
    void dropped(int id) override;
    void joined(int id, int neighbour) override;
    void settled(int c, int r) override;
    void flipped(int c, int r, bool toFace) override;
    void peeked(int, int) override {}

    void hoverLeft(int lastShown) override;
    void hovered(int c, int r) override;

    void won() override {}
    void noCardThatWay() override {}

private:
    Context &ctx_;
};

}  // namespace fusefuda
