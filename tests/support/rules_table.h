// A fresh record for a test of the rules, with a listener and a pointer that
// write down what the rules told and asked, and nothing of the drawing or the
// window; and the board set-ups that the tests of the rules and of the drawing
// share.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/starting.h"
#include "support/recording_events.h"
#include "support/recording_pointer.h"

namespace fusefuda::testing {

// Starts a game on play at a level with a seed and runs the deferred deal.
inline void dealAt(Play &play, Level level, uint32_t seed) {
    startNewGame(play, level, seed);
    dealScatter(play, level);
    play.g.dealPending = false;
}

// The state that start-up gives before any settings are read, in a client
// area of the window's first size.
inline std::unique_ptr<GameState> startingState() {
    auto g = std::make_unique<GameState>();
    setStartingValues(*g);
    g->clientWidth = 1008;
    g->clientHeight = 709;
    return g;
}

struct RulesTable {
    std::unique_ptr<GameState> state = startingState();
    RecordingEvents events;
    RecordingPointer pointer;
    Play play{*state, events, pointer};

    GameState &g() { return *state; }
    // Starts a game at a level (or the number the play file stores for it)
    // with a fixed seed and runs the deferred deal.
    void deal(Level level, uint32_t seed = kSeed) { dealAt(play, level, seed); }
    void deal(int level, uint32_t seed = kSeed) { deal(levelFromNumber(level), seed); }
    // The seed of a deal when a test names none.
    static constexpr uint32_t kSeed = 12345;
};

// Moves card (c, r)'s group so that (c, r) lies at board (left, top).
inline void place(GameState &g, int c, int r, int left, int top) {
    alignGroup(g, left, top, cardId(c, r));
}

// Joins b's group to a's and lays it out around a.
inline void joinCards(GameState &g, int a, int b) {
    mergeGroups(g, a, b);
    const Rect &at = g.board.cardRect[cardColumn(a)][cardRow(a)];
    alignGroup(g, at.left, at.top, a);
}

// Moves every card in play but those of keep off the start view (right of
// it), groups kept whole, so that a test places only the cards it needs.
inline void parkAllBut(GameState &g, std::initializer_list<int> keep) {
    const ColumnRange cols = columnsInPlay(g.level);
    bool moved[kCards] = {};
    for (int id : keep) moved[id] = true;
    int slot = 0;
    for (int r = 0; r < kRows; ++r) {
        for (int c = cols.first; c <= cols.last; ++c) {
            const int id = cardId(c, r);
            if (moved[id]) continue;
            // groups go down whole; the parking lot lies right of the view
            const int top = c == 6 ? 20 : 500 + 110 * (slot / 10);
            const int left = c == 6 ? 2000 : 2200 + 70 * (slot % 10);
            if (c != 6) ++slot;
            place(g, c, r, left, top + (c == 6 ? kPitchY * r : 0));
            for (int mc = 0; mc < kColumns; ++mc)
                for (int mr = 0; mr < kRows; ++mr)
                    if (isMember(g, id, mc, mr)) moved[cardId(mc, mr)] = true;
        }
    }
}

// A game at a level with all but keep parked.
inline void dealAndClear(RulesTable &t, int level, std::initializer_list<int> keep = {}) {
    t.deal(level);
    parkAllBut(t.g(), keep);
}

// (5,0) below (5,1), and (4,1) just left of (5,1): (5,0) dropped at
// (1100, 700) joins (5,1) first and, through it, (4,1).
inline void layTwoJoinsForOneDrop(GameState &g) {
    place(g, 5, 0, 700, 900);
    place(g, 5, 1, 1103, 803);
    place(g, 4, 1, 1035, 807);
}

// Client point of the board point (bx, by).
inline int clientX(const GameState &g, int bx) { return bx - g.viewX; }
inline int clientY(const GameState &g, int by) { return by - g.viewY; }

// Presses card (c, r) at its centre with the left button, moves it so that it
// lies at board (left, top), and releases.
inline void carryTo(Play &play, int c, int r, int left, int top) {
    const Rect at = play.g.board.cardRect[c][r];
    const int x = clientX(play.g, at.left + 31), y = clientY(play.g, at.top + 50);
    onLeftPress(play, x, y, false);
    onMouseMove(play, x + (left - at.left), y + (top - at.top));
    onLeftRelease(play, x + (left - at.left), y + (top - at.top));
}
inline void carryTo(RulesTable &t, int c, int r, int left, int top) {
    carryTo(t.play, c, r, left, top);
}

}  // namespace fusefuda::testing
