// A fresh state record, surfaces and recording shell for one test, wired as
// the window wires them: the rules' changes drawn, then told to the shell.
#pragma once

#include <cstdint>
#include <memory>

#include "app/gameevents.h"
#include "game/GameState.h"
#include "game/play.h"
#include "recording_shell.h"
#include "render/context.h"
#include "render/painter.h"
#include "render/surfaces.h"
#include "support/rules_table.h"

namespace fusefuda::testing {

struct Table {
    // Surfaces at the given device pixels a board pixel.
    explicit Table(int scale = 1);
    Table(const Table &) = delete;
    Table &operator=(const Table &) = delete;
    // The state that start-up gives before any settings are read.
    std::unique_ptr<GameState> state;
    Surfaces surfaces;
    RecordingShell shell;
    Context ctx;  // what the drawing works on
    BoardPainter painter{ctx};
    GameEvents events{*state, painter, shell};
    Play play{*state, events, shell};  // what the rules work on

    GameState &g() { return *state; }
    // Starts a game at a level with a fixed seed and runs the deferred deal.
    void deal(Level level, uint32_t seed = kSeed) { dealAt(play, level, seed); }
    void deal(int level, uint32_t seed = kSeed) { deal(levelFromNumber(level), seed); }
    // The seed of a deal when a test names none.
    static constexpr uint32_t kSeed = 12345;
};

}  // namespace fusefuda::testing
