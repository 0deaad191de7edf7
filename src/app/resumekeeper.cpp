#include "app/resumekeeper.h"

#include <algorithm>

namespace fusefuda {

namespace {

constexpr qint64 kWritePace = 500;  // ms between two writes at the most

bool gestureUnderWay(const GameState &g) {
    return g.gesture.dragging || g.gesture.pressMode != kPressNone || g.gesture.panning;
}

}  // namespace

ResumeKeeper::ResumeKeeper(const GameState &g) : g_(g) {
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { onTimer(); });
}

void ResumeKeeper::settled() {
    if (!keeping()) return;
    pending_ = true;
    if (timer_.isActive()) return;
    const qint64 since = sinceWrite_.isValid() ? sinceWrite_.elapsed() : kWritePace;
    timer_.start(int(std::max<qint64>(0, kWritePace - since)));
}

void ResumeKeeper::onTimer() {
    // A carry under way is left alone; its drop settles again.
    if (!pending_ || gestureUnderWay(g_)) return;
    pending_ = false;
    writeIfChanged();
}

void ResumeKeeper::keepNow() {
    timer_.stop();
    pending_ = false;
    if (keeping()) writeIfChanged();
}

void ResumeKeeper::forget() {
    timer_.stop();
    pending_ = false;
    if (!folder_.empty()) forgetKeptGame(folder_);
    last_ = {};
}

void ResumeKeeper::writeIfChanged() {
    KeptGame kept = keptGameOf(g_);
    sinceWrite_.start();
    if (kept == last_) return;
    if (writeKeptGame(kept, folder_)) last_ = std::move(kept);
}

}  // namespace fusefuda
