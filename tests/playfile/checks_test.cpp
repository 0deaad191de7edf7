// What a loaded play file may hold: every board a player can save passes,
// and each value no game can have is refused, also after a trip through the
// file's image.
#include "playfile/codec.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <set>

#include "boards.h"
#include "game/deal.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;
using fusefuda::testing::playedRecord;
namespace boards = fusefuda::testing;

// --- what a loaded file may hold ---

TEST(Checks, EveryBoardAPlayerCanSavePasses) {
    EXPECT_EQ(findFault(captureRecord(Table().g())), PlayFileFault::None)
        << "before the first game";
    for (int level = 1; level <= 3; ++level) {
        Table t;
        t.deal(level, 1000 + level);
        EXPECT_EQ(findFault(captureRecord(t.g())), PlayFileFault::None) << "dealt at " << level;
        boards::playSomeMoves(t.play);
        EXPECT_EQ(findFault(captureRecord(t.g())), PlayFileFault::None) << "played at " << level;
        // saved from the keyboard's menu while a peek is held
        t.g().board.faceUp[7][0] = 1;
        EXPECT_EQ(findFault(captureRecord(t.g())), PlayFileFault::None) << "peeking at " << level;
        t.g().board.faceUp[7][0] = 0;
        boards::winGame(t.g());
        EXPECT_EQ(findFault(captureRecord(t.g())), PlayFileFault::None) << "won at " << level;
    }
    // a new game whose deal has not run yet: every card alone on its home cell
    Table pending;
    startNewGame(pending.play, kIntermediate, Table::kSeed);
    EXPECT_EQ(findFault(captureRecord(pending.g())), PlayFileFault::None) << "deal pending";
    // the stacking order reversed before the first game
    GameState &g = pending.g();
    g = GameState{};
    for (int i = 0; i < 26; ++i) {
        const int j = 51 - i;
        std::swap(g.board.stackColumn[i], g.board.stackColumn[j]);
        std::swap(g.board.stackRow[i], g.board.stackRow[j]);
        g.board.stackLevel[g.board.stackColumn[i]][g.board.stackRow[i]] = i;
        g.board.stackLevel[g.board.stackColumn[j]][g.board.stackRow[j]] = j;
    }
    EXPECT_EQ(findFault(captureRecord(g)), PlayFileFault::None) << "reversed before a game";
}

namespace {

struct Damage {
    const char *what;
    std::function<void(PlayFileRecord &)> apply;
    PlayFileFault expected;
};

void expectRefused(const PlayFileRecord &good, const std::vector<Damage> &cases) {
    ASSERT_EQ(findFault(good), PlayFileFault::None);
    for (const Damage &d : cases) {
        auto bad = std::make_unique<PlayFileRecord>(good);
        d.apply(*bad);
        EXPECT_EQ(findFault(*bad), d.expected) << d.what;
        // and the fault survives a trip through the image
        PlayFileRecord back;
        ASSERT_EQ(decodePlayFile(encodePlayFile(*bad), back), PlayFileFault::None);
        EXPECT_EQ(findFault(back), d.expected) << d.what << " (read back)";
    }
}

}  // namespace

TEST(Checks, RefusesValuesNoWriterOfTheFormatProduces) {
    using F = PlayFileFault;
    // Each of these reads back to a number that its form cannot write: the
    // file was not written by this program.
    std::vector<uint8_t> image = encodePlayFile(*playedRecord(2));
    PlayFileRecord rec;
    image[16] = 255;  // score digits 255, 255
    image[17] = 255;
    ASSERT_EQ(decodePlayFile(image, rec), PlayFileFault::None);
    EXPECT_EQ(rec.board.score, 65280);
    EXPECT_EQ(findFault(rec), F::Form);

    const std::vector<uint8_t> blank = encodePlayFile(captureRecord(Table().g()));
    image = blank;
    image[400 + 20 * 14] = 255;  // slot card of (1, 1): digits 255, 255
    image[400 + 20 * 14 + 1] = 255;
    ASSERT_EQ(decodePlayFile(image, rec), PlayFileFault::None);
    EXPECT_EQ(rec.board.slotCard[1][1], 65280);
    EXPECT_EQ(findFault(rec), F::Form);

    image = blank;
    image[1440] = 255;  // left of (0, 0): sign byte 255
    ASSERT_EQ(decodePlayFile(image, rec), PlayFileFault::None);
    EXPECT_EQ(findFault(rec), F::Form);

    // an odd sign byte whose value still fits is read by the same rule
    image = blank;
    image[1440 + 4] = 1;
    ASSERT_EQ(decodePlayFile(image, rec), PlayFileFault::None);
    EXPECT_EQ(rec.board.cardRect[0][0].top, -1000);
    EXPECT_EQ(findFault(rec), F::None);
}

