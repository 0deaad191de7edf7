// Sectioned "key=value" settings files, read and written the way the classic
// profile routines do: sections and keys match without regard to case or to
// blanks around them, lines end in CR LF, and a rewrite keeps every line it
// does not change. Values are raw bytes (code page 932 text is never
// converted here).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fusefuda {

struct ProfileFile {
    std::vector<std::string> lines;  // without their line ends
};

// The file's lines; an empty file when it is missing or cannot be read.
ProfileFile readProfileFile(const std::string &path);

struct ProfileEntry {
    std::string key;
    std::string value;
};

// The value of key in section with the blanks around it removed, or fallback
// when the file has no such key. Either is cut to bufferSize - 1 bytes, and a
// double-byte character that the cut would split is dropped whole.
std::string profileString(const ProfileFile &file, std::string_view section, std::string_view key,
                          std::string_view fallback, size_t bufferSize);

// profileString for several keys of one section at once: each entry's value
// is its fallback and becomes what profileString would give. One pass over
// the file: a key at a time would go over every line of a large file once a
// key.
void profileStrings(const ProfileFile &file, std::string_view section,
                    std::vector<ProfileEntry> &entries, size_t bufferSize);

// Replaces the value of key in section, or adds the key at the end of the
// section (and the section at the end of the file) when it is missing. Line
// breaks inside value are turned into blanks so that one value stays one line.
void setProfileString(ProfileFile &file, std::string_view section, std::string_view key,
                      std::string_view value);
// setProfileString for each entry in turn, in one pass over the file.
void setProfileStrings(ProfileFile &file, std::string_view section,
                       const std::vector<ProfileEntry> &entries);

// Writes the file under a temporary name beside path and renames it into
// place, so that an interrupted write never leaves a half-written file.
// False when it could not be written; the old file is then untouched. A file
// the player has write-protected (no write bit at all, or none for this user)
// counts as one that cannot be written, even for root.
bool writeProfileFile(const ProfileFile &file, const std::string &path);

}  // namespace fusefuda
