// Keeps the game in progress in the player's data folder while it is played:
// after a press has settled, at most twice a second and never while a card
// is carried, and at once when the program leaves.
#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <string>

#include "game/GameState.h"
#include "playfile/resume.h"

namespace fusefuda {

class ResumeKeeper {
public:
    explicit ResumeKeeper(const GameState &g);

    // The data folder; empty (as in tests of the window) keeps nothing.
    void setFolder(std::string folder) { folder_ = std::move(folder); }
    const std::string &folder() const { return folder_; }
    // What the start found kept, so that an unchanged game is not rewritten.
    void startFrom(KeptGame kept) { last_ = std::move(kept); }

    // A press has settled, or the board changed as a whole: the game is
    // written on the next turn of the loop, or half a second after the last
    // write.
    void settled();
    // Leaving: written now, whatever the pace.
    void keepNow();
    // The option was turned off: the kept game goes.
    void forget();

private:
    bool keeping() const { return !folder_.empty() && g_.resumeOn; }
    void writeIfChanged();
    void onTimer();

    const GameState &g_;
    std::string folder_;
    KeptGame last_;
    QTimer timer_;
    QElapsedTimer sinceWrite_;
    bool pending_ = false;
};

}  // namespace fusefuda
