#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPixmap>
#include <QThread>
#include <QWindow>
#include <malloc.h>

#include <algorithm>
#include <ctime>
#include <utility>
#include <vector>

#include "app/idle.h"
#include "app/seethrough.h"
#include "assets/catalogue.h"
#include "audio/audio.h"
#include "dialogs/dialogs.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/overlays.h"
#include "game/starting.h"
#include "game/undo.h"
#include "platform/filechooser.h"
#include "platform/messagebox.h"
#include "playfile/playfile.h"
#include "render/painting.h"
#include "render/raster.h"

namespace fusefuda {

namespace {

constexpr int kOuterWidth = 1024;
constexpr int kOuterHeight = 768;
constexpr QPoint kScoreWindowAt{896, 726};
constexpr QSize kScoreWindowSize{118, 34};
constexpr QPoint kPeekWindowAt{5, 640};
constexpr qint64 kFrameMs = 16;  // about one refresh of the screen
// How long a frame may wait for the mouse's next event before the timer runs
// it; a moving mouse reports more often than that.
constexpr qint64 kFrameLateMs = 8;

const QEvent::Type kRepaintEvent = QEvent::Type(QEvent::registerEventType());
// Posted behind the first repaint: the icon and the audio wait until the
// window is drawn.
const QEvent::Type kAfterFirstFrameEvent = QEvent::Type(QEvent::registerEventType());

// Wayland lets no client place its windows or move the pointer; asking only
// earns a warning. The game's own clamping keeps a carried card in the window.
bool onWayland() { return QGuiApplication::platformName().startsWith(QStringLiteral("wayland")); }

void movePointer(const QPoint &global) {
    if (!onWayland()) QCursor::setPos(global);
}

// The picture as a pixmap for QIcon, which picks among sizes in device pixels.
QPixmap iconPixmap(QImage image) {
    image.setDevicePixelRatio(1);
    return QPixmap::fromImage(image);
}

// Sizes a top-level window so that its outer frame, once the window system has
// put one around it, has the given size.
void resizeOuter(QWidget *w, QSize outer) {
    const QSize frame = w->frameGeometry().size() - w->geometry().size();
    w->resize(std::max(outer.width() - frame.width(), 1),
              std::max(outer.height() - frame.height(), 1));
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
    view_ = new BoardView(surfaces_, this);
    setCentralWidget(view_);
    menu_ = buildMenu(menuBar());
    for (QAction *action : menu_.byCommand)
        if (action)
            connect(action, &QAction::triggered, this,
                    [this, action] { runCommand(action->data().toInt()); });
    connect(view_, &BoardView::mouse, this, &MainWindow::boardMouse);
    connect(view_, &BoardView::resized, this, [this](int w, int h) {
        resizeWindowSurface(surfaces_, w, h);
        invalidateWindow();
    });

    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &MainWindow::runFrame);
    for (QTimer *timer : {&popupTimer_, &sparkleTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&popupTimer_, &QTimer::timeout, this, &MainWindow::popupTick);
    connect(&sparkleTimer_, &QTimer::timeout, this, &MainWindow::sparkleTick);

    location_ = fusefuda::settingsLocation(setup_.executablePath, setup_.userConfigFolder);
    // Neither opens the audio device: the first sound does, so that a game
    // with the music off wakes no audio thread until it makes one.
    audio_ = openAudio();
    openMusic(audio_, musicPathFor(setup_.executablePath));
    // The piece loops by itself; should it end after all, it starts again,
    // whatever bgmOn says.
    setMusicEndHandler(audio_, [this] { playMusicFromStart(audio_); });

    resize(kOuterWidth, kOuterHeight);
    move(0, 0);
}

MainWindow::~MainWindow() {
    releaseCursor();
    closeAudio(audio_);
}

void MainWindow::startUp() {
    setStartingValues(state_);
    readSettings(state_, location_);
    settingsRead_ = true;
    // The window is on screen by now, so its native window exists.
    presenter_ = ShmPresenter::create(windowHandle());
    if (presenter_) {
        surfaces_.allocateWindow = [presenter = presenter_.get()](int w, int h) {
            return presenter->allocate(w, h);
        };
    }
    windowHandle()->installEventFilter(this);
    // The pictures at the screen's density; the game's geometry stays in
    // board pixels whatever it is.
    const int scale = surfaceScaleFor(view_->devicePixelRatio());
    surfaces_.trimCanvas = true;
    createSurfaces(surfaces_, state_.cardPattern, state_.backgroundPattern,
                   std::max(view_->width(), 1), std::max(view_->height(), 1), scale);
    loadGrabCursor();
    applyBackgroundKey();
    // Decoding the pictures leaves freed memory behind; hand it back.
    malloc_trim(0);
    invalidateWindow();
    if (state_.aboutShown == 0) runAboutBox(this);
    state_.aboutShown = 1;
    if (state_.scoreDisplayOn == 1) openScoreWindow();
    QCoreApplication::postEvent(this, new QEvent(kAfterFirstFrameEvent), Qt::LowEventPriority);
    phaseClock_.start();
    startedUp_ = true;
    scheduleTimers();
    updateMenuMarks();
}

bool MainWindow::saveSettings() {
    // Settings never read must not overwrite the player's table with defaults.
    if (!settingsRead_) return false;
    return writeSettings(state_, location_);
}

void MainWindow::shutDown() {
    if (shutDown_) return;
    shutDown_ = true;
    popupTimer_.stop();
    sparkleTimer_.stop();
    releaseCursor();
    if (musicIsOpen(audio_)) closeMusic(audio_);
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

void MainWindow::runIdle() {
    if (startedUp_ && !shutDown_ && QApplication::activeModalWidget() == nullptr) idleStep(ctx_);
    present();
    scheduleTimers();
}

// A timer that flips a phase nobody looks at only wakes the processor, so
// each runs while something ages by it: a popup, a sparkle, a won board's
// sparkles, or a deal that still waits for the idle step.
void MainWindow::scheduleTimers() {
    if (!startedUp_ || shutDown_) return;
    const GameState &g = state_;
    bool popups = false, sparkles = g.gameOver || g.dealPending;
    for (const ScorePopup &p : g.overlays.popups) popups = popups || p.active;
    for (const Sparkle &s : g.overlays.sparkles) sparkles = sparkles || s.stepping;
    armPhaseTimer(popupTimer_, kPopupTimerMs, popupDue_, popups);
    armPhaseTimer(sparkleTimer_, kSparkleTimerMs, sparkleDue_, sparkles);
}

// The flips keep to the beat they have had since start-up, as if the timer
// had never stopped: a popup still lasts between one and one and a half
// seconds, a sparkle frame up to 100 ms.
void MainWindow::armPhaseTimer(QTimer &timer, int period, qint64 &due, bool needed) {
    if (!needed) {
        timer.stop();
        return;
    }
    if (timer.isActive()) return;
    const qint64 now = phaseClock_.elapsed();
    qint64 next = (now / period + 1) * period;
    // A timer may fire a little early; its own beat is then still the last.
    if (next <= due) next = due + period;
    due = next;
    timer.start(int(next - now));
}

void MainWindow::popupTick() {
    flipPopupPhase(state_);
    runIdle();
}

void MainWindow::sparkleTick() {
    flipSparklePhase(state_);
    runIdle();
}

QPoint MainWindow::confined(QPoint p) const {
    if (!confined_) return p;
    const int x = std::clamp(p.x(), confinement_.left(),
                             std::max(confinement_.left(), confinement_.right()));
    const int y = std::clamp(p.y(), confinement_.top(),
                             std::max(confinement_.top(), confinement_.bottom()));
    return {x, y};
}

void MainWindow::boardMouse(MouseKind kind, QPoint position, bool shift) {
    if (!startedUp_ || shutDown_) return;
    const QPoint p = confined(position);
    if (p != position) movePointer(view_->mapToGlobal(p));
    if (kind == MouseKind::Move) {
        // A mouse reports moves faster than the screen shows them; moves that
        // arrive within one refresh fold into the last, as a window system
        // folds moves that wait in its queue. Only the latest position counts.
        pendingMove_ = p;
        movePending_ = true;
        requestFrame();
        return;
    }
    // A press or release comes after the moves before it.
    handlePendingMove();
    handleMouse(kind, p, shift);
}

void MainWindow::handlePendingMove() {
    if (!movePending_) return;
    movePending_ = false;
    handleMouse(MouseKind::Move, pendingMove_, false);
}

// One clock paces both the folded moves and the screen: a frame handles the
// latest move and shows what it drew in the same turn of the event loop.
// While the mouse keeps moving, its own events run the frames once a refresh
// has passed; the timer only catches the last move when the mouse stops, so
// carrying a card wakes the program no more often than the mouse does.
void MainWindow::requestFrame() {
    if (inFrame_) return;
    const qint64 since = lastFrame_.isValid() ? lastFrame_.elapsed() : kFrameMs;
    if (since >= kFrameMs)
        runFrame();
    else if (!frameTimer_.isActive())
        frameTimer_.start(int(kFrameMs - since + kFrameLateMs));
}

void MainWindow::runFrame() {
    frameTimer_.stop();
    if (!movePending_ && unshown_.isEmpty()) return;
    inFrame_ = true;
    lastFrame_.restart();
    handlePendingMove();
    showUnshown();
    inFrame_ = false;
}

void MainWindow::handleMouse(MouseKind kind, QPoint p, bool shift) {
    if (!startedUp_ || shutDown_) return;
    // Every mouse event brings the arrow back unless the game asks for the
    // hand again, as a window's class cursor does.
    wantGrab_ = false;
    switch (kind) {
    case MouseKind::Move: onMouseMove(ctx_, p.x(), p.y()); break;
    case MouseKind::LeftPress: onLeftPress(ctx_, p.x(), p.y(), shift); break;
    case MouseKind::LeftRelease: onLeftRelease(ctx_, p.x(), p.y()); break;
    case MouseKind::RightPress: onRightPress(ctx_, p.x(), p.y()); break;
    case MouseKind::RightRelease: onRightRelease(ctx_, p.x(), p.y()); break;
    }
    if (wantGrab_ != grabShown_) {
        view_->setCursor(wantGrab_ ? grabCursor_ : QCursor(Qt::ArrowCursor));
        grabShown_ = wantGrab_;
    }
    runIdle();
}

void MainWindow::runCommand(int command) {
    if (!startedUp_ || shutDown_) return;
    GameState &g = state_;
    switch (command) {
    case kCmdExit: requestQuit(); return;
    case kCmdAbout: runAboutBox(this); break;
    case kCmdScores: runHighScoreTable(g, this); break;
    case kCmdSwapLayers: reverseStacking(ctx_); break;
    case kCmdShowScore:
        g.scoreDisplayOn = flipped(g.scoreDisplayOn);
        updateMenuMarks();
        if (g.scoreDisplayOn == 1)
            openScoreWindow();
        else
            closeScoreWindow();
        break;
    case kCmdBeginner: startNewGame(ctx_, kBeginner); break;
    case kCmdIntermediate: startNewGame(ctx_, kIntermediate); break;
    case kCmdAdvanced: startNewGame(ctx_, kAdvanced); break;
    case kCmdOpenPlayFile: loadPlayFile(ctx_); break;
    case kCmdSavePlayFile: savePlayFile(ctx_); break;
    case kCmdBackground1:
    case kCmdBackground2:
    case kCmdBackground3:
    case kCmdSeeThrough:
        g.backgroundPattern = command == kCmdSeeThrough ? 4 : command - kCmdBackground1 + 1;
        switchBackground(surfaces_, g.backgroundPattern);
        applyBackgroundKey();
        invalidateWindow();
        updateMenuMarks();
        break;
    case kCmdCards1:
    case kCmdCards2:
        g.cardPattern = command - kCmdCards1 + 1;
        switchBacks(surfaces_, g.cardPattern);
        invalidateWindow();
        updateMenuMarks();
        break;
    case kCmdGuide:
        g.guideOn = flipped(g.guideOn);
        updateMenuMarks();
        break;
    case kCmdSound:
        g.soundOn = flipped(g.soundOn);
        updateMenuMarks();
        break;
    case kCmdMusic:
        g.bgmOn = flipped(g.bgmOn);
        if (g.bgmOn == 1)
            resumeMusic(audio_);
        else
            stopMusic(audio_);
        break;
    case kCmdPeekMode:
        g.peekModeOn = !g.peekModeOn;
        if (g.peekModeOn)
            openPeekWindow();
        else
            closePeekWindow();
        updateMenuMarks();
        break;
    case kCmdUndo: popUndo(ctx_); break;
    case kCmdAnimation:
        g.animationOn = flipped(g.animationOn);
        updateMenuMarks();
        if (g.animationOn == 0) {
            clearSparklesActive(g);
            invalidateWindow();
        }
        break;
    default: return;  // numbers without an entry
    }
    runIdle();
}

// The hand at the surfaces' density, its hot spot at its top-left corner.
void MainWindow::loadGrabCursor() {
    const QImage hand = loadPicture(kCursorPicture, surfaces_.scale);
    grabCursor_ =
        hand.isNull() ? QCursor(Qt::ClosedHandCursor) : QCursor(QPixmap::fromImage(hand), 0, 0);
    if (grabShown_) view_->setCursor(grabCursor_);
}

// A window moved to a screen of another density gets its pictures drawn for
// that screen; until then Qt scales what it has.
void MainWindow::followScreenDensity() {
    if (!startedUp_ || shutDown_) return;
    const int scale = surfaceScaleFor(view_->devicePixelRatio());
    if (scale == surfaces_.scale) return;
    createSurfaces(surfaces_, state_.cardPattern, state_.backgroundPattern,
                   std::max(view_->width(), 1), std::max(view_->height(), 1), scale);
    loadGrabCursor();
    peekChanged();
    invalidateWindow();
}

void MainWindow::applyBackgroundKey() {
    view_->setKeyOutGreen(setup_.seeThrough && state_.backgroundPattern == 4);
}

// --- Shell ---

void MainWindow::updateMenuMarks() { setMenuMarks(menu_, state_); }

void MainWindow::showScore() {
    if (scoreWindow_) scoreWindow_->setScore(state_.board.score);
}

void MainWindow::playEffect(Sound sound) { fusefuda::playEffect(audio_, sound); }

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
    present();
}

// The framebuffer takes every change at once; the screen needs it no more
// often than it refreshes. A mouse sends moves faster than that, and showing
// each of them would cost the most of all the work of carrying a card.
void MainWindow::present() {
    if (surfaces_.dirty.isEmpty()) return;
    unshown_ += surfaces_.dirty;
    surfaces_.dirty = QRegion();
    requestFrame();
}

void MainWindow::showUnshown() {
    if (unshown_.isEmpty()) return;
    if (canPresentDirectly()) {
        // The framebuffer and the native window count device pixels.
        const int k = scaleOf(surfaces_.window);
        presenter_->present(surfaces_.window, devicePixels(unshown_, k),
                            view_->mapTo(this, QPoint(0, 0)) * k);
        behindBackingStore_ |= unshown_.boundingRect();
    } else {
        // The backing store catches up on everything shown past it.
        view_->repaint(unshown_ + std::exchange(behindBackingStore_, QRect()));
    }
    unshown_ = QRegion();
}

bool MainWindow::canPresentDirectly() const {
    // At a whole number of device pixels a pixel, as the framebuffer holds
    // them; a fractional ratio is scaled down by the backing store's painter.
    return presenter_ && !view_->keyOutGreen() &&
           view_->devicePixelRatio() == scaleOf(surfaces_.window) &&
           presenter_->showsIn(windowHandle()) &&
           presenter_->owns(surfaces_.window) &&
           logicalRect(surfaces_.window).contains(unshown_.boundingRect()) &&
           view_->rect().contains(unshown_.boundingRect());
}

// While the board view holds the mouse, Qt's widgets deliver every move to
// it wherever the pointer is, and to nothing else: no hover, no enter or
// leave, no tool tip while a button is held. Getting there costs a search for
// the child under the pointer, two mappings through the screen and the
// delivery itself, on each of the hundreds of moves a second of a carry.
bool MainWindow::movesGoStraightToView() const {
    return QWidget::mouseGrabber() == view_ && view_->isEnabled() &&
           QApplication::activePopupWidget() == nullptr &&
           QGuiApplication::modalWindow() == nullptr;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event) {
    if (watched != windowHandle()) return false;
    switch (event->type()) {
    case QEvent::MouseMove:
        if (!movesGoStraightToView()) return false;
        // Rounded in the window first, as the widgets' own delivery does.
        boardMouse(MouseKind::Move,
                   static_cast<QMouseEvent *>(event)->position().toPoint() -
                       view_->mapTo(this, QPoint(0, 0)),
                   false);
        return true;
    case QEvent::Expose:
        // Direct presents leave the backing store behind the screen. The
        // window system only asks for the backing store again when part of
        // the window comes back into view; have those parts drawn again first.
        if (!behindBackingStore_.isEmpty())
            view_->update(std::exchange(behindBackingStore_, QRect()));
        return false;
    default: return false;
    }
}

void MainWindow::presentNow() {
    unshown_ += surfaces_.dirty;
    surfaces_.dirty = QRegion();
    showUnshown();
}

void MainWindow::runScoreSummary() {
    fusefuda::runScoreSummary(state_, this);
    // The name entry, if the score reached the table, has closed by now: keep
    // the table at once, so that a crash or a killed process later does not
    // lose a finished game.
    saveSettings();
}

void MainWindow::setGrabCursor() {
    wantGrab_ = true;
    if (!grabShown_) {
        view_->setCursor(grabCursor_);
        grabShown_ = true;
    }
}

void MainWindow::confineCursor(int left, int top, int right, int bottom) {
    confinement_ = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    confined_ = true;
    // Without a button held the pointer could otherwise leave the window and
    // its moves would go elsewhere.
    if (view_->isVisible()) view_->grabMouse();
    const QPoint now = view_->mapFromGlobal(QCursor::pos());
    const QPoint inside = confined(now);
    if (inside != now) movePointer(view_->mapToGlobal(inside));
}

void MainWindow::releaseCursor() {
    confined_ = false;
    if (view_ && QWidget::mouseGrabber() == view_) view_->releaseMouse();
}

void MainWindow::pause(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void MainWindow::peekChanged() {
    if (peekWindow_) peekWindow_->setPicture(surfaces_.peek);
}

QWidget *MainWindow::scoreWindow() const { return scoreWindow_.data(); }
QWidget *MainWindow::peekWindow() const { return peekWindow_.data(); }

void MainWindow::openScoreWindow() {
    if (!scoreWindow_) {
        scoreWindow_ = new ScoreWindow(this);
        scoreWindow_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    }
    scoreWindow_->setScore(state_.board.score);
    scoreWindow_->show();
    scoreWindow_->move(kScoreWindowAt);
    resizeOuter(scoreWindow_, kScoreWindowSize);
}

void MainWindow::closeScoreWindow() { delete scoreWindow_.data(); }

void MainWindow::openPeekWindow() {
    if (!surfaces_.unknownCard.isNull()) surfaces_.peek = surfaces_.unknownCard.copy();
    if (!peekWindow_) peekWindow_ = new PeekWindow(this);
    peekWindow_->setPicture(surfaces_.peek);
    peekWindow_->show();
    peekWindow_->move(kPeekWindowAt);
}

void MainWindow::closePeekWindow() { delete peekWindow_.data(); }

std::string MainWindow::chooseOpenPlayFile() { return fusefuda::chooseOpenPlayFile(this); }
std::string MainWindow::chooseSavePlayFile() { return fusefuda::chooseSavePlayFile(this); }
void MainWindow::showMessage(const std::string &text) { showMessageBox(this, text); }
int64_t MainWindow::currentTime() { return int64_t(std::time(nullptr)); }

// --- events ---

// The window's icon is for the task bar and the window list, not for the
// first frame: decoding and handing over its four sizes waits until then.
void MainWindow::setIcon() {
    QIcon icon;
    // 32, 64 and 96 pixels for screens of 1, 2 and 3 device pixels a pixel.
    for (int k = 1; k <= 3; ++k) {
        const QImage picture = loadPicture(kIconPicture, k);
        if (!picture.isNull()) icon.addPixmap(iconPixmap(picture));
    }
    const QImage large = loadLargeIcon();
    if (!large.isNull()) icon.addPixmap(QPixmap::fromImage(large));
    if (!icon.isNull()) setWindowIcon(icon);
}

bool MainWindow::event(QEvent *event) {
    if (event->type() == kRepaintEvent) {
        repaintAll();
        return true;
    }
    if (event->type() == kAfterFirstFrameEvent) {
        setIcon();
        // The music starts once its device and piece are ready, if it is
        // still wanted by then.
        warmUpAudio(audio_, state_.bgmOn == 1, [this] {
            if (!shutDown_ && state_.bgmOn == 1) resumeMusic(audio_);
        });
        return true;
    }
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) fitOuterSize();
    if (event->type() == QEvent::ScreenChangeInternal) followScreenDensity();
    return handled;
}

// The outer size counts the frame, which the window system reports only once
// the window is on screen; the first time it is known, the window gets its
// outer size and its place.
void MainWindow::fitOuterSize() {
    if (outerSizeFitted_ || !isVisible()) return;
    const QSize frame = frameGeometry().size() - geometry().size();
    if (frame.width() <= 0 && frame.height() <= 0) return;
    outerSizeFitted_ = true;
    resizeOuter(this, QSize(kOuterWidth, kOuterHeight));
    move(0, 0);
}

void MainWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    // Once only: a window restored from the task bar stays where the player
    // put it.
    if (placed_) return;
    placed_ = true;
    move(0, 0);
    fitOuterSize();
}

// The window waits for a modal dialog; when the player comes back to it, the
// dialog comes to the front, from the task bar too, so the game never ends up
// blocked by a window that cannot be seen.
void MainWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
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
