// A stand-in for the window's pointer that records what the rules ask of it.
#pragma once

#include "game/play.h"

namespace fusefuda::testing {

class RecordingPointer : public Pointer {
public:
    void confine(int left, int top, int right, int bottom) override {
        confined = true;
        confineLeft = left;
        confineTop = top;
        confineRight = right;
        confineBottom = bottom;
    }
    void release() override { confined = false; }
    void showGrab() override { ++grabCursors; }

    bool confined = false;
    int confineLeft = 0, confineTop = 0, confineRight = 0, confineBottom = 0;
    int grabCursors = 0;
};

}  // namespace fusefuda::testing
