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

namespace {

std::string slurp(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A main window over a settings file of its own in a fresh folder.
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

struct Entry {
    QString text;  // empty for a separator
    int command;   // 0 for a submenu or separator
};

std::vector<Entry> entriesOf(QMenu *menu) {
    std::vector<Entry> out;
    for (QAction *a : menu->actions())
        out.push_back({a->isSeparator() ? QString() : a->text(),
                       a->menu() ? 0 : a->data().toInt()});
    return out;
}

QMenu *submenu(QMenuBar *bar, int index) { return bar->actions().at(index)->menu(); }

void expectEntries(QMenu *menu, const std::vector<Entry> &expected) {
    const std::vector<Entry> actual = entriesOf(menu);
    ASSERT_EQ(actual.size(), expected.size()) << menu->title().toStdString();
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].text, expected[i].text) << i;
        EXPECT_EQ(actual[i].command, expected[i].command) << actual[i].text.toStdString();
    }
}

}  // namespace

TEST(Menu, EntriesCaptionsAccessKeysAndOrder) {
    App app;
    QMenuBar *bar = app.window->menuBar();
    QStringList titles;
    for (QAction *a : bar->actions()) titles << a->text();
    EXPECT_EQ(titles, (QStringList{"ファイル(&F)", "編集(&E)", "機能(&K)", "その他(&Y)",
                                   "ヘルプ(&H)"}));
    QMenu *file = submenu(bar, 0);
    expectEntries(file, {{"新規ゲーム(&N)", 0},
                         {"番号を指定して新規ゲーム(&D)...", 40030},
                         {"プレイファイルを開く(&O)", 40013},
                         {"プレイファイルを保存する(&S)", 40014},
                         {"", 0},
                         {"終了(&X)", 40001}});
    expectEntries(file->actions().at(0)->menu(),
                  {{"初級(&L)", 40010}, {"中級(&M)", 40011}, {"上級(&T)", 40012}});
    expectEntries(submenu(bar, 1), {{"元に戻す(&U)", 40028},
                                    {"", 0},
                                    {"カードの上下入れ替え(&U)", 40008}});
    QMenu *functions = submenu(bar, 2);
    expectEntries(functions, {{"効果音(&B)", 40023},
                              {"ガイド表示(&G)", 40022},
                              {"スコア表示(&W)", 40009},
                              {"アニメーション表示(&A)", 40029},
                              {"BGM再生・停止(&I)", 40024},
                              {"背景(&Z)", 0},
                              {"カード(&C)", 0},
                              {"覗き見モード(&M)", 40027},
                              {"4色のスート(&4)", 40040},
                              {"前回のゲームを再開(&R)", 40031},
                              {"", 0},
                              {"全体表示(&O)", 40041},
                              {"全画面表示(&F)", 40042}});
    expectEntries(functions->actions().at(5)->menu(), {{"パターン１(&1)", 40017},
                                                      {"パターン２(&2)", 40018},
                                                      {"パターン３(&3)", 40019},
                                                      {"透明(WinXP)(&4)", 40026}});
    expectEntries(functions->actions().at(6)->menu(),
                  {{"パターン１(&1)", 40020}, {"パターン２(&2)", 40021}});
    expectEntries(submenu(bar, 3), {{"スコア(&P)", 40004}, {"統計(&T)", 40032}});
    expectEntries(submenu(bar, 4),
                  {{"遊び方(&H)", 40049}, {"キー操作(&K)", 40050}, {"バージョン情報(&V)", 40002}});
    // Only undo is ever greyed; music has no mark.
    EXPECT_FALSE(app.window->menu().entry(kCmdMusic)->isCheckable());
    for (QAction *a : app.window->menu().byCommand)
        if (a && a->data().toInt() != kCmdUndo) {
            EXPECT_TRUE(a->isEnabled());
        }
}

TEST(Menu, MarksAfterStartUpWithDefaults) {
    App app;
    EXPECT_TRUE(app.checked(kCmdSound));
    EXPECT_TRUE(app.checked(kCmdGuide));
    EXPECT_FALSE(app.checked(kCmdShowScore));
    EXPECT_TRUE(app.checked(kCmdAnimation));
    EXPECT_TRUE(app.checked(kCmdBackground1));
    EXPECT_FALSE(app.checked(kCmdBackground2));
    EXPECT_FALSE(app.checked(kCmdSeeThrough));
    EXPECT_TRUE(app.checked(kCmdCards1));
    EXPECT_FALSE(app.checked(kCmdCards2));
    EXPECT_FALSE(app.checked(kCmdPeekMode));
    EXPECT_FALSE(app.undoEnabled());
    EXPECT_EQ(app.window->childWindows().scoreWindow(), nullptr);
}

