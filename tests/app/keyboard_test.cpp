// The keyboard on the real window: the menu keys, Tab, held keys, and what a screen
// reader is told of a card.
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
                {Qt::Key_F1, Qt::NoModifier, kCmdHowToPlay},
                {Qt::Key_Equal, Qt::ControlModifier, kCmdZoomIn},
                {Qt::Key_Minus, Qt::ControlModifier, kCmdZoomOut},
                {Qt::Key_0, Qt::ControlModifier, kCmdActualSize},
                {Qt::Key_9, Qt::ControlModifier, kCmdFitBoard}};
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
