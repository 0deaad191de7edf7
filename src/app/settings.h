// The settings file: the options and the high-score table, read once at
// start-up and written at shut-down and after a name entry.
#pragma once

#include <string>

#include "app/sections.h"
#include "game/GameState.h"

namespace fusefuda {

// Where the settings are read from and written to. Normally both are the file
// beside the executable; when its folder cannot be written, the per-user
// configuration folder takes over (read from the file beside the executable
// until the per-user file exists, so shipped settings still count).
struct SettingsLocation {
    std::string readPath;
    std::string writePath;
};

// "<folder>/<base name>.ini" for the executable at executablePath.
std::string settingsPathBeside(const std::string &executablePath);
SettingsLocation settingsLocation(const std::string &executablePath,
                                  const std::string &userConfigFolder);
// Whether a file can be created in folder (tried for real, so that read-only
// mounts and missing folders count as not writable even for root).
bool folderIsWritable(const std::string &folder);

// Reads every key; a missing key or file leaves the field as it is. The
// window's place, when asked for, is known only when the file holds one.
void readSettings(GameState &g, const SettingsLocation &where, WindowPlace *place = nullptr);
// Writes every key into the file, keeping its other sections and keys; the
// window's place when it is known. False when the file could not be written.
bool writeSettings(const GameState &g, const SettingsLocation &where,
                   const WindowPlace &place = {});

// The standard decimal conversion: leading blanks, an optional sign, digits up
// to the first other character; 0 without digits. Saturates at the limits of
// a 32-bit integer instead of wrapping.
int32_t decimalValue(const std::string &text);

}  // namespace fusefuda