TEST(Menu, UndoIsGreyedExactlyWhileNoSnapshotExists) {
    App app;
    auto consistent = [&](const char *when) {
        EXPECT_EQ(app.undoEnabled(), app.g().undoStore.undoDepth > 0) << when;
    };
    consistent("start-up");
    app.run(kCmdAdvanced);
    EXPECT_EQ(app.g().dealPending, 0) << "the deal runs right after the command";
    EXPECT_EQ(app.g().undoStore.undoDepth, 0);
    consistent("deal");
    // A press on the sevens and a drop, through the window's own routing.
    const QPoint seven(472 + 20, 150 + 20);
    app.window->input().mouse(MouseKind::LeftPress, seven, false);
    app.window->input().mouse(MouseKind::Move, seven + QPoint(30, 0), false);
    app.window->input().mouse(MouseKind::LeftRelease, seven + QPoint(30, 0), false);
    consistent("move");
    app.g().undoStore.undoDepth = 3;
    app.window->updateMenuMarks();
    consistent("snapshots");
    EXPECT_TRUE(app.undoEnabled());
    app.run(kCmdUndo);
    consistent("undo");
    app.run(kCmdBeginner);
    EXPECT_EQ(app.g().undoStore.undoDepth, 0);
    consistent("second deal");
}

// A chooser's event loop can pass on a press and a drop made after it closed:
// they wait for the command's end and act on the board it leaves.
TEST(Menu, MouseEventsDuringACommandActOnTheBoardItLeaves) {
    App app;
    BoardInput &input = app.window->input();
    const QPoint seven(472 + 20, 150 + 20);
    input.holdWhile([&] {
        input.mouse(MouseKind::LeftPress, seven, false);
        input.mouse(MouseKind::Move, seven + QPoint(30, 0), false);
        input.mouse(MouseKind::LeftRelease, seven + QPoint(30, 0), false);
        EXPECT_EQ(app.g().undoStore.undoDepth, 0) << "no game yet: the press would be lost";
        app.run(kCmdAdvanced);
    });
    EXPECT_EQ(app.g().undoStore.undoDepth, 1) << "the drop came after the deal";
}

TEST(Menu, OutOfRangeStoredOptionsAreOffButTheGuideAndAFlipTurnsThemOn) {
    App app("[Kov_Section]\r\nkanpa=1\r\nbackP=7\r\ncardP=5\r\nguide=2\r\nSoundF=3\r\n"
            "PrintScoreF=9\r\nPrintHikariF=-1\r\n");
    for (int command : {kCmdBackground1, kCmdBackground2, kCmdBackground3, kCmdSeeThrough,
                        kCmdCards1, kCmdCards2, kCmdSound, kCmdShowScore, kCmdAnimation})
        EXPECT_FALSE(app.checked(command)) << command;
    // The guide is drawn unless 0, so its mark shows; only 1 opens the score window.
    EXPECT_TRUE(app.checked(kCmdGuide));
    EXPECT_EQ(app.window->childWindows().scoreWindow(), nullptr);

    for (int command : {kCmdGuide, kCmdSound, kCmdShowScore, kCmdAnimation})
        app.run(command);
    EXPECT_FALSE(app.g().guideOn);
    EXPECT_TRUE(app.g().soundOn);
    EXPECT_TRUE(app.g().scoreDisplayOn);
    EXPECT_TRUE(app.g().animationOn);
    EXPECT_FALSE(app.checked(kCmdGuide));
    for (int command : {kCmdSound, kCmdShowScore, kCmdAnimation})
        EXPECT_TRUE(app.checked(command)) << command;
    EXPECT_NE(app.window->childWindows().scoreWindow(), nullptr);

    app.run(kCmdCards2);
    EXPECT_EQ(app.g().cardPattern, 2);
    EXPECT_TRUE(app.checked(kCmdCards2));
    EXPECT_FALSE(app.checked(kCmdCards1));

    // The music entry flips but carries no mark.
    app.run(kCmdMusic);
    EXPECT_EQ(app.g().bgmOn, 0);
    app.run(kCmdMusic);
    EXPECT_EQ(app.g().bgmOn, 1);
}

TEST(Menu, BackgroundSwitchRepaintsFromTheNewPicture) {
    App app;
    for (int command : {kCmdBackground3, kCmdBackground3, kCmdSeeThrough, kCmdBackground2}) {
        app.run(command);
        App::settle();
        const int pattern = app.g().backgroundPattern;
        EXPECT_EQ(pattern, command == kCmdSeeThrough ? 4 : command - kCmdBackground1 + 1);
        EXPECT_TRUE(app.checked(command));
        int marks = 0;
        for (int c : {kCmdBackground1, kCmdBackground2, kCmdBackground3, kCmdSeeThrough})
            marks += app.checked(c);
        EXPECT_EQ(marks, 1);
        // The window shows the background at the view, fresh from the switch.
        Surfaces &s = app.window->surfaces();
        QImage shown(200, 100, QImage::Format_RGB32);
        backgroundBlt(shown, 0, 0, 200, 100, s.background, app.g().viewX, app.g().viewY);
        EXPECT_EQ(s.window.copy(0, 0, 200, 100), shown);
    }
    // Without a compositor the green stays green.
    EXPECT_FALSE(app.window->boardView()->keyOutGreen());
}