TEST(Checks, RefusesHeadersNoGameHas) {
    using F = PlayFileFault;
    expectRefused(
        *playedRecord(2),
        {
            {"level 4", [](PlayFileRecord &r) { r.level = 4; }, F::Header},
            {"level 255", [](PlayFileRecord &r) { r.level = 255; }, F::Header},
            {"started without a level", [](PlayFileRecord &r) { r.level = 0; }, F::Header},
            {"a level before any game", [](PlayFileRecord &r) { r.gameStarted = 0; }, F::Header},
        });
    expectRefused(
        captureRecord(Table().g()),
        {
            {"won before any game", [](PlayFileRecord &r) { r.gameOver = 1; }, F::Header},
            {"level 3 before any game", [](PlayFileRecord &r) { r.level = 3; }, F::Header},
        });
    // The option and the score index nothing; odd values from the settings
    // file are kept.
    auto odd = playedRecord(2);
    odd->scoreDisplayOn = 200;
    odd->board.score = 65279;
    EXPECT_EQ(findFault(*odd), F::None);
}

TEST(Checks, RefusesValuesOutsideTheirTables) {
    using F = PlayFileFault;
    const auto good = playedRecord(1);
    expectRefused(
        *good,
        {
            {"touch count 5", [](PlayFileRecord &r) { r.board.touchCount[9][1] = 5; }, F::TouchCount},
            {"touch count 65279", [](PlayFileRecord &r) { r.board.touchCount[12][3] = 65279; },
             F::TouchCount},
            {"stack level 52", [](PlayFileRecord &r) { r.board.stackLevel[2][2] = 52; }, F::Stacking},
            {"stack column 13", [](PlayFileRecord &r) { r.board.stackColumn[0] = 13; }, F::Stacking},
            {"stack row 4", [](PlayFileRecord &r) { r.board.stackRow[51] = 4; }, F::Stacking},
        });
    // Before the first game the ranges still hold.
    expectRefused(
        captureRecord(Table().g()),
        {
            {"stack column 200", [](PlayFileRecord &r) { r.board.stackColumn[7] = 200; }, F::Stacking},
            {"touch count 9", [](PlayFileRecord &r) { r.board.touchCount[1][1] = 9; }, F::TouchCount},
        });
}

TEST(Checks, FlagsOtherThanZeroOrOneAreRefusedAsTheyAreRead) {
    using F = PlayFileFault;
    struct Damage {
        const char *what;
        std::size_t offset;
        uint8_t value;
        PlayFileFault expected;
    };
    const Damage cases[] = {
        {"started 2", 0, 2, F::Header},
        {"won 7", 8, 7, F::Header},
        {"slotPresent 2", 400 + 20 * (13 * 2 + 3) + 4, 2, F::Flag},
        {"faceUp 255", 400 + 12 + 1, 1, F::Flag},
        {"member flag 2", 2272 + 2704 * 40 + 13 * 3 + 12, 2, F::Flag},
    };
    const std::vector<uint8_t> good = encodePlayFile(*playedRecord(1));
    PlayFileRecord rec;
    ASSERT_EQ(decodePlayFile(good, rec), F::None);
    for (const Damage &d : cases) {
        std::vector<uint8_t> image = good;
        image[d.offset] = d.value;
        EXPECT_EQ(decodePlayFile(image, rec), d.expected) << d.what;
    }
}

TEST(Checks, RefusesStackingThatIsNotTheInverseOfTheLevels) {
    using F = PlayFileFault;
    expectRefused(
        *playedRecord(3),
        {
            {"two cards on one level",
             [](PlayFileRecord &r) { r.board.stackLevel[4][0] = r.board.stackLevel[5][0]; }, F::Stacking},
            {"levels swapped without the lists",
             [](PlayFileRecord &r) { std::swap(r.board.stackLevel[4][0], r.board.stackLevel[8][3]); },
             F::Stacking},
            {"lists swapped without the levels",
             [](PlayFileRecord &r) { std::swap(r.board.stackColumn[10], r.board.stackColumn[11]); },
             F::Stacking},
            {"row list off by one",
             [](PlayFileRecord &r) { r.board.stackRow[20] = (r.board.stackRow[20] + 1) % 4; }, F::Stacking},
        });
}

TEST(Checks, RefusesFacesNoCardCanShow) {
    using F = PlayFileFault;
    expectRefused(
        *playedRecord(2),
        {
            {"settled card face down", [](PlayFileRecord &r) { r.board.faceUp[6][0] = 0; }, F::Face},
            {"spent card face down", [](PlayFileRecord &r) { r.board.faceUp[8][2] = 0; }, F::Face},
            {"two cards peeked at",
             [](PlayFileRecord &r) {
                 r.board.faceUp[3][0] = 1;
                 r.board.faceUp[9][3] = 1;
             },
             F::Face},
        });
}

