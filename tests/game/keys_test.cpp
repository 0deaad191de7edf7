#include "game/keys.h"

#include <gtest/gtest.h>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "support/rules_table.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// (4,0) at (700, 600) with the focus on it, (5,0) far off at (1100, 700).
void focusOn40(RulesTable &t, int touches = 0) {
    dealAndClear(t, 3, {cardId(4, 0), cardId(5, 0)});
    place(t.g(), 4, 0, 700, 600);
    place(t.g(), 5, 0, 1100, 700);
    t.g().board.touchCount[4][0] = touches;
    t.g().keyFocus.column = 4;
    t.g().keyFocus.row = 0;
}

}  // namespace

TEST(Focus, NearestCardInEachQuarterByCentresTheTopmostOfTwoAlike) {
    RulesTable t;
    dealAndClear(
        t, 3, {cardId(4, 0), cardId(5, 0), cardId(7, 2), cardId(8, 3), cardId(8, 2), cardId(7, 3)});
    GameState &g = t.g();
    place(g, 4, 0, 1000, 700);
    place(g, 5, 0, 1100, 720);  // right
    place(g, 7, 2, 1000, 650);  // up
    place(g, 7, 3, 940, 640);   // left, on the diagonal
    place(g, 8, 2, 960, 760);   // down, as far as (8,3), on top of it
    place(g, 8, 3, 1040, 760);
    raiseGroupInStack(g, 8, 2);
    const struct {
        int dx, dy, expected;
    } cases[] = {
        {0, -1, cardId(7, 2)}, {1, 0, cardId(5, 0)}, {0, 1, cardId(8, 2)}, {-1, 0, cardId(7, 3)}};
    for (const auto &k : cases)
        EXPECT_EQ(nearestCardToward(g, cardId(4, 0), k.dx, k.dy), k.expected)
            << k.dx << "," << k.dy;
}

// Each key against the button it stands for, pressed at the card's centre on
// a twin table: the same record and score popups, the same things said.
TEST(Keys, LiftRaiseAndPeekDoExactlyWhatTheButtonsDo) {
    enum Button { Left, ShiftLeft, Right };
    const struct {
        BoardKey key;
        Button button;
        int touches;
    } cases[] = {{BoardKey::Lift, Left, 0},  {BoardKey::Lift, Left, 2},
                 {BoardKey::Lift, Left, 4},  {BoardKey::Raise, ShiftLeft, 1},
                 {BoardKey::Peek, Right, 1}, {BoardKey::Peek, Right, 4}};
    for (const auto &k : cases) {
        RulesTable keys, mouse;
        focusOn40(keys, k.touches);
        focusOn40(mouse, k.touches);
        const int x = 731 - mouse.g().viewX, y = 650 - mouse.g().viewY;
        onKeyPress(keys.play, k.key);
        k.button == Right ? onRightPress(mouse.play, x, y)
                          : (onLeftPress(mouse.play, x, y, k.button == ShiftLeft),
                             onLeftRelease(mouse.play, x, y));
        const auto same = [&](const char *when) {
            EXPECT_EQ(keys.g().board, mouse.g().board) << when << int(k.key) << k.touches;
            EXPECT_EQ(keys.g().undoStore, mouse.g().undoStore) << when;
            EXPECT_EQ(keys.g().overlays, mouse.g().overlays) << when;
            EXPECT_EQ(keys.events.log, mouse.events.log) << when;
            EXPECT_EQ(keys.g().gesture.dragging + 2 * keys.g().gesture.pressMode,
                      mouse.g().gesture.dragging + 2 * mouse.g().gesture.pressMode);
        };
        same("pressed ");
        onKeyRelease(keys.play, k.key);
        if (k.button == Right) onRightRelease(mouse.play, x, y);
        same("released ");
        EXPECT_FALSE(keys.pointer.confined);
    }
}

