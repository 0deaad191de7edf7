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

// Makes the file at path hold exactly `bytes`. The bytes go to a temporary
// file beside it that is then renamed into place, so that whatever goes wrong
// the old file is either untouched or wholly replaced. A file the user may not
// write stays as it is. False on any failure; nothing is left behind then.
bool replaceFile(const std::string &path, std::span<const uint8_t> bytes);

}  // namespace fusefuda
