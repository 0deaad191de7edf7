#include "app/phasetimers.h"

#include "app/idle.h"
#include "game/GameState.h"

namespace fusefuda {

PhaseTimers::PhaseTimers(GameState &g, std::function<void()> afterTick)
    : g_(g), afterTick_(std::move(afterTick)) {
    for (QTimer *timer : {&popupTimer_, &sparkleTimer_}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&popupTimer_, &QTimer::timeout, this, &PhaseTimers::popupTick);
    connect(&sparkleTimer_, &QTimer::timeout, this, &PhaseTimers::sparkleTick);
}

void PhaseTimers::start() {
    clock_.start();
    running_ = true;
}

void PhaseTimers::stop() {
    running_ = false;
    popupTimer_.stop();
    sparkleTimer_.stop();
}

void PhaseTimers::schedule() {
    if (!running_) return;
    bool popups = false, sparkles = g_.gameOver || g_.dealPending;
    for (const ScorePopup &p : g_.overlays.popups) popups = popups || p.active;
    for (const Sparkle &s : g_.overlays.sparkles) sparkles = sparkles || s.stepping;
    arm(popupTimer_, kPopupTimerMs, popupDue_, popups);
    arm(sparkleTimer_, kSparkleTimerMs, sparkleDue_, sparkles);
}

// The flips keep to the beat they have had since start-up, as if the timer
// had never stopped: a popup still lasts between one and one and a half
// seconds, a sparkle frame up to 100 ms.
void PhaseTimers::arm(QTimer &timer, int period, qint64 &due, bool needed) {
    if (!needed) {
        timer.stop();
        return;
    }
    if (timer.isActive()) return;
    const qint64 now = clock_.elapsed();
    qint64 next = (now / period + 1) * period;
    // A timer may fire a little early; its own beat is then still the last.
    if (next <= due) next = due + period;
    due = next;
    timer.start(int(next - now));
}

void PhaseTimers::popupTick() {
    flipPopupPhase(g_);
    afterTick_();
}

void PhaseTimers::sparkleTick() {
    flipSparklePhase(g_);
    afterTick_();
}

}  // namespace fusefuda
