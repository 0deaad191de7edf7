#include "dialogs/templatedialog.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include "dialogs/dialogunits.h"

namespace fusefuda {

QLabel *addTemplateLabel(QWidget *parent, const QString &text, int x, int y, int width,
                         int height) {
    auto *label = new QLabel(text, parent);
    label->setFont(dialogFont());
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QRect rect = dialogRect(x, y, width, height);
    const int needed = label->fontMetrics().horizontalAdvance(text) + 1;
    if (needed > rect.width()) rect.setWidth(needed);
    label->setGeometry(rect);
    return label;
}

QLineEdit *addTemplateEdit(QWidget *parent, int id, int x, int y, int width, int height,
                           Qt::Alignment alignment, bool readOnly) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setFont(dialogFont());
    edit->setFrame(true);
    edit->setAlignment(alignment | Qt::AlignVCenter);
    edit->setReadOnly(readOnly);
    edit->setGeometry(dialogRect(x, y, width, height));
    return edit;
}

QLabel *addTemplatePicture(QWidget *parent, int id, const QImage &picture, int x, int y,
                           int width, int height) {
    auto *label = new QLabel(parent);
    if (id >= 0) label->setObjectName(QString::number(id));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QRect rect = dialogRect(x, y, width, height);
    if (!picture.isNull()) {
        label->setPixmap(QPixmap::fromImage(picture));
        rect.setSize(picture.size());
    }
    label->setGeometry(rect);
    return label;
}

ModalDialog::ModalDialog(QWidget *owner, const QString &caption, int width, int height,
                         bool keepAbove)
    : QDialog(owner) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (keepAbove) flags |= Qt::WindowStaysOnTopHint;
    setWindowFlags(flags);
    setWindowTitle(caption);
    setFont(dialogFont());
    setFixedSize(dialogSize(width, height));
    setModal(true);
}

QPushButton *ModalDialog::addOkButton(int x, int y, int width, int height) {
    auto *button = new QPushButton(QCoreApplication::translate("Dialog", "OK"), this);
    button->setObjectName(QStringLiteral("1"));
    button->setFont(dialogFont());
    button->setDefault(true);
    button->setGeometry(dialogRect(x, y, width, height));
    connect(button, &QPushButton::clicked, this, &ModalDialog::pressOk);
    return button;
}

void ModalDialog::pressOk() {
    if (okPressed_) return;  // a second click while the OK action runs
    okPressed_ = true;
    if (okAction_) okAction_();
    closingThroughOk_ = true;
    accept();
}

int ModalDialog::runModal() {
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : nullptr;
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect area = rect();
        area.moveCenter(screen->availableGeometry().center());
        move(area.topLeft());
    }
    return exec();
}

void ModalDialog::reject() {}

void ModalDialog::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// The main window waits for this dialog and cannot be used to call it back,
// so a window manager that minimises every window must not keep it hidden.
void ModalDialog::changeEvent(QEvent *event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized()) return;
    // After the window manager has finished its own change of state.
    QTimer::singleShot(0, this, [this] {
        if (!isMinimized()) return;
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
        raise();
        activateWindow();
    });
}

void ModalDialog::closeEvent(QCloseEvent *event) {
    if (closingThroughOk_)
        event->accept();
    else
        event->ignore();
}

}  // namespace fusefuda
