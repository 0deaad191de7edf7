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

using testing::activeDialog;
using testing::typeText;
using testing::clickOk;
using testing::pressEscape;
using testing::Table;
using testing::whenDialogOpens;

QString u(const char *utf8) { return QString::fromUtf8(utf8); }
QString textOf(QWidget *dialog, int id) {
    QLineEdit *box = controlById<QLineEdit>(dialog, id);
    return box != nullptr ? box->text() : QStringLiteral("<no control %1>").arg(id);
}
QStringList labelTexts(QWidget *dialog) {
    QStringList texts;
    for (QLabel *label : dialog->findChildren<QLabel *>())
        if (!label->text().isEmpty()) texts << label->text();
    return texts;
}

// The beginner board of the summary's worked example: 10 cards never
// touched, 4 once, 2 twice, the 4 sevens settled.
void setBeginnerExample(Table &t) {
    t.deal(3);
    GameState &g = t.g();
    int n = 0;
    for (int c = 4; c <= 8; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (c == 6) {
                g.board.touchCount[c][r] = 3;
                continue;
            }
            g.board.touchCount[c][r] = n < 10 ? 0 : n < 14 ? 1 : 2;
            ++n;
        }
    }
    g.finalScore = 1240;  // as the game's end counts it
}

void expectStaysOpen(ModalDialog *dialog) {
    pressEscape(dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->close());
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(activeDialog(), dialog);
}

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

// Types into the name entry at rank 1 with a final score of 1300 and
// confirms; returns the stored name.
std::string enterName(const std::function<void(QLineEdit *)> &type) {
    Table t;
    t.g().finalScore = 1300;
    t.g().nameEntryRank = 1;
    std::unique_ptr<ModalDialog> entry(createNameEntry(t.g(), nullptr));
    entry->show();
    QLineEdit *name = controlById<QLineEdit>(entry.get(), 1008);
    if (name == nullptr) return "<no name box>";
    type(name);
    clickOk(entry.get());
    EXPECT_FALSE(entry->isVisible());
    EXPECT_EQ(t.g().highScores[1], 1300);
    EXPECT_EQ(t.g().highScores[2], 1300);  // the old entry moved down
    return t.g().highScoreNames[1];
}