TEST(Keys, CarryStaysOnTheReachableBoardAndGoesBackOrBesideItsNeighbour) {
    struct Case {
        BoardKey last;
        int coverOver;     // a card raised over the neighbour's spot, or -1
        int farNeighbour;  // (5,0) out of reach
        Rect expected;
        bool joined, inHand;
    };
    const Case cases[] = {
        {BoardKey::PutBack, -1, 0, {700, 600, 763, 701}, false, false},
        {BoardKey::Join, -1, 0, {0, 632, 63, 733}, false, false},
        {BoardKey::Join, cardId(8, 3), 0, {0, 632, 63, 733}, false, false},
        {BoardKey::Join, -1, 1, {0, 632, 63, 733}, false, false},
    };
    for (const Case &k : cases) {
        RulesTable t;
        focusOn40(t);
        GameState &g = t.g();
        if (k.farNeighbour) place(g, 5, 0, 2900, 700);
        if (k.coverOver >= 0) {
            place(g, cardColumn(k.coverOver), cardRow(k.coverOver), 1100, 700);
            raiseGroupInStack(g, cardColumn(k.coverOver), cardRow(k.coverOver));
        }
        onKeyPress(t.play, BoardKey::Lift);
        for (int i = 0; i < 30; ++i) onKeyPress(t.play, BoardKey::Left, {true, false});
        onKeyPress(t.play, BoardKey::Down, {true, false});
        onKeyPress(t.play, BoardKey::Left);
        EXPECT_EQ(g.board.cardRect[4][0].left, 0) << "never past the board's edge";
        onKeyPress(t.play, k.last);
        EXPECT_EQ(g.board.cardRect[4][0], k.expected) << int(k.last) << k.coverOver;
        EXPECT_EQ(isMember(g, cardId(5, 0), 4, 0), k.joined);
        EXPECT_EQ(g.gesture.dragging, k.inHand);
        EXPECT_EQ(g.board.touchCount[4][0] + 10 * g.undoStore.undoDepth, 11) << "charged once";
    }
}

// Below the parked cards' rows: b before a in one row, c over d at one place.
TEST(Focus, TabAndShiftTabGoInReadingOrderRoundAllCards) {
    const int a = cardId(4, 0), b = cardId(5, 0), c = cardId(8, 2), d = cardId(8, 3),
              e = cardId(7, 2), seven = cardId(kSevensColumn, 0);
    RulesTable t;
    dealAndClear(t, 3, {a, b, c, d, e});
    for (const auto &[id, left, top] : {std::tuple{a, 300, 1010}, {b, 100, 1100}, {e, 900, 1050},
                                        {d, 100, 1111}, {c, 100, 1111}})
        place(t.g(), cardColumn(id), cardRow(id), left, top);
    raiseGroupInStack(t.g(), 8, 2);
    const BoardKey tab = BoardKey::Tab, back = BoardKey::BackTab;
    for (const auto &[from, key, to] : {std::tuple{b, tab, a}, {a, tab, e}, {e, tab, c},
                                        {c, tab, d}, {d, tab, seven}, {seven, back, d},
                                        {d, back, c}}) {
        t.g().keyFocus = {true, cardColumn(from), cardRow(from)};
        onKeyPress(t.play, key);
        EXPECT_EQ(focusCard(t.g()), to) << from << (key == tab ? " Tab" : " back");
    }
}

// Nothing lies left of, above or below (4,0): each such arrow rings the bell
// and counts in a row; a view pull, a card found or a new deal ends the count.
TEST(Keys, AnArrowWithNoCardThatWayRingsTheBellAndCountsTheArrowsInARow) {
    RulesTable t;
    focusOn40(t);
    const KeyModifiers none, pull{false, true};
    for (const auto &[key, modifiers, bells, count, focus] :
         {std::tuple{BoardKey::Left, none, 1, 1, 4}, {BoardKey::Up, none, 2, 2, 4},
          {BoardKey::Left, pull, 2, 0, 4}, {BoardKey::Down, none, 3, 1, 4},
          {BoardKey::Right, none, 3, 0, 5}}) {
        onKeyPress(t.play, key, modifiers);
        EXPECT_EQ(std::tuple(t.events.said("no card"), t.g().keyFocus.deadEnds, focusCard(t.g())),
                  std::tuple(bells, count, cardId(focus, 0)));
    }
    onKeyPress(t.play, BoardKey::Up), startNewGame(t.play, kBeginner, 1);
    EXPECT_EQ(t.g().keyFocus.deadEnds, 0);
}

