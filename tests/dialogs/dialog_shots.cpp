// Writes pictures of the dialogs and of a finished board under the
// score summary, for a person to look at: dialog_shots [--english] <folder>.
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <cstdio>
#include <memory>
#include <string>

#include "app/language.h"
#include "dialogs/builders.h"
#include "dialogs/dialogs.h"
#include "game/scoring.h"
#include "render/painting.h"
#include "support/table.h"

using namespace fusefuda;

namespace {

// Plain stand-in artwork for a build that has no pictures yet.
void drawStandInArt(Surfaces &s) {
    const char *ranks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
    const char *suits[] = {"♠", "♣", "♥", "♦"};
    for (QImage *sheet : {&s.face, &s.settledFace}) {
        QPainter p(sheet);
        p.fillRect(sheet->rect(), Qt::black);
        for (int r = 0; r < 4; ++r) {
            for (int c = 0; c < 13; ++c) {
                const QRect card(63 * c, 101 * r, 63, 101);
                p.setPen(Qt::black);
                p.setBrush(sheet == &s.face ? QColor(Qt::white) : QColor(200, 230, 255));
                p.drawRect(card);
                p.setPen(r >= 2 ? Qt::red : Qt::black);
                p.drawText(card, Qt::AlignCenter,
                           QString::fromUtf8(ranks[c]) + QString::fromUtf8(suits[r]));
            }
        }
    }
    QPainter b(&s.background);
    for (int x = 0; x < s.background.width(); x += 63)
        b.fillRect(x, 0, 63, s.background.height(),
                   (x / 63) % 2 ? QColor(0, 170, 170) : QColor(0, 180, 184));
}

bool save(const QImage &image, const QString &path) {
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

QImage shot(QWidget *dialog) {
    dialog->show();
    QCoreApplication::processEvents();
    return dialog->grab().toImage();
}

}  // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    installDialogFont();
    const bool english = argc > 1 && std::string(argv[1]) == "--english";
    if (english) --argc, ++argv;
    const auto translators =
        translatorsFor(english ? InterfaceLanguage::English : InterfaceLanguage::Japanese);
    for (const auto &translator : translators)
        QCoreApplication::installTranslator(translator.get());
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("artifacts");
    QDir().mkpath(folder);

    testing::Table t;
    t.deal(3);
    GameState &g = t.g();
    // The worked example: 10 cards never touched, 4 once, 2 twice.
    int n = 0;
    for (int c = 4; c <= 8; ++c) {
        for (int r = 0; r < kRows; ++r) {
            g.board.faceUp[c][r] = 1;
            g.board.touchCount[c][r] = c == 6 ? 3 : n < 10 ? 0 : n < 14 ? 1 : 2;
            if (c != 6) ++n;
            for (int a = 4; a <= 8; ++a)
                for (int b = 0; b < kRows; ++b) g.board.groupMembers[cardId(c, r)][a][b] = 1;
        }
    }
    g.highScoreNames[2] = "\x8E\x52\x93\x63\x91\xBE\x98\x59";  // 山田太郎

    bool ok = true;
    std::unique_ptr<ModalDialog> about(createAboutBox(nullptr));
    ok &= save(shot(about.get()), folder + "/about.png");
    std::unique_ptr<ModalDialog> table(createHighScoreTable(g, nullptr));
    ok &= save(shot(table.get()), folder + "/highscores.png");
    std::unique_ptr<ModalDialog> summary(createScoreSummary(g, nullptr));
    const QImage summaryShot = shot(summary.get());
    ok &= save(summaryShot, folder + "/summary.png");
    g.nameEntryRank = 2;
    std::unique_ptr<ModalDialog> entry(createNameEntry(g, nullptr));
    controlById<QLineEdit>(entry.get(), 1008)->setText(QString::fromUtf8("花子はなこ"));
    ok &= save(shot(entry.get()), folder + "/nameentry.png");

    DealChoice choice{kIntermediate, 1700000000u};
    std::unique_ptr<QDialog> number(createDealNumberDialog(choice, nullptr));
    ok &= save(shot(number.get()), folder + "/dealnumber.png");
    Statistics statistics;
    statistics.levels[0] = {12, 7, 3, 1450, 9360,
                            41, 2, 4, 3,    {{1450, 1700000000u}, {1320, 42}, {1290, 7}}};
    bool reset = false;
    std::unique_ptr<QDialog> record(createStatisticsWindow(statistics, reset, nullptr));
    ok &= save(shot(record.get()), folder + "/statistics.png");

    ScoreWindow score(nullptr);
    score.setScore(1240);
    score.resize(118, 34);
    ok &= save(shot(&score), folder + "/scorewindow.png");
    PeekWindow peek(nullptr);
    drawStandInArt(t.surfaces);
    peek.setPicture(t.surfaces.face.copy(63 * 7, 101 * 2, 64, 102));
    ok &= save(shot(&peek), folder + "/peekwindow.png");

    // The finished board as the end sequence leaves it, the summary over it.
    finishGame(t.play);
    paintWindow(t.ctx);
    QImage board = t.surfaces.window.copy();
    ok &= save(board, folder + "/finished-board.png");
    {
        QPainter p(&board);
        QRect area = summaryShot.rect();
        area.moveCenter(board.rect().center());
        p.setPen(QPen(QColor(60, 60, 60), 4));
        p.drawRect(area.adjusted(-2, -2, 1, 1));
        p.drawImage(area.topLeft(), summaryShot);
    }
    ok &= save(board, folder + "/finished-board-under-summary.png");
    return ok ? 0 : 1;
}
