#include "app/boardinput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTouchEvent>
#include <QMouseEvent>
#include <QWindow>
#include <utility>

#include "app/boardpointer.h"
#include "app/overviewmode.h"
#include "app/presenter.h"
#include "game/input.h"
#include "game/keys.h"

namespace fusefuda {

BoardInput::BoardInput(Play &play, BoardView &view, QWidget &window, BoardPointer &pointer,
                       Presenter &presenter, OverviewMode &overview,
                       std::function<void()> afterEvent)
    : play_(play),
      view_(view),
      window_(window),
      pointer_(pointer),
      presenter_(presenter),
      overview_(overview),
      afterEvent_(afterEvent),
      touch_(play, std::move(afterEvent)) {
    connect(&view_, &BoardView::mouse, this, &BoardInput::mouse);
    presenter_.setMoveHandler([this](QPoint p) { handle(MouseKind::Move, p, false); });
}

void BoardInput::attach() {
    window_.windowHandle()->installEventFilter(this);
    view_.installEventFilter(this);
}

void BoardInput::mouse(MouseKind kind, QPoint position, bool shift) {
    if (!active_) return;
    if (holding_) {
        held_.push_back({kind, position, shift});
        return;
    }
    const QPoint p = pointer_.keepInside(position);
    if (kind == MouseKind::Move) {
        presenter_.foldMove(p);
        return;
    }
    // A press or release comes after the moves before it.
    presenter_.handlePendingMove();
    handle(kind, p, shift);
}

void BoardInput::holdWhile(const std::function<void()> &command) {
    if (holding_) {
        command();
        return;
    }
    holding_ = true;
    command();
    holding_ = false;
    for (const Held &event : std::exchange(held_, {}))
        mouse(event.kind, event.position, event.shift);
}

void BoardInput::handle(MouseKind kind, QPoint p, bool shift) {
    // A group or peek held by a key is the keyboard's until it lets go.
    if (!active_ || keysHold(play_.g)) return;
    if (kind == MouseKind::MiddlePress || overview_.shown()) {
        if (kind == MouseKind::MiddlePress)
            overview_.toggle();
        else if (kind == MouseKind::LeftPress)
            overview_.click(p);
        afterEvent_();
        return;
    }
    pointer_.eventBegins();
    switch (kind) {
    case MouseKind::Move: onMouseMove(play_, p.x(), p.y()); break;
    case MouseKind::LeftPress: onLeftPress(play_, p.x(), p.y(), shift); break;
    case MouseKind::LeftRelease: onLeftRelease(play_, p.x(), p.y()); break;
    case MouseKind::RightPress: onRightPress(play_, p.x(), p.y()); break;
    case MouseKind::RightRelease: onRightRelease(play_, p.x(), p.y()); break;
    case MouseKind::MiddlePress: break;
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

namespace {

bool boardKey(int qtKey, bool shift, BoardKey &key) {
    switch (qtKey) {
    case Qt::Key_Up: key = BoardKey::Up; return true;
    case Qt::Key_Right: key = BoardKey::Right; return true;
    case Qt::Key_Down: key = BoardKey::Down; return true;
    case Qt::Key_Left: key = BoardKey::Left; return true;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: key = BoardKey::Lift; return true;
    case Qt::Key_Escape: key = BoardKey::PutBack; return true;
    case Qt::Key_J: key = BoardKey::Join; return true;
    case Qt::Key_P: key = BoardKey::Peek; return true;
    case Qt::Key_R: key = BoardKey::Raise; return true;
    case Qt::Key_7: key = BoardKey::Sevens; return true;
    // Shift + Tab comes as Backtab; Tab with Shift held is taken alike.
    case Qt::Key_Tab: key = shift ? BoardKey::BackTab : BoardKey::Tab; return true;
    case Qt::Key_Backtab: key = BoardKey::BackTab; return true;
    default: return false;
    }
}

bool isTouch(QEvent::Type type) {
    return type == QEvent::TouchBegin || type == QEvent::TouchUpdate ||
           type == QEvent::TouchEnd || type == QEvent::TouchCancel;
}

}  // namespace

bool BoardInput::key(const QKeyEvent &event) {
    BoardKey key;
    const Qt::KeyboardModifiers mods = event.modifiers();
    // Alt and the menu's access keys belong to the menu bar.
    if (!active_ || (mods & (Qt::AltModifier | Qt::MetaModifier)) ||
        !boardKey(event.key(), mods & Qt::ShiftModifier, key))
        return false;
    // While the overview is shown no key acts on the board; Escape leaves
    // the overview by its own shortcut.
    if (overview_.shown()) return true;
    // Escape is the board's only while a key carries a group.
    if (key == BoardKey::PutBack && !play_.g.keyFocus.carrying) return false;
    presenter_.handlePendingMove();
    if (event.type() == QEvent::KeyRelease) {
        onKeyRelease(play_, key);
    } else {
        KeyModifiers modifiers;
        modifiers.longStep = mods & Qt::ShiftModifier;
        modifiers.pull = mods & Qt::ControlModifier;
        onKeyPress(play_, key, modifiers);
    }
    afterEvent_();
    return true;
}

// A peek held by a key ends when the board loses the keyboard, whose release
// would go elsewhere.
void BoardInput::endKeyPeek() {
    if (!active_ || !play_.g.keyFocus.peeking) return;
    onKeyRelease(play_, BoardKey::Peek);
    afterEvent_();
}

bool BoardInput::eventFilter(QObject *watched, QEvent *event) {
    if (watched == &view_) {
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)
            return key(*static_cast<QKeyEvent *>(event));
        if (event->type() == QEvent::FocusOut) endKeyPeek();
        if (!isTouch(event->type())) return false;
        // Taken whole: Qt makes no mouse events of an accepted touch.
        event->accept();
        const auto &touch = *static_cast<QTouchEvent *>(event);
        // A finger on the overview is its click.
        if (active_ && overview_.shown()) {
            if (event->type() != QEvent::TouchBegin) return true;
            overview_.click(view_.toClient(touch.points().first().position()));
            afterEvent_();
        } else if (active_ && !keysHold(play_.g)) {
            touch_.touch(touch);
        }
        return true;
    }
    if (event->type() != QEvent::MouseMove || watched != window_.windowHandle() ||
        !movesGoStraightToView() || BoardView::fromTouch(static_cast<QMouseEvent *>(event)))
        return false;
    // Rounded in the window first, as the widgets' own delivery does.
    const QPointF inWindow = static_cast<QMouseEvent *>(event)->position();
    mouse(MouseKind::Move,
          view_.zoom() == 1.0 ? inWindow.toPoint() - view_.mapTo(&window_, QPoint(0, 0))
                              : view_.toClient(inWindow - view_.mapTo(&window_, QPointF(0, 0))),
          false);
    return true;
}

}  // namespace fusefuda
