// Saves that survive a kill, a full disk and a folder that goes away: the old
// file is always whole or wholly replaced, a failure says so, and no
// temporary stays behind where the player keeps the files.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <functional>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "app/settings.h"
#include "playfile/playfile.h"
#include "render/surfaces.h"
#include "saves.h"

using namespace fusefuda;
namespace fs = std::filesystem;

namespace {

const std::string kOutputCannotOpen = "出力ファイルが開けません";

std::string readAll(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::string &path, const std::string &bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

std::string asText(const std::vector<uint8_t> &bytes) { return {bytes.begin(), bytes.end()}; }

struct Folder {
    // A kill leaves the page cache as it was, so a folder in memory tells the
    // same as one on a disk, without waiting for every save's sync.
    explicit Folder(bool inMemory = false) {
        const bool memory = inMemory && ::access("/dev/shm", W_OK) == 0;
        path = ((memory ? fs::path("/dev/shm") : fs::temp_directory_path()) / "fusefuda-saves-XXXXXX")
                   .string();
        if (::mkdtemp(path.data()) == nullptr) std::abort();
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    std::string file(const std::string &name) const { return path + "/" + name; }
    // Everything in the folder but the two files the player keeps.
    std::vector<std::string> strays() const {
        std::vector<std::string> names;
        for (const auto &entry : fs::directory_iterator(path)) {
            const std::string name = entry.path().filename().string();
            if (name != kPlayFileName && name != kSettingsName) names.push_back(name);
        }
        return names;
    }
    std::string path;
};

class ChoosingShell : public PlayFileWindow {
public:
    std::string chooseOpenPlayFile() override { return {}; }
    std::string chooseSavePlayFile() override {
        if (beforeChoosing) beforeChoosing();
        return path;
    }
    void showMessage(const std::string &text) override { messages.push_back(text); }
    void openScoreWindow() override {}
    void closeScoreWindow() override {}
    std::string path;
    std::function<void()> beforeChoosing;
    std::vector<std::string> messages;
};

std::vector<std::string> saveGame(const std::string &path, std::function<void()> beforeChoosing = {}) {
    GameState g;
    g.board.score = 777;
    ChoosingShell shell;
    shell.path = path;
    shell.beforeChoosing = std::move(beforeChoosing);
    savePlayFile(g, shell);
    return shell.messages;
}

// Starts the saving child with the versions from first on; its progress
// bytes come through the returned descriptor.
pid_t startSaver(const std::string &folder, long first, int &progress) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) std::abort();
    const std::string from = std::to_string(first);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeEnds[1], 1);
        ::execl(FUSEFUDA_SAVER, FUSEFUDA_SAVER, folder.c_str(), from.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(pipeEnds[1]);
    progress = pipeEnds[0];
    return child;
}

}  // namespace

