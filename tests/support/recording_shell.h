// A stand-in for the window that records what the rules, the drawing, the
// play-file commands and the wiring of the board's changes asked of it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/gameevents.h"
#include "game/play.h"
#include "playfile/playfile.h"
#include "render/context.h"
#include "support/recording_pointer.h"

namespace fusefuda::testing {

class RecordingShell : public RecordingPointer,
                       public FramePacing,
                       public PlayFileWindow,
                       public WindowReactions {
public:
    // FramePacing
    void presentNow() override {
        ++presents;
        if (onPresent) onPresent();
    }
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
    // PlayFileWindow
    std::string chooseOpenPlayFile() override { return openChoice; }
    std::string chooseSavePlayFile() override { return saveChoice; }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    void openScoreWindow() override { scoreWindowOpen = true; ++scoreWindowOpenings; }
    void closeScoreWindow() override { scoreWindowOpen = false; }
    // WindowReactions
    void invalidateWindow() override { ++invalidations; }
    void updateMenuMarks() override { ++menuMarkUpdates; }
    void showScore() override { ++scoreShows; }
    void peekChanged() override { ++peekChanges; }
    void playEffect(Sound sound) override { effects.push_back(sound); }
    void runScoreSummary() override { ++scoreSummaries; }
    void boardSettled() override { ++settles; }
    void ringBell() override { ++bells; }

    int menuMarkUpdates = 0;
    int scoreShows = 0;
    std::vector<int> effects;
    int invalidations = 0;
    int scoreSummaries = 0;
    int settles = 0;
    int bells = 0;
    int presents = 0;
    std::function<void()> onPresent;  // looks at what each present shows
    std::vector<int> pauses;
    int peekChanges = 0;
    bool scoreWindowOpen = false;
    int scoreWindowOpenings = 0;
    std::string openChoice;   // empty: the player cancels
    std::string saveChoice;
    std::vector<std::string> messages;
};

}  // namespace fusefuda::testing
