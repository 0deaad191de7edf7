// The client area of the main window: shows the window framebuffer and
// passes the mouse on.
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

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void press(QMouseEvent *event);
    bool copyToBackingStore(const QRegion &region);
    bool coveredByFramebuffer(const QRegion &region) const;

    Surfaces &surfaces_;
    bool keyOutGreen_ = false;
};

}  // namespace fusefuda
