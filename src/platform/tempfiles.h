// The temporary files that saves write beside the files the player keeps
// before renaming them into place. A save that is killed half-way leaves its
// temporary behind; the next save beside the same file removes it.
#pragma once

#include <string>

namespace fusefuda {

// Creates a fresh temporary beside target (".<name>.XXXXXX" in its folder),
// opened for writing and held for as long as the descriptor stays open, so that
// no other save takes it for a left-over. Returns the descriptor and sets
// temporary to its path; -1 when none can be made.
int createTemporaryBeside(const std::string &target, std::string &temporary);

// Removes the temporaries of target that no running save holds: what a save
// killed before its rename left behind. Only regular files of this user with
// exactly the temporary's name form are touched.
void removeLeftoverTemporaries(const std::string &target);

// The folder and the name of a path ("." for a bare name).
std::string folderOf(const std::string &path);
std::string nameOf(const std::string &path);

}  // namespace fusefuda
