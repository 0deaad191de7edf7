#include "platform/filechooser.h"

#include <QCoreApplication>
#include <QFileDialog>

namespace fusefuda {

namespace {

std::string runChooser(QWidget *owner, bool saving) {
    QFileDialog dialog(owner);
    dialog.setWindowTitle(
        saving ? QCoreApplication::translate("FileChooser", "プレイファイルを保存する")
               : QCoreApplication::translate("FileChooser", "プレイファイルを開く"));
    QStringList filters{QCoreApplication::translate("FileChooser", "Play files(*.pvq)")};
    if (!saving) filters << QCoreApplication::translate("FileChooser", "All Files(*.*)");
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