TEST(NameEntry, ShowsTheScoreAndAnEmptyEditableNameBox) {
    Table t;
    t.g().finalScore = -20;
    std::unique_ptr<ModalDialog> entry(createNameEntry(t.g(), nullptr));
    QLineEdit *score = controlById<QLineEdit>(entry.get(), 1007);
    QLineEdit *name = controlById<QLineEdit>(entry.get(), 1008);
    ASSERT_NE(score, nullptr);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(score->text(), u("-20"));
    EXPECT_TRUE(score->isReadOnly());
    EXPECT_TRUE(score->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_FALSE(name->isReadOnly());
    EXPECT_TRUE(name->alignment() & Qt::AlignHCenter);
    EXPECT_TRUE(labelTexts(entry.get()).contains(u("Please type in your name !!")));
}

TEST(NameEntry, TypedNamesAreCutAndConverted) {
    EXPECT_EQ(enterName([](QLineEdit *e) { typeText(e, u("ABCDEFGHIJKL")); }), "ABCDEFGHI");
    EXPECT_EQ(enterName([](QLineEdit *) {}), "");
    EXPECT_EQ(enterName([](QLineEdit *e) { typeText(e, u("ABCDEFGH漢")); }), "ABCDEFGH");
    EXPECT_EQ(enterName([](QLineEdit *e) { typeText(e, u("A😀Bé")); }), "AB");
    EXPECT_EQ(enterName([](QLineEdit *e) { typeText(e, u("ﾀﾛｳ")); }), "\xC0\xDB\xB3");
    EXPECT_EQ(enterName([](QLineEdit *e) { typeText(e, u("ABCDEFG漢字")); }), "ABCDEFG\x8A\xBF");
    // Dropped characters make room for the ones after them.
    EXPECT_EQ(enterName([](QLineEdit *e) { typeText(e, u("é😀ABCDEFGHIJ")); }), "ABCDEFGHI");
}

TEST(NameEntry, TheBoxTakesNoMoreThanIsStored) {
    auto commit = [](QLineEdit *e, const QString &text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(e, &event);
    };
    struct Case {
        const char *what;
        std::function<void(QLineEdit *)> type;
        QString shown;
    } cases[] = {
        {"typing stops at nine bytes", [](QLineEdit *e) { typeText(e, u("テスト名前です")); },
         u("テスト名")},
        {"what still fits goes in", [](QLineEdit *e) { typeText(e, u("テスト名前ですA")); },
         u("テスト名A")},
        {"an input method's text is cut at a whole character",
         [&](QLineEdit *e) { commit(e, u("山田太郎花子")); }, u("山田太郎")},
        {"a paste too", [](QLineEdit *e) { e->insert(u("ABCDEFG漢字")); }, u("ABCDEFG漢")},
        {"typed in the middle of a full box",
         [](QLineEdit *e) {
             typeText(e, u("ABCDEFGHI"));
             e->setCursorPosition(2);
             typeText(e, u("ZZ"));
         },
         u("ABCDEFGHI")},
        {"characters the table cannot hold", [](QLineEdit *e) { typeText(e, u("é😀AB")); },
         u("AB")},
    };
    for (const Case &c : cases) {
        QString shown;
        const std::string stored = enterName([&](QLineEdit *e) {
            c.type(e);
            shown = e->text();
        });
        EXPECT_EQ(shown, c.shown) << c.what;
        EXPECT_EQ(QString::fromStdString(cp932ToUtf8(stored)), shown) << c.what;
    }
}

TEST(NameEntry, JapaneseFromTheInputMethodIsStored) {
    const std::string stored = enterName([](QLineEdit *e) {
        QInputMethodEvent preedit(u("やまだ"), {});
        QApplication::sendEvent(e, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString(u("山田"));
        QApplication::sendEvent(e, &commit);
        typeText(e, u("ﾀ"));
    });
    EXPECT_EQ(stored, "\x8E\x52\x93\x63\xC0");
}

TEST(NameEntry, EnterConfirmsLikeOk) {
    EXPECT_EQ(enterName([](QLineEdit *e) {
                  typeText(e, u("HANA"));
                  QTest::keyClick(e, Qt::Key_Return);
              }),
              "HANA");
}

TEST(ScoreSummary, ShowsTheCountsAndTheScoreByteForByte) {
    Table t;
    setBeginnerExample(t);
    std::unique_ptr<ModalDialog> summary(createScoreSummary(t.g(), nullptr));
    EXPECT_EQ(textOf(summary.get(), 1001), u("10 x 100 Points"));
    EXPECT_EQ(textOf(summary.get(), 1002), u("4 x  50 Points"));
    EXPECT_EQ(textOf(summary.get(), 1003), u("2 x  20 Points"));
    EXPECT_EQ(textOf(summary.get(), 1004), u("1240 Points"));
    for (int id : {1001, 1002, 1003, 1004}) {
        QLineEdit *box = controlById<QLineEdit>(summary.get(), id);
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_TRUE(box->alignment() & Qt::AlignLeft);
    }
    EXPECT_TRUE(labelTexts(summary.get()).contains(u("SCORE")));

    Table settled;
    settled.deal(1);
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) settled.g().board.touchCount[c][r] = 3 + (c % 2);
    settled.g().finalScore = 0;
    std::unique_ptr<ModalDialog> zero(createScoreSummary(settled.g(), nullptr));
    EXPECT_EQ(textOf(zero.get(), 1001), u("0 x 100 Points"));
    EXPECT_EQ(textOf(zero.get(), 1004), u("0 Points"));
}

TEST(ScoreSummary, OkHandsTheScoreToTheNameEntryOverTheSummary) {
    Table t;
    setBeginnerExample(t);
    std::unique_ptr<ModalDialog> summary(createScoreSummary(t.g(), nullptr));
    summary->show();
    // What the player types into the summary's boxes is never read.
    typeText(controlById<QLineEdit>(summary.get(), 1004), u("99999"));
    typeText(controlById<QLineEdit>(summary.get(), 1001), u("50 x 100"));
    bool entryOpened = false;
    whenDialogOpens([&](ModalDialog *entry) {
        entryOpened = true;
        EXPECT_NE(entry, summary.get());
        EXPECT_TRUE(summary->isVisible());
        EXPECT_EQ(textOf(entry, 1007), u("1240"));
        typeText(controlById<QLineEdit>(entry, 1008), u("TARO"));
        clickOk(entry);
    });
    clickOk(summary.get());
    EXPECT_TRUE(entryOpened);
    EXPECT_FALSE(summary->isVisible());
    const GameState &g = t.g();
    EXPECT_EQ(g.finalScore, 1240);
    EXPECT_EQ(g.nameEntryRank, 2);
    const int32_t scores[] = {1500, 1300, 1240, 1100, 900};
    const std::string names[] = {"\xC6\xB9\xDE\xDB", "\xB8\xD9\xD9", "TARO", "\xD0\xB7\xDE\xD7",
                                 "\xCB\xC0\xDE\xDB"};
    for (int i = 0; i < kHighScores; ++i) {
        EXPECT_EQ(g.highScores[i], scores[i]) << i;
        EXPECT_EQ(g.highScoreNames[i], names[i]) << i;
    }
}

TEST(ScoreSummary, AScoreBelowTheTableOpensNoNameEntry) {
    Table t;
    t.deal(3);
    GameState &g = t.g();
    // 6 cards never touched: 600, below the lowest entry's 700.
    int n = 0;
    for (int c = 4; c <= 8; ++c)
        for (int r = 0; r < kRows; ++r) g.board.touchCount[c][r] = n++ < 6 ? 0 : 3;
    g.finalScore = 600;
    std::unique_ptr<ModalDialog> summary(createScoreSummary(g, nullptr));
    summary->show();
    // Should a name entry open after all, it is recorded and confirmed.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool unexpected = false;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (ModalDialog *d = activeDialog(); d != nullptr && d != summary.get()) {
            unexpected = true;
            clickOk(d);
        }
    });
    watchdog.start(0);
    clickOk(summary.get());
    QCoreApplication::processEvents();
    EXPECT_FALSE(unexpected);
    EXPECT_FALSE(summary->isVisible());
    EXPECT_EQ(g.highScores[4], 700);
    EXPECT_EQ(g.nameEntryRank, kNoRank);
}

}  // namespace
}  // namespace fusefuda

