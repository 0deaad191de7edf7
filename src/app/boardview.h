// The client area of the main window: shows the window framebuffer and
// passes the mouse to the game.
#pragma once

#include <QWidget>

namespace fusefuda {

struct Surfaces;

class BoardView : public QWidget {
    Q_OBJECT
public:
    explicit BoardView(Surfaces &surfaces, QWidget *parent = nullptr);

signals:
    void resized(int width, int height);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Surfaces &surfaces_;
};

}  // namespace fusefuda
