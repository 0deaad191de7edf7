#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "dialogs/dialogs.h"

namespace fusefuda {

namespace {

QString translated(const char *japanese) {
    return QCoreApplication::translate("DealNumber", japanese);
}

// The levels as the menu lists them.
constexpr Level kLevelsListed[] = {kBeginner, kIntermediate, kAdvanced};
constexpr const char *kLevelNames[] = {QT_TRANSLATE_NOOP("DealNumber", "初級"),
                                       QT_TRANSLATE_NOOP("DealNumber", "中級"),
                                       QT_TRANSLATE_NOOP("DealNumber", "上級")};

}  // namespace

bool dealNumberFromText(const QString &typed, uint32_t &number) {
    // Blanks around it are what a paste brings along.
    const QString text = typed.trimmed();
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || text.isEmpty() || !text.front().isDigit() || value > 4294967295ULL) return false;
    number = uint32_t(value);
    return true;
}

QDialog *createDealNumberDialog(DealChoice &choice, QWidget *owner) {
    auto *dialog = new QDialog(owner);
    dialog->setWindowTitle(QCoreApplication::translate("DealNumber", "番号を指定して新規ゲーム"));
    auto *form = new QFormLayout(dialog);
    auto *level = new QComboBox(dialog);
    level->setObjectName("level");
    for (int i = 0; i < 3; ++i) {
        level->addItem(translated(kLevelNames[i]), levelNumber(kLevelsListed[i]));
        if (kLevelsListed[i] == choice.level) level->setCurrentIndex(i);
    }
    auto *number = new QLineEdit(QString::number(choice.number), dialog);
    number->setObjectName("number");
    // What is typed stays as typed: a filter would drop the sign of "-1"
    // and deal 1. Anything but a number in range leaves OK greyed.
    auto *levelLabel = new QLabel(QCoreApplication::translate("DealNumber", "レベル(&L):"), dialog);
    levelLabel->setBuddy(level);
    auto *numberLabel = new QLabel(QCoreApplication::translate("DealNumber", "番号(&N):"), dialog);
    numberLabel->setBuddy(number);
    form->addRow(levelLabel, level);
    form->addRow(numberLabel, number);
    form->addRow(
        new QLabel(QCoreApplication::translate("DealNumber", "0 から 4294967295 まで"), dialog));

    auto *buttons = new QHBoxLayout;
    auto *ok = new QPushButton(QCoreApplication::translate("DealNumber", "OK"), dialog);
    auto *cancel = new QPushButton(QCoreApplication::translate("DealNumber", "キャンセル"), dialog);
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    form->addRow(buttons);
    // OK only for a number the generator can be seeded with.
    QObject::connect(number, &QLineEdit::textChanged, ok, [ok](const QString &text) {
        uint32_t value = 0;
        ok->setEnabled(dealNumberFromText(text, value));
    });
    QObject::connect(ok, &QPushButton::clicked, dialog, [dialog, level, number, &choice] {
        if (!dealNumberFromText(number->text(), choice.number)) return;
        choice.level = levelFromNumber(level->currentData().toInt());
        dialog->accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    number->selectAll();
    number->setFocus();
    return dialog;
}

bool runDealNumberDialog(DealChoice &choice, QWidget *owner) {
    std::unique_ptr<QDialog> dialog(createDealNumberDialog(choice, owner));
    return dialog->exec() == QDialog::Accepted;
}

}  // namespace fusefuda
