// What every drawing routine works on: the state record, read only, the
// surfaces, drawing's own memory of what it last put on the window, and the
// window's pacing of the frames that must show at once.
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

// What drawing last put on the window that it must wipe again; the rules
// neither read nor keep it.
struct Drawn {
    // The keyboard's focus frame: where it was last drawn, and whether it is
    // still there untouched.
    bool outlineDrawn = false;
    bool outlineFresh = false;  // nothing drawn over it since
    int outlineLeft = 0;
    int outlineTop = 0;
    // The guide: the card last under the pointer, and the one before it,
    // whose outline goes again when the pointer leaves a card.
    int guideCard = cardId(0, 0);
    int guidePrevious = cardId(0, 0);
};

struct Context {
    const GameState &g;
    Surfaces &s;
    FramePacing &pacing;
    Drawn drawn = {};
};

}  // namespace fusefuda
