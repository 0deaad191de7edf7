#include "platform/filechooser.h"

#include <QFileDialog>
#include <QFileSystemModel>

namespace fusefuda {

namespace {

std::string runChooser(QWidget *owner, bool saving) {
    QFileDialog dialog(owner);
    dialog.setWindowTitle(saving ? QStringLiteral("プレイファイルを保存する")
                                 : QStringLiteral("プレイファイルを開く"));
    QStringList filters{QStringLiteral("Play files(*.pvq)")};
    if (!saving) filters << QStringLiteral("All Files(*.*)");
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