TEST(Menu, ScoreAndPeekWindowsOpenAtTheirPlacesAndClose) {
    App app;
    app.run(kCmdBeginner);
    app.run(kCmdShowScore);
    QWidget *score = app.window->childWindows().scoreWindow();
    ASSERT_NE(score, nullptr);
    EXPECT_TRUE(score->isVisible());
    EXPECT_EQ(score->frameGeometry().topLeft(), QPoint(896, 726));
    EXPECT_EQ(score->frameGeometry().size(), QSize(118, 34));
    EXPECT_TRUE(app.checked(kCmdShowScore));
    app.run(kCmdShowScore);
    App::settle();
    EXPECT_EQ(app.window->childWindows().scoreWindow(), nullptr);

    app.run(kCmdPeekMode);
    QWidget *peek = app.window->childWindows().peekWindow();
    ASSERT_NE(peek, nullptr);
    EXPECT_EQ(peek->frameGeometry().topLeft(), QPoint(5, 640));
    EXPECT_TRUE(app.checked(kCmdPeekMode));
    app.run(kCmdPeekMode);
    EXPECT_EQ(app.window->childWindows().peekWindow(), nullptr);
    EXPECT_FALSE(app.checked(kCmdPeekMode));
}

TEST(Menu, AnimationOffDropsShownSparklesAndRepaints) {
    App app;
    app.run(kCmdBeginner);
    App::settle();
    spawnSparkle(app.g(), 1000, 700, 0);
    spawnSparkle(app.g(), 1100, 700, 0);
    app.run(kCmdAnimation);
    for (const Sparkle &s : app.g().overlays.sparkles) EXPECT_EQ(s.active, 0);
    EXPECT_EQ(app.g().overlays.sparkles[0].stepping, 1);  // still ages out
    // The repaint is pending and runs on the next turn of the loop.
    Surfaces &s = app.window->surfaces();
    s.window.fill(0xFF00FF00u);
    App::settle();
    EXPECT_NE(s.window.pixel(5, 5) | 0xFF000000u, 0xFF00FF00u);
}

// Each entry's action goes to its own handler, as its number does.
TEST(Menu, EachEntryRunsItsOwnHandler) {
    App app;
    using Check = bool (*)(const GameState &before, const GameState &after);
    const struct {
        int command;
        Check done;
    } cases[] = {
        {kCmdIntermediate, [](auto &, auto &g) { return g.level == kIntermediate; }},
        {kCmdBeginner, [](auto &, auto &g) { return g.level == kBeginner; }},
        {kCmdAdvanced, [](auto &, auto &g) { return g.level == kAdvanced; }},
        {kCmdSwapLayers,
         [](auto &b, auto &g) { return g.board.stackColumn[0] == b.board.stackColumn[51]; }},
        {kCmdUndo,
         [](auto &b, auto &g) { return g.board.stackColumn[0] == b.board.stackColumn[51]; }},
        {kCmdSound, [](auto &, auto &g) { return g.soundOn == 0; }},
        {kCmdGuide, [](auto &, auto &g) { return g.guideOn == 0; }},
        {kCmdShowScore, [](auto &, auto &g) { return g.scoreDisplayOn == 1; }},
        {kCmdAnimation, [](auto &, auto &g) { return g.animationOn == 0; }},
        {kCmdMusic, [](auto &, auto &g) { return g.bgmOn == 0; }},
        {kCmdBackground3, [](auto &, auto &g) { return g.backgroundPattern == 3; }},
        {kCmdSeeThrough, [](auto &, auto &g) { return g.backgroundPattern == 4; }},
        {kCmdBackground2, [](auto &, auto &g) { return g.backgroundPattern == 2; }},
        {kCmdBackground1, [](auto &, auto &g) { return g.backgroundPattern == 1; }},
        {kCmdCards2, [](auto &, auto &g) { return g.cardPattern == 2; }},
        {kCmdCards1, [](auto &, auto &g) { return g.cardPattern == 1; }},
        {kCmdPeekMode, [](auto &, auto &g) { return g.peekModeOn; }},
    };
    for (const auto &c : cases) {
        const GameState before = app.g();
        app.window->menu().entry(c.command)->trigger();
        EXPECT_TRUE(c.done(before, app.g())) << c.command;
    }
}

