// The random player's hand: the pointer and its two buttons as a player
// holds them, with Shift, and the keys. Every event goes to the handler the
// window calls, then to the expectations.
#pragma once

#include <vector>

#include "expectations.h"
#include "game/keys.h"

namespace fusefuda::stress {

class Hand {
public:
    Hand(Table &table, Random &random, Expectations &expect, Trace &trace)
        : table_(table), random_(random), expect_(expect), trace_(trace) {}

    int x() const { return x_; }
    int y() const { return y_; }
    bool leftDown() const { return leftDown_; }
    // The client area, in board pixels: the window's size over the zoom.
    int width() const { return table_.g().clientWidth; }
    int height() const { return table_.g().clientHeight; }

    void moveTo(int x, int y);
    // A few steps with a wobble, the last exactly on the target.
    void travel(int x, int y, int steps);
    void leftPress(bool shift);
    void leftRelease();
    void rightPress();
    void rightRelease();
    void releaseButtons();
    // A key pressed and, mostly, let go; a peek may be left held.
    void key(BoardKey k, KeyModifiers modifiers = {});

    // What the player sees: a window point where the card shows, if any part
    // of it does; some card that shows; a point on the bare board.
    bool visiblePoint(int id, int &x, int &y);
    bool someVisibleCard(int &id, int &x, int &y);
    bool emptyPoint(int &x, int &y);
    // The cards in play in a random order.
    std::vector<int> cardsInPlay();

private:
    void confine(int &x, int &y) const;

    Table &table_;
    Random &random_;
    Expectations &expect_;
    Trace &trace_;
    int x_ = kWindowWidth / 2, y_ = kWindowHeight / 2;
    bool leftDown_ = false, rightDown_ = false;
};

}  // namespace fusefuda::stress
