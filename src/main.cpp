#include <fontconfig/fontconfig.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>
#include <cstdlib>
#include <thread>

#include "app/boardaccess.h"
#include "app/language.h"
#include "app/mainwindow.h"
#include "app/seethrough.h"
#include "app/style.h"
#include "dialogs/dialogunits.h"
#include "playfile/resume.h"

namespace {

int signalPipe[2] = {-1, -1};

// Only async-signal-safe work here: the main loop picks the byte up and
// leaves through the ordinary shut-down.
void onTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void catchTermination() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
}

}  // namespace

int main(int argc, char *argv[]) {
    // The menu bar's text waits for fontconfig to read its configuration and
    // caches, some milliseconds that a second core can spend while Qt
    // connects to the display. Qt finds it read when it first lays out text.
    std::thread fonts([] { FcInit(); });
    // Dialog and menu text is set in this face; Debian's fontconfig has no
    // alias for it, and IPA P Gothic has the same metrics.
    fusefuda::installDialogFont();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("fusefuda"));
    // Only a screen reader's question makes the board's accessible object.
    fusefuda::BoardAccess::install();
    QApplication::setFont(fusefuda::dialogFont());
    // The desktop's style, with the menu bar's unused icon left unread.
    if (QStyle *base = QStyleFactory::create(QApplication::style()->name()))
        QApplication::setStyle(new fusefuda::GameStyle(base));
    // Japanese, or English for a desktop that speaks another language; Qt's
    // own file choosers and message boxes speak it like the rest.
    const auto translators = fusefuda::translatorsFor(
        fusefuda::interfaceLanguageFor(fusefuda::localeVariablesOfProcess()));
    for (const auto &translator : translators)
        QCoreApplication::installTranslator(translator.get());
    catchTermination();

    fusefuda::AppSetup setup;
    setup.executablePath = QCoreApplication::applicationFilePath().toStdString();
    setup.userConfigFolder =
        QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation).toStdString();
    setup.seeThrough = fusefuda::compositorPresent();
    setup.dataFolder = fusefuda::dataFolderFor(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));

    fonts.join();
    fusefuda::MainWindow window(setup);
    if (signalPipe[0] >= 0) {
        auto *notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &window);
        QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
            char bytes[16];
            while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
            }
            window.requestQuit();
        });
    }
    // A session that ends may not wait for the loop to wind down: keep the
    // settings first, then leave normally if the session lets us.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager &) { window.saveSettings(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &window,
                     [&window] { window.shutDown(); });

    // The window is on screen before start-up builds the surfaces, as it was
    // visible when start-up ran; start-up then runs on the loop's first turn.
    window.show();
    QTimer::singleShot(0, &window, [&window] { window.startUp(); });
    // Menu commands by number, one a turn of the loop once the game has
    // started, for tests where nothing can send input: a headless Wayland
    // compositor takes none from outside.
    const QList<QByteArray> commands = qgetenv("FUSEFUDA_COMMANDS").split(' ');
    for (const QByteArray &command : commands) {
        bool ok = false;
        const int number = command.toInt(&ok);
        if (ok) QTimer::singleShot(0, &window,
                               [&window, number] { window.commands().run(number); });
    }
    app.exec();
    window.shutDown();
    return 0;
}
