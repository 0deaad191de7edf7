// A stand-in for the window's pointer that records what the rules ask of it.
#pragma once

#include "game/play.h"

namespace fusefuda::testing {

class RecordingPointer : public Pointer {
public:
    void confine(int left, int top, int right, int bottom) override {
        confined = true;
        confinement = {left, top, right, bottom};
    }
    void release() override { confined = false; }
    void showGrab() override { ++grabCursors; }

    bool confined = false;
    Rect confinement;  // the last one asked for
    int grabCursors = 0;
};

}  // namespace fusefuda::testing
