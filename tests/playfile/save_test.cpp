// Saving a game in progress to a play file of the player's choosing.
#include "playfile/playfile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "boards.h"
#include "files.h"
#include "game/board.h"
#include "game/peek.h"
#include "game/scoring.h"
#include "playfile/codec.h"
#include "support/table.h"

using namespace fusefuda;
namespace boards = fusefuda::testing;
namespace fs = std::filesystem;

using namespace fusefuda::testing;

// --- saving ---

TEST(Save, WritesTheWholeImageAndChangesNothing) {
    boards::ScratchFolder folder;
    Table t;
    t.deal(2, 31);
    boards::playSomeMoves(t.play);
    forgetCalls(t);
    const auto before = std::make_unique<GameState>(t.g());

    const std::string path = folder.file("game.pvq");
    save(t, path);
    EXPECT_TRUE(t.shell.messages.empty());
    EXPECT_TRUE(boards::sameGame(t.g(), *before));
    EXPECT_EQ(t.shell.invalidations, 0);

    const std::vector<uint8_t> first = readAll(path);
    ASSERT_EQ(first.size(), 142984u);
    EXPECT_EQ(first, encodePlayFile(captureRecord(t.g())));
    save(t, path);
    EXPECT_EQ(readAll(path), first);
    EXPECT_EQ(namesIn(folder.path), std::vector<std::string>{"game.pvq"});
}

TEST(Save, OverALongerOldFileKeepsItsTailAndPermissions) {
    boards::ScratchFolder folder;
    const std::string path = folder.file("old.pvq");
    std::vector<uint8_t> old(200000, 0x5A);
    for (size_t i = 0; i < old.size(); ++i) old[i] = uint8_t(i * 7);
    writeAll(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    Table t;
    t.deal(3, 2);
    save(t, path);
    EXPECT_TRUE(t.shell.messages.empty());
    std::vector<uint8_t> expected = encodePlayFile(captureRecord(t.g()));
    expected.insert(expected.end(), old.begin() + 142984, old.end());
    EXPECT_EQ(readAll(path), expected);
    EXPECT_EQ(namesIn(folder.path), std::vector<std::string>{"old.pvq"});
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A new file gets what the player's umask allows, as any program's new file.
TEST(Save, ANewFileTakesItsModeFromTheUmask) {
    const struct {
        mode_t umask, mode;
    } cases[] = {{022, 0644}, {077, 0600}, {002, 0664}};
    for (const auto &c : cases) {
        boards::ScratchFolder folder;
        const mode_t before = ::umask(c.umask);
        Table t;
        save(t, folder.file("new.pvq"));
        ::umask(before);
        struct stat info {};
        ASSERT_EQ(::stat(folder.file("new.pvq").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.mode) << std::oct << c.umask;
    }
}

TEST(Save, ThroughALinkReplacesTheFileItNames) {
    boards::ScratchFolder folder;
    fs::create_directory(folder.file("real"));
    const std::string real = folder.file("real/kept.pvq");
    writeAll(real, {1, 2, 3});
    fs::create_symlink(real, folder.file("link.pvq"));

    Table t;
    t.deal(1, 3);
    save(t, folder.file("link.pvq"));
    EXPECT_TRUE(t.shell.messages.empty());
    EXPECT_TRUE(fs::is_symlink(folder.file("link.pvq")));
    EXPECT_EQ(readAll(real), encodePlayFile(captureRecord(t.g())));
}

TEST(Save, CancellingWritesNothing) {
    boards::ScratchFolder folder;
    Table t;
    t.deal(2, 4);
    const auto before = std::make_unique<GameState>(t.g());
    save(t, "");
    EXPECT_TRUE(namesIn(folder.path).empty());
    EXPECT_TRUE(t.shell.messages.empty());
    EXPECT_TRUE(boards::sameGame(t.g(), *before));
}

TEST(Save, AFailedWriteKeepsTheOldFileAndSaysSo) {
    boards::ScratchFolder folder;
    const std::string path = folder.file("keep.pvq");
    Table old;
    old.deal(3, 11);
    save(old, path);
    const std::vector<uint8_t> kept = readAll(path);
    ASSERT_EQ(kept.size(), 142984u);

    Table t;
    t.deal(1, 12);
    {
        // The disk fills up a thousand bytes into the new file.
        struct rlimit saved {};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 1000;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        save(t, path);
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
    }
    EXPECT_EQ(t.shell.messages, std::vector<std::string>{kOutputCannotOpen});
    EXPECT_EQ(readAll(path), kept);
    EXPECT_EQ(namesIn(folder.path), std::vector<std::string>{"keep.pvq"}) << "no temporary left";
}

TEST(Save, ATargetThatCannotBeWrittenIsReported) {
    boards::ScratchFolder folder;
    Table t;
    t.deal(2, 5);

    // a folder that does not exist: no temporary file can be made there
    save(t, folder.file("missing/game.pvq"));
    EXPECT_EQ(t.shell.messages, std::vector<std::string>{kOutputCannotOpen});

    // a folder where the file should go
    fs::create_directory(folder.file("taken.pvq"));
    writeAll(folder.file("taken.pvq/inside"), {9, 9});
    save(t, folder.file("taken.pvq"));
    EXPECT_EQ(t.shell.messages.size(), 2u);
    EXPECT_EQ(readAll(folder.file("taken.pvq/inside")), (std::vector<uint8_t>{9, 9}));
    EXPECT_EQ(namesIn(folder.path), std::vector<std::string>{"taken.pvq"});
}

TEST(Save, AWriteProtectedFileOrFolderIsLeftAlone) {
    boards::ScratchFolder folder;
    Table t;
    t.deal(2, 6);
    forgetCalls(t);
    const std::string path = folder.file("mine.pvq");
    writeAll(path, {1, 2, 3});
    {
        boards::AsOrdinaryUser user({folder.path, path});
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        save(t, path);
        EXPECT_EQ(t.shell.messages, std::vector<std::string>{kOutputCannotOpen});
        EXPECT_EQ(readAll(path), (std::vector<uint8_t>{1, 2, 3}));

        // a folder where nothing new can be made
        ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
        ASSERT_EQ(::chmod(folder.path.c_str(), 0555), 0);
        save(t, path);
        EXPECT_EQ(t.shell.messages.size(), 2u);
        EXPECT_EQ(readAll(path), (std::vector<uint8_t>{1, 2, 3}));
        ::chmod(folder.path.c_str(), 0755);
    }
    EXPECT_EQ(namesIn(folder.path), std::vector<std::string>{"mine.pvq"});
}
