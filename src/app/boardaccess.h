// What a screen reader hears of the board: the focus card as a sighted
// player sees it (its face or its back's shade, its group), the end of the
// game with its score, and the level and score at any time. The board view
// is an accessible object of its own, with the focus card as its one child,
// made anew for each change a reader should say; nothing of it is made until
// a screen reader asks, and without one following the board costs a flag's
// test.
#pragma once

#include <QAccessible>
#include <QString>

#include "game/GameState.h"

namespace fusefuda {

class BoardView;

// The focus card as its name, in the interface's language.
QString focusCardSpeech(const GameState &g);
// The level and the score.
QString standingSpeech(const GameState &g);

class BoardAccess {
public:
    // What passes the events on to the reader; a test listens in its place.
    using Teller = void (*)(QAccessibleEvent *);
    BoardAccess(const GameState &g, BoardView &view,
                Teller tell = QAccessible::updateAccessibility);
    ~BoardAccess();
    BoardAccess(const BoardAccess &) = delete;
    BoardAccess &operator=(const BoardAccess &) = delete;
    // Lets Qt's accessibility make the board view's and the application's
    // accessible objects.
    static void install();
    // After every event: tells a screen reader, when one listens, what changed.
    void follow(bool listening = QAccessible::isActive());

private:
    const GameState &g_;
    BoardView &view_;
    Teller tell_;
    QString name_, description_;
    int focus_ = kNoCard;
    int deadEnds_ = 0;
};

}  // namespace fusefuda
