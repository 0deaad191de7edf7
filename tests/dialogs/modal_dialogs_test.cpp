// The About box, the high-score window, the name entry and the score summary:
// what they show, what OK does, and that nothing else closes them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <memory>

#include "app/language.h"
#include "dialog_driving.h"
#include "dialogs/builders.h"
#include "dialogs/dialogs.h"
#include "dialogs/dialogunits.h"
#include "platform/codepage.h"
#include "support/table.h"

namespace fusefuda {
namespace {

using namespace testing;  // the dialogs' drivers and the table

TEST(ModalDialogs, EscapeAndCloseRequestsLeaveEveryOneOpen) {
    Table t;
    int seen = 0;
    whenDialogOpens([&](ModalDialog *d) {
        expectStaysOpen(d);
        ++seen;
    });
    runAboutBox(nullptr);
    whenDialogOpens([&](ModalDialog *d) {
        expectStaysOpen(d);
        ++seen;
    });
    runHighScoreTable(t.g(), nullptr);

    // A summary whose score reaches no entry, so that OK opens nothing more.
    t.deal(3);
    for (int c = 4; c <= 8; ++c)
        for (int r = 0; r < kRows; ++r) t.g().board.touchCount[c][r] = 4;
    whenDialogOpens([&](ModalDialog *d) {
        expectStaysOpen(d);
        ++seen;
    });
    runScoreSummary(t.g(), nullptr);

    t.g().finalScore = 1300;
    whenDialogOpens([&](ModalDialog *d) {
        typeText(controlById<QLineEdit>(d, 1008), QStringLiteral("ESC"));
        expectStaysOpen(d);
        EXPECT_EQ(t.g().highScores[1], 1300);
        EXPECT_EQ(t.g().highScoreNames[1], "\xB8\xD9\xD9");
        EXPECT_EQ(t.g().highScores[4], 700);
        ++seen;
    });
    offerHighScore(t.g(), nullptr);
    EXPECT_EQ(seen, 4);
    EXPECT_EQ(t.g().highScoreNames[1], "ESC");
    EXPECT_EQ(activeDialog(), nullptr);
}

TEST(ModalDialogs, HaveNoCloseBoxAndTheSummaryStaysAbove) {
    Table t;
    t.deal(3);
    std::unique_ptr<ModalDialog> dialogs[] = {
        std::unique_ptr<ModalDialog>(createAboutBox(nullptr)),
        std::unique_ptr<ModalDialog>(createHighScoreTable(t.g(), nullptr)),
        std::unique_ptr<ModalDialog>(createNameEntry(t.g(), nullptr)),
        std::unique_ptr<ModalDialog>(createScoreSummary(t.g(), nullptr))};
    const QString captions[] = {u("バージョン情報"), u("SCORE"), u("Rank in !!"), u("SCORE")};
    for (int i = 0; i < 4; ++i) {
        const Qt::WindowFlags flags = dialogs[i]->windowFlags();
        EXPECT_EQ(dialogs[i]->windowTitle(), captions[i]);
        EXPECT_TRUE(flags & Qt::WindowTitleHint) << i;
        EXPECT_FALSE(flags & Qt::WindowCloseButtonHint) << i;
        EXPECT_FALSE(flags & Qt::WindowSystemMenuHint) << i;
        EXPECT_TRUE(dialogs[i]->isModal()) << i;
        EXPECT_EQ(bool(flags & Qt::WindowStaysOnTopHint), i == 3) << i;
        QPushButton *ok = controlById<QPushButton>(dialogs[i].get(), 1);
        ASSERT_NE(ok, nullptr) << i;
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_TRUE(ok->isDefault()) << i;
    }
}

TEST(ModalDialogs, AMinimisedOneComesBackAtOnce) {
    Table t;
    t.deal(3);
    std::unique_ptr<ModalDialog> dialogs[] = {
        std::unique_ptr<ModalDialog>(createAboutBox(nullptr)),
        std::unique_ptr<ModalDialog>(createHighScoreTable(t.g(), nullptr)),
        std::unique_ptr<ModalDialog>(createNameEntry(t.g(), nullptr)),
        std::unique_ptr<ModalDialog>(createScoreSummary(t.g(), nullptr))};
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(dialogs[i]->windowFlags() & Qt::WindowMinimizeButtonHint) << i;
        dialogs[i]->show();
        // As a window manager's minimise button does it.
        dialogs[i]->setWindowState(Qt::WindowMinimized);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        EXPECT_FALSE(dialogs[i]->isMinimized()) << i;
        EXPECT_TRUE(dialogs[i]->isVisible()) << i;
        dialogs[i]->hide();
    }
}

// Every control lies inside the client area and shows its whole text.
void expectNothingClipped(QWidget *dialog) {
    dialog->show();
    const QRect client = dialog->rect();
    for (QWidget *control : dialog->findChildren<QWidget *>()) {
        if (control->parentWidget() != dialog) continue;
        EXPECT_TRUE(client.contains(control->geometry()))
            << dialog->windowTitle().toStdString() << " control " << control->objectName().toStdString();
    }
    for (QLabel *label : dialog->findChildren<QLabel *>()) {
        const int width = label->fontMetrics().horizontalAdvance(label->text());
        EXPECT_LE(width, label->contentsRect().width()) << label->text().toStdString();
        EXPECT_LE(label->fontMetrics().height(), label->contentsRect().height())
            << label->text().toStdString();
    }
    for (QLineEdit *edit : dialog->findChildren<QLineEdit *>()) {
        const int width = edit->fontMetrics().horizontalAdvance(edit->text());
        EXPECT_LE(width + 4, edit->contentsRect().width()) << edit->text().toStdString();
        EXPECT_LE(edit->fontMetrics().height(), edit->contentsRect().height());
    }
    dialog->hide();
}

// The four dialogs with the widest texts each box can get: four kanji, a
// score of five digits.
void expectEveryDialogUnclipped(const std::function<void(QWidget *)> &alsoCheck) {
    Table t;
    setBeginnerExample(t);
    for (int i = 0; i < kHighScores; ++i) {
        t.g().highScoreNames[i] = "\x8E\x52\x93\x63\x91\xBE\x98\x59";
        t.g().highScores[i] = -99999;
    }
    t.g().finalScore = 4800;
    std::unique_ptr<ModalDialog> about(createAboutBox(nullptr));
    std::unique_ptr<ModalDialog> table(createHighScoreTable(t.g(), nullptr));
    std::unique_ptr<ModalDialog> entry(createNameEntry(t.g(), nullptr));
    std::unique_ptr<ModalDialog> summary(createScoreSummary(t.g(), nullptr));
    QLineEdit *count = controlById<QLineEdit>(summary.get(), 1001);
    count->setText(u("48") + count->text().mid(count->text().indexOf(' ')));
    QLineEdit *total = controlById<QLineEdit>(summary.get(), 1004);
    total->setText(u("4800") + total->text().mid(total->text().indexOf(' ')));
    for (ModalDialog *d : {about.get(), table.get(), entry.get(), summary.get()}) {
        expectNothingClipped(d);
        alsoCheck(d);
    }
}

TEST(DialogLayout, NothingIsClippedInAnyDialog) {
    expectEveryDialogUnclipped([](QWidget *) {});
}

// The longer English texts still fit, nothing Japanese is left but the
// game's name, and the high-score names are the same code page 932 text.
TEST(DialogLayout, EnglishFitsAndKeepsOnlyTheNamesJapanese) {
    const auto translators = translatorsFor(InterfaceLanguage::English);
    ASSERT_FALSE(translators.empty()) << "the English translation is not built in";
    for (const auto &t : translators) QCoreApplication::installTranslator(t.get());
    const QString kanjiName = u("山田太郎");
    expectEveryDialogUnclipped([&](QWidget *dialog) {
        QStringList texts{dialog->windowTitle()};
        for (QLabel *label : dialog->findChildren<QLabel *>()) texts << label->text();
        for (QLineEdit *edit : dialog->findChildren<QLineEdit *>())
            if (edit->text() != kanjiName) texts << edit->text();
        for (QPushButton *button : dialog->findChildren<QPushButton *>()) texts << button->text();
        for (QString text : texts) {
            text.remove(u("伏せ札ジグソー"));
            for (QChar ch : text)
                EXPECT_LT(ch.unicode(), 0x3000) << text.toStdString();
        }
    });
    Table t;
    t.g().highScoreNames[0] = "\x8E\x52\x93\x63\x91\xBE\x98\x59";
    std::unique_ptr<ModalDialog> table(createHighScoreTable(t.g(), nullptr));
    EXPECT_EQ(textOf(table.get(), 1006), kanjiName);
    EXPECT_EQ(table->windowTitle(), u("High Scores"));
    std::unique_ptr<ModalDialog> about(createAboutBox(nullptr));
    EXPECT_EQ(about->windowTitle(), u("About Fusefuda"));
    for (const auto &t : translators) QCoreApplication::removeTranslator(t.get());
}

TEST(DialogLayout, UsesTheDialogFontAndItsUnits) {
    EXPECT_EQ(QFontInfo(dialogFont()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(dialogFont().pointSize(), 9);
    // Rounded to the nearest pixel, not cut.
    EXPECT_EQ(dialogUnitsToPixelsX(37, {7, 13}), 65);
    EXPECT_EQ(dialogUnitsToPixelsX(2, {6, 12}), 3);
    EXPECT_EQ(dialogUnitsToPixelsY(68, {7, 12}), 102);
    EXPECT_EQ(dialogUnitsToPixelsY(3, {7, 13}), 5);
}

TEST(AboutBox, ShowsNameVersionAndCredit) {
    std::unique_ptr<ModalDialog> about(createAboutBox(nullptr));
    const QStringList texts = labelTexts(about.get());
    EXPECT_TRUE(texts.contains(u("『伏せ札ジグソー』   Ver  6.2"))) << texts.join('|').toStdString();
    EXPECT_TRUE(texts.contains(u("(C) 2026 Fusefuda Project")));
}

TEST(HighScoreWindow, ShowsEveryEntryReadOnly) {
    Table t;
    GameState &g = t.g();
    g.highScores[3] = 0;
    g.highScores[4] = -5;
    g.highScoreNames[4] = "\x8E\x52\x93\x63";  // 山田
    g.highScoreNames[2] = "A\xFF\x81";  // an edited file's stray bytes
    std::unique_ptr<ModalDialog> table(createHighScoreTable(g, nullptr));
    const int nameIds[] = {1006, 1008, 1010, 1012, 1018};
    const int scoreIds[] = {1005, 1001, 1002, 1003, 1017};
    const QString names[] = {u("ﾆｹﾞﾛ"), u("ｸﾙﾙ"), u("A\xEF\xBF\xBD\xEF\xBF\xBD"), u("ﾋﾀﾞﾛ"),
                             u("山田")};
    const QString scores[] = {u("1500"), u("1300"), u("1100"), u("0"), u("-5")};
    for (int i = 0; i < kHighScores; ++i) {
        QLineEdit *name = controlById<QLineEdit>(table.get(), nameIds[i]);
        QLineEdit *score = controlById<QLineEdit>(table.get(), scoreIds[i]);
        ASSERT_NE(name, nullptr);
        ASSERT_NE(score, nullptr);
        EXPECT_EQ(name->text(), names[i]);
        EXPECT_EQ(score->text(), scores[i]);
        EXPECT_TRUE(name->isReadOnly());
        EXPECT_TRUE(score->isReadOnly());
        EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
        EXPECT_TRUE(score->alignment() & Qt::AlignRight);
        // Rows run downwards in place order.
        if (i > 0) {
            EXPECT_GT(name->y(), controlById<QLineEdit>(table.get(), nameIds[i - 1])->y());
        }
    }
    const QStringList labels = labelTexts(table.get());
    for (const char *text : {"Name", "Score", "1st", "2nd", "3rd", "4th", "5th"})
        EXPECT_TRUE(labels.contains(u(text))) << text;
}

}  // namespace
}  // namespace fusefuda
