// The main window: the menu bar over the board view, the two timers and the
// idle step, start-up and shut-down, the menu commands, and the Shell that
// the game talks to.
#pragma once

#include <QCursor>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <memory>
#include <string>

#include "app/boardview.h"
#include "app/menu.h"
#include "app/settings.h"
#include "game/GameState.h"
#include "platform/shell.h"
#include "platform/shmpresenter.h"
#include "render/context.h"
#include "render/surfaces.h"

namespace fusefuda {

struct AudioState;
class ScoreWindow;
class PeekWindow;

struct AppSetup {
    // The executable whose folder and base name name the settings and music
    // files.
    std::string executablePath;
    // Where the settings go when the executable's folder cannot be written.
    std::string userConfigFolder;
    // Whether the see-through background may use per-pixel alpha.
    bool seeThrough = false;
};

class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT
public:
    explicit MainWindow(const AppSetup &setup);
    ~MainWindow() override;

    // Starting values, settings, surfaces, first-run About box, score window,
    // timers and menu marks, in that order. The window is shown first; the
    // audio loads, and the music starts, after the first frame.
    void startUp();
    // Music closed, pictures released, settings written; runs once.
    void shutDown();
    // Writes the settings now (the session is ending); false when they could
    // not be written or were never read.
    bool saveSettings();
    // Leaves the program as the Exit command does (shut-down follows).
    void requestQuit();
    bool quitRequested() const { return quitRequested_; }

    // A menu command by its number; numbers without an entry are ignored.
    void runCommand(int command);
    // The idle step, unless a modal dialog runs; then the window catches up.
    void runIdle();
    // The two timers' work, callable without waiting for them.
    void popupTick();
    void sparkleTick();
    // Whether each timer runs: only while something ages by it.
    bool popupTimerRunning() const { return popupTimer_.isActive(); }
    bool sparkleTimerRunning() const { return sparkleTimer_.isActive(); }
    // Handles one mouse event of the board view (client coordinates). Moves
    // within one screen refresh of the last handled one wait and fold together.
    void boardMouse(MouseKind kind, QPoint position, bool shift);
    // Handles a move that is still waiting, at once.
    void handlePendingMove();

    GameState &state() { return state_; }
    Surfaces &surfaces() { return surfaces_; }
    Context &context() { return ctx_; }
    const MenuActions &menu() const { return menu_; }
    const SettingsLocation &settingsLocation() const { return location_; }
    BoardView *boardView() const { return view_; }
    AudioState *audio() const { return audio_; }
    QWidget *scoreWindow() const;
    QWidget *peekWindow() const;
    bool grabCursorShown() const { return grabShown_; }

    // Shell
    void updateMenuMarks() override;
    void showScore() override;
    void playEffect(Sound sound) override;
    void invalidateWindow() override;
    void runScoreSummary() override;
    void setGrabCursor() override;
    void confineCursor(int left, int top, int right, int bottom) override;
    void releaseCursor() override;
    void presentNow() override;
    void pause(int milliseconds) override;
    void peekChanged() override;
    void openScoreWindow() override;
    void closeScoreWindow() override;
    std::string chooseOpenPlayFile() override;
    std::string chooseSavePlayFile() override;
    void showMessage(const std::string &text) override;
    int64_t currentTime() override;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void repaintAll();
    void scheduleTimers();
    void fitOuterSize();
    void setIcon();
    void armPhaseTimer(QTimer &timer, int period, qint64 &due, bool needed);
    void present();
    void requestFrame();
    void runFrame();
    void showUnshown();
    bool canPresentDirectly() const;
    bool movesGoStraightToView() const;
    void handleMouse(MouseKind kind, QPoint position, bool shift);
    void openPeekWindow();
    void closePeekWindow();
    void applyBackgroundKey();
    void loadGrabCursor();
    void followScreenDensity();
    QPoint confined(QPoint position) const;

    GameState state_;
    Surfaces surfaces_;
    Context ctx_{state_, surfaces_, *this};
    AppSetup setup_;
    SettingsLocation location_;
    AudioState *audio_ = nullptr;
    BoardView *view_ = nullptr;
    MenuActions menu_;
    QTimer popupTimer_;
    QTimer sparkleTimer_;
    QElapsedTimer phaseClock_;  // the timers' common beat, from start-up
    qint64 popupDue_ = 0;       // when each timer last was or is due to fire
    qint64 sparkleDue_ = 0;
    QTimer frameTimer_;
    QElapsedTimer lastFrame_;
    bool inFrame_ = false;
    QPoint pendingMove_;
    bool movePending_ = false;
    QRegion unshown_;  // drawn into the framebuffer, not yet on screen
    std::unique_ptr<ShmPresenter> presenter_;  // null: present through Qt
    // Bounds of what was presented directly and is not yet in the backing store.
    QRect behindBackingStore_;
    QPointer<ScoreWindow> scoreWindow_;
    QPointer<PeekWindow> peekWindow_;
    QCursor grabCursor_;
    bool wantGrab_ = false;
    bool grabShown_ = false;
    bool confined_ = false;
    QRect confinement_;
    bool repaintPending_ = false;
    bool settingsRead_ = false;
    bool startedUp_ = false;
    bool shutDown_ = false;
    bool quitRequested_ = false;
    bool outerSizeFitted_ = false;
    bool placed_ = false;  // put at the top-left corner at the first show
};

}  // namespace fusefuda
