#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPixmap>
#include <malloc.h>

#include <algorithm>
#include <ctime>

#include "app/idle.h"
#include "assets/catalogue.h"
#include "audio/audio.h"
#include "dialogs/dialogs.h"
#include "game/starting.h"
#include "game/statistics.h"
#include "playfile/resume.h"
#include "platform/filechooser.h"
#include "platform/messagebox.h"
#include "platform/wmname.h"
#include "render/painting.h"
#include "render/raster.h"

namespace fusefuda {

namespace {

const char *const kNotResumed =
    QT_TRANSLATE_NOOP("Messages", "前回のゲームを再開できませんでした");

const QEvent::Type kRepaintEvent = QEvent::Type(QEvent::registerEventType());
// Posted behind the first repaint: the icon and the audio wait until the
// window is drawn.
const QEvent::Type kAfterFirstFrameEvent = QEvent::Type(QEvent::registerEventType());

// The picture as a pixmap for QIcon, which picks among sizes in device pixels.
QPixmap iconPixmap(QImage image) {
    image.setDevicePixelRatio(1);
    return QPixmap::fromImage(image);
}

// The window's icon is for the task bar and the window list, not for the
// first frame: decoding and handing over its four sizes waits until then.
QIcon windowIconPictures() {
    QIcon icon;
    // 32, 64 and 96 pixels for screens of 1, 2 and 3 device pixels a pixel.
    for (int k = 1; k <= 3; ++k) {
        const QImage picture = loadPicture(kIconPicture, k);
        if (!picture.isNull()) icon.addPixmap(iconPixmap(picture));
    }
    const QImage large = loadLargeIcon();
    if (!large.isNull()) icon.addPixmap(QPixmap::fromImage(large));
    return icon;
}

}  // namespace

MainWindow::MainWindow(const AppSetup &setup) : setup_(setup) {
    setWindowTitle(QStringLiteral("伏せ札ジグソー"));
    // Per-pixel alpha has to be asked for before the native window exists.
    if (setup_.seeThrough) setAttribute(Qt::WA_TranslucentBackground);

    // A main window hovers for its dock separators, of which this one has
    // none: every mouse move would otherwise also go to it and through its
    // menu bar's event filter as a hover event.
    setAttribute(Qt::WA_Hover, false);
    setCentralWidget(view_);
    view_->setFocus();
    menu_ = buildMenu(menuBar());
    commands_.connectMenu(menu_);
    connect(view_, &BoardView::resized, this, [this] {
        zoom_.follow();
        keepClientSize();
        invalidateWindow();
    });
    connect(view_, &BoardView::zoomSteps, this,
            [this](double steps, QPointF at) { zoom_.zoomBy(steps, at); });
    input_.touch().pinch = [this](double steps, QPointF at) { zoom_.zoomBy(steps, at); };

    location_ = fusefuda::settingsLocation(setup_.executablePath, setup_.userConfigFolder);
    // Neither opens the audio device: the first sound does, so that a game
    // with the music off wakes no audio thread until it makes one.
    audio_ = openAudio();
    openMusic(audio_, musicPathFor(setup_.executablePath));
    // The piece loops by itself; should it end after all, it starts again,
    // whatever bgmOn says.
    setMusicEndHandler(audio_, [this] { playMusicFromStart(audio_); });

    // The one read of the settings: the window's place is wanted before it
    // shows, and the rest comes with it.
    setStartingValues(state_);
    WindowPlace kept;
    readSettings(state_, location_, &kept);
    placement_.restore(kept, state_.fullScreenOn);
    resume_.setFolder(setup_.dataFolder);
}

MainWindow::~MainWindow() {
    pointer_.release();
    closeAudio(audio_);
}

void MainWindow::startUp() {
    settingsInUse_ = true;
    // The window is on screen by now, so its native window exists.
    presenter_.attach();
    input_.attach();
    // The pictures at the screen's density and the kept zoom; the game's
    // geometry stays in board pixels whatever they are.
    surfaces_.trimCanvas = true;
    zoom_.makeSurfaces();
    applyBackgroundKey();
    // Decoding the pictures leaves freed memory behind; hand it back.
    malloc_trim(0);
    if (state_.resumeOn) resumeLastGame();
    // The kept game's zoom, when it was kept at another.
    zoom_.follow();
    invalidateWindow();
    if (!state_.aboutShown) runAboutBox(this);
    state_.aboutShown = true;
    if (resumeRefused_) showMessage(kNotResumed);
    if (state_.scoreDisplayOn) childWindows_.openScoreWindow();
    QCoreApplication::postEvent(this, new QEvent(kAfterFirstFrameEvent), Qt::LowEventPriority);
    timers_.start();
    startedUp_ = true;
    input_.setActive(true);
    commands_.setActive(true);
    timers_.schedule();
    updateMenuMarks();
}

bool MainWindow::saveSettings() {
    // A window ended before it started up leaves the player's file as it
    // was.
    if (!settingsInUse_) return false;
    resume_.keepNow();
    return writeSettings(state_, location_, placement_.kept());
}

// The game the last run left, as it was; a kept file that the play-file
// checks refuse is put aside and reported once the window is up.
void MainWindow::resumeLastGame() {
    if (resume_.folder().empty()) return;
    resumeRefused_ = resumeGame(play_, resume_.folder()) == ResumeOutcome::Refused;
    resume_.startFrom(keptGameOf(state_));
}

void MainWindow::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    input_.setActive(false);
    commands_.setActive(false);
    timers_.stop();
    pointer_.release();
    if (musicIsOpen(audio_)) closeMusic(audio_);
    // A game the next start will not bring back was left unfinished, as a
    // new game over it would leave it.
    if (!state_.resumeOn) noteGameLeft(state_);
    const QImage window = surfaces_.window;
    surfaces_ = Surfaces{};
    surfaces_.window = window;
    saveSettings();
}

