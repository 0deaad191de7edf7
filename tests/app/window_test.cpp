// The board view in the real window: the pointer, the overview, the faces, the
// see-through background, presenting, the file chooser and the fingers.
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
