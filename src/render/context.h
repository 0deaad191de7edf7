// What every board operation works on: the state record, the surfaces and
// the application around them.
#pragma once

#include "game/GameState.h"
#include "platform/shell.h"
#include "render/surfaces.h"

namespace fusefuda {

struct Context {
    GameState &g;
    Surfaces &s;
    Shell &shell;
};

}  // namespace fusefuda
