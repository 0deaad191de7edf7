// The window from start to shut-down: the settings it reads and keeps, its place, its
// timers and sound, full screen, the record kept on leaving and the name old tools read.
#include <SDL.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QTemporaryDir>
#include <array>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>

#include "app/mainwindow.h"
#include "app_driving.h"
#include "app/shortcuts.h"
#include "app/seethrough.h"
#include "audio/audio.h"
#include "assets/catalogue.h"
#include "platform/filechooser.h"
#include "platform/wmname.h"
#include "game/board.h"
#include "game/deal.h"
#include "game/keys.h"
#include "game/overlays.h"
#include "game/overview.h"
#include "game/undo.h"

using namespace fusefuda;
using fusefuda::testing::App;
using fusefuda::testing::slurp;

TEST(StartUp, FirstRunMarksTheAboutBoxShownAndShutDownWritesTheFile) {
    App app("");
    EXPECT_EQ(app.g().aboutShown, 1);
    app.run(kCmdExit);
    EXPECT_TRUE(app.window->quitRequested());
    app.window->shutDown();
    const std::string text = slurp(app.ini());
    EXPECT_NE(text.find("\r\nkanpa=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Kov_Section]\r\nscore0=1500\r\n"), std::string::npos);
    // Shut-down runs once: a second call does not write again.
    std::remove(app.ini().c_str());
    app.window->shutDown();
    EXPECT_TRUE(slurp(app.ini()).empty());
}

TEST(StartUp, StoredOptionsOpenTheScoreWindowAndPickThePictures) {
    App app("[Kov_Section]\r\nkanpa=1\r\nPrintScoreF=1\r\nbackP=3\r\ncardP=2\r\n");
    EXPECT_EQ(app.modalDialogsAnswered, 0);  // no About box on a later start
    ASSERT_NE(app.window->childWindows().scoreWindow(), nullptr);
    EXPECT_TRUE(app.window->childWindows().scoreWindow()->isVisible());
    EXPECT_TRUE(app.checked(kCmdBackground3));
    EXPECT_TRUE(app.checked(kCmdCards2));
    EXPECT_TRUE(app.checked(kCmdShowScore));
    EXPECT_EQ(app.g().backgroundPattern, 3);
}

TEST(StartUp, CloseBoxLeavesThroughShutDownAndKeepsChanges) {
    App app;
    app.run(kCmdSound);
    app.window->close();
    EXPECT_TRUE(app.window->quitRequested());
    app.window->shutDown();
    EXPECT_NE(slurp(app.ini()).find("\r\nSoundF=0\r\n"), std::string::npos);
}

TEST(StartUp, SettingsThatWereNeverReadAreNeverWritten) {
    QTemporaryDir dir;
    const std::string ini = dir.filePath("fusefuda.ini").toStdString();
    {
        std::ofstream out(ini, std::ios::binary);
        out << "[Kov_Section]\r\nscore0=9999\r\n";
    }
    AppSetup setup;
    setup.executablePath = dir.filePath("fusefuda").toStdString();
    MainWindow window(setup);
    window.shutDown();  // ended before start-up ran (a signal at launch)
    EXPECT_EQ(slurp(ini), "[Kov_Section]\r\nscore0=9999\r\n");
}

TEST(StartUp, TheWindowStartsTopLeftAndStaysWhereItIsPutWhenShownAgain) {
    App app;
    EXPECT_EQ(app.window->pos(), QPoint(0, 0));
    app.window->move(300, 200);
    // Minimised and restored, or hidden and shown.
    app.window->hide();
    app.window->show();
    App::settle();
    EXPECT_EQ(app.window->pos(), QPoint(300, 200));
}

// A kept place off the screen opens wholly on it; shut-down keeps the last.
TEST(StartUp, TheKeptPlaceOpensOnTheScreenAndShutDownKeepsTheLastOne) {
    App app("[Kov_Section]\r\nkanpa=1\r\n[Fusefuda]\r\nwindowX=5000\r\nwindowY=3000\r\n"
            "windowWidth=4000\r\nwindowHeight=3000\r\n");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(app.window->frameGeometry(), screen);
    app.window->move(30, 20);
    app.window->shutDown();
    const std::string kept = "X=30\r\nwindowY=20\r\nwindowWidth=" + std::to_string(screen.width());
    EXPECT_NE(slurp(app.ini()).find(kept), std::string::npos);
}