void MainWindow::requestQuit() {
    quitRequested_ = true;
    // exit, not quit: it also ends a modal dialog's loop, and it takes effect
    // even before the main loop has started.
    QCoreApplication::exit(0);
}

// While the overview is shown the popups and sparkles wait: they would draw
// over it, and the player is not looking at the board.
void MainWindow::runIdle() {
    if (startedUp_ && !shutDown_ && QApplication::activeModalWidget() == nullptr &&
        !overview_.shown())
        idleStep(play_, ctx_);
    presenter_.present();
    access_.follow();
    timers_.schedule();
}

// A window moved to a screen of another density gets its pictures drawn for
// that screen; until then Qt scales what it has.
void MainWindow::followScreenDensity() {
    if (startedUp_ && !shutDown_) zoom_.follow();
}

void MainWindow::surfacesChanged(bool remade) {
    keepClientSize();
    if (remade) {
        // The hand is drawn for the screen, whatever the zoom.
        pointer_.loadGrabCursor(surfaceScaleFor(view_->devicePixelRatio()));
        childWindows_.peekChanged();
    }
    invalidateWindow();
}


void MainWindow::showFullScreenAsSet() { placement_.showFullScreen(state_.fullScreenOn); }

void MainWindow::applyBackgroundKey() {
    view_->setKeyOutGreen(setup_.seeThrough && state_.backgroundPattern == kSeeThroughBackground);
}

void MainWindow::invalidateWindow() {
    if (repaintPending_) return;
    repaintPending_ = true;
    // Low priority: like a paint request, it waits until pending input is done.
    QCoreApplication::postEvent(this, new QEvent(kRepaintEvent), Qt::LowEventPriority);
}

void MainWindow::repaintAll() {
    repaintPending_ = false;
    if (surfaces_.background.isNull()) return;
    paintWindow(ctx_);
    overview_.draw();
    presenter_.present();
}

