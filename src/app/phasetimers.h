// The two timers that flip the popup and sparkle phases. A timer that flips
// a phase nobody looks at only wakes the processor, so each runs only while
// something ages by it.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

namespace fusefuda {

struct GameState;

class PhaseTimers : public QObject {
public:
    // `afterTick` runs after either timer has flipped its phase.
    PhaseTimers(GameState &g, std::function<void()> afterTick);

    // The common beat starts; until then no timer runs.
    void start();
    // Both timers stop for good.
    void stop();
    // Starts or stops each timer by what is on the board: a popup, a
    // sparkle, a won board's sparkles, or a deal that still waits.
    void schedule();

    // Each timer's work, callable without waiting for it.
    void popupTick();
    void sparkleTick();
    bool popupTimerRunning() const { return popupTimer_.isActive(); }
    bool sparkleTimerRunning() const { return sparkleTimer_.isActive(); }

private:
    void arm(QTimer &timer, int period, qint64 &due, bool needed);

    GameState &g_;
    std::function<void()> afterTick_;
    bool running_ = false;
    QTimer popupTimer_;
    QTimer sparkleTimer_;
    QElapsedTimer clock_;  // the timers' common beat, from start-up
    qint64 popupDue_ = 0;  // when each timer last was or is due to fire
    qint64 sparkleDue_ = 0;
};

}  // namespace fusefuda
