#include <QCoreApplication>
#include <QLabel>
#include <memory>

#include "assets/catalogue.h"
#include "dialogs/builders.h"
#include "dialogs/dialogs.h"

namespace fusefuda {

ModalDialog *createAboutBox(QWidget *owner) {
    auto *dialog =
        new ModalDialog(owner, QCoreApplication::translate("AboutBox", "バージョン情報"), 183, 64);
    addTemplatePicture(dialog, -1, loadPicture(kIconPicture), 15, 7, 20, 20);
    addTemplateLabel(dialog,
                     QCoreApplication::translate("AboutBox", "『伏せ札ジグソー』   Ver  6.2"), 41,
                     14, 99, 10);
    addTemplateLabel(dialog, QCoreApplication::translate("AboutBox", "(C) 2026 Fusefuda Project"),
                     47, 28, 114, 8);
    dialog->addOkButton(58, 41, 65, 16);
    return dialog;
}

void runAboutBox(QWidget *owner) {
    std::unique_ptr<ModalDialog> dialog(createAboutBox(owner));
    dialog->runModal();
}

}  // namespace fusefuda
