// What every drawing routine works on: the state record, the surfaces, and
// the window's pacing of the frames that must show at once.
#pragma once

#include "game/GameState.h"
#include "render/surfaces.h"

namespace fusefuda {

// The flips draw frame by frame, as designed: each frame shows at once, a
// short pause before the next. The window implements it.
class FramePacing {
public:
    virtual ~FramePacing() = default;
    // Shows the window's dirty area at once.
    virtual void presentNow() = 0;
    // Blocks for a few milliseconds between animation frames.
    virtual void pause(int milliseconds) = 0;
};

struct Context {
    GameState &g;
    Surfaces &s;
    FramePacing &pacing;
};

}  // namespace fusefuda
