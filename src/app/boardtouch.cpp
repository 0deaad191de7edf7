#include "app/boardtouch.h"

#include <QLineF>
#include <QTouchEvent>
#include <cmath>

#include "game/board.h"
#include "game/input.h"
#include "game/keys.h"
#include "game/zoom.h"

namespace fusefuda {

BoardTouch::BoardTouch(Play &play, std::function<void()> afterEvent)
    : play_(play), afterEvent_(std::move(afterEvent)) {
    hold_.setSingleShot(true);
    hold_.setInterval(kHoldMs);
    connect(&hold_, &QTimer::timeout, this, &BoardTouch::held);
}

void BoardTouch::touch(const QTouchEvent &event) {
    Play fingers = pointerFree(play_);
    if (event.type() == QEvent::TouchEnd || event.type() == QEvent::TouchCancel) {
        finish();
        return;
    }
    // The fingers' middle: one finger's place, or where two pull the view.
    QPointF sum, first[2];
    int down = 0;
    for (const QEventPoint &point : event.points())
        if (point.state() != QEventPoint::Released) {
            if (down < 2) first[down] = point.position();
            sum += point.position(), ++down;
        }
    if (down == 0) return;
    const double spread = down >= 2 ? QLineF(first[0], first[1]).length() : 0;
    // Half a zoom step's spread at a time, so that fingers held still do not
    // make the board tremble.
    if (phase_ == Phase::Pulling && spread > 0 && spread_ > 0 && pinch) {
        const double steps = std::log(spread / spread_) / std::log(kZoomStep);
        if (std::abs(steps) >= 0.5) {
            pinch(steps, sum / down);
            spread_ = spread;
        }
    }
    const QPoint at = toClient(sum / down);
    if (down >= 2 && (phase_ == Phase::None || phase_ == Phase::Pending)) {
        spread_ = spread;
        hold_.stop();
        if (!mouseHolds(play_.g) && !keysHold(play_.g)) {
            startPanning(fingers, at.x(), at.y());
            phase_ = Phase::Pulling;
        }
    } else if (phase_ == Phase::None) {
        start_ = at;
        if (play_.g.gesture.dragging) {
            // Held by a tap: the group comes to the finger.
            phase_ = Phase::Carrying;
            onMouseMove(fingers, at.x(), at.y());
        } else {
            phase_ = Phase::Pending;
            hold_.start();
        }
    } else if (phase_ == Phase::Pending && (at - start_).manhattanLength() > kStill) {
        hold_.stop();
        phase_ = Phase::Carrying;
        onLeftPress(fingers, start_.x(), start_.y(), false);
        onMouseMove(fingers, at.x(), at.y());
    } else if (phase_ == Phase::Carrying || phase_ == Phase::Pulling) {
        onMouseMove(fingers, at.x(), at.y());
    }
    last_ = at;
    afterEvent_();
}

// Still for half a second: on a card, the right button's peek.
void BoardTouch::held() {
    if (phase_ != Phase::Pending || cardAt(play_.g, start_.x(), start_.y()) == kNoCard) return;
    Play fingers = pointerFree(play_);
    onRightPress(fingers, start_.x(), start_.y());
    phase_ = Phase::Peeking;
    afterEvent_();
}

// Every finger lifted: the button the touch stood for comes up. A tap is a
// click: the group it lifted stays in hand until a move and a release.
void BoardTouch::finish() {
    hold_.stop();
    Play fingers = pointerFree(play_);
    switch (phase_) {
    case Phase::None: return;
    case Phase::Pending:
        onLeftPress(fingers, start_.x(), start_.y(), false);
        onLeftRelease(fingers, start_.x(), start_.y());
        break;
    case Phase::Carrying: onLeftRelease(fingers, last_.x(), last_.y()); break;
    case Phase::Peeking:
    case Phase::Pulling: onRightRelease(fingers, last_.x(), last_.y()); break;
    }
    phase_ = Phase::None;
    afterEvent_();
}

}  // namespace fusefuda