// The overview's command shows it; every other command leaves it first.
TEST(Menu, TheOverviewCommandShowsItAndAnyOtherLeavesIt) {
    App app;
    app.run(kCmdAdvanced);
    app.run(kCmdOverview);
    EXPECT_TRUE(app.window->overview().shown());
    app.run(kCmdSound);
    EXPECT_FALSE(app.window->overview().shown());
}

TEST(Menu, UnknownCommandNumbersAreIgnored) {
    App app;
    const GameState before = app.g();
    for (int command : {0, 40000, 40003, 40005, 40015, 40016, 40025, 40033, 65535, -1})
        app.run(command);
    EXPECT_FALSE(app.window->quitRequested());
    EXPECT_EQ(app.g().gameStarted, before.gameStarted);
    EXPECT_EQ(app.g().backgroundPattern, before.backgroundPattern);
    EXPECT_EQ(app.g().soundOn, before.soundOn);
}

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

TEST(Pointer, ConfinementClampsPositionsAndTheHandCursorLastsUntilTheNextEvent) {
    App app;
    BoardView *view = app.window->boardView();
    app.window->pointer().confine(10, 20, 100, 200);
    app.window->input().mouse(MouseKind::Move, QPoint(500, -40), false);
    EXPECT_EQ(view->mapFromGlobal(QCursor::pos()), QPoint(99, 20));
    app.window->input().mouse(MouseKind::Move, QPoint(50, 60), false);
    EXPECT_EQ(view->mapFromGlobal(QCursor::pos()), QPoint(99, 20));  // inside: left alone
    app.window->pointer().release();
    app.window->input().mouse(MouseKind::Move, QPoint(500, 400), false);
    EXPECT_EQ(view->mapFromGlobal(QCursor::pos()), QPoint(99, 20));

    app.window->pointer().showGrab();
    EXPECT_TRUE(app.window->pointer().grabShown());
    EXPECT_NE(view->cursor().shape(), Qt::ArrowCursor);
    app.window->input().mouse(MouseKind::Move, QPoint(300, 300), false);
    app.window->presenter().handlePendingMove();
    EXPECT_FALSE(app.window->pointer().grabShown());
    EXPECT_EQ(view->cursor().shape(), Qt::ArrowCursor);
}

TEST(Overview, WhileShownNoPressOrKeyActsAndPopupsWaitAClickPutsTheViewThere) {
    App app;
    app.run(kCmdAdvanced);
    GameState &g = app.g();
    spawnScorePopup(app.window->play(), 100, 100, 0);
    const GameState before = g;
    BoardInput &input = app.window->input();
    const QPoint seven(472 + 20, 150 + 20);
    input.mouse(MouseKind::MiddlePress, seven, false);
    ASSERT_TRUE(app.window->overview().shown());
    for (MouseKind kind : {MouseKind::RightPress, MouseKind::Move, MouseKind::RightRelease})
        input.mouse(kind, seven, false);
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
    QApplication::sendEvent(app.window->boardView(), &space);
    app.window->timers().popupTick();
    EXPECT_EQ(g.board, before.board);
    EXPECT_EQ(g.overlays, before.overlays) << "the popup aged over the overview";

    const OverviewFrame f = overviewFrame(g.clientWidth, g.clientHeight);
    const QPoint corner(f.left + f.width - 1, f.top + f.height - 1);
    input.mouse(MouseKind::LeftPress, corner, false);
    input.mouse(MouseKind::LeftRelease, corner, false);
    EXPECT_FALSE(app.window->overview().shown());
    EXPECT_EQ(QPoint(g.viewX, g.viewY), QPoint(kViewXMax, kViewYMax));
    EXPECT_EQ(g.board, before.board) << "the click also pressed the board";
    app.window->runIdle();
    EXPECT_EQ(g.overlays.popups[0].age, 1) << "the popup waited, then aged";
    input.mouse(MouseKind::MiddlePress, seven, false);
    const std::unique_ptr<QPointingDevice> finger(QTest::createTouchDevice());
    QTest::touchEvent(app.window->boardView(), finger.get()).press(0, {f.left, 0});
    EXPECT_EQ(QPoint(g.viewX, g.viewY), QPoint(0, 0)) << "a finger on the overview";
}

