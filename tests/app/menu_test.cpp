// The menu bar: its entries, marks and handlers, as the window shows and runs them.
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

namespace {
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
                              {"全画面表示(&F)", 40042},
                              {"拡大(&L)", 40043},
                              {"縮小(&S)", 40044},
                              {"等倍(100%)(&D)", 40045},
                              {"ウィンドウに合わせる(&T)", 40046}});
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
