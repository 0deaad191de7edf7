#include <QApplication>

#include "app/mainwindow.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    fusefuda::MainWindow window;
    window.move(0, 0);
    window.show();
    return app.exec();
}
