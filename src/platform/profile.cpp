#include "platform/profile.h"

#include "platform/codepage.h"
#include "platform/tempfiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>

namespace fusefuda {

namespace {

// A settings file is a few hundred bytes; anything far larger is not one of
// ours and is not read into memory.
constexpr std::streamoff kMaxProfileBytes = 4 * 1024 * 1024;

bool isBlank(char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

char asciiLower(char ch) { return (ch >= 'A' && ch <= 'Z') ? char(ch - 'A' + 'a') : ch; }

// Only ASCII letters fold: folding bytes of a double-byte character would make
// different Japanese names equal.
bool sameName(std::string_view a, std::string_view b) {
    a = trimmed(a);
    b = trimmed(b);
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    return true;
}

// The section name of a "[name]" line, or false when the line is no header.
bool sectionHeader(std::string_view line, std::string_view &name) {
    line = trimmed(line);
    if (line.empty() || line.front() != '[') return false;
    const size_t close = line.find(']');
    name = close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
    return true;
}

// The key of a "key=value" line, or false for blank lines, comments and
// lines without an equals sign.
bool keyLine(std::string_view line, std::string_view &key, std::string_view &value) {
    const std::string_view content = trimmed(line);
    if (content.empty() || content.front() == ';') return false;
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return false;
    key = trimmed(line.substr(0, equals));
    value = trimmed(line.substr(equals + 1));
    return true;
}

// Where section's lines run: [begin, end) after its header; false when the
// file has no such section. The first section of that name counts.
bool findSection(const ProfileFile &file, std::string_view section, size_t &begin, size_t &end) {
    std::string_view name;
    size_t n = 0;
    for (; n < file.lines.size(); ++n)
        if (sectionHeader(file.lines[n], name) && sameName(name, section)) break;
    if (n == file.lines.size()) return false;
    begin = n + 1;
    end = begin;
    while (end < file.lines.size() && !sectionHeader(file.lines[end], name)) ++end;
    return true;
}

std::string cut(std::string_view text, size_t bufferSize) {
    // Values are C strings to the classic routines: a NUL ends them.
    const size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    if (bufferSize == 0) return {};
    return cp932Prefix(text, bufferSize - 1);
}

std::string oneLine(std::string_view value) {
    std::string line(value);
    for (char &ch : line)
        if (ch == '\r' || ch == '\n' || ch == '\0') ch = ' ';
    return line;
}

mode_t modeForNewFile(const std::string &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// A rename would replace a file that the player has write-protected. Root may
// write anything, so a file without a single write bit counts as protected
// for root too.
bool writeProtected(const std::string &path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return false;  // a new file
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0;
}

bool writeAll(int fd, const std::string &bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

}  // namespace

ProfileFile readProfileFile(const std::string &path) {
    ProfileFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) return file;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxProfileBytes) return file;
    in.seekg(0, std::ios::beg);
    std::string bytes(static_cast<size_t>(size), '\0');
    if (!in.read(bytes.data(), size)) return file;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        file.lines.push_back(std::move(line));
        start = end + 1;
    }
    return file;
}

void profileStrings(const ProfileFile &file, std::string_view section,
                    std::vector<ProfileEntry> &entries, size_t bufferSize) {
    std::vector<bool> found(entries.size(), false);
    size_t begin = 0, end = 0;
    if (findSection(file, section, begin, end)) {
        size_t left = entries.size();
        for (size_t n = begin; n < end && left > 0; ++n) {
            std::string_view lineKey, value;
            if (!keyLine(file.lines[n], lineKey, value)) continue;
            // The first line of a key counts.
            for (size_t e = 0; e < entries.size(); ++e)
                if (!found[e] && sameName(lineKey, entries[e].key)) {
                    entries[e].value = std::string(value);
                    found[e] = true;
                    --left;
                    break;
                }
        }
    }
    for (ProfileEntry &entry : entries) entry.value = cut(entry.value, bufferSize);
}

std::string profileString(const ProfileFile &file, std::string_view section, std::string_view key,
                          std::string_view fallback, size_t bufferSize) {
    std::vector<ProfileEntry> entries{{std::string(key), std::string(fallback)}};
    profileStrings(file, section, entries, bufferSize);
    return std::move(entries.front().value);
}

void setProfileStrings(ProfileFile &file, std::string_view section,
                       const std::vector<ProfileEntry> &entries) {
    size_t begin = 0, end = 0;
    if (!findSection(file, section, begin, end)) {
        // Appended piece by piece: g++ 12 at -O2 and above gives a false
        // -Wrestrict on "[" + std::string(...).
        std::string header = "[";
        header += trimmed(section);
        header += ']';
        file.lines.push_back(std::move(header));
        for (const ProfileEntry &entry : entries)
            file.lines.push_back(std::string(trimmed(entry.key)) + "=" + oneLine(entry.value));
        return;
    }
    std::vector<bool> found(entries.size(), false);
    size_t left = entries.size();
    for (size_t n = begin; n < end && left > 0; ++n) {
        std::string_view lineKey, oldValue;
        if (!keyLine(file.lines[n], lineKey, oldValue)) continue;
        for (size_t e = 0; e < entries.size(); ++e)
            if (!found[e] && sameName(lineKey, entries[e].key)) {
                file.lines[n] = std::string(lineKey) + "=" + oneLine(entries[e].value);
                found[e] = true;
                --left;
                break;
            }
    }
    if (left == 0) return;
    // After the section's last non-blank line, so that blank lines that
    // separate it from the next section stay where they are.
    size_t at = end;
    while (at > begin && trimmed(file.lines[at - 1]).empty()) --at;
    std::vector<std::string> added;
    for (size_t e = 0; e < entries.size(); ++e)
        if (!found[e])
            added.push_back(std::string(trimmed(entries[e].key)) + "=" + oneLine(entries[e].value));
    file.lines.insert(file.lines.begin() + std::ptrdiff_t(at), std::make_move_iterator(added.begin()),
                      std::make_move_iterator(added.end()));
}

void setProfileString(ProfileFile &file, std::string_view section, std::string_view key,
                      std::string_view value) {
    setProfileStrings(file, section, {{std::string(key), std::string(value)}});
}

bool writeProfileFile(const ProfileFile &file, const std::string &path) {
    // Writing through a link keeps the link and replaces the file it names.
    std::string target = path;
    if (char *real = ::realpath(path.c_str(), nullptr)) {
        target = real;
        std::free(real);
    }
    if (writeProtected(target)) return false;
    size_t total = 0;
    for (const std::string &line : file.lines) total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const std::string &line : file.lines) {
        bytes += line;
        bytes += "\r\n";
    }
    removeLeftoverTemporaries(target);
    std::string temporary;
    const int fd = createTemporaryBeside(target, temporary);
    if (fd < 0) return false;
    const bool written = writeAll(fd, bytes) && ::fchmod(fd, modeForNewFile(target)) == 0 &&
                         ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace fusefuda
