#include <QCoreApplication>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "dialogs/dialogs.h"

namespace fusefuda {

namespace {

QString translated(const char *japanese) {
    return QCoreApplication::translate("Statistics", japanese);
}

constexpr const char *kLevelNames[kRecordLevels] = {QT_TRANSLATE_NOOP("Statistics", "初級"),
                                                    QT_TRANSLATE_NOOP("Statistics", "中級"),
                                                    QT_TRANSLATE_NOOP("Statistics", "上級")};

// An average of won games, rounded; a dash before the first win.
QString average(int64_t total, int64_t won) {
    if (won == 0) return QStringLiteral("-");
    return QString::number(double(total) / double(won), 'f', 1);
}

QString recentWins(const LevelStatistics &level) {
    QStringList lines;
    for (int i = 0; i < level.recentCount; ++i)
        lines << QCoreApplication::translate("Statistics", "%1 点 (番号 %2)")
                     .arg(level.recent[i].score)
                     .arg(level.recent[i].number);
    return lines.isEmpty() ? QStringLiteral("-") : lines.join('\n');
}

struct Row {
    const char *caption;
    QString (*value)(const LevelStatistics &);
};

const Row kLines[] = {
    {QT_TRANSLATE_NOOP("Statistics", "配ったゲーム"),
     [](const LevelStatistics &l) { return QString::number(l.dealt); }},
    {QT_TRANSLATE_NOOP("Statistics", "勝ったゲーム"),
     [](const LevelStatistics &l) { return QString::number(l.won); }},
    {QT_TRANSLATE_NOOP("Statistics", "途中でやめたゲーム"),
     [](const LevelStatistics &l) { return QString::number(l.unfinished); }},
    {QT_TRANSLATE_NOOP("Statistics", "最高得点"),
     [](const LevelStatistics &l) {
         return l.won ? QString::number(l.bestScore) : QStringLiteral("-");
     }},
    {QT_TRANSLATE_NOOP("Statistics", "平均得点"),
     [](const LevelStatistics &l) { return average(l.scoreTotal, l.won); }},
    {QT_TRANSLATE_NOOP("Statistics", "勝ったゲームの平均タッチ数"),
     [](const LevelStatistics &l) { return average(l.touchTotal, l.won); }},
    {QT_TRANSLATE_NOOP("Statistics", "現在の連勝"),
     [](const LevelStatistics &l) { return QString::number(l.currentRun); }},
    {QT_TRANSLATE_NOOP("Statistics", "最長の連勝"),
     [](const LevelStatistics &l) { return QString::number(l.longestRun); }},
    {QT_TRANSLATE_NOOP("Statistics", "最近の勝ち (得点と番号)"), recentWins},
};

void fill(QGridLayout *grid, const Statistics &statistics) {
    for (int row = 0; row < int(std::size(kLines)); ++row)
        for (int i = 0; i < kRecordLevels; ++i)
            if (auto *label =
                    qobject_cast<QLabel *>(grid->itemAtPosition(row + 1, i + 1)->widget()))
                label->setText(kLines[row].value(statistics.levels[i]));
}

bool confirmReset(QWidget *owner) {
    QMessageBox box(QMessageBox::Question, QCoreApplication::translate("Statistics", "統計"),
                    QCoreApplication::translate("Statistics", "統計をすべて消去しますか?"),
                    QMessageBox::NoButton, owner);
    QPushButton *yes =
        box.addButton(QCoreApplication::translate("Statistics", "はい(&Y)"), QMessageBox::YesRole);
    box.setDefaultButton(box.addButton(QCoreApplication::translate("Statistics", "いいえ(&N)"),
                                       QMessageBox::NoRole));
    box.exec();
    return box.clickedButton() == yes;
}

}  // namespace

QDialog *createStatisticsWindow(Statistics &statistics, bool &reset, QWidget *owner) {
    auto *dialog = new QDialog(owner);
    dialog->setWindowTitle(QCoreApplication::translate("Statistics", "統計"));
    auto *layout = new QVBoxLayout(dialog);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    for (int i = 0; i < kRecordLevels; ++i)
        grid->addWidget(new QLabel(translated(kLevelNames[i]), dialog), 0, i + 1, Qt::AlignRight);
    for (int row = 0; row < int(std::size(kLines)); ++row) {
        grid->addWidget(new QLabel(translated(kLines[row].caption), dialog), row + 1, 0,
                        Qt::AlignLeft | Qt::AlignTop);
        for (int i = 0; i < kRecordLevels; ++i)
            grid->addWidget(new QLabel(dialog), row + 1, i + 1, Qt::AlignRight | Qt::AlignTop);
    }
    fill(grid, statistics);
    layout->addLayout(grid);

    auto *buttons = new QHBoxLayout;
    auto *resetButton =
        new QPushButton(QCoreApplication::translate("Statistics", "リセット(&R)..."), dialog);
    resetButton->setObjectName("reset");
    auto *close = new QPushButton(QCoreApplication::translate("Statistics", "閉じる"), dialog);
    close->setDefault(true);
    buttons->addWidget(resetButton);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    QObject::connect(resetButton, &QPushButton::clicked, dialog,
                     [dialog, grid, &statistics, &reset] {
                         if (!confirmReset(dialog)) return;
                         statistics = Statistics{};
                         reset = true;
                         fill(grid, statistics);
                     });
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    return dialog;
}

bool runStatisticsWindow(Statistics &statistics, QWidget *owner) {
    bool reset = false;
    std::unique_ptr<QDialog> dialog(createStatisticsWindow(statistics, reset, owner));
    dialog->exec();
    return reset;
}

}  // namespace fusefuda
