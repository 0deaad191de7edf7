#include "app/presenter.h"

#include <QEvent>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <utility>

#include "app/boardview.h"
#include "platform/shmpresenter.h"
#include "render/raster.h"
#include "render/surfaces.h"

namespace fusefuda {

namespace {

constexpr qint64 kFrameMs = 16;  // about one refresh of the screen
// How long a frame may wait for the mouse's next event before the timer runs
// it; a moving mouse reports more often than that.
constexpr qint64 kFrameLateMs = 8;

}  // namespace

Presenter::Presenter(Surfaces &surfaces, BoardView &view, QWidget &window)
    : surfaces_(surfaces), view_(view), window_(window) {
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, &Presenter::runFrame);
}

Presenter::~Presenter() = default;

void Presenter::attach() {
    shm_ = ShmPresenter::create(window_.windowHandle());
    // A zoomed frame is scaled through the backing store, and a zoom step
    // makes a framebuffer of another size: one in ordinary memory costs no
    // round trip to the display and comes from the surfaces' kept memory.
    if (shm_) {
        surfaces_.allocateWindow = [shm = shm_.get(), &view = view_](int w, int h) {
            return view.zoom() == 1.0 ? shm->allocate(w, h) : QImage();
        };
    }
    window_.windowHandle()->installEventFilter(this);
}

// The framebuffer takes every change at once; the screen needs it no more
// often than it refreshes. A mouse sends moves faster than that, and showing
// each of them would cost the most of all the work of carrying a card.
void Presenter::present() {
    if (surfaces_.dirty.isEmpty()) return;
    unshown_ += surfaces_.dirty;
    surfaces_.dirty = QRegion();
    requestFrame();
}

void Presenter::presentNow() {
    unshown_ += surfaces_.dirty;
    surfaces_.dirty = QRegion();
    showUnshown();
}

void Presenter::pause(int milliseconds) {
    if (milliseconds > 0) QThread::msleep(static_cast<unsigned long>(milliseconds));
}

// A mouse reports moves faster than the screen shows them; moves that arrive
// within one refresh fold into the last, as a window system folds moves that
// wait in its queue.
void Presenter::foldMove(QPoint position) {
    pendingMove_ = position;
    movePending_ = true;
    requestFrame();
}

void Presenter::handlePendingMove() {
    if (!movePending_) return;
    movePending_ = false;
    if (moveHandler_) moveHandler_(pendingMove_);
}

// One clock paces both the folded moves and the screen: a frame handles the
// latest move and shows what it drew in the same turn of the event loop.
// While the mouse keeps moving, its own events run the frames once a refresh
// has passed; the timer only catches the last move when the mouse stops, so
// carrying a card wakes the program no more often than the mouse does.
void Presenter::requestFrame() {
    if (inFrame_) return;
    const qint64 since = lastFrame_.isValid() ? lastFrame_.elapsed() : kFrameMs;
    if (since >= kFrameMs)
        runFrame();
    else if (!frameTimer_.isActive())
        frameTimer_.start(int(kFrameMs - since + kFrameLateMs));
}

void Presenter::runFrame() {
    frameTimer_.stop();
    if (!movePending_ && unshown_.isEmpty()) return;
    inFrame_ = true;
    lastFrame_.restart();
    handlePendingMove();
    showUnshown();
    inFrame_ = false;
}

void Presenter::showUnshown() {
    if (unshown_.isEmpty()) return;
    if (canPresentDirectly()) {
        // The framebuffer and the native window count device pixels.
        const int k = scaleOf(surfaces_.window);
        shm_->present(surfaces_.window, devicePixels(unshown_, k),
                      view_.mapTo(&window_, QPoint(0, 0)) * k);
        behindBackingStore_ |= unshown_.boundingRect();
    } else {
        // The backing store catches up on everything shown past it.
        view_.repaint(view_.toWindow(unshown_) + std::exchange(behindBackingStore_, QRect()));
    }
    unshown_ = QRegion();
}

bool Presenter::canPresentDirectly() const {
    // At a whole number of device pixels a pixel, as the framebuffer holds
    // them; a fractional ratio or a zoom is scaled by the backing store's
    // painter.
    return shm_ && !view_.keyOutGreen() && view_.zoom() == 1.0 &&
           view_.devicePixelRatio() == scaleOf(surfaces_.window) &&
           shm_->showsIn(window_.windowHandle()) && shm_->owns(surfaces_.window) &&
           logicalRect(surfaces_.window).contains(unshown_.boundingRect()) &&
           view_.rect().contains(unshown_.boundingRect());
}

// Direct presents leave the backing store behind the screen. The window
// system only asks for the backing store again when part of the window comes
// back into view; have those parts drawn again first.
bool Presenter::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Expose && watched == window_.windowHandle() &&
        !behindBackingStore_.isEmpty())
        view_.update(std::exchange(behindBackingStore_, QRect()));
    return false;
}

}  // namespace fusefuda
