// A Shell that records what the game asked of the application.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace fusefuda::testing {

class RecordingShell : public Shell {
public:
    void updateMenuMarks() override { ++menuMarkUpdates; }
    void showScore() override { ++scoreShows; }
    void playEffect(Sound sound) override { effects.push_back(sound); }
    void invalidateWindow() override { ++invalidations; }
    void runScoreSummary() override { ++scoreSummaries; }
    void setGrabCursor() override { ++grabCursors; }
    void confineCursor(int left, int top, int right, int bottom) override {
        confined = true;
        confineLeft = left;
        confineTop = top;
        confineRight = right;
        confineBottom = bottom;
    }
    void releaseCursor() override { confined = false; }
    void presentNow() override {
        ++presents;
        if (onPresent) onPresent();
    }
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
    void peekChanged() override { ++peekChanges; }
    void openScoreWindow() override { scoreWindowOpen = true; ++scoreWindowOpenings; }
    void closeScoreWindow() override { scoreWindowOpen = false; }
    std::string chooseOpenPlayFile() override { return openChoice; }
    std::string chooseSavePlayFile() override { return saveChoice; }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    int64_t currentTime() override { return time; }

    int menuMarkUpdates = 0;
    int scoreShows = 0;
    std::vector<int> effects;
    int invalidations = 0;
    int scoreSummaries = 0;
    int grabCursors = 0;
    bool confined = false;
    int confineLeft = 0, confineTop = 0, confineRight = 0, confineBottom = 0;
    int presents = 0;
    std::function<void()> onPresent;  // looks at what each present shows
    std::vector<int> pauses;
    int peekChanges = 0;
    bool scoreWindowOpen = false;
    int scoreWindowOpenings = 0;
    std::string openChoice;   // empty: the player cancels
    std::string saveChoice;
    std::vector<std::string> messages;
    int64_t time = 12345;
};

}  // namespace fusefuda::testing
