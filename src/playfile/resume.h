// The game in progress kept in the player's data folder, so that the next
// start brings it back: a play file, and beside it what the play-file format
// has no room for (the deal's number and the view).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/play.h"

namespace fusefuda {

// "$XDG_DATA_HOME/fusefuda", or "$HOME/.local/share/fusefuda" when that is
// unset or not absolute; empty without either.
std::string dataFolderFor(const char *xdgDataHome, const char *home);

// The files in the data folder.
std::string resumeFilePath(const std::string &folder);
std::string resumeSidePath(const std::string &folder);
// Where a kept game that cannot be resumed is put aside.
std::string refusedResumePath(const std::string &folder);

// What is kept of a game: the play file's image and the side text. Both are
// empty when there is nothing to resume (no game, or a won one).
struct KeptGame {
    std::vector<uint8_t> image;
    std::string side;
    bool operator==(const KeptGame &) const = default;
};
KeptGame keptGameOf(const GameState &g);

// Writes both files through the play files' atomic write, the folder made
// when missing; an empty KeptGame removes them. False when that failed.
bool writeKeptGame(const KeptGame &kept, const std::string &folder);
// Removes both files.
void forgetKeptGame(const std::string &folder);

enum class ResumeOutcome {
    NothingKept,
    Resumed,
    // The file is not a play file the checks accept: it has been moved to
    // refusedResumePath and the game starts as without it.
    Refused,
};
// On a fresh start: takes up the kept game, with its number and view.
ResumeOutcome resumeGame(Play &play, const std::string &folder);

}  // namespace fusefuda
