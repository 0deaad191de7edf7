#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <memory>
#include <vector>

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

// Keeps the name box to what the table stores, so that the player sees the
// name that will be kept: characters that code page 932 lacks never appear,
// and nothing goes in past nine bytes. What does not fit is dropped from the
// text just put in (it ends at the cursor), so typing stops at the limit and
// a paste or an input method's text is cut at a whole character.
class TableNameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &pos) const override {
        struct Piece {
            QString text;
            size_t bytes;
        };
        std::vector<Piece> pieces;
        size_t total = 0;
        int cursor = pos;
        int at = 0;
        for (qsizetype i = 0; i < input.size();) {
            const qsizetype width =
                input.at(i).isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
            Piece piece{input.mid(i, width), utf8ToCp932(input.mid(i, width).toStdString()).size()};
            if (piece.bytes == 0) {
                if (at < cursor) cursor -= int(width);
            } else {
                pieces.push_back(piece);
                total += piece.bytes;
            }
            at += int(width);
            i += width;
        }
        // Drop the characters just before the cursor until the rest fits.
        int end = 0;  // position in the kept text
        size_t before = 0;
        for (; before < pieces.size() && end + pieces[before].text.size() <= cursor; ++before)
            end += int(pieces[before].text.size());
        while (total > kNameEntryBytes && before > 0) {
            --before;
            total -= pieces[before].bytes;
            cursor -= int(pieces[before].text.size());
            pieces.erase(pieces.begin() + std::ptrdiff_t(before));
        }
        // A name that still does not fit loses its end (text set from outside).
        while (total > kNameEntryBytes) {
            total -= pieces.back().bytes;
            pieces.pop_back();
        }
        QString kept;
        for (const Piece &piece : pieces) kept += piece.text;
        input = kept;
        pos = std::clamp(cursor, 0, int(kept.size()));
        return Acceptable;
    }
};

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
    name->setValidator(new TableNameValidator(name));
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
