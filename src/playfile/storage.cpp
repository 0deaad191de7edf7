#include "playfile/storage.h"

#include "platform/tempfiles.h"

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

// Copies what lies from offset on in one file to the end of another.
bool copyTail(int from, off_t offset, int to) {
    uint8_t buffer[65536];
    for (;;) {
        const ssize_t n = ::pread(from, buffer, sizeof buffer, offset);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        if (!writeAll(to, {buffer, std::size_t(n)})) return false;
        offset += n;
    }
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

bool writeFileStart(const std::string &path, std::span<const uint8_t> bytes) {
    const std::string target = resolveTarget(path);

    mode_t mode = newFileMode();
    Descriptor previous;
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) {
        if (!S_ISREG(old.st_mode)) return false;
        // Replacing by rename would get round a write-protected file.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;
        mode = old.st_mode & 07777;
        // What an older, longer file holds beyond the new bytes stays, as it
        // did when saves wrote over the file in place.
        if (old.st_size > off_t(bytes.size())) {
            previous.fd = ::open(target.c_str(), O_RDONLY | O_CLOEXEC);
            if (previous.fd < 0) return false;
        }
    }

    removeLeftoverTemporaries(target);
    std::string temporary;
    Descriptor file{createTemporaryBeside(target, temporary)};
    if (file.fd < 0) return false;

    const bool written =
        ::fchmod(file.fd, mode) == 0 && writeAll(file.fd, bytes) &&
        (previous.fd < 0 || copyTail(previous.fd, off_t(bytes.size()), file.fd)) &&
        ::fsync(file.fd) == 0 && ::close(file.release()) == 0;
    if (!written || std::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

}  // namespace fusefuda
