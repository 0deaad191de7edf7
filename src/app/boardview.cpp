#include "app/boardview.h"

#include <QPaintEvent>
#include <QPainter>

#include "render/surfaces.h"

namespace fusefuda {

BoardView::BoardView(Surfaces &surfaces, QWidget *parent) : QWidget(parent), surfaces_(surfaces) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

void BoardView::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect &r : event->region())
        painter.drawImage(r.topLeft(), surfaces_.window, r);
}

void BoardView::resizeEvent(QResizeEvent *) { emit resized(width(), height()); }

}  // namespace fusefuda
