// Building the windows from their templates: controls placed in dialog
// units, each control's objectName set to its id so that it can be found,
// and the modal dialog that closes only through its OK button.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace fusefuda {

// A static text, left-aligned. A text wider than its template rectangle gets
// the width it needs, so that no font makes it lose its end.
QLabel *addTemplateLabel(QWidget *parent, const QString &text, int x, int y, int width,
                         int height);

// A bordered single-line text box.
QLineEdit *addTemplateEdit(QWidget *parent, int id, int x, int y, int width, int height,
                           Qt::Alignment alignment, bool readOnly);

// A picture at its own size with its top-left corner at (x, y), as the
// platform's picture controls show a bitmap; a missing picture leaves the
// template rectangle empty.
QLabel *addTemplatePicture(QWidget *parent, int id, const QImage &picture, int x, int y,
                           int width, int height);

// A modal dialog owned by the main window: a caption and a dialog frame but
// no close box, a fixed client size, and no way out but its OK button. The
// Escape key, the window manager's close request and every other command
// leave it open; a minimised one comes back at once.
class ModalDialog : public QDialog {
    Q_OBJECT
public:
    ModalDialog(QWidget *owner, const QString &caption, int width, int height,
                bool keepAbove = false);

    // The default OK button (id 1); the OK action runs when it is pressed,
    // while the dialog is still on the screen.
    QPushButton *addOkButton(int x, int y, int width, int height);
    void setOkAction(std::function<void()> action) { okAction_ = std::move(action); }

    // Presses OK: runs the OK action, then closes.
    void pressOk();
    // Centres the dialog on the screen of its owner and runs it modally.
    int runModal();

public slots:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> okAction_;
    bool okPressed_ = false;
    bool closingThroughOk_ = false;
};

// The controls of a dialog are found by id.
template <typename T>
T *controlById(QWidget *dialog, int id) {
    return dialog->findChild<T *>(QString::number(id));
}

}  // namespace fusefuda
