// What a screen reader hears of the focus card and of the standing, in the
// Japanese of the source and in the English translation as the game loads it.
#include "app/boardaccess.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <optional>

#include "app/language.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;

namespace {

struct Translated {
    Translated() : translators(translatorsFor(InterfaceLanguage::English)) {
        for (const auto &t : translators) QCoreApplication::installTranslator(t.get());
    }
    ~Translated() {
        for (const auto &t : translators) QCoreApplication::removeTranslator(t.get());
    }
    std::vector<std::unique_ptr<QTranslator>> translators;
};

}  // namespace

TEST(Speech, TheFocusCardIsNamedAsASightedPlayerSeesIt) {
    const struct {
        int c, r, touches;
        bool faceUp;
        int group;  // cards in its group, itself counted
        bool lifted;
        const char *japanese, *english;
    } cases[] = {
        {4, 2, 0, false, 1, false, "伏せたカード、未タッチ", "face-down card, not touched"},
        {5, 1, 1, false, 1, false, "伏せたカード、1回タッチ", "face-down card, touched once"},
        {8, 3, 2, false, 1, false, "伏せたカード、2回タッチ", "face-down card, touched twice"},
        {0, 2, 1, true, 1, false, "ハートのエース", "ace of hearts"},
        {11, 1, 3, false, 1, false, "クラブのクイーン", "queen of clubs"},
        {12, 3, 4, true, 1, false, "ダイヤのキング、使い切り", "king of diamonds, spent"},
        {10, 0, 3, true, 3, false, "スペードのジャック、3枚のグループ",
         "jack of spades, in a group of 3"},
        {9, 1, 0, false, 2, true, "伏せたカード、未タッチ、2枚のグループ、持ち上げ中",
         "face-down card, not touched, in a group of 2, lifted"},
    };
    for (const bool english : {false, true}) {
        std::optional<Translated> translation;
        if (english) translation.emplace();
        for (const auto &c : cases) {
            Table t;
            t.deal(1);
            GameState &g = t.g();
            const int id = cardId(c.c, c.r);
            g.keyFocus = {.shown = true, .column = c.c, .row = c.r, .carrying = c.lifted};
            g.board.touchCount[c.c][c.r] = c.touches;
            g.board.faceUp[c.c][c.r] = c.faceUp;
            for (int col = 0; col < kColumns; ++col)
                for (int r = 0; r < kRows; ++r)
                    g.board.groupMembers[id][col][r] =
                        col == c.c && (r - c.r + kRows) % kRows < c.group;
            EXPECT_EQ(focusCardSpeech(g).toStdString(), english ? c.english : c.japanese)
                << c.english;
        }
    }
}

TEST(Speech, TheStandingNamesTheLevelAndTheScore) {
    const struct {
        int level, score;
        const char *japanese, *english;
    } cases[] = {
        {3, 1550, "初級、得点 1550", "beginner, score 1550"},
        {2, 980, "中級、得点 980", "intermediate, score 980"},
        {1, -40, "上級、得点 -40", "advanced, score -40"},
    };
    for (const bool english : {false, true}) {
        std::optional<Translated> translation;
        if (english) translation.emplace();
        for (const auto &c : cases) {
            Table t;
            t.deal(c.level);
            t.g().board.score = c.score;
            EXPECT_EQ(standingSpeech(t.g()).toStdString(), english ? c.english : c.japanese)
                << c.english;
        }
    }
}
