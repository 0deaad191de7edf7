// The numbered versions of a play file and a settings file that the kill test
// saves, shared by the saving child and the test that checks what it left.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fusefuda {

constexpr const char *kPlayFileName = "game.pvq";
constexpr const char *kSettingsName = "fusefuda.ini";

// Saves version n of the game to folder/game.pvq through the save command;
// false when the command reported a failure.
bool savePlayFileVersion(const std::string &folder, long version);
// Writes version n of the settings to folder/fusefuda.ini; false on failure.
bool writeSettingsVersion(const std::string &folder, long version);

// The first bytes of play file version n (an older, longer file keeps what
// lies beyond them), and the whole settings file of version n.
std::vector<uint8_t> playFileBytes(long version);
std::string settingsBytes(long version);

}  // namespace fusefuda