// The child saves both files over and over; it is killed after a random
// number of finished saves and a random stretch of its next one. Each file is
// then the version last reported done or the one after it, byte for byte.
TEST(KilledSaves, LeaveEachFileWholeOldOrWholeNew) {
    using Clock = std::chrono::steady_clock;
    Folder folder(true);
    const std::string tail(1000, '\x5A');
    // An older, longer play file: what lies beyond the game stays through
    // every save.
    writeAll(folder.file(kPlayFileName), asText(playFileBytes(0)) + tail);
    writeAll(folder.file(kSettingsName), settingsBytes(0));
    long playVersion = 0, settingsVersion = 0, next = 1;
    int torn = 0;
    std::mt19937 random(20261207);
    // How long one save takes here, from the gaps between progress bytes: the
    // kills are spread over that stretch, on a fast machine as on a slow one.
    Clock::duration perSave{};
    constexpr int kKills = 300, kTornWanted = 10, kMostKills = 3000;
    int kill = 0;
    for (; kill < kKills || (torn < kTornWanted && kill < kMostKills); ++kill) {
        int progress = -1;
        const pid_t child = startSaver(folder.path, next, progress);
        // Wait for some saves to finish, then let the next one run a while.
        const int saves = kill == 0 ? 4 : int(random() % 5);
        char byte;
        long plays = 0, settings = 0;
        Clock::time_point last{};
        for (int i = 0; i < saves; ++i) {
            ASSERT_EQ(::read(progress, &byte, 1), 1);
            const Clock::time_point now = Clock::now();
            if (i > 0) perSave = perSave == Clock::duration{} ? now - last : (perSave * 3 + (now - last)) / 4;
            last = now;
            (byte == 'p' ? plays : settings) += 1;
        }
        if (saves > 0) {
            const Clock::time_point until =
                last + std::chrono::duration_cast<Clock::duration>(
                           perSave * std::uniform_real_distribution<double>(0, 1.5)(random));
            while (Clock::now() < until) {
            }
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saver stopped by itself: " << status;
        while (::read(progress, &byte, 1) == 1) (byte == 'p' ? plays : settings) += 1;
        ::close(progress);

    // Done saves of this run are versions next .. next + done - 1; the
        // one after them may have reached its rename before the kill.
        const long playDone = plays > 0 ? next + plays - 1 : playVersion;
        const long settingsDone = settings > 0 ? next + settings - 1 : settingsVersion;
        const std::string play = readAll(folder.file(kPlayFileName));
        if (play == asText(playFileBytes(next + plays)) + tail) {
            playVersion = next + plays;
        } else {
            ASSERT_TRUE(play == asText(playFileBytes(playDone)) + tail)
                << "kill " << kill << ": the play file (" << play.size()
                << " bytes) is neither version " << playDone << " nor " << next + plays;
            playVersion = playDone;
        }
        const std::string ini = readAll(folder.file(kSettingsName));
        if (ini == settingsBytes(next + settings)) {
            settingsVersion = next + settings;
        } else {
            ASSERT_TRUE(ini == settingsBytes(settingsDone))
                << "kill " << kill << ": the settings file (" << ini.size()
                << " bytes) is neither version " << settingsDone << " nor " << next + settings;
            settingsVersion = settingsDone;
        }

        // A save removes what killed saves left before making its own, so at
        // most the one of each file that was cut short lies about.
        const std::vector<std::string> strays = folder.strays();
        ASSERT_LE(strays.size(), 2u) << "kill " << kill << ": left-overs pile up";
        for (const std::string &name : strays)
            ASSERT_TRUE(name.rfind("." + std::string(kPlayFileName) + ".", 0) == 0 ||
                        name.rfind("." + std::string(kSettingsName) + ".", 0) == 0)
                << name;
        torn += strays.empty() ? 0 : 1;
        next += std::max(plays, settings) + 1;
    }
    // The next saves clean up after the last kill.
    ASSERT_TRUE(savePlayFileVersion(folder.path, next));
    ASSERT_TRUE(writeSettingsVersion(folder.path, next));
    EXPECT_TRUE(folder.strays().empty());
    EXPECT_TRUE(readAll(folder.file(kPlayFileName)) == asText(playFileBytes(next)) + tail);
    EXPECT_TRUE(readAll(folder.file(kSettingsName)) == settingsBytes(next));
    // Kills that found a save half-way are the ones this test is about.
    EXPECT_GE(torn, kTornWanted);
    std::printf("%d kills survived, %d of them in the middle of a save\n", kill, torn);
}

namespace {

// Runs checks in a child that has a file system of its own mounted over
// folder, 320 KB of memory: room for one play file and the settings, not for
// a second play file beside them. Mount namespaces keep the mount from
// everyone else and take it down with the child. Returns the child's report:
// empty when every check held, "unmounted" when no file system could be
// mounted here.
std::string onSmallFileSystem(const std::string &folder, const std::function<std::string()> &checks) {
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0) std::abort();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string report;
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        bool isolated = ::unshare(uid == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) == 0;
        if (isolated && uid != 0) {
            // Inside a namespace of its own an ordinary user may mount.
            writeAll("/proc/self/setgroups", "deny");
            writeAll("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1");
            writeAll("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
        }
        isolated = isolated && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                   ::mount("fusefuda-test", folder.c_str(), "tmpfs", 0, "size=320k") == 0;
        report = isolated ? checks() : "unmounted";
        if (!report.empty() && ::write(pipeEnds[1], report.data(), report.size()) < 0) ::_exit(2);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string report;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, size_t(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        report += " (the child ended with status " + std::to_string(status) + ")";
    return report;
}

// Fills the file system with a file of its own until it takes no more, then
// frees `room` bytes.
void fillUp(const std::string &filler, off_t room) {
    const int fd = ::open(filler.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string block(4096, 'F');
    off_t size = 0;
    while (::write(fd, block.data(), block.size()) > 0) size += off_t(block.size());
    if (::ftruncate(fd, std::max<off_t>(0, size - room)) != 0) std::abort();
    ::close(fd);
}

// The saves that a full disk stops, with as much room left as given: the play
// file's save reports it, the settings write fails, the old files stay.
std::string fullDiskSaves(const std::string &folder, off_t room) {
    const std::string play = folder + "/" + kPlayFileName, filler = folder + "/filler";
    std::string report;
    auto expect = [&](bool holds, const std::string &what) {
        if (!holds) report += "with " + std::to_string(room) + " bytes free: " + what + "\n";
    };
    const std::string oldPlay = readAll(play), oldSettings = readAll(folder + "/" + kSettingsName);
    fillUp(filler, room);
    expect(saveGame(play) == std::vector<std::string>{kOutputCannotOpen},
           "the play file's save did not report the full disk");
    expect(readAll(play) == oldPlay, "the old play file was damaged");
    // The settings are a few hundred bytes: only a disk without a free block
    // refuses them.
    if (room == 0) {
        expect(!writeSettingsVersion(folder, 2), "the settings write claimed success");
        expect(readAll(folder + "/" + kSettingsName) == oldSettings, "the old settings were damaged");
    }
    fs::remove(filler);
    for (const auto &entry : fs::directory_iterator(folder))
        expect(entry.path().filename() == kPlayFileName || entry.path().filename() == kSettingsName,
               "a temporary was left behind: " + entry.path().filename().string());
    return report;
}

}  // namespace

TEST(FullDisk, KeepsTheOldFilesAndSaysSo) {
    Folder folder;
    const std::string report = onSmallFileSystem(folder.path, [&] {
        std::string report;
        if (!savePlayFileVersion(folder.path, 1) || !writeSettingsVersion(folder.path, 1))
            return std::string("the first saves did not fit");
        // No room at all, then room for part of the new file.
        report += fullDiskSaves(folder.path, 0);
        report += fullDiskSaves(folder.path, 50000);
        // With the room back the same saves go through.
        if (!savePlayFileVersion(folder.path, 3) || !writeSettingsVersion(folder.path, 3))
            report += "saving failed with room on the disk\n";
        return report;
    });
    if (report == "unmounted") {
        // No mount can be made here (no privilege, no user namespaces): the
        // limit on the size of files a process may write stands in for the
        // full disk.
        std::printf("no file system could be mounted; a file size limit stands in\n");
        ASSERT_TRUE(savePlayFileVersion(folder.path, 1));
        ASSERT_TRUE(writeSettingsVersion(folder.path, 1));
        const std::string oldPlay = readAll(folder.file(kPlayFileName));
        const std::string oldSettings = readAll(folder.file(kSettingsName));
        struct rlimit saved {};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 100;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const std::vector<std::string> messages = saveGame(folder.file(kPlayFileName));
        const bool written = writeSettingsVersion(folder.path, 2);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        EXPECT_EQ(messages, std::vector<std::string>{kOutputCannotOpen});
        EXPECT_FALSE(written);
        EXPECT_TRUE(readAll(folder.file(kPlayFileName)) == oldPlay);
        EXPECT_TRUE(readAll(folder.file(kSettingsName)) == oldSettings);
        EXPECT_TRUE(folder.strays().empty());
        return;
    }
    EXPECT_EQ(report, "");
}

TEST(VanishingFolder, IsReportedAsAFileThatCannotBeOpened) {
    Folder folder;
    const std::string gone = folder.file("gone"), taken = folder.file("taken");
    fs::create_directory(gone);
    fs::create_directory(taken);
    // The folder goes between the choice and the save; another is replaced
    // by a file of the same name.
    EXPECT_EQ(saveGame(gone + "/game.pvq", [&] { fs::remove(gone); }),
              std::vector<std::string>{kOutputCannotOpen});
    EXPECT_EQ(saveGame(taken + "/game.pvq", [&] { fs::remove(taken); writeAll(taken, "x"); }),
              std::vector<std::string>{kOutputCannotOpen});
    EXPECT_FALSE(fs::exists(gone));
    EXPECT_EQ(readAll(taken), "x");
    EXPECT_EQ(folder.strays(), std::vector<std::string>{"taken"});
}
