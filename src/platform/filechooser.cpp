#include "platform/filechooser.h"

#include <QFileDialog>

namespace fusefuda {

namespace {

std::string runChooser(QWidget *owner, bool saving) {
    QFileDialog dialog(owner);
    dialog.setWindowTitle(saving ? QStringLiteral("プレイファイルを保存する")
                                 : QStringLiteral("プレイファイルを開く"));
    QStringList filters{QStringLiteral("Play files(*.pvq)")};
    if (!saving) filters << QStringLiteral("All Files(*.*)");
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("pvq"));
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::string chooseOpenPlayFile(QWidget *owner) { return runChooser(owner, false); }
std::string chooseSavePlayFile(QWidget *owner) { return runChooser(owner, true); }

}  // namespace fusefuda