// The option switches the faces at once, on the board and in the peek
// window, and back.
TEST(FourColour, EveryFaceAndThePeekWindowSwitchAtOnce) {
    App app;
    app.run(kCmdAdvanced);
    app.run(kCmdPeekMode);
    const int k = app.window->surfaces().scale;
    app.window->input().mouse(MouseKind::Move, QPoint(492, 150 + 3 * kPitchY + 40), false);
    app.window->presenter().handlePendingMove();
    const QRect diamonds(6 * kPitchX * k, 3 * kPitchY * k, kCardWidth * k, kCardHeight * k);
    const QRect onBoard = diamonds.translated((472 - 6 * kPitchX) * k, 150 * k);
    auto sevenOfDiamonds = [&](Picture p) { return loadPicture(p, k).copy(diamonds); };
    for (const bool on : {true, false}) {
        app.run(kCmdFourColour);
        App::settle();
        EXPECT_EQ(app.checked(kCmdFourColour), on);
        EXPECT_EQ(app.window->surfaces().window.copy(onBoard),
                  sevenOfDiamonds(on ? kFourColourSettledFacesPicture : kSettledFacesPicture));
        QLabel *peek = app.window->childWindows().peekWindow()->findChild<QLabel *>();
        EXPECT_EQ(peek->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
                  sevenOfDiamonds(on ? kFourColourFacesPicture : kFacesPicture));
    }
}

TEST(SeeThrough, OnlyPureGreenBecomesTransparent) {
    QImage frame(4, 1, QImage::Format_RGB32);
    frame.setPixel(0, 0, 0xFF00FF00u);
    frame.setPixel(1, 0, 0xFF00FE00u);
    frame.setPixel(2, 0, 0xFF01FF00u);
    frame.setPixel(3, 0, 0xFF00FF00u);
    const QImage out = keyOutGreen(frame, QRect(0, 0, 3, 1));
    ASSERT_EQ(out.size(), QSize(3, 1));
    EXPECT_EQ(qAlpha(out.pixel(0, 0)), 0);
    EXPECT_EQ(out.pixel(1, 0), 0xFF00FE00u);
    EXPECT_EQ(out.pixel(2, 0), 0xFF01FF00u);
    // Offscreen has no compositor to show through to.
    EXPECT_FALSE(compositorPresent());
}

TEST(BoardViewPainting, ShowsTheFramebufferWhereverItIsPainted) {
    App app;
    BoardView *view = app.window->boardView();
    Surfaces &s = app.window->surfaces();
    for (int y = 0; y < s.window.height(); ++y)
        for (int x = 0; x < s.window.width(); ++x)
            s.window.setPixel(x, y, 0xFF000000u | (uint32_t(x * 131 + y * 7919) & 0xFFFFFFu));
    // Rendered into an image at an offset, as a grab or the backing store
    // receives it: every pixel lands where the framebuffer has it.
    QImage target(view->width() + 40, view->height() + 30, QImage::Format_RGB32);
    target.fill(Qt::white);
    view->render(&target, QPoint(40, 30));
    EXPECT_EQ(target.copy(40, 30, view->width(), view->height()),
              s.window.copy(0, 0, view->width(), view->height()));
    const QImage grabbed = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(grabbed, s.window.copy(0, 0, view->width(), view->height()));
    // And on screen: the window's backing store, below the menu bar.
    view->repaint();
    const QPoint at = view->mapTo(app.window.get(), QPoint(0, 0));
    ASSERT_GT(at.y(), 0);
    const QImage screen = QGuiApplication::primaryScreen()
                              ->grabWindow(app.window->winId(), at.x(), at.y(), 300, 200)
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(screen, s.window.copy(0, 0, 300, 200));
}

TEST(Pointer, MovesThatWaitAreHandledBeforeTheReleaseThatFollows) {
    App app;
    app.run(kCmdBeginner);
    app.window->runIdle();  // the deal
    // Every other card to the window's left edge, whatever the deal, so that
    // no join moves the carried column.
    GameState &g = app.g();
    for (int c = 4; c <= 8; ++c)
        for (int r = 0; r < kRows; ++r)
            if (c != kSevensColumn)
                g.board.cardRect[c][r] = {g.viewX, g.viewY + 300, g.viewX + kPitchX,
                                          g.viewY + 300 + kPitchY};
    // The sevens' column, carried by the seven of spades.
    app.window->input().mouse(MouseKind::LeftPress, QPoint(502, 200), false);
    ASSERT_EQ(app.g().gesture.dragging, 1) << "the press picked nothing up";
    // Right, inside the window on the 800 x 600 screen of the tests.
    for (int x = 512; x <= 750; x += 2)
        app.window->input().mouse(MouseKind::Move, QPoint(x, 200), false);
    app.window->input().mouse(MouseKind::LeftRelease, QPoint(750, 200), false);
    EXPECT_EQ(app.g().gesture.dragging, 0);
    EXPECT_EQ(app.g().board.cardRect[6][0].left - app.g().viewX, 720);
    EXPECT_EQ(app.g().board.cardRect[6][3].top - app.g().viewY, 150 + 3 * kPitchY);
}

