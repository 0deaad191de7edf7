#include "platform/filechooser.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>

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
    if (!saving) {
        // The label keeps its familiar text, but "*.*" would hide every name
        // without a dot: the last filter shows all files.
        const QString allFiles = filters.last();
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, allFiles](const QString &chosen) {
                             if (chosen != allFiles) return;
                             if (auto *model = dialog.findChild<QFileSystemModel *>())
                                 model->setNameFilters({QStringLiteral("*")});
                         });
    }
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