TEST(StartUp, ANameEntryKeepsTheTableAtOnce) {
    // A quit asked for by an earlier test in this process would end every
    // dialog's loop at once; running the main loop clears it.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
    App app;
    app.run(kCmdBeginner);
    app.window->runIdle();  // the deal
    // Untouched but for the sevens: 16 x 100 reaches the top of the table.
    app.g().finalScore = 1600;  // as the game's end counts it
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (auto *name = modal->findChild<QLineEdit *>(QStringLiteral("1008")))
            if (name->text().isEmpty()) name->setText(QStringLiteral("HANA"));
        // Clicked from the event loop: the summary's OK runs the name entry's
        // own loop, in which this timer must fire again.
        if (auto *ok = modal->findChild<QPushButton *>(QStringLiteral("1")))
            QTimer::singleShot(0, ok, &QPushButton::click);
    });
    answer.start();
    app.window->runScoreSummary();
    answer.stop();
    ASSERT_EQ(app.g().highScores[0], 1600);
    // No shut-down: the file already holds the new entry.
    const std::string text = slurp(app.ini());
    EXPECT_NE(text.find("\r\nscore0=1600\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\nname0=HANA\r\n"), std::string::npos) << text;
}

TEST(StartUp, AStatisticsResetIsWrittenAtOnce) {
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });  // clears an earlier quit
    QCoreApplication::exec();
    App app("[Kov_Section]\r\nkanpa=1\r\n[Statistics]\r\nbeginnerDealt=5\r\n");
    ASSERT_EQ(app.g().statistics.levels[0].dealt, 5);
    int step = 0;  // 1 once the reset is asked for, 2 once it is confirmed
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            for (QAbstractButton *b : box->buttons())
                if (step == 1 && box->buttonRole(b) == QMessageBox::YesRole) b->click();
            step = 2;
        } else if (auto *reset = modal ? modal->findChild<QPushButton *>("reset") : nullptr) {
            if (step == 0) QTimer::singleShot(0, reset, &QPushButton::click);
            if (step == 2) qobject_cast<QDialog *>(modal)->accept();
            step = std::max(step, 1);
        }
    });
    answer.start();
    app.run(kCmdStatistics);
    answer.stop();
    ASSERT_EQ(app.g().statistics, Statistics{});
    // No shut-down: the file already holds the reset.
    EXPECT_NE(slurp(app.ini()).find("\r\nbeginnerDealt=0\r\n"), std::string::npos);
}

TEST(StartUp, UsingTheBlockedWindowBringsAMinimisedDialogBack) {
    App app;
    QDialog modal(app.window.get());
    modal.setModal(true);
    modal.show();
    modal.setWindowState(Qt::WindowMinimized);
    App::settle();
    ASSERT_TRUE(modal.isMinimized());
    QApplication::setActiveWindow(app.window.get());
    App::settle();
    EXPECT_FALSE(modal.isMinimized());
    EXPECT_TRUE(modal.isVisible());
}

TEST(Timers, RunOnlyWhileSomethingAgesByThem) {
    App app;
    MainWindow &w = *app.window;
    PhaseTimers &timers = w.timers();
    auto running = [&] {
        return std::pair(timers.popupTimerRunning(), timers.sparkleTimerRunning());
    };
    const auto none = std::pair(false, false);
    EXPECT_EQ(running(), none) << "before a game";
    w.commands().run(kCmdBeginner);
    EXPECT_EQ(app.g().dealPending, 0);
    EXPECT_EQ(running(), none) << "on a still board";

    spawnScorePopup(w.play(), 200, 200, 0);
    w.runIdle();
    EXPECT_EQ(running(), std::pair(true, false));
    for (int flip = 1; flip <= 3; ++flip) {
        EXPECT_TRUE(timers.popupTimerRunning()) << flip;
        timers.popupTick();
    }
    EXPECT_EQ(running(), none) << "the popup has gone";

    spawnSparkle(app.g(), 600, 600, 0);
    w.runIdle();
    EXPECT_EQ(running(), std::pair(false, true));
    for (int flip = 1; flip <= 5; ++flip) timers.sparkleTick();
    EXPECT_EQ(running(), none) << "the sparkle has gone";

    // A deal waiting behind a modal dialog, and a won board.
    QDialog modal(&w);
    modal.setModal(true);
    modal.show();
    app.g().dealPending = 1;
    w.runIdle();
    EXPECT_EQ(running(), std::pair(false, true));
    modal.hide();
    w.runIdle();
    EXPECT_EQ(running(), none);
    app.g().gameOver = 1;
    w.runIdle();
    EXPECT_TRUE(timers.sparkleTimerRunning());
}

