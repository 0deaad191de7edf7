// The name entry and the score summary: what they show, what a player may type,
// and how the summary hands the score to the table.
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
