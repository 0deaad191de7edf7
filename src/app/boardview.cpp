#include "app/boardview.h"

#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <cstring>

#include "app/seethrough.h"
#include "game/zoom.h"
#include "render/raster.h"
#include "render/surfaces.h"

namespace fusefuda {

namespace {

// Qt's painter shares a drawing of more rows than this among its pool of
// threads, which for a carry's small changes costs more in waking and
// waiting than the drawing itself.
constexpr int kBandDeviceRows = 64;

}  // namespace

BoardView::BoardView(Surfaces &surfaces, QWidget *parent) : QWidget(parent), surfaces_(surfaces) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The board takes the keys: play without a mouse.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_AcceptTouchEvents);
    setCursor(Qt::ArrowCursor);
}

void BoardView::setKeyOutGreen(bool on) {
    if (on == keyOutGreen_) return;
    keyOutGreen_ = on;
    update();
}

void BoardView::setZoom(double zoom) {
    if (zoom == zoom_) return;
    zoom_ = zoom;
    update();
}

// At 100 % a point as Qt rounds it, as ever.
QPoint BoardView::toClient(QPointF position) const {
    if (zoom_ == 1.0) return position.toPoint();
    return {windowToClient(position.x(), zoom_), windowToClient(position.y(), zoom_)};
}

QPoint BoardView::toWindow(QPoint client) const {
    return {clientToWindow(client.x(), zoom_), clientToWindow(client.y(), zoom_)};
}

// A pixel wider on each side than the scaled rectangle: the smooth filter
// reaches that far.
QRegion BoardView::toWindow(const QRegion &client) const {
    if (zoom_ == 1.0) return client;
    QRegion shown;
    for (const QRect &r : client) {
        const int left = int(std::floor(r.left() * zoom_)) - 1;
        const int top = int(std::floor(r.top() * zoom_)) - 1;
        const int right = int(std::ceil((r.right() + 1) * zoom_)) + 1;
        const int bottom = int(std::ceil((r.bottom() + 1) * zoom_)) + 1;
        shown += QRect(left, top, right - left, bottom - top);
    }
    return shown.intersected(rect());
}

// Copies the framebuffer straight into the window's backing store when that
// is a plain 32-bit image at one device pixel per pixel: the usual case, and
// several times cheaper than a painter, which hands large copies to helper
// threads. False when it cannot, and the painter does it.
bool BoardView::copyToBackingStore(const QRegion &region) {
    if (keyOutGreen_ || zoom_ != 1.0 || devicePixelRatio() != 1.0 || sharedPainter())
        return false;
    // While painting, the widget is redirected to the device that receives
    // it: the backing store, or an image or pixmap when the widget is grabbed.
    QPoint redirect;
    QPaintDevice *device = redirected(&redirect);
    if (!device || device->devType() != QInternal::Image) return false;
    QImage *target = static_cast<QImage *>(device);
    const QImage::Format format = target->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied &&
        format != QImage::Format_ARGB32)
        return false;
    if (target->devicePixelRatio() != 1.0) return false;
    const QPoint offset = -redirect;
    uchar *const intoBits = target->bits();
    const qsizetype intoStride = target->bytesPerLine();
    const uchar *const fromBits = surfaces_.window.constBits();
    const qsizetype fromStride = surfaces_.window.bytesPerLine();
    for (const QRect &r : region) {
        const QRect shown = r.intersected(surfaces_.window.rect());
        const QRect into = shown.translated(offset).intersected(target->rect());
        if (into.isEmpty()) continue;
        const QRect from = into.translated(-offset);
        // Framebuffer pixels are 0xFFRRGGBB, opaque in every accepted format.
        for (int y = 0; y < into.height(); ++y)
            std::memcpy(intoBits + (into.top() + y) * intoStride + into.left() * 4,
                        fromBits + (from.top() + y) * fromStride + from.left() * 4,
                        size_t(into.width()) * 4);
    }
    return true;
}

void BoardView::paintEvent(QPaintEvent *event) {
    if (coveredByFramebuffer(event->region()) && copyToBackingStore(event->region()))
        return;
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (zoom_ != 1.0) {
        paintZoomed(painter, event->region());
        return;
    }
    // The framebuffer holds k device pixels a pixel; a screen of a fractional
    // ratio gets it scaled down smoothly, not with dropped rows.
    const int k = scaleOf(surfaces_.window);
    if (k != devicePixelRatio()) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const QRect &r : event->region()) {
        const QRect shown = r.intersected(logicalRect(surfaces_.window));
        // Before the surfaces exist, and beyond the framebuffer while a resize
        // is on its way, the area is plain black.
        if (shown != r) painter.fillRect(r, Qt::black);
        if (shown.isEmpty()) continue;
        const QRect pixels = devicePixels(shown, k);
        if (keyOutGreen_)
            painter.drawImage(shown.topLeft(), fusefuda::keyOutGreen(surfaces_.window, pixels));
        else
            painter.drawImage(shown.topLeft(), surfaces_.window, pixels);
    }
}

