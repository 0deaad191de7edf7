// The menu's commands: a named handler for each entry, and the routes from
// the entries and their command numbers to the handlers. A new entry gets its
// number in menu.h, its caption in buildMenu, a handler here and a route.
#pragma once

#include <functional>

#include "app/menu.h"
#include "playfile/playfile.h"

class QWidget;

namespace fusefuda {

struct Play;
struct Surfaces;

// What the commands ask of the window they run in, besides the play-file
// commands' choosers, message box and score window.
class CommandWindow : public PlayFileWindow {
public:
    // The window itself: the parent of the commands' dialogs, and what the
    // menu's connections live no longer than.
    virtual QWidget &widget() = 0;
    // Runs a command with the board's mouse events held until it ends.
    virtual void holdInputWhile(const std::function<void()> &command) = 0;
    // Leaves the overview without moving the view (nothing when it is not
    // shown); its own command shows it or leaves it.
    virtual void closeOverview() = 0;
    virtual void toggleOverview() = 0;
    // The idle step, then the window catches up.
    virtual void runIdle() = 0;
    virtual void updateMenuMarks() = 0;
    virtual void invalidateWindow() = 0;
    // The window full screen or not, as the option says.
    virtual void showFullScreenAsSet() = 0;
    // The board view shows the see-through background's green as
    // transparent where the desktop can show through.
    virtual void applyBackgroundKey() = 0;
    // The peek window's picture changed.
    virtual void peekChanged() = 0;
    virtual void openPeekWindow() = 0;
    virtual void closePeekWindow() = 0;
    // The music resumes, or stops.
    virtual void playMusic(bool on) = 0;
    // The game in progress is worth keeping again, or no longer kept.
    virtual void boardSettled() = 0;
    virtual void forgetKeptGame() = 0;
    // The board shown larger or smaller by zoom steps, or at a zoom (0:
    // the reachable board fits the window).
    virtual void zoomBy(double steps) = 0;
    virtual void zoomTo(double zoom) = 0;
    // Leaving as Exit does, and keeping the settings now.
    virtual void requestQuit() = 0;
    virtual bool saveSettings() = 0;
};

class Commands {
public:
    Commands(Play &play, Surfaces &surfaces, CommandWindow &window);

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
    void switchBackground(Background pattern);
    void switchCards(CardBacks pattern);
    void togglePeekMode();
    void toggleFourColour();
    void toggleOverview();
    void toggleResume();
    void toggleFullScreen();
    void zoomBy(double steps) { window_.zoomBy(steps); }
    void zoomTo(double zoom) { window_.zoomTo(zoom); }
    // The other and help menus.
    void showHighScores();
    void showStatistics();
    void showAbout();
    void showHowToPlay();
    void showKeys();

private:
    Play &play_;
    Surfaces &surfaces_;
    CommandWindow &window_;
    bool active_ = false;
};

}  // namespace fusefuda
