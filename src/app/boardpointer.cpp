#include "app/boardpointer.h"

#include <QGuiApplication>
#include <QPixmap>
#include <algorithm>

#include "app/boardview.h"
#include "assets/catalogue.h"

namespace fusefuda {

namespace {

// Wayland lets no client move the pointer; asking only earns a warning. The
// game's own clamping keeps a carried card in the window.
void movePointer(const QPoint &global) {
    if (!QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
        QCursor::setPos(global);
}

}  // namespace

BoardPointer::BoardPointer(BoardView &view) : view_(view) {}

void BoardPointer::confine(int left, int top, int right, int bottom) {
    confinement_ = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
    confined_ = true;
    // Without a button held the pointer could otherwise leave the window and
    // its moves would go elsewhere.
    if (view_.isVisible()) view_.grabMouse();
    keepInside(view_.toClient(view_.mapFromGlobal(QPointF(QCursor::pos()))));
}

void BoardPointer::release() {
    confined_ = false;
    if (QWidget::mouseGrabber() == &view_) view_.releaseMouse();
}

QPoint BoardPointer::clamped(QPoint p) const {
    if (!confined_) return p;
    const int x = std::clamp(p.x(), confinement_.left(),
                             std::max(confinement_.left(), confinement_.right()));
    const int y = std::clamp(p.y(), confinement_.top(),
                             std::max(confinement_.top(), confinement_.bottom()));
    return {x, y};
}

QPoint BoardPointer::keepInside(QPoint position) {
    const QPoint inside = clamped(position);
    if (inside != position) movePointer(view_.mapToGlobal(view_.toWindow(inside)));
    return inside;
}

void BoardPointer::loadGrabCursor(int scale) {
    const QImage hand = loadPicture(kCursorPicture, scale);
    grabCursor_ =
        hand.isNull() ? QCursor(Qt::ClosedHandCursor) : QCursor(QPixmap::fromImage(hand), 0, 0);
    if (grabShown_) view_.setCursor(grabCursor_);
}

void BoardPointer::showGrab() {
    wantGrab_ = true;
    if (!grabShown_) {
        view_.setCursor(grabCursor_);
        grabShown_ = true;
    }
}

void BoardPointer::eventEnds() {
    if (wantGrab_ == grabShown_) return;
    view_.setCursor(wantGrab_ ? grabCursor_ : QCursor(Qt::ArrowCursor));
    grabShown_ = wantGrab_;
}

}  // namespace fusefuda
