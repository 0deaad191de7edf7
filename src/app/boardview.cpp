#include "app/boardview.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/seethrough.h"
#include "render/surfaces.h"

namespace fusefuda {

BoardView::BoardView(Surfaces &surfaces, QWidget *parent) : QWidget(parent), surfaces_(surfaces) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setCursor(Qt::ArrowCursor);
}

void BoardView::setKeyOutGreen(bool on) {
    if (on == keyOutGreen_) return;
    keyOutGreen_ = on;
    update();
}

void BoardView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &r : event->region()) {
        const QRect shown = r.intersected(surfaces_.window.rect());
        // Before the surfaces exist, and beyond the framebuffer while a resize
        // is on its way, the area is plain black.
        if (shown != r) painter.fillRect(r, Qt::black);
        if (shown.isEmpty()) continue;
        if (keyOutGreen_)
            painter.drawImage(shown.topLeft(), fusefuda::keyOutGreen(surfaces_.window, shown));
        else
            painter.drawImage(shown.topLeft(), surfaces_.window, shown);
    }
}

void BoardView::resizeEvent(QResizeEvent *) { emit resized(width(), height()); }

// The window has no double-click style: a second quick click is a press.
void BoardView::press(QMouseEvent *event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->button() == Qt::LeftButton)
        emit mouse(MouseKind::LeftPress, event->position().toPoint(), shift);
    else if (event->button() == Qt::RightButton)
        emit mouse(MouseKind::RightPress, event->position().toPoint(), shift);
}

void BoardView::mousePressEvent(QMouseEvent *event) { press(event); }
void BoardView::mouseDoubleClickEvent(QMouseEvent *event) { press(event); }

void BoardView::mouseReleaseEvent(QMouseEvent *event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->button() == Qt::LeftButton)
        emit mouse(MouseKind::LeftRelease, event->position().toPoint(), shift);
    else if (event->button() == Qt::RightButton)
        emit mouse(MouseKind::RightRelease, event->position().toPoint(), shift);
}

void BoardView::mouseMoveEvent(QMouseEvent *event) {
    emit mouse(MouseKind::Move, event->position().toPoint(), false);
}

}  // namespace fusefuda
