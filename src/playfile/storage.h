// Byte-exact file access for play files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace fusefuda {

enum class ReadOutcome {
    Read,        // the first `size` bytes were delivered
    CannotOpen,  // missing, unreadable, or not a regular file
    Failed,      // the file ends before `size` bytes, or reading failed
};

// Reads the first `size` bytes of the file at path, exactly as stored.
ReadOutcome readFileStart(const std::string &path, std::size_t size, std::vector<uint8_t> &bytes);

// Makes the file at path start with `bytes`; what an older, longer file holds
// beyond them stays as it was. The new file is written as a temporary beside
// it that is then renamed into place, so that whatever goes wrong (a full
// disk, a kill, a folder that has gone) the old file is either untouched or
// wholly replaced. Temporaries that killed saves left beside it are removed. A
// file the user may not write stays as it is. False on any failure; nothing is
// left behind then.
bool writeFileStart(const std::string &path, std::span<const uint8_t> bytes);

}  // namespace fusefuda
