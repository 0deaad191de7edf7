// What the random player plays on: the game as the window holds it (the
// record, its surfaces, the stand-in shell and the wiring between them), the
// trace of what it does, and how a broken expectation ends the run.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "app/gameevents.h"
#include "game/play.h"
#include "game/starting.h"
#include "render/painter.h"
#include "render/painting.h"
#include "render/surfaces.h"
#include "shell.h"

namespace fusefuda::stress {

constexpr int kWindowWidth = 1008;
constexpr int kWindowHeight = 709;

struct Failure {
    std::string what;
};

[[noreturn]] inline void fail(const std::string &what) { throw Failure{what}; }

struct Table {
    Table(const std::string &folder, int scale) {
        setStartingValues(g());
        surfaces.trimCanvas = true;  // the canvas as the game's window keeps it
        createSurfaces(surfaces, g().cardPattern, g().backgroundPattern, kWindowWidth,
                       kWindowHeight, scale);
        g().clientWidth = kWindowWidth;
        g().clientHeight = kWindowHeight;
        paintWindow(ctx);
        shell.saveChoice = folder + "/game.pvq";
    }
    GameState &g() { return *state; }

    std::unique_ptr<GameState> state = std::make_unique<GameState>();
    Surfaces surfaces;
    RandomPlayShell shell;
    Context ctx{*state, surfaces, shell};
    BoardPainter painter{ctx};
    GameEvents events{*state, painter, shell};
    Play play{*state, events, shell};
};

// Prints each event from one gesture on, to replay a failure.
struct Trace {
    long gesture = 0;
    long from = 0;
    void operator()(const char *what, int x, int y) const {
        if (gesture >= from) std::printf("  %ld: %s (%d, %d)\n", gesture, what, x, y);
    }
};

}  // namespace fusefuda::stress
