// A Shell that does nothing, for the tools and benchmarks that run the game's
// own code without a window. The clock it reports is the deal's seed.
#pragma once

#include "platform/shell.h"

namespace fusefuda {

class QuietShell : public Shell {
public:
    explicit QuietShell(int64_t time = 0) : time_(time) {}
    void updateMenuMarks() override {}
    void showScore() override {}
    void playEffect(Sound) override {}
    void invalidateWindow() override {}
    void runScoreSummary() override {}
    void setGrabCursor() override {}
    void confineCursor(int, int, int, int) override {}
    void releaseCursor() override {}
    void presentNow() override {}
    void pause(int) override {}
    void peekChanged() override {}
    void openScoreWindow() override {}
    void closeScoreWindow() override {}
    std::string chooseOpenPlayFile() override { return {}; }
    std::string chooseSavePlayFile() override { return {}; }
    void showMessage(const std::string &) override {}
    int64_t currentTime() override { return time_; }

private:
    int64_t time_;
};

}  // namespace fusefuda