TEST(Checks, RefusesRectanglesThatCannotBeACardOnTheBoard) {
    using F = PlayFileFault;
    expectRefused(
        *playedRecord(1),
        {
            {"too wide", [](PlayFileRecord &r) { r.board.cardRect[9][0].right += 1; }, F::Rectangle},
            {"too short", [](PlayFileRecord &r) { r.board.cardRect[9][0].bottom -= 1; }, F::Rectangle},
            {"empty", [](PlayFileRecord &r) { r.board.cardRect[11][2] = Rect{}; }, F::Rectangle},
            {"far off to the left",
             [](PlayFileRecord &r) {
                 r.board.cardRect[7][1] = {-60000, 600, -59937, 701};
             },
             F::Rectangle},
            {"far below",
             [](PlayFileRecord &r) {
                 r.board.cardRect[7][1] = {1563, 50000, 1626, 50101};
             },
             F::Rectangle},
        });
}

TEST(Checks, RefusesCardsOutsideTheLevelThatWereTouchedOrMoved) {
    using F = PlayFileFault;
    // at the beginner level columns 0..3 and 9..12 stay as the new game left them
    expectRefused(
        *playedRecord(3),
        {
            {"touched", [](PlayFileRecord &r) { r.board.touchCount[0][0] = 1; }, F::OutsideLevel},
            {"settled",
             [](PlayFileRecord &r) {
                 r.board.touchCount[12][3] = 3;
                 r.board.faceUp[12][3] = 1;
             },
             F::OutsideLevel},
            {"moved",
             [](PlayFileRecord &r) {
                 r.board.cardRect[10][1] = {600, 600, 663, 701};
             },
             F::OutsideLevel},
            {"no group of its own",
             [](PlayFileRecord &r) { r.board.groupMembers[cardId(2, 2)][2][2] = 0; }, F::OutsideLevel},
            {"joined to a card in play",
             [](PlayFileRecord &r) {
                 bool merged[kColumns][kRows];
                 std::memcpy(merged, r.board.groupMembers[cardId(4, 0)], sizeof merged);
                 merged[3][0] = 1;
                 for (int id = 0; id < kCards; ++id)
                     if (merged[cardColumn(id)][cardRow(id)])
                         std::memcpy(r.board.groupMembers[id], merged, sizeof merged);
             },
             F::OutsideLevel},
        });
}

TEST(Checks, RefusesGroupsThatDisagreeOrLieOffThePitch) {
    using F = PlayFileFault;
    const auto good = playedRecord(2);
    const int f = 2;  // first column at the intermediate level
    expectRefused(
        *good,
        {
            {"joined one way only",
             [](PlayFileRecord &r) { r.board.groupMembers[cardId(9, 1)][9][2] = 1; }, F::Group},
            {"a member missing from one row",
             [=](PlayFileRecord &r) { r.board.groupMembers[cardId(f, 0)][f + 1][0] = 0; }, F::Group},
            {"a card not in its own group",
             [](PlayFileRecord &r) { r.board.groupMembers[cardId(10, 3)][10][3] = 0; }, F::Group},
            {"a member off the pitch",
             [=](PlayFileRecord &r) {
                 r.board.cardRect[f + 1][0].left += 1;
                 r.board.cardRect[f + 1][0].right += 1;
             },
             F::Group},
            {"a group a row apart",
             [=](PlayFileRecord &r) {
                 r.board.cardRect[f][1].top += 101;
                 r.board.cardRect[f][1].bottom += 101;
             },
             F::Group},
        });
}

TEST(Checks, RefusesAWonBoardWithCardsLeftOver) {
    Table t;
    t.deal(3, 8);
    boards::winGame(t.g());
    auto rec = std::make_unique<PlayFileRecord>(captureRecord(t.g()));
    ASSERT_EQ(findFault(*rec), PlayFileFault::None);
    // the same board, one card short of the sevens' group
    Table u;
    u.deal(3, 8);
    const ColumnRange cols = columnsInPlay(kBeginner);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (!(c == 8 && r == 3)) boards::joinGroups(u.g(), 6, cardId(c, r));
    u.g().gameOver = 1;
    rec = std::make_unique<PlayFileRecord>(captureRecord(u.g()));
    EXPECT_EQ(findFault(*rec), PlayFileFault::Unfinished);
    rec->gameOver = 0;
    EXPECT_EQ(findFault(*rec), PlayFileFault::None);
}
