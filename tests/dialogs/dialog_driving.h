// Driving the modal dialogs from inside their own event loops.
#pragma once

#include <QApplication>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>

#include <gtest/gtest.h>

#include "dialogs/templatedialog.h"
#include "support/table.h"

namespace fusefuda::testing {

inline ModalDialog *activeDialog() {
    return qobject_cast<ModalDialog *>(QApplication::activeModalWidget());
}

inline void clickOk(QWidget *dialog) {
    QPushButton *ok = controlById<QPushButton>(dialog, 1);
    if (ok != nullptr) QTest::mouseClick(ok, Qt::LeftButton);
}

// Types text into a control as key presses that carry the characters, the
// way a keyboard layout delivers them, one character (not one UTF-16 unit)
// per key.
inline void typeText(QWidget *control, const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString character(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) character += text.at(++i);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(control, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
        QApplication::sendEvent(control, &release);
    }
}

// Escape as the player gives it: to the focused control, from which it
// reaches the dialog, and to the dialog itself.
inline void pressEscape(QWidget *dialog) {
    QWidget *focus = dialog->focusWidget();
    if (focus != nullptr) QTest::keyClick(focus, Qt::Key_Escape);
    QTest::keyClick(dialog, Qt::Key_Escape);
}

// Runs action on the modal dialog that the code under test opens next, from
// inside that dialog's event loop. Whatever the action does, the dialog is
// then closed through OK, so that a failing test cannot hang.
inline void whenDialogOpens(std::function<void(ModalDialog *)> action) {
    QTimer::singleShot(0, [action] {
        ModalDialog *dialog = activeDialog();
        if (dialog == nullptr) {
            ADD_FAILURE() << "no modal dialog is open";
            return;
        }
        action(dialog);
        if (dialog->isVisible()) clickOk(dialog);
    });
}

// What the dialog tests read and set up.
inline QString u(const char *utf8) { return QString::fromUtf8(utf8); }
inline QString textOf(QWidget *dialog, int id) {
    QLineEdit *box = controlById<QLineEdit>(dialog, id);
    return box != nullptr ? box->text() : QStringLiteral("<no control %1>").arg(id);
}
inline QStringList labelTexts(QWidget *dialog) {
    QStringList texts;
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (!label->text().isEmpty()) texts << label->text();
    return texts;
}

// The beginner board of the summary's worked example: 10 cards never
// touched, 4 once, 2 twice, the 4 sevens settled.
inline void setBeginnerExample(Table &t) {
    t.deal(3);
    GameState &g = t.g();
    int n = 0;
    for (int c = 4; c <= 8; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (c == 6) {
                g.board.touchCount[c][r] = 3;
                continue;
            }
            g.board.touchCount[c][r] = n < 10 ? 0 : n < 14 ? 1 : 2;
            ++n;
        }
    }
    g.finalScore = 1240;  // as the game's end counts it
}

inline void expectStaysOpen(ModalDialog *dialog) {
    pressEscape(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(activeDialog(), dialog);
}

}  // namespace fusefuda::testing
