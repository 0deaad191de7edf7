// The sections the settings file holds beside the classic one: the game's
// own options with the window's place, and the player's record. A section's
// keys are written once they hold something other than their defaults (or
// are in the file already), so a file of a game that never used them stays
// as it was.
#pragma once

#include "game/GameState.h"
#include "platform/profile.h"

namespace fusefuda {

// The window's outer rectangle as the player left it.
struct WindowPlace {
    bool known = false;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const WindowPlace &) const = default;
};

// How the file's number of an option says on: the guide is on unless 0,
// every other option only when exactly 1. A number the game leaves as it
// counts is written back as it was; one the player changed becomes 1 or 0.
enum class OnWhen { One, NotZero };
inline bool optionIsOn(int32_t held, OnWhen rule) {
    return rule == OnWhen::NotZero ? held != 0 : held == 1;
}

void readSections(const ProfileFile &file, GameState &g, WindowPlace &place);
void putSections(ProfileFile &file, const GameState &g, const WindowPlace &place);

}  // namespace fusefuda
