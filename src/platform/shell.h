// What the game and the drawing code need from the application around them.
// The application implements it over Qt; tests use a recording stand-in.
#pragma once

#include <cstdint>
#include <string>

#include "assets/numbers.h"

// Marks a text for Qt's translation tools where Qt itself is not included;
// the same definition as Qt's own.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace fusefuda {

// The translation context of the texts that showMessage shows.
inline constexpr const char *kMessageContext = "Messages";

class Shell {
public:
    virtual ~Shell() = default;

    // Menu check marks and the undo entry's greyed state, from the options
    // and undoDepth.
    virtual void updateMenuMarks() = 0;
    // The score window shows the current score (nothing when it is closed).
    virtual void showScore() = 0;
    // Plays one of the embedded effects. The caller has already checked
    // soundOn.
    virtual void playEffect(Sound sound) = 0;
    // Requests a full repaint (paintWindow) on the next turn of the event loop.
    virtual void invalidateWindow() = 0;
    // Runs the score summary modally; it hands over to the high-score entry.
    virtual void runScoreSummary() = 0;

    // The grabbing-hand cursor, set while a card is carried or pressed and
    // while the view is pulled.
    virtual void setGrabCursor() = 0;
    // Keeps the pointer inside [left, right) x [top, bottom) of the client
    // area until releaseCursor.
    virtual void confineCursor(int left, int top, int right, int bottom) = 0;
    virtual void releaseCursor() = 0;

    // Shows the window's dirty area at once (the flips draw frame by frame).
    virtual void presentNow() = 0;
    // Blocks for a few milliseconds between animation frames.
    virtual void pause(int milliseconds) = 0;
    // The peek window's picture changed.
    virtual void peekChanged() = 0;

    // The score window: opened while the score display option is on.
    virtual void openScoreWindow() = 0;
    virtual void closeScoreWindow() = 0;

    // The file choosers of the play-file commands; an empty result means the
    // player cancelled.
    virtual std::string chooseOpenPlayFile() = 0;
    virtual std::string chooseSavePlayFile() = 0;
    // A message box owned by the main window with one OK button (UTF-8 text).
    // The text is the Japanese one; the box shows its translation in the
    // context kMessageContext, where QT_TRANSLATE_NOOP marks it.
    virtual void showMessage(const std::string &text) = 0;

    // Calendar time in whole seconds; seeds every new game.
    virtual int64_t currentTime() = 0;
};

}  // namespace fusefuda
