// A touch screen on the board, as the mouse's buttons: one finger carries as
// the left button does (a tap holds the group as a click does), a finger
// held still on a card for half a second peeks until it lifts, two fingers
// pull the view and, spread or pinched, zoom it. The touches are taken whole, so Qt makes no mouse events of
// them that would act a second time.
#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>
#include <functional>

class QTouchEvent;

namespace fusefuda {

struct Play;

class BoardTouch : public QObject {
public:
    static constexpr int kHoldMs = 500;
    // How far a finger may stray and still be held still.
    static constexpr int kStill = 8;

    // `afterEvent` runs after the game has handled each touch.
    BoardTouch(Play &play, std::function<void()> afterEvent);

    // One touch event of the board view, in its coordinates.
    void touch(const QTouchEvent &event);
    // The half second a still finger waits before it peeks, and what its
    // end does.
    QTimer &holdTimer() { return hold_; }
    void held();

    // The client point under a point of the board view; at 100 % Qt's own
    // rounding.
    std::function<QPoint(QPointF)> toClient = [](QPointF p) { return p.toPoint(); };
    // Two fingers spread or pinched: zoom steps about their middle, a point
    // of the board view.
    std::function<void(double steps, QPointF at)> pinch;

private:
    enum class Phase { None, Pending, Carrying, Peeking, Pulling };

    void finish();

    Play &play_;
    std::function<void()> afterEvent_;
    QTimer hold_;
    Phase phase_ = Phase::None;
    QPoint start_, last_;
    double spread_ = 0;  // between two fingers, when the zoom last followed them
};

}  // namespace fusefuda