void MainWindow::runScoreSummary() {
    fusefuda::runScoreSummary(state_, this);
    // The name entry, if the score reached the table, has closed by now: keep
    // the table at once, so that a crash or a killed process later does not
    // lose a finished game.
    saveSettings();
}

// The rules keep the pointer inside the client area, which they know in board
// pixels.
void MainWindow::keepClientSize() {
    const QSize client = logicalSize(surfaces_.window);
    state_.clientWidth = client.width();
    state_.clientHeight = client.height();
}

// --- the roles: what the window does for the board, handed to the parts
// that hold it ---

void MainWindow::updateMenuMarks() { setMenuMarks(menu_, state_); }
void MainWindow::showScore() { childWindows_.showScore(); }
void MainWindow::playEffect(Sound sound) { fusefuda::playEffect(audio_, sound); }

// The desktop's own bell, whatever the game's sound option: the player's
// desktop decides how it sounds or shows.
void MainWindow::ringBell() { QApplication::beep(); }

void MainWindow::holdInputWhile(const std::function<void()> &command) {
    input_.holdWhile(command);
}
void MainWindow::closeOverview() { overview_.close(); }
void MainWindow::toggleOverview() { overview_.toggle(); }
void MainWindow::openPeekWindow() { childWindows_.openPeekWindow(); }
void MainWindow::closePeekWindow() { childWindows_.closePeekWindow(); }
void MainWindow::playMusic(bool on) {
    if (on)
        resumeMusic(audio_);
    else
        stopMusic(audio_);
}
void MainWindow::forgetKeptGame() { resume_.forget(); }
void MainWindow::peekChanged() { childWindows_.peekChanged(); }
void MainWindow::openScoreWindow() { childWindows_.openScoreWindow(); }
void MainWindow::closeScoreWindow() { childWindows_.closeScoreWindow(); }
std::string MainWindow::chooseOpenPlayFile() { return fusefuda::chooseOpenPlayFile(this); }
std::string MainWindow::chooseSavePlayFile() { return fusefuda::chooseSavePlayFile(this); }
void MainWindow::showMessage(const std::string &text) { showMessageBox(this, text); }

// --- events ---

void MainWindow::afterFirstFrame() {
    const QIcon icon = windowIconPictures();
    if (!icon.isNull()) setWindowIcon(icon);
    // The music starts once its device and piece are ready, if it is still
    // wanted by then.
    warmUpAudio(audio_, state_.bgmOn, [this] {
        if (!shutDown_ && state_.bgmOn) resumeMusic(audio_);
    });
}

bool MainWindow::event(QEvent *event) {
    if (event->type() == kRepaintEvent) {
        repaintAll();
        return true;
    }
    if (event->type() == kAfterFirstFrameEvent) {
        afterFirstFrame();
        return true;
    }
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) placement_.follow();
    if (event->type() == QEvent::ScreenChangeInternal) followScreenDensity();
    return handled;
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Once only: a window restored from the task bar stays where the player
    // put it.
    if (placement_.placed()) return;
    // Named for old tools before it is mapped, which Qt does after this.
    keepLegacyNameReadable(windowHandle(), windowTitle(), "Fusefuda");
    placement_.place();
}

// The window waits for a modal dialog; when the player comes back to it, the
// dialog comes to the front, from the task bar too, so the game never ends up
// blocked by a window that cannot be seen.
void MainWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    // The window system may leave full screen by its own means: the mark
    // and the setting follow.
    if (event->type() == QEvent::WindowStateChange && startedUp_ && !shutDown_ &&
        isFullScreen() != state_.fullScreenOn) {
        state_.fullScreenOn = isFullScreen();
        updateMenuMarks();
    }
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == this) return;
    if (modal->isMinimized()) modal->setWindowState(modal->windowState() & ~Qt::WindowMinimized);
    modal->show();
    modal->raise();
    modal->activateWindow();
}

void MainWindow::closeEvent(QCloseEvent *event) {
    requestQuit();
    event->accept();
}

}  // namespace fusefuda
