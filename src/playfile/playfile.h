// The play-file commands: save and restore a game in progress.
#pragma once

#include <string>

#include "game/play.h"

// Marks a text for Qt's translation tools where Qt itself is not included;
// the same definition as Qt's own.
#ifndef QT_TRANSLATE_NOOP
#define QT_TRANSLATE_NOOP(scope, x) x
#endif

namespace fusefuda {

// What the commands ask of the window around them.
class PlayFileWindow {
public:
    virtual ~PlayFileWindow() = default;
    // The file choosers; an empty result means the player cancelled.
    virtual std::string chooseOpenPlayFile() = 0;
    virtual std::string chooseSavePlayFile() = 0;
    // A message box with one OK button. The text is the Japanese one, marked
    // with QT_TRANSLATE_NOOP in the context "Messages"; the box shows its
    // translation.
    virtual void showMessage(const std::string &text) = 0;
    // The score window follows the score display option that a file brings.
    virtual void openScoreWindow() = 0;
    virtual void closeScoreWindow() = 0;
};

void savePlayFile(const GameState &g, PlayFileWindow &window);
void loadPlayFile(Play &play, PlayFileWindow &window);

}  // namespace fusefuda