// While a card is carried, the window hands its moves to the game itself
// instead of through Qt's widgets: they must arrive as the widgets would
// deliver them, in the board view's coordinates, and not while a modal
// window blocks the game.
TEST(Pointer, CarriedMovesTakenFromTheWindowArriveAsTheWidgetsWouldSendThem) {
    App app;
    app.run(kCmdBeginner);
    app.window->input().mouse(MouseKind::LeftPress, QPoint(502, 200), false);
    ASSERT_EQ(app.g().gesture.dragging, 1) << "the press picked nothing up";
    BoardView *view = app.window->boardView();
    ASSERT_EQ(QWidget::mouseGrabber(), view);
    QWindow *window = app.window->windowHandle();
    const auto moveInWindow = [&](QPoint inView) {
        const QPointF at = view->mapTo(app.window.get(), inView);
        QMouseEvent move(QEvent::MouseMove, at, at, view->mapToGlobal(inView), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &move);
        app.window->presenter().handlePendingMove();
    };
    const auto place = [&] {
        return QPoint(app.g().board.cardRect[6][0].left, app.g().board.cardRect[6][0].top);
    };
    app.window->input().mouse(MouseKind::Move, QPoint(560, 200), false);
    app.window->presenter().handlePendingMove();
    const QPoint before = place();
    moveInWindow(QPoint(600, 230));
    EXPECT_EQ(place(), before + QPoint(40, 30));

    QDialog modal(app.window.get());
    modal.setWindowModality(Qt::ApplicationModal);
    modal.show();
    moveInWindow(QPoint(640, 260));
    EXPECT_EQ(place(), before + QPoint(40, 30));
    modal.hide();
    moveInWindow(QPoint(640, 260));
    EXPECT_EQ(place(), before + QPoint(80, 60));
    app.window->input().mouse(MouseKind::LeftRelease, QPoint(640, 260), false);
}

TEST(FileChooser, TheAllFilesFilterShowsNamesWithoutADot) {
    QWidget owner;
    QStringList labels, shown;
    QTimer look;
    look.setInterval(0);
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog) return;
        look.stop();
        labels = dialog->nameFilters();
        // Chosen by the player from the list of types.
        if (auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"))) {
            types->setCurrentIndex(1);
            emit types->activated(1);
            emit types->textActivated(types->itemText(1));
        }
        if (auto *model = dialog->findChild<QFileSystemModel *>()) shown = model->nameFilters();
        dialog->reject();
    });
    look.start();
    EXPECT_EQ(chooseOpenPlayFile(&owner), "");
    EXPECT_EQ(labels, (QStringList{"Play files(*.pvq)", "All Files(*.*)"}));
    EXPECT_EQ(shown, QStringList{"*"});
}

// Fingers on a touch screen through the view, as the buttons: a carry, a tap
// that holds, a still finger that peeks, two fingers that pull the view; a
// mouse event made of a touch does nothing.
TEST(Fingers, OneFingerCarriesTapsHoldAStillFingerPeeksTwoPullNothingActsTwice) {
    enum Gesture { Carry, Tap, Hold, Pull, MouseFromTouch };
    const struct {
        Gesture gesture;
        int moved, touches, viewX, undo;
        bool inHand;
    } cases[] = {{Carry, 40, 1, 481, 1, false}, {Tap, 0, 1, 481, 1, true},
                 {Hold, 0, 1, 481, 1, false},   {Pull, 0, 0, 531, 0, false},
                 {MouseFromTouch, 0, 0, 481, 0, false}};
    // Released at the end, so that the sanitizer's leak check finds it gone.
    const std::unique_ptr<QPointingDevice> device(QTest::createTouchDevice());
    QPointingDevice *finger = device.get();
    for (const auto &k : cases) {
        App app;
        app.run(kCmdBeginner);
        BoardView *view = app.window->boardView();
        const int c = 4, r = 0;
        // on top, and where the touch screen (800 x 600 offscreen) reaches
        alignGroup(app.g(), app.g().viewX + 300, app.g().viewY + 300, cardId(c, r));
        raiseGroupInStack(app.g(), c, r);
        // the other cards but the sevens aside, so that no deal joins the carry
        for (int oc = 4; oc <= 8; ++oc)
            for (int orow = 0; orow < kRows; ++orow)
                if (oc != kSevensColumn && cardId(oc, orow) != cardId(c, r))
                    alignGroup(app.g(), app.g().viewX, app.g().viewY + 400, cardId(oc, orow));
        const Rect before = app.g().board.cardRect[c][r];
        const QPoint at(before.left + 31 - app.g().viewX, before.top + 50 - app.g().viewY);
        const QPoint far(10, 10), step(-25, 0);
        switch (k.gesture) {
        case Carry:
            QTest::touchEvent(view, finger).press(0, at).commit();
            QTest::touchEvent(view, finger).move(0, at + QPoint(40, 0)).commit();
            QTest::touchEvent(view, finger).release(0, at + QPoint(40, 0));
            break;
        case Tap:
            QTest::touchEvent(view, finger).press(0, at).commit();
            QTest::touchEvent(view, finger).release(0, at);
            break;
        case Hold:
            QTest::touchEvent(view, finger).press(0, at);
            EXPECT_TRUE(app.window->input().touch().holdTimer().isActive());
            app.window->input().touch().held();
            EXPECT_EQ(app.g().gesture.pressMode, kPressPeek);
            QTest::touchEvent(view, finger).release(0, at);
            break;
        case Pull:
            QTest::touchEvent(view, finger).press(0, far).press(1, far + QPoint(0, 9)).commit();
            QTest::touchEvent(view, finger).move(0, far + 2 * step).move(1, far + QPoint(0, 9) + 2 * step);
            QTest::touchEvent(view, finger).release(0, far).release(1, far);
            break;
        case MouseFromTouch: {
            QMouseEvent press(QEvent::MouseButtonPress, at, view->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier, finger);
            QApplication::sendEvent(view, &press);
        }
        }
        const GameState &g = app.g();
        EXPECT_EQ(g.board.cardRect[c][r].left - before.left, k.moved) << k.gesture;
        EXPECT_EQ(g.board.touchCount[c][r], k.touches) << k.gesture;
        EXPECT_EQ(g.viewX, k.viewX) << k.gesture;
        EXPECT_EQ(g.undoStore.undoDepth, k.undo) << k.gesture;
        EXPECT_EQ(g.gesture.dragging, k.inHand) << k.gesture;
        EXPECT_EQ(g.gesture.pressMode + g.gesture.panning + g.board.faceUp[c][r], 0) << k.gesture;
    }
}

