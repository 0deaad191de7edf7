// The game's main window as the window tests drive it: over a settings file of
// its own in a fresh folder, the About box of a first start answered.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/mainwindow.h"
#include "app/menu.h"

namespace fusefuda::testing {

inline std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

struct App {
    explicit App(const std::string &settings = "[Kov_Section]\r\nkanpa=1\r\n",
                 bool settleAfterStartUp = true) {
        if (!settings.empty()) {
            std::ofstream out(ini(), std::ios::binary);
            out << settings;
        }
        AppSetup setup;
        setup.executablePath = dir.filePath("fusefuda").toStdString();
        setup.userConfigFolder = dir.filePath("user").toStdString();
        window = std::make_unique<MainWindow>(setup);
        window->show();
        // A first start runs the About box modally: answer it with its OK
        // button, as a player would, from inside its own loop.
        QTimer answer;
        answer.setInterval(0);
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) return;
            ++modalDialogsAnswered;
            for (QPushButton *button : modal->findChildren<QPushButton *>())
                if (button->isDefault() || button->text() == QStringLiteral("OK")) {
                    button->click();
                    return;
                }
            if (auto *dialog = qobject_cast<QDialog *>(modal)) dialog->accept();
        });
        answer.start();
        window->startUp();
        answer.stop();
        if (settleAfterStartUp) settle();
    }
    std::string ini() const { return dir.filePath("fusefuda.ini").toStdString(); }
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    GameState &g() { return window->state(); }
    void run(int command) { window->commands().run(command); }
    bool checked(int command) { return window->menu().entry(command)->isChecked(); }
    bool undoEnabled() { return window->menu().entry(kCmdUndo)->isEnabled(); }

    QTemporaryDir dir;
    std::unique_ptr<MainWindow> window;
    int modalDialogsAnswered = 0;
};

}  // namespace fusefuda::testing
