#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QResizeEvent>

#include "assets/catalogue.h"
#include "dialogs/dialogs.h"
#include "dialogs/dialogunits.h"
#include "dialogs/templatedialog.h"

namespace fusefuda {

namespace {

// The small windows have a dialog frame and no caption. Window managers draw
// frames of their own sizes, so the frame is drawn inside the window and its
// owner's placement and size in pixels hold exactly.
constexpr int kFrameWidth = 3;

// A small window that floats over its owner without taking the keyboard from
// it.
void makeSmallWindow(QDialog *window, int width, int height) {
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    window->setAttribute(Qt::WA_ShowWithoutActivating);
    window->setFont(dialogFont());
    auto *frame = new QFrame(window);
    frame->setObjectName(QStringLiteral("frame"));
    frame->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    frame->setLineWidth(kFrameWidth);
    const QSize client = dialogSize(width, height);
    const QSize outer(client.width() + 2 * kFrameWidth, client.height() + 2 * kFrameWidth);
    frame->setGeometry(QRect(QPoint(0, 0), outer));
    frame->lower();
    window->resize(outer);
}

// Controls of the small windows lie inside the drawn frame.
void shiftInsideFrame(QWidget *control) {
    control->move(control->pos() + QPoint(kFrameWidth, kFrameWidth));
}

void fitFrame(QDialog *window) {
    if (auto *frame = window->findChild<QFrame *>(QStringLiteral("frame")))
        frame->setGeometry(window->rect());
}

}  // namespace

ScoreWindow::ScoreWindow(QWidget *owner) : QDialog(owner) {
    makeSmallWindow(this, 63, 18);
    auto *text = new QLabel(this);
    text->setObjectName(QStringLiteral("1009"));
    text->setFont(dialogFont());
    text->setAlignment(Qt::AlignCenter);
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setLineWidth(1);
    text->setGeometry(dialogRect(3, 3, 57, 11));
    shiftInsideFrame(text);
}

void ScoreWindow::setScore(int32_t score) {
    if (auto *text = controlById<QLabel>(this, 1009)) text->setText(QString::number(score));
}

PeekWindow::PeekWindow(QWidget *owner) : QDialog(owner) {
    makeSmallWindow(this, 43, 75);
    QLabel *picture =
        addTemplatePicture(this, 1017, loadPicture(kUnknownCardPicture), 3, 4, 37, 68);
    shiftInsideFrame(picture);
}

void ScoreWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    fitFrame(this);
}

void PeekWindow::setPicture(const QImage &picture) {
    if (auto *label = controlById<QLabel>(this, 1017)) {
        label->setPixmap(QPixmap::fromImage(picture));
        label->resize(picture.deviceIndependentSize().toSize());
    }
}

void PeekWindow::resizeEvent(QResizeEvent *event) {
    QDialog::resizeEvent(event);
    fitFrame(this);
}

}  // namespace fusefuda
