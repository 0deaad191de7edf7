// The main window: the menu bar over the board view, and the Shell that the
// game talks to.
#pragma once

#include <QMainWindow>

#include "game/GameState.h"
#include "platform/shell.h"
#include "render/context.h"
#include "render/surfaces.h"

namespace fusefuda {

class BoardView;

class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT
public:
    MainWindow();

    GameState &state() { return state_; }
    Surfaces &surfaces() { return surfaces_; }
    Context &context() { return ctx_; }

    // Shell
    void updateMenuMarks() override {}
    void showScore() override {}
    void playEffect(int) override {}
    void invalidateWindow() override;
    void runScoreSummary() override {}
    void setGrabCursor() override {}
    void confineCursor(int, int, int, int) override {}
    void releaseCursor() override {}
    void presentNow() override;
    void pause(int) override {}
    void peekChanged() override {}
    void openScoreWindow() override {}
    void closeScoreWindow() override {}
    std::string chooseOpenPlayFile() override { return {}; }
    std::string chooseSavePlayFile() override { return {}; }
    void showMessage(const std::string &) override {}
    int64_t currentTime() override;

private:
    void repaintAll();
    void present();

    GameState state_;
    Surfaces surfaces_;
    Context ctx_{state_, surfaces_, *this};
    BoardView *view_ = nullptr;
    bool repaintPending_ = false;
};

}  // namespace fusefuda
