#include "platform/messagebox.h"

#include <QApplication>
#include <QMessageBox>

namespace fusefuda {

void showMessageBox(QWidget *owner, const std::string &text) {
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(),
                    QCoreApplication::translate(kMessageContext, text.c_str()), QMessageBox::Ok,
                    owner);
    box.exec();
}

}  // namespace fusefuda
