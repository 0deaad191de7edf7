// The menu's commands: a named handler for each entry, and the routes from
// the entries and their command numbers to the handlers. A new entry gets its
// number in menu.h, its caption in buildMenu, a handler here and a route.
#pragma once

#include "app/menu.h"

namespace fusefuda {

class MainWindow;

class Commands {
public:
    explicit Commands(MainWindow &window);

    // Connects each entry of the menu to its handler.
    void connectMenu(const MenuActions &menu);
    // Commands run only between start-up and shut-down.
    void setActive(bool active) { active_ = active; }
    // Runs a command by its number, then the idle step; numbers without an
    // entry are ignored.
    void run(int command);

    // The file menu.
    void newGame(Level level);
    void newGameByNumber();
    void openPlayFile();
    void savePlayFile();
    void exit();
    // The edit menu.
    void undo();
    void reverseStacking();
    // The functions menu.
    void toggleSound();
    void toggleGuide();
    void toggleScoreDisplay();
    void toggleAnimation();
    void toggleMusic();
    void switchBackground(int pattern);
    void switchCards(int pattern);
    void togglePeekMode();
    void toggleFourColour();
    void toggleOverview();
    void toggleResume();
    void toggleFullScreen();
    // The other and help menus.
    void showHighScores();
    void showStatistics();
    void showAbout();
    void showHowToPlay();
    void showKeys();

private:
    MainWindow &window_;
    bool active_ = false;
};

}  // namespace fusefuda
