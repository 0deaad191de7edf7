#include "platform/tempfiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace fusefuda {

namespace {

// What mkstemp puts in place of its six X.
bool isRandomPart(std::string_view text) {
    if (text.size() != 6) return false;
    for (char ch : text)
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')))
            return false;
    return true;
}

bool sameFile(const struct stat &a, const struct stat &b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

std::string folderOf(const std::string &path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string &path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

int createTemporaryBeside(const std::string &target, std::string &temporary) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        temporary = folderOf(target) + "/." + nameOf(target) + ".XXXXXX";
        const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            // A file system without locks cannot tell a running save from a
            // dead one; the clean-up then leaves every temporary alone.
            if (errno != EWOULDBLOCK) return fd;
            // Another save's clean-up holds it for a left-over and removes it.
            ::close(fd);
            continue;
        }
        // That clean-up may have removed it just before the lock was taken.
        struct stat held {}, named {};
        if (::fstat(fd, &held) == 0 && ::lstat(temporary.c_str(), &named) == 0 &&
            sameFile(held, named))
            return fd;
        ::close(fd);
    }
    return -1;
}

void removeLeftoverTemporaries(const std::string &target) {
    const std::string folder = folderOf(target);
    const std::string prefix = "." + nameOf(target) + ".";
    DIR *dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent *entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix ||
            !isRandomPart(name.substr(prefix.size())))
            continue;
        const std::string path = folder + "/" + std::string(name);
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat held {}, named {};
        // The lock is free only when the save that made the file has ended
        // without renaming it.
        if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && held.st_uid == ::geteuid() &&
            ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            sameFile(held, named))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

}  // namespace fusefuda
