// The pointer over the board view: kept inside a rectangle while the game
// asks (a carried group stays within the window), held by the view so that
// its moves keep coming, and shown as the closed hand while a card is in
// hand or the view is pulled.
#pragma once

#include <QCursor>
#include <QPoint>
#include <QRect>

#include "game/play.h"

namespace fusefuda {

class BoardView;

class BoardPointer : public Pointer {
public:
    explicit BoardPointer(BoardView &view);

    // Keeps the pointer inside [left, right) x [top, bottom) of the view until
    // release; a pointer outside is moved in at once.
    void confine(int left, int top, int right, int bottom) override;
    void release() override;
    bool confined() const { return confined_; }
    // The position clamped into the confinement; when that moved it, the
    // pointer itself is moved there too.
    QPoint keepInside(QPoint position);

    // The hand for the surfaces' density, its hot spot at its top-left corner.
    void loadGrabCursor(int scale);
    // The hand, until the next mouse event unless the game asks again.
    void showGrab() override;
    // Around the game's handling of one mouse event: the arrow comes back
    // unless the game asked for the hand meanwhile, as a window's class
    // cursor does.
    void eventBegins() { wantGrab_ = false; }
    void eventEnds();
    bool grabShown() const { return grabShown_; }

private:
    QPoint clamped(QPoint position) const;

    BoardView &view_;
    QCursor grabCursor_;
    bool wantGrab_ = false;
    bool grabShown_ = false;
    bool confined_ = false;
    QRect confinement_;
};

}  // namespace fusefuda
