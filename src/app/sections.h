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

void readSections(const ProfileFile &file, GameState &g, WindowPlace &place);
void putSections(ProfileFile &file, const GameState &g, const WindowPlace &place);

}  // namespace fusefuda
