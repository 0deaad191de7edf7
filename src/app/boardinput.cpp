#include "app/boardinput.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include "app/boardpointer.h"
#include "app/presenter.h"
#include "game/input.h"

namespace fusefuda {

BoardInput::BoardInput(Play &play, BoardView &view, QWidget &window, BoardPointer &pointer,
                       Presenter &presenter, std::function<void()> afterEvent)
    : play_(play),
      view_(view),
      window_(window),
      pointer_(pointer),
      presenter_(presenter),
      afterEvent_(std::move(afterEvent)) {
    connect(&view_, &BoardView::mouse, this, &BoardInput::mouse);
    presenter_.setMoveHandler([this](QPoint p) { handle(MouseKind::Move, p, false); });
}

void BoardInput::attach() { window_.windowHandle()->installEventFilter(this); }

void BoardInput::mouse(MouseKind kind, QPoint position, bool shift) {
    if (!active_) return;
    const QPoint p = pointer_.keepInside(position);
    if (kind == MouseKind::Move) {
        presenter_.foldMove(p);
        return;
    }
    // A press or release comes after the moves before it.
    presenter_.handlePendingMove();
    handle(kind, p, shift);
}

void BoardInput::handle(MouseKind kind, QPoint p, bool shift) {
    if (!active_) return;
    pointer_.eventBegins();
    switch (kind) {
    case MouseKind::Move: onMouseMove(play_, p.x(), p.y()); break;
    case MouseKind::LeftPress: onLeftPress(play_, p.x(), p.y(), shift); break;
    case MouseKind::LeftRelease: onLeftRelease(play_, p.x(), p.y()); break;
    case MouseKind::RightPress: onRightPress(play_, p.x(), p.y()); break;
    case MouseKind::RightRelease: onRightRelease(play_, p.x(), p.y()); break;
    }
    pointer_.eventEnds();
    afterEvent_();
}

// While the board view holds the mouse, Qt's widgets deliver every move to
// it wherever the pointer is, and to nothing else: no hover, no enter or
// leave, no tool tip while a button is held. Getting there costs a search for
// the child under the pointer, two mappings through the screen and the
// delivery itself, on each of the hundreds of moves a second of a carry.
bool BoardInput::movesGoStraightToView() const {
    return QWidget::mouseGrabber() == &view_ && view_.isEnabled() &&
           QApplication::activePopupWidget() == nullptr &&
           QGuiApplication::modalWindow() == nullptr;
}

bool BoardInput::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::MouseMove || watched != window_.windowHandle() ||
        !movesGoStraightToView())
        return false;
    // Rounded in the window first, as the widgets' own delivery does.
    mouse(MouseKind::Move,
          static_cast<QMouseEvent *>(event)->position().toPoint() -
              view_.mapTo(&window_, QPoint(0, 0)),
          false);
    return true;
}

}  // namespace fusefuda