TEST(DealNumber, TakesDecimalNumbersThatSeedTheGenerator) {
    struct Case {
        const char *text;
        bool taken;
        uint32_t number;
    } cases[] = {{"0", true, 0},          {"4294967295", true, 4294967295u},
                 {"4294967296", false, 0}, {"", false, 0},
                 {"+7", false, 0},         {"12a", false, 0},
                 {"-1", false, 0},         {" 7 ", true, 7}};
    for (const Case &c : cases) {
        uint32_t number = 0;
        EXPECT_EQ(fusefuda::dealNumberFromText(QString::fromLatin1(c.text), number), c.taken)
            << c.text;
        EXPECT_EQ(number, c.number) << c.text;
    }
}

// What is typed stays as typed, and OK takes only a number in range.
TEST(DealNumber, TheDialogConfirmsOnlyAWholeNumberInRange) {
    const struct {
        const char *typed;
        bool confirmed;
        uint32_t number;
    } rows[] = {{"-1", false, 0}, {"4294967295", true, 4294967295u}, {"4294967296", false, 0},
                {"1.5", false, 0}, {"", false, 0}, {"12", true, 12}, {"0", true, 0}};
    for (const auto &row : rows) {
        fusefuda::DealChoice choice{fusefuda::kBeginner, 99};
        std::unique_ptr<QDialog> dialog(fusefuda::createDealNumberDialog(choice, nullptr));
        auto *number = dialog->findChild<QLineEdit *>("number");
        number->clear();
        QTest::keyClicks(number, QString::fromLatin1(row.typed));
        QPushButton *ok = nullptr;
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            if (b->isDefault()) ok = b;
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->isEnabled(), row.confirmed) << row.typed;
        ok->click();
        EXPECT_EQ(dialog->result() == QDialog::Accepted, row.confirmed) << row.typed;
        EXPECT_EQ(choice.number, row.confirmed ? row.number : 99u) << row.typed;
    }
}