// Every card of 200 deals at each level: Tab goes once round them all, and
// the arrows reach each from the sevens.
TEST(Focus, EveryCardOfManyDealsIsReachedByTabAndByArrowsFromTheSevens) {
    for (int run = 0; run < 600; ++run) {
        const int level = 1 + run / 200;
        RulesTable table;
        GameState &g = table.g();
        table.deal(level, uint32_t(run % 200));
        const int cards = kRows * (kColumns - 4 * (level - 1));
        bool tabbed[kCards] = {}, reached[kCards] = {};
        for (int n = cards; n > 0; --n)
            onKeyPress(table.play, BoardKey::Tab), tabbed[focusCard(g)] = true;
        std::vector<int> open;
        for (int r = 0; r < kRows; ++r)
            reached[open.emplace_back(cardId(kSevensColumn, r))] = true;
        for (size_t i = 0; i < open.size(); ++i)
            for (const auto &[dx, dy] : {std::pair{0, -1}, {1, 0}, {0, 1}, {-1, 0}})
                if (const int to = nearestCardToward(g, open[i], dx, dy); to != kNoCard && !reached[to])
                    reached[to] = true, open.push_back(to);
        EXPECT_EQ(std::pair(std::count(tabbed, tabbed + kCards, true), std::size(open)),
                  std::pair(long(cards), size_t(cards))) << level << " " << run;
    }
}

// J is a release with a wider catch. One long step carries (4,0) from (700,
// 600) to (732, 600); its places beside (5,0) and (3,0) lie (dx, dy) off.
TEST(Keys, JoinSnapsWithinHalfACardTheNearestFirstElseGoesDownWhereItIs) {
    const int kX = 32, kY = 51, kFar = 600;  // half a card across and down
    const struct {
        int rightDx, rightDy, leftDx, joins;  // 5, 3, or -1 for none
    } cases[] = {{kX, kY, kFar, 5},    {-kX, -kY, kFar, 5}, {kX + 1, 0, kFar, -1},
                 {0, kY + 1, kFar, -1}, {20, 0, -20, 5},    {20, 0, -8, 3}};
    for (const auto &k : cases) {
        RulesTable t;
        dealAndClear(t, 1, {cardId(3, 0), cardId(4, 0), cardId(5, 0)});
        GameState &g = t.g();
        place(g, 4, 0, 700, 600);
        place(g, 5, 0, 732 + kPitchX + k.rightDx, 600 + k.rightDy);
        place(g, 3, 0, 732 - kPitchX + k.leftDx, 600);
        g.keyFocus.column = 4, g.keyFocus.row = 0;
        for (BoardKey key : {BoardKey::Lift, BoardKey::Right, BoardKey::Join})
            onKeyPress(t.play, key, {true, false});
        const Rect &r = g.board.cardRect[4][0];
        EXPECT_EQ(r.left - 732, k.joins == 5 ? k.rightDx : k.joins == 3 ? k.leftDx : 0);
        EXPECT_EQ(r.top - 600, k.joins == 5 ? k.rightDy : 0) << k.rightDx;
        EXPECT_EQ(isMember(g, cardId(5, 0), 4, 0) ? 5 : isMember(g, cardId(3, 0), 4, 0) ? 3 : -1,
                  k.joins);
        EXPECT_FALSE(g.gesture.dragging) << "put down";
    }
}
