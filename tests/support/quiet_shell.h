// A stand-in for the window that does nothing, for the tools and benchmarks
// that run the game's own rules and drawing without one, and the rules wired
// straight to the drawing for them.
#pragma once

#include "game/play.h"
#include "render/context.h"
#include "render/painter.h"

namespace fusefuda {

class QuietShell : public Pointer, public FramePacing {
public:
    void confine(int, int, int, int) override {}
    void release() override {}
    void showGrab() override {}
    void presentNow() override {}
    void pause(int) override {}
};

// The rules over a record and its surfaces, their changes drawn as the window
// draws them, nothing else around them.
struct QuietTable {
    QuietTable(GameState &g, Surfaces &s) : ctx{g, s, shell}, painter{ctx}, play{g, painter, shell} {}
    QuietTable(const QuietTable &) = delete;
    QuietTable &operator=(const QuietTable &) = delete;

    QuietShell shell;
    Context ctx;
    BoardPainter painter;
    Play play;
};

}  // namespace fusefuda
