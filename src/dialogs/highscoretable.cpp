#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <memory>

#include "dialogs/builders.h"
#include "dialogs/dialogs.h"
#include "game/highscores.h"
#include "platform/codepage.h"

namespace fusefuda {

namespace {

// Entry i's name box and score box in the high-score window.
constexpr int kNameBoxIds[kHighScores] = {1006, 1008, 1010, 1012, 1018};
constexpr int kScoreBoxIds[kHighScores] = {1005, 1001, 1002, 1003, 1017};
constexpr const char *kPlaceLabels[kHighScores] = {
    QT_TRANSLATE_NOOP("HighScoreTable", "1st"), QT_TRANSLATE_NOOP("HighScoreTable", "2nd"),
    QT_TRANSLATE_NOOP("HighScoreTable", "3rd"), QT_TRANSLATE_NOOP("HighScoreTable", "4th"),
    QT_TRANSLATE_NOOP("HighScoreTable", "5th")};
// Template rows: the place labels and the lower four score boxes sit two
// units below their name boxes.
constexpr int kLabelY[kHighScores] = {27, 51, 75, 99, 123};
constexpr int kNameBoxY[kHighScores] = {25, 49, 73, 97, 121};
constexpr int kScoreBoxY[kHighScores] = {25, 51, 75, 99, 123};

}  // namespace

QString nameForDisplay(const std::string &cp932Name) {
    return QString::fromStdString(cp932ToUtf8(cp932Name));
}

std::string nameFromEntry(const QString &typed) {
    return nameForTable(utf8ToCp932(typed.toStdString()));
}

ModalDialog *createHighScoreTable(const GameState &g, QWidget *owner) {
    auto *dialog =
        new ModalDialog(owner, QCoreApplication::translate("HighScoreTable", "SCORE"), 171, 167);
    addTemplateLabel(dialog, QCoreApplication::translate("HighScoreTable", "Name"), 47, 13, 50, 12);
    addTemplateLabel(dialog, QCoreApplication::translate("HighScoreTable", "Score"), 106, 13, 50,
                     12);
    for (int i = 0; i < kHighScores; ++i) {
        addTemplateLabel(dialog, QCoreApplication::translate("HighScoreTable", kPlaceLabels[i]), 19,
                         kLabelY[i], 16, 12);
        QLineEdit *name = addTemplateEdit(dialog, kNameBoxIds[i], 46, kNameBoxY[i], 55, 16,
                                          Qt::AlignHCenter, true);
        name->setText(nameForDisplay(g.highScoreNames[i]));
        QLineEdit *score = addTemplateEdit(dialog, kScoreBoxIds[i], 105, kScoreBoxY[i], 43, 16,
                                           Qt::AlignRight, true);
        score->setText(QString::number(g.highScores[i]));
    }
    dialog->addOkButton(68, 146, 50, 14);
    return dialog;
}

void runHighScoreTable(const GameState &g, QWidget *owner) {
    std::unique_ptr<ModalDialog> dialog(createHighScoreTable(g, owner));
    dialog->runModal();
}

ModalDialog *createNameEntry(GameState &g, QWidget *owner) {
    auto *dialog =
        new ModalDialog(owner, QCoreApplication::translate("NameEntry", "Rank in !!"), 187, 93);
    QLineEdit *score = addTemplateEdit(dialog, 1007, 63, 13, 54, 13, Qt::AlignHCenter, true);
    score->setText(QString::number(g.finalScore));
    addTemplateLabel(dialog,
                     QCoreApplication::translate("NameEntry", "Please type in your name !!"), 52,
                     31, 83, 10);
    QLineEdit *name = addTemplateEdit(dialog, 1008, 50, 44, 85, 16, Qt::AlignHCenter, false);
    dialog->addOkButton(67, 72, 50, 14);
    name->setFocus();
    dialog->setOkAction([&g, name] {
        insertHighScore(g, g.nameEntryRank, nameFromEntry(name->text()), g.finalScore);
    });
    return dialog;
}

void offerHighScore(GameState &g, QWidget *owner) {
    const int rank = highScoreRank(g, g.finalScore);
    if (rank < 0) return;
    g.nameEntryRank = rank;
    std::unique_ptr<ModalDialog> dialog(createNameEntry(g, owner));
    dialog->runModal();
}

}  // namespace fusefuda
