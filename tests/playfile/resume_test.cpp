#include "playfile/resume.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "boards.h"
#include "game/input.h"
#include "game/peek.h"
#include "game/starting.h"
#include "playfile/codec.h"
#include "support/table.h"

using namespace fusefuda;
using fusefuda::testing::Table;
namespace boards = fusefuda::testing;
namespace fs = std::filesystem;

namespace {

enum class Hand { Empty, PeekHeld, Carrying };

// Presses on the seven of spades and carries it, or holds a peek on a
// scattered card, as the player leaves.
void holdInHand(Table &t, Hand hand) {
    GameState &g = t.g();
    const Rect &seven = g.board.cardRect[kSevensColumn][0];
    const int x = seven.left - g.viewX + 10, y = seven.top - g.viewY + 10;
    if (hand == Hand::PeekHeld) startPeek(t.play, 5, 2, 10, 10);
    if (hand == Hand::Carrying) {
        onLeftPress(t.play, x, y, false);
        onMouseMove(t.play, x + 40, y + 30);
    }
}

}  // namespace

TEST(Resume, TheNextStartSavesTheSameBytesAtEveryLevelAndMidGesture) {
    for (int level : {3, 2, 1}) {
        for (Hand hand : {Hand::Empty, Hand::PeekHeld, Hand::Carrying}) {
            boards::ScratchFolder folder;
            Table before;
            before.deal(level, 4000000000u + level);
            boards::playSomeMoves(before.play);
            before.g().viewX = 300;
            before.g().zoom = 1.5;
            holdInHand(before, hand);
            const KeptGame kept = keptGameOf(before.g());
            ASSERT_TRUE(writeKeptGame(kept, folder.path));

            Table after;
            setStartingValues(after.g());
            after.g().scoreDisplayOn = before.g().scoreDisplayOn;  // as the settings keep it
            ASSERT_EQ(resumeGame(after.play, folder.path), ResumeOutcome::Resumed);
            EXPECT_EQ(keptGameOf(after.g()), kept) << level << " " << int(hand);
            EXPECT_EQ(after.g().dealNumber, 4000000000u + level);
            EXPECT_EQ(after.g().viewX, 300);
            EXPECT_EQ(after.g().zoom, 1.5);
            EXPECT_EQ(after.shell.invalidations, 1);
        }
    }
}

TEST(Resume, NoGameOrAWonGameLeavesNothingToResume) {
    boards::ScratchFolder folder;
    Table t;
    t.deal(3);
    ASSERT_TRUE(writeKeptGame(keptGameOf(t.g()), folder.path));
    boards::winGame(t.g());
    t.g().gameOver = true;
    ASSERT_TRUE(writeKeptGame(keptGameOf(t.g()), folder.path));
    EXPECT_TRUE(fs::is_empty(folder.path));
    Table fresh;
    EXPECT_EQ(resumeGame(fresh.play, folder.path), ResumeOutcome::NothingKept);
}

TEST(Resume, ARefusedFileIsPutAsideOnceAndTheGameStartsWithout) {
    boards::ScratchFolder folder;
    const std::string junk(kPlayFileSize, '\x07');
    std::ofstream(resumeFilePath(folder.path), std::ios::binary) << junk;
    Table t;
    EXPECT_EQ(resumeGame(t.play, folder.path), ResumeOutcome::Refused);
    EXPECT_FALSE(t.g().gameStarted);
    std::ifstream aside(refusedResumePath(folder.path), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aside), {}), junk);
    EXPECT_EQ(resumeGame(t.play, folder.path), ResumeOutcome::NothingKept);
}

TEST(Resume, TheDataFolderFollowsTheBaseDirectorySpecification) {
    struct Case {
        const char *xdg, *home, *folder;
    } cases[] = {
        {"/data", "/home/p", "/data/fusefuda"},
        {nullptr, "/home/p", "/home/p/.local/share/fusefuda"},
        {"relative", "/home/p", "/home/p/.local/share/fusefuda"},
        {nullptr, nullptr, ""},
    };
    for (const Case &c : cases) EXPECT_EQ(dataFolderFor(c.xdg, c.home), c.folder) << c.folder;
}