// Each key runs its entry, once a press; none takes a key the board reads.
TEST(Shortcuts, EachKeyRunsItsOwnEntryOnceAndLeavesTheBoardsKeysAlone) {
    App app;
    QApplication::setActiveWindow(app.window.get());
    const MenuActions &menu = app.window->menu();
    std::map<int, int> fired;
    for (QAction *a : menu.byCommand)
        if (a) QObject::connect(a, &QAction::triggered, [&fired, a] { ++fired[a->data().toInt()]; });
    for (QAction *a : menu.byCommand)
        for (const QKeySequence &key : a ? a->shortcuts() : QList<QKeySequence>{}) {
            EXPECT_FALSE(a->autoRepeat()) << a->text().toStdString();
            const bool overview = a->data().toInt() == kCmdOverview;
            EXPECT_EQ(boardReads(key[0]), overview) << key.toString().toStdString();
        }
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int command;
    } rows[] = {{Qt::Key_N, Qt::ControlModifier, kCmdBeginner},
                {Qt::Key_O, Qt::ControlModifier, kCmdOpenPlayFile},
                {Qt::Key_S, Qt::ControlModifier, kCmdSavePlayFile},
                {Qt::Key_Q, Qt::ControlModifier, kCmdExit},
                {Qt::Key_Z, Qt::ControlModifier, kCmdUndo},
                {Qt::Key_F11, Qt::NoModifier, kCmdFullScreen},
                {Qt::Key_F1, Qt::NoModifier, kCmdHowToPlay}};
    // Seen firing without running: the choosers and windows would wait.
    app.window->commands().setActive(false);
    menu.entry(kCmdUndo)->setEnabled(true);
    for (const auto &row : rows) {
        fired.clear();
        QTest::keyClick(app.window.get(), row.key, row.modifiers);
        EXPECT_EQ(fired, (std::map<int, int>{{row.command, 1}})) << row.command;
        EXPECT_EQ(menu.entry(row.command)->shortcuts().value(0),
                  QKeySequence(QKeyCombination(row.modifiers, row.key)))
            << row.command;
    }

    // New Game deals the last level played; before any game, the beginner's.
    app.window->commands().setActive(true);
    EXPECT_FALSE(app.g().gameStarted);
    QTest::keyClick(app.window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(app.g().level, kBeginner);
    app.run(kCmdAdvanced);
    app.g().statistics = Statistics{};
    QTest::keyClick(app.window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(app.g().statistics.levels[statisticsSlot(kAdvanced)].dealt, 1);
    EXPECT_TRUE(menu.entry(kCmdBeginner)->shortcuts().isEmpty());
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

// Tab and Shift+Tab step the focus card, not Qt's focus chain; a held Tab once.
// An arrow with no card that way is said before the focus card.
TEST(Keys, TabStepsTheFocusCardOncePerPressAndADeadEndIsSaid) {
    App app;
    app.run(kCmdAdvanced);
    const int start = focusCard(app.g()), next = cardInReadingOrder(app.g(), start, true);
    for (const auto &[key, shift, repeat, expected] : {std::tuple{Qt::Key_Tab, false, false, next},
                                                       {Qt::Key_Tab, false, true, next},
                                                       {Qt::Key_Backtab, true, false, start}}) {
        const auto modifiers = shift ? Qt::ShiftModifier : Qt::NoModifier;
        QKeyEvent press(QEvent::KeyPress, key, modifiers, "", repeat);
        QApplication::sendEvent(app.window->boardView(), &press);
        EXPECT_EQ(focusCard(app.g()), expected) << key << repeat;
    }
    app.g().keyFocus.deadEnds = 1;
    EXPECT_TRUE(focusCardSpeech(app.g()).startsWith("その方向にカードはありません、スペードの7"));
}

// A key held down as the platforms repeat it: Qt's flagged release and press
// (Wayland), or more presses of a key not let go (X with detectable repeats),
// each delivered as Qt does, its shortcut first. Only arrows and typing repeat.
TEST(HeldKeys, ActOnceExceptTheArrowsAndTypingInATextField) {
    App app;
    GameState &g = app.g();
    QLineEdit field;
    int entered = 0, overviews = 0;
    QObject::connect(&field, &QLineEdit::returnPressed, [&] { ++entered; });
    QObject::connect(app.window->menu().entry(kCmdOverview), &QAction::triggered,
                     [&] { ++overviews; });
    const auto seen = [&] {
        return std::array{-g.board.score, overviews, g.viewX, int(field.text().size()), entered};
    };
    const struct {
        Qt::Key key;
        const char *text;
        int what, change;  // in seen(); from 3 on, typed into the field
    } rows[] = {{Qt::Key_P, "p", 0, 50}, {Qt::Key_Space, " ", 0, 50}, {Qt::Key_M, "m", 1, 1},
                {Qt::Key_Right, "", 2, 3 * kPullStep}, {Qt::Key_5, "5", 3, 3},
                {Qt::Key_Return, "\r", 4, 1}};
    ulong time = 0;
    for (const bool flagged : {true, false}) {
        for (const auto &row : rows) {
            if (app.window->overview().shown()) app.window->overview().toggle();
            app.run(kCmdBeginner);
            g.keyFocus.column = 4, g.keyFocus.row = 0;  // a face-down five
            const int before = seen()[row.what];
            QObject *to = row.what >= 3 ? static_cast<QObject *>(&field) : app.window->boardView();
            const auto mods = row.key == Qt::Key_Right ? Qt::ControlModifier : Qt::NoModifier;
            const auto send = [&](QEvent::Type type, bool repeat) {
                if (type == QEvent::KeyPress &&
                    qt_sendShortcutOverrideEvent(to, ++time, row.key, mods, row.text, repeat))
                    return;
                QKeyEvent key(type, row.key, mods, row.text, repeat);
                key.setTimestamp(type == QEvent::KeyPress ? time : ++time);
                QApplication::sendEvent(to, &key);
            };
            send(QEvent::KeyPress, false);
            for (int i = 0; i < 2; ++i)
                flagged ? send(QEvent::KeyRelease, true) : void(), send(QEvent::KeyPress, flagged);
            send(QEvent::KeyRelease, false);
            EXPECT_EQ(seen()[row.what] - before, row.change) << row.text << flagged;
        }
    }
    // A key let go while another program had the keyboard acts again, as
    // does one pressed after its repeats would have come.
    for (const ulong at : {1, 0, 991}) {
        KeyGuard guard;
        QKeyEvent p(QEvent::KeyPress, Qt::Key_P, Qt::NoModifier, 33, 0, 0, "p");
        guard.swallows(p, false);
        guard.keepHeld([&](quint32 code) { return at != 0 && code == 33; });
        p.setTimestamp(std::max(at, 1ul));
        EXPECT_EQ(guard.swallows(p, false), at == 1) << at;
    }
}

// Two cards that look alike (back, group, hand) sound alike to a screen
// reader, whatever their faces; a face shown is named.
TEST(Speech, AFaceDownCardSaysNoMoreThanItsBack) {
    App app;
    app.run(kCmdBeginner);
    GameState &g = app.g();
    mergeGroups(g, cardId(4, 0), cardId(4, 2)), mergeGroups(g, cardId(8, 3), cardId(8, 1));
    const struct {
        int touches;
        bool faceUp, carried, named;
    } rows[] = {{1, false, false, false}, {2, false, true, false}, {0, true, false, true},
                {kSpent, true, false, true}};
    for (const auto &row : rows) {
        QString heard[2];
        for (const int i : {0, 1}) {
            const int c = 4 + 4 * i, r = 3 * i;  // the five of spades, the nine of diamonds
            g.board.touchCount[c][r] = row.touches, g.board.faceUp[c][r] = row.faceUp;
            g.keyFocus.column = c, g.keyFocus.row = r, g.keyFocus.carrying = row.carried;
            heard[i] = focusCardSpeech(g) + standingSpeech(g);
        }
        EXPECT_EQ(heard[0] != heard[1], row.named) << heard[0].toStdString();
    }
}
