#include "app/mainwindow.h"

#include <QTimer>
#include <ctime>

#include "app/boardview.h"
#include "game/starting.h"
#include "render/painting.h"

namespace fusefuda {

MainWindow::MainWindow() {
    setWindowTitle(QStringLiteral("伏せ札ジグソー"));
    view_ = new BoardView(surfaces_, this);
    setCentralWidget(view_);
    setStartingValues(state_);
    createSurfaces(surfaces_, state_.cardPattern, state_.backgroundPattern, 1024, 768);
    connect(view_, &BoardView::resized, this, [this](int w, int h) {
        resizeWindowSurface(surfaces_, w, h);
        repaintAll();
    });
    resize(1024, 768);
    invalidateWindow();
}

void MainWindow::invalidateWindow() {
    if (repaintPending_) return;
    repaintPending_ = true;
    QTimer::singleShot(0, this, [this] { repaintAll(); });
}

void MainWindow::repaintAll() {
    repaintPending_ = false;
    paintWindow(ctx_);
    present();
}

void MainWindow::present() {
    if (surfaces_.dirty.isEmpty()) return;
    view_->update(surfaces_.dirty);
    surfaces_.dirty = QRegion();
}

void MainWindow::presentNow() {
    if (surfaces_.dirty.isEmpty()) return;
    view_->repaint(surfaces_.dirty);
    surfaces_.dirty = QRegion();
}

int64_t MainWindow::currentTime() { return int64_t(std::time(nullptr)); }

}  // namespace fusefuda
