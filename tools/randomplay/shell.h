// The random player's stand-in for the window: keeps what the player checks
// after every event (a redraw asked for, the pointer's confinement, the score
// summaries, the messages) and answers the file choosers with the files it
// plays with.
#pragma once

#include <string>
#include <vector>

#include "app/gameevents.h"
#include "playfile/playfile.h"
#include "support/quiet_shell.h"

namespace fusefuda::stress {

class RandomPlayShell : public QuietShell, public PlayFileWindow, public WindowReactions {
public:
    void confine(int left, int top, int right, int bottom) override {
        confined = true;
        box[0] = left, box[1] = top, box[2] = right, box[3] = bottom;
    }
    void release() override { confined = false; }

    std::string chooseOpenPlayFile() override { return openChoice; }
    std::string chooseSavePlayFile() override { return saveChoice; }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    void openScoreWindow() override {}
    void closeScoreWindow() override {}

    void invalidateWindow() override { invalidated = true; }
    void updateMenuMarks() override {}
    void showScore() override {}
    void peekChanged() override {}
    void playEffect(Sound) override {}
    void runScoreSummary() override { ++summaries; }
    void boardSettled() override {}
    void ringBell() override {}

    bool invalidated = false;
    int summaries = 0;
    bool confined = false;
    int box[4] = {};
    std::string openChoice, saveChoice;
    std::vector<std::string> messages;
};

}  // namespace fusefuda::stress