// SDL's audio thread wakes for every buffer while a device is open, so a game
// that has made no sound has none open.
TEST(Sound, TheAudioDeviceOpensOnlyWhenSomethingIsToBeHeard) {
    struct Case {
        const char *music;
        std::function<void(MainWindow &)> firstSound;
        bool openAtStartUp;
    };
    const std::vector<Case> cases = {
        {"bgmF=0", [](MainWindow &w) { w.playEffect(kPeekSound); }, false},
        {"bgmF=0", [](MainWindow &w) { w.commands().run(kCmdMusic); }, false},
        {"bgmF=1", [](MainWindow &) {}, true},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(i);
        App app(std::string("[Kov_Section]\r\nkanpa=1\r\n") + cases[i].music + "\r\n", false);
        // Start-up leaves the audio alone: the window never waits for it.
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "opened before the first frame";
        App::settle();
        // It loads after the first frame, on a thread of its own; asking
        // waits for that thread.
        EXPECT_EQ(audioDeviceOpen(app.window->audio()), cases[i].openAtStartUp);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO) != 0, cases[i].openAtStartUp);
        app.run(kCmdAdvanced);
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO) != 0, cases[i].openAtStartUp) << "after a deal";
        cases[i].firstSound(*app.window);
        EXPECT_NE(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    }
}

TEST(Timers, ModalDialogsPauseTheIdleStepButNotThePhases) {
    App app;
    app.run(kCmdBeginner);
    spawnScorePopup(app.window->play(), 200, 200, 0);
    app.window->timers().popupTick();
    EXPECT_EQ(app.g().overlays.popups[0].age, 1);
    QDialog modal(app.window.get());
    modal.setModal(true);
    modal.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    app.window->timers().popupTick();
    app.window->timers().popupTick();
    app.window->timers().popupTick();
    EXPECT_EQ(app.g().overlays.popups[0].age, 1);
    EXPECT_NE(app.g().phases.popupPhase, app.g().phases.popupPhaseSeen);
    modal.hide();
    app.window->runIdle();
    EXPECT_EQ(app.g().overlays.popups[0].age, 2);
}

// Kept in the game's own section, restored full screen at the next start,
// and the key leaves it.
TEST(FullScreen, TheOptionIsKeptRestoredAndSwitchedByItsKey) {
    App app("[Kov_Section]\r\nkanpa=1\r\n[Fusefuda]\r\nfullScreen=1\r\n");
    EXPECT_TRUE(app.window->isFullScreen());
    EXPECT_TRUE(app.checked(kCmdFullScreen));
    QApplication::setActiveWindow(app.window.get());
    QTest::keyClick(app.window.get(), Qt::Key_F11);
    EXPECT_FALSE(app.window->isFullScreen());
    EXPECT_FALSE(app.checked(kCmdFullScreen));
    app.window->showFullScreen();  // as the window system may do it
    EXPECT_TRUE(app.checked(kCmdFullScreen));
    app.window->showNormal();
    app.window->shutDown();
    EXPECT_NE(slurp(app.ini()).find("\r\nfullScreen=0\r\n"), std::string::npos);
}

// Without the resume option a game left at the end of the run is lost, as
// one left for a new game is: the record counts it unfinished.
TEST(Statistics, LeavingADealtGameCountsItUnfinishedOnlyWithoutResume) {
    for (const int resume : {1, 0}) {
        App app("[Kov_Section]\r\nkanpa=1\r\n[Fusefuda]\r\nresume=" + std::to_string(resume) +
                "\r\n");
        app.run(kCmdIntermediate);
        app.window->close();
        app.window->shutDown();
        GameState back;
        readSettings(back, app.window->settingsLocation());
        EXPECT_EQ(back.statistics.levels[statisticsSlot(kIntermediate)].unfinished, 1 - resume);
    }
}

// Old tools read WM_NAME in the locale's encoding; a STRING one has no room
// for Japanese.
TEST(WindowName, OnlyALatin1NameTakesTheRomanisedTitle) {
    const QString title = QStringLiteral("伏せ札ジグソー");
    EXPECT_FALSE(legacyNameHolds(true, title));
    EXPECT_TRUE(legacyNameHolds(false, title));
    EXPECT_TRUE(legacyNameHolds(true, QStringLiteral("Fusefuda")));
}
