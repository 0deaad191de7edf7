// The client area of the main window: shows the window framebuffer, at the
// zoom as large as it is, and passes the mouse on in board pixels of the
// client area.
#pragma once

#include <QWidget>
#include <functional>

namespace fusefuda {

struct Surfaces;

enum class MouseKind { Move, LeftPress, LeftRelease, RightPress, RightRelease, MiddlePress };

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(Surfaces &surfaces, QWidget *parent = nullptr);

    // With the see-through background on a compositing desktop, pure green is
    // presented as transparent.
    void setKeyOutGreen(bool on);
    bool keyOutGreen() const { return keyOutGreen_; }

    // Window pixels a board pixel (game/zoom.h).
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // The client point, in board pixels from the view, under a point of the
    // view; and the view's pixels that show a part of the client area,
    // rounded out.
    QPoint toClient(QPointF position) const;
    QPoint toWindow(QPoint client) const;
    QRegion toWindow(const QRegion &client) const;

    // Whether a mouse event was made of a finger's touch, which is played
    // as a touch.
    static bool fromTouch(const QMouseEvent *event);

    // What a screen reader is told: the name (true) or the description.
    std::function<QString(bool name)> speech;
    // The focus card's accessible object, a child of the board's; 0 for none.
    unsigned cardAccessible = 0;

signals:
    void resized(int width, int height);
    void mouse(fusefuda::MouseKind kind, QPoint position, bool shift);
    // Ctrl + wheel and the touchpad's pinch: zoom steps (game/zoom.h) about
    // a point of the view.
    void zoomSteps(double steps, QPointF at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool event(QEvent *event) override;

private:
    void press(QMouseEvent *event);
    bool copyToBackingStore(const QRegion &region);
    bool coveredByFramebuffer(const QRegion &region) const;
    void paintZoomed(QPainter &painter, const QRegion &region);

    Surfaces &surfaces_;
    bool keyOutGreen_ = false;
    double zoom_ = 1.0;
};

}  // namespace fusefuda
