// The player's input on the board, routed to the game: the board view's mouse
// events, keys and touches, and the moves of a carry taken straight from the window. Each event
// is kept inside the pointer's confinement; moves wait for the next frame,
// presses and releases are handled at once, after the moves before them.
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>
#include <vector>

#include "app/boardtouch.h"
#include "app/boardview.h"

class QKeyEvent;

namespace fusefuda {

struct Play;
class BoardPointer;
class OverviewMode;
class Presenter;

class BoardInput : public QObject {
public:
    // `window` is the top-level widget whose native window shows `view`;
    // `afterEvent` runs after the game has handled each event. While the
    // overview is shown, a left press goes to it and the game gets nothing.
    BoardInput(Play &play, BoardView &view, QWidget &window, BoardPointer &pointer,
               Presenter &presenter, OverviewMode &overview, std::function<void()> afterEvent);

    // Once the native window exists: a carry's moves are taken from it.
    void attach();
    // Events reach the game only between start-up and shut-down.
    void setActive(bool active) { active_ = active; }

    // One mouse event of the board view, in its coordinates.
    void mouse(MouseKind kind, QPoint position, bool shift);
    // Runs a menu command with the mouse's events held until it ends, then
    // handles them in order. A chooser's own event loop passes on what
    // arrives after its window has gone and before it returns: a press made
    // then must act on the board the command leaves, not the one before it.
    void holdWhile(const std::function<void()> &command);
    // One key of the board view; false when the board has no use for it.
    bool key(const QKeyEvent &event);
    BoardTouch &touch() { return touch_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void handle(MouseKind kind, QPoint position, bool shift);
    void endKeyPeek();
    bool movesGoStraightToView() const;

    Play &play_;
    BoardView &view_;
    QWidget &window_;
    BoardPointer &pointer_;
    Presenter &presenter_;
    OverviewMode &overview_;
    std::function<void()> afterEvent_;
    bool active_ = false;
    struct Held {
        MouseKind kind;
        QPoint position;
        bool shift;
    };
    bool holding_ = false;
    std::vector<Held> held_;
    BoardTouch touch_;
};

}  // namespace fusefuda