// Each rectangle from the whole device pixels of the framebuffer under it,
// scaled smoothly and clipped to it: the filter reads past the source's
// edges, so the rectangles of one frame meet without seams.
void BoardView::paintZoomed(QPainter &painter, const QRegion &region) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QImage &frame = surfaces_.window;
    const int k = scaleOf(frame);
    const double perDevicePixel = zoom_ / k;
    const QRectF shown(QPointF(0, 0), QSizeF(logicalSize(frame)) * zoom_);
    // A small change is drawn in bands on this thread; a large one, such as
    // a zoom step, is worth the pool's threads.
    qint64 area = 0;
    for (const QRect &r : region) area += qint64(r.width()) * r.height();
    const int band = 2 * area < qint64(width()) * height()
                         ? std::max(1, int(kBandDeviceRows / devicePixelRatio()))
                         : height() + 1;
    for (const QRect &r : region) {
        painter.setClipRect(r);
        // Beyond the framebuffer while a resize is on its way: plain black.
        if (!shown.contains(QRectF(r))) painter.fillRect(r, Qt::black);
        const QRect pixels =
            QRectF(r.left() / perDevicePixel, r.top() / perDevicePixel,
                   r.width() / perDevicePixel, r.height() / perDevicePixel)
                .toAlignedRect()
                .intersected(frame.rect());
        if (pixels.isEmpty()) continue;
        const QRectF target(pixels.left() * perDevicePixel, pixels.top() * perDevicePixel,
                            pixels.width() * perDevicePixel, pixels.height() * perDevicePixel);
        const QImage green = keyOutGreen_ ? fusefuda::keyOutGreen(frame, pixels) : QImage();
        for (int top = r.top(); top <= r.bottom(); top += band) {
            painter.setClipRect(
                QRect(r.left(), top, r.width(), std::min(band, r.bottom() + 1 - top)));
            if (keyOutGreen_)
                painter.drawImage(target, green);
            else
                painter.drawImage(target, frame, pixels);
        }
    }
}

bool BoardView::coveredByFramebuffer(const QRegion &region) const {
    return logicalRect(surfaces_.window).contains(region.boundingRect());
}

void BoardView::resizeEvent(QResizeEvent *) { emit resized(width(), height()); }

// The window has no double-click style: a second quick click is a press.
void BoardView::press(QMouseEvent *event) {
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->button() == Qt::LeftButton)
        emit mouse(MouseKind::LeftPress, toClient(event->position()), shift);
    else if (event->button() == Qt::RightButton)
        emit mouse(MouseKind::RightPress, toClient(event->position()), shift);
    else if (event->button() == Qt::MiddleButton)
        emit mouse(MouseKind::MiddlePress, toClient(event->position()), shift);
}

// A finger's touch is played as a touch: a mouse event that the window
// system or Qt made of it would act a second time.
bool BoardView::fromTouch(const QMouseEvent *event) {
    return event->pointingDevice() &&
           event->pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
}

void BoardView::mousePressEvent(QMouseEvent *event) {
    if (!fromTouch(event)) press(event);
}
void BoardView::mouseDoubleClickEvent(QMouseEvent *event) {
    if (!fromTouch(event)) press(event);
}

void BoardView::mouseReleaseEvent(QMouseEvent *event) {
    if (fromTouch(event)) return;
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (event->button() == Qt::LeftButton)
        emit mouse(MouseKind::LeftRelease, toClient(event->position()), shift);
    else if (event->button() == Qt::RightButton)
        emit mouse(MouseKind::RightRelease, toClient(event->position()), shift);
}

void BoardView::mouseMoveEvent(QMouseEvent *event) {
    if (fromTouch(event)) return;
    emit mouse(MouseKind::Move, toClient(event->position()), false);
}

// A notch of a wheel is 120; a fine wheel or a touchpad sends parts of one.
void BoardView::wheelEvent(QWheelEvent *event) {
    if (!(event->modifiers() & Qt::ControlModifier) || event->angleDelta().y() == 0) {
        event->ignore();
        return;
    }
    emit zoomSteps(event->angleDelta().y() / 120.0, event->position());
}

bool BoardView::event(QEvent *event) {
    if (event->type() == QEvent::NativeGesture) {
        const auto *gesture = static_cast<QNativeGestureEvent *>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture && gesture->value() > -1) {
            emit zoomSteps(std::log1p(gesture->value()) / std::log(kZoomStep),
                           gesture->position());
            return true;
        }
    }
    return QWidget::event(event);
}

}  // namespace fusefuda
