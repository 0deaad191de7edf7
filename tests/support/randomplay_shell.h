// The random player's Shell: keeps what the player checks after every event
// (a redraw asked for, the pointer's confinement, the score summaries, the
// messages) and answers the file choosers with the files it plays with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/quiet_shell.h"

namespace fusefuda::testing {

class RandomPlayShell : public QuietShell {
public:
    void invalidateWindow() override { invalidated = true; }
    void runScoreSummary() override { ++summaries; }
    void confineCursor(int left, int top, int right, int bottom) override {
        confined = true;
        box[0] = left, box[1] = top, box[2] = right, box[3] = bottom;
    }
    void releaseCursor() override { confined = false; }
    std::string chooseOpenPlayFile() override { return openChoice; }
    std::string chooseSavePlayFile() override { return saveChoice; }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    int64_t currentTime() override { return time; }

    bool invalidated = false;
    int summaries = 0;
    bool confined = false;
    int box[4] = {};
    std::string openChoice, saveChoice;
    std::vector<std::string> messages;
    int64_t time = 0;
};

}  // namespace fusefuda::testing
