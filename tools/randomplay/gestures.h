// What the random player does, one gesture at a time, drawn from a table of
// weights: mostly carries that join, as a player makes them, and among them
// stray carries, raises, peeks, view pulls, zooms, key bursts, commands,
// timer ticks and presses no player means.
#pragma once

#include "commands.h"
#include "hand.h"

namespace fusefuda::stress {

class Gestures {
public:
    Gestures(Table &table, Random &random, Expectations &expect, Hand &hand, Commands &commands,
             Trace &trace)
        : table_(table), random_(random), expect_(expect), hand_(hand), commands_(commands),
          trace_(trace) {}

    void play(long number);

private:
    void putDownHeldGroup();
    void joinCarry();
    bool tryJoinCarry(int moved, int fixed, int dx, int dy);
    void randomCarry();
    void shiftClick();
    void peek();
    void pan();
    void hover();
    void zoom();
    void tick();
    void keys();
    void commandOrKeys();
    void midGestureCommand();
    void oddPresses();

    struct Weighted {
        int weight;  // in thousandths
        void (*gesture)(Gestures &);
    };
    static const Weighted kTable[];

    Table &table_;
    Random &random_;
    Expectations &expect_;
    Hand &hand_;
    Commands &commands_;
    Trace &trace_;
};

}  // namespace fusefuda::stress
