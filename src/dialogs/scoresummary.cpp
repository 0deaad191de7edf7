#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "assets/catalogue.h"
#include "dialogs/builders.h"
#include "dialogs/dialogs.h"
#include "game/scoring.h"

namespace fusefuda {

namespace {

void addCountBox(ModalDialog *dialog, int id, int y, const QString &text) {
    // Editable as the template has it; what the player types is never read.
    QLineEdit *box = addTemplateEdit(dialog, id, 69, y, 60, 20, Qt::AlignLeft, false);
    box->setText(text);
    box->setCursorPosition(0);
}

}  // namespace

ModalDialog *createScoreSummary(GameState &g, QWidget *owner) {
    const TouchTally tally = tallyTouches(g);

    auto *dialog = new ModalDialog(owner, QCoreApplication::translate("ScoreSummary", "SCORE"), 251,
                                   299, true);
    addTemplatePicture(dialog, -1, loadPicture(kDarkBackPicture), 17, 15, 37, 68);
    addCountBox(dialog, 1001, 61,
                QString::number(tally.neverTouched) +
                    QCoreApplication::translate("ScoreSummary", " x 100 Points"));
    addTemplatePicture(dialog, -1, loadPicture(kMidBackPicture), 17, 99, 37, 68);
    addCountBox(dialog, 1002, 143,
                QString::number(tally.touchedOnce) +
                    QCoreApplication::translate("ScoreSummary", " x  50 Points"));
    addTemplatePicture(dialog, -1, loadPicture(kLightBackPicture), 17, 183, 37, 68);
    addCountBox(dialog, 1003, 225,
                QString::number(tally.touchedTwice) +
                    QCoreApplication::translate("ScoreSummary", " x  20 Points"));
    addTemplateLabel(dialog, QCoreApplication::translate("ScoreSummary", "SCORE"), 168, 117, 33, 9);
    QLineEdit *total = addTemplateEdit(dialog, 1004, 168, 129, 60, 19, Qt::AlignLeft, false);
    total->setText(QString::number(g.finalScore) +
                   QCoreApplication::translate("ScoreSummary", " Points"));
    total->setCursorPosition(0);
    // The deal's number, for playing it again; a game from a play file has none.
    if (g.dealNumbered)
        addTemplateLabel(
            dialog, QCoreApplication::translate("ScoreSummary", "ゲーム番号 %1").arg(g.dealNumber),
            17, 258, 150, 9)
            ->setObjectName("dealNumber");
    QWidget *ok = dialog->addOkButton(102, 278, 50, 14);
    ok->setFocus();
    // The name entry opens over the summary, which stays on the screen
    // behind it until the table has taken the score.
    dialog->setOkAction([&g, dialog] { offerHighScore(g, dialog); });
    return dialog;
}

void runScoreSummary(GameState &g, QWidget *owner) {
    std::unique_ptr<ModalDialog> dialog(createScoreSummary(g, owner));
    dialog->runModal();
}

}  // namespace fusefuda
