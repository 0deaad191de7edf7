#include "playfile/storage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

namespace fusefuda {

namespace {

// Closes a descriptor on every way out of a function.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        const int kept = fd;
        fd = -1;
        return kept;
    }
};

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// The file a save really replaces: a link is followed, so that the link
// itself stays and the file it names gets the new game.
std::string resolveTarget(const std::string &path) {
    char *real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;  // not there yet, or a dangling link
    std::string resolved(real);
    std::free(real);
    return resolved;
}

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

mode_t newFileMode() {
    // As a plain creat() would: everyone may read and write, less the umask.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::string &folder) {
    // Makes the rename itself survive a power cut; a folder that cannot be
    // opened or synced does not undo a save that has already succeeded.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

ReadOutcome readFileStart(const std::string &path, std::size_t size, std::vector<uint8_t> &bytes) {
    // O_NONBLOCK keeps a named pipe from hanging the open; it is refused below.
    Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) return ReadOutcome::CannotOpen;
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) return ReadOutcome::CannotOpen;

    bytes.assign(size, 0);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(file.fd, bytes.data() + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ReadOutcome::Failed;
        }
        if (n == 0) return ReadOutcome::Failed;  // the file ends early
        done += std::size_t(n);
    }
    return ReadOutcome::Read;
}

bool replaceFile(const std::string &path, std::span<const uint8_t> bytes) {
    const std::string target = resolveTarget(path);

    mode_t mode = newFileMode();
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) return false;
        // Replacing by rename would get round a write-protected file.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
        mode = old.st_mode & 07777;
    }

    const std::string folder = folderOf(target);
    std::string temporary = folder + "/." + nameOf(target) + ".XXXXXX";
    Descriptor file{::mkstemp(temporary.data())};
    if (file.fd < 0) return false;

    const bool written = ::fchmod(file.fd, mode) == 0 && writeAll(file.fd, bytes) &&
                         ::fsync(file.fd) == 0 && ::close(file.release()) == 0;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folder);
    return true;
}

}  // namespace fusefuda
