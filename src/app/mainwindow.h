// The main window: the menu bar over the board view. It wires the game to
// its parts (the input routing, the presenting, the pointer, the menu's
// commands, the phase timers, the score and peek windows) and runs start-up,
// the idle step and shut-down.
#pragma once

#include <QMainWindow>
#include <string>

#include "app/boardaccess.h"
#include "app/boardinput.h"
#include "app/boardview.h"
#include "app/childwindows.h"
#include "app/commands.h"
#include "app/gameevents.h"
#include "app/keyguard.h"
#include "app/menu.h"
#include "app/overviewmode.h"
#include "app/phasetimers.h"
#include "app/boardpointer.h"
#include "app/presenter.h"
#include "app/resumekeeper.h"
#include "app/settings.h"
#include "app/viewzoom.h"
#include "app/windowplacement.h"
#include "game/GameState.h"
#include "game/play.h"
#include "playfile/playfile.h"
#include "render/context.h"
#include "render/painter.h"
#include "render/surfaces.h"

namespace fusefuda {

struct AudioState;

struct AppSetup {
    // The executable whose folder and base name name the settings and music
    // files.
    std::string executablePath;
    // Where the settings go when the executable's folder cannot be written.
    std::string userConfigFolder;
    // Whether the see-through background may use per-pixel alpha.
    bool seeThrough = false;
    // The player's data folder, where the game in progress is kept; empty
    // keeps nothing.
    std::string dataFolder;
};

class MainWindow : public QMainWindow, public CommandWindow, public WindowReactions {
    Q_OBJECT
public:
    // Reads the settings, once: the record's starting values and options,
    // and the window's place, which is wanted before the window shows.
    explicit MainWindow(const AppSetup &setup);
    ~MainWindow() override;

    // Surfaces, the game kept from the last run, first-run About box, score
    // window, timers and menu marks, in that order. The window is shown
    // first; the audio loads, and the music starts, after the first frame.
    void startUp();
    // Music closed, pictures released, settings written; runs once.
    void shutDown();
    // Writes the settings now (the session is ending), and keeps the game in
    // progress; false when the settings could not be written or the window
    // never started up.
    bool saveSettings() override;
    // Leaves the program as the Exit command does (shut-down follows).
    void requestQuit() override;
    bool quitRequested() const { return quitRequested_; }

    // The idle step, unless a modal dialog runs; then the window catches up.
    void runIdle() override;

    GameState &state() { return state_; }
    Surfaces &surfaces() { return surfaces_; }
    Play &play() { return play_; }
    const MenuActions &menu() const { return menu_; }
    const SettingsLocation &settingsLocation() const { return location_; }
    BoardView *boardView() const { return view_; }
    // Takes the pictures of a new scale being decoded ahead, once they are.
    void awaitPictures() { zoom_.awaitPictures(); }
    AudioState *audio() const { return audio_; }
    BoardInput &input() { return input_; }
    Presenter &presenter() { return presenter_; }
    BoardPointer &pointer() { return pointer_; }
    Commands &commands() { return commands_; }
    OverviewMode &overview() { return overview_; }
    PhaseTimers &timers() { return timers_; }
    ChildWindows &childWindows() { return childWindows_; }

    // CommandWindow
    QWidget &widget() override { return *this; }
    void holdInputWhile(const std::function<void()> &command) override;
    void closeOverview() override;
    void toggleOverview() override;
    void showFullScreenAsSet() override;
    void applyBackgroundKey() override;
    void openPeekWindow() override;
    void closePeekWindow() override;
    void playMusic(bool on) override;
    void forgetKeptGame() override;
    void zoomBy(double steps) override { zoom_.zoomBy(steps); }
    void zoomTo(double zoom) override { zoom_.zoomTo(zoom); }
    // PlayFileWindow
    std::string chooseOpenPlayFile() override;
    std::string chooseSavePlayFile() override;
    void showMessage(const std::string &text) override;
    void openScoreWindow() override;
    void closeScoreWindow() override;
    // WindowReactions
    void invalidateWindow() override;
    void updateMenuMarks() override;
    void showScore() override;
    void peekChanged() override;
    void playEffect(Sound sound) override;
    void runScoreSummary() override;
    void boardSettled() override { resume_.settled(); }
    void ringBell() override;

protected:
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void repaintAll();
    void afterFirstFrame();
    void followScreenDensity();
    void keepClientSize();
    void surfacesChanged(bool remade);
    void resumeLastGame();

    GameState state_;
    Surfaces surfaces_;
    AppSetup setup_;
    SettingsLocation location_;
    WindowPlacement placement_{*this};
    AudioState *audio_ = nullptr;
    BoardView *view_ = new BoardView(surfaces_, this);
    MenuActions menu_;
    BoardPointer pointer_{*view_};
    Presenter presenter_{surfaces_, *view_, *this};
    // The drawing paced by the presenter; the rules' changes drawn, then
    // answered by the window; the rules asking the pointer.
    Context ctx_{state_, surfaces_, presenter_};
    BoardPainter painter_{ctx_};
    GameEvents events_{state_, painter_, *this};
    Play play_{state_, events_, pointer_};
    OverviewMode overview_{play_, ctx_, *this, *this, [this] { runIdle(); }};
    BoardInput input_{play_, *view_, *this, pointer_, presenter_, overview_, [this] { runIdle(); }};
    Commands commands_{play_, surfaces_, *this};
    KeyGuardFilter keyGuard_;
    PhaseTimers timers_{state_, [this] { runIdle(); }};
    ChildWindows childWindows_{state_, surfaces_, *this};
    BoardAccess access_{state_, *view_};
    ResumeKeeper resume_{state_};
    ViewZoom zoom_{state_, surfaces_, *view_, [this](bool remade) { surfacesChanged(remade); }};
    bool resumeRefused_ = false;
    bool repaintPending_ = false;
    bool settingsInUse_ = false;
    bool startedUp_ = false;
    bool shutDown_ = false;
    bool quitRequested_ = false;
};

}  // namespace fusefuda
