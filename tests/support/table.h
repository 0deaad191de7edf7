// A fresh state record, surfaces and recording shell for one test.
#pragma once

#include <memory>

#include "game/GameState.h"
#include "recording_shell.h"
#include "render/context.h"
#include "render/surfaces.h"

namespace fusefuda::testing {

struct Table {
    // Surfaces at the given device pixels a board pixel.
    explicit Table(int scale = 1);
    // The state that start-up gives before any settings are read.
    std::unique_ptr<GameState> state;
    Surfaces surfaces;
    RecordingShell shell;
    Context ctx;

    GameState &g() { return *state; }
    // Starts a game at a level with a fixed seed and runs the deferred deal.
    void deal(int level, int64_t seed = 12345);
};

}  // namespace fusefuda::testing
