// Saves a play file and writes the settings file in a loop, through the
// game's own commands, until it is killed. Version n of each file is fixed by
// n alone (savedGame, settingsFor), so whoever kills it can tell a whole file
// from a torn one. After each finished save it writes one byte to standard
// output: 'p' for the play file, 's' for the settings.
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "saves.h"

using namespace fusefuda;

int main(int argc, char **argv) {
    if (argc != 3) return 2;
    const std::string folder = argv[1];
    const long first = std::atol(argv[2]);
    for (long version = first;; ++version) {
        if (!savePlayFileVersion(folder, version)) return 3;
        if (::write(1, "p", 1) != 1) return 4;
        if (!writeSettingsVersion(folder, version)) return 5;
        if (::write(1, "s", 1) != 1) return 4;
    }
}
