// What the random player expects after every event: the game's invariants,
// an undo depth that matches the presses it made, a confinement exactly while
// the mouse carries or pulls, a won board laid out with its summary, and no
// message it did not ask for. It also runs what the window runs after each
// event (the idle step, a repaint now and then) and counts what happened.
#pragma once

#include <deque>
#include <memory>

#include "random.h"
#include "table.h"

namespace fusefuda::stress {

struct Counts {
    long events = 0, joins = 0, nearMisses = 0, peeks = 0, undos = 0, reversals = 0;
    long saves = 0, loads = 0, refusedLoads = 0, newGames = 0, midGesture = 0, paints = 0;
    long zooms = 0;
    long winsBeginner = 0, winsIntermediate = 0, winsAdvanced = 0;
};

class Expectations {
public:
    Expectations(Table &table, Random &random) : table_(table), random_(random) {}

    void afterEvent();
    // A press the game keeps an undo snapshot for: the board before it.
    void remember(std::unique_ptr<Board> board);
    // The snapshot the next undo must bring back; null when none is expected.
    std::unique_ptr<Board> takeUndo();
    // A new deal or a loaded game: nothing to undo, the end not yet seen.
    void forgetUndo(bool over);
    int groupCount() const;

    Counts counts;

private:
    void check();
    void checkWonLayout();

    Table &table_;
    Random &random_;
    bool wasOver_ = false;
    int summariesSeen_ = 0;
    std::deque<std::unique_ptr<Board>> shadow_;
};

}  // namespace fusefuda::stress
