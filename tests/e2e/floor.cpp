// The floor the running-game measurement holds the game against: what Qt
// itself costs on this machine for a window of the game's size that follows
// every mouse move and draws nothing of its own. Started and driven exactly
// as the game is, so that the ratio of the two says what the game adds.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

class Floor : public QWidget {
protected:
    // Handled, so that a move costs what delivering it to a widget costs.
    void mouseMoveEvent(QMouseEvent *event) override { event->accept(); }
};

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    Floor floor;
    floor.setWindowTitle(QStringLiteral("floor"));
    floor.setMouseTracking(true);
    floor.setFixedSize(1024, 768);
    floor.show();
    return app.exec();
}
