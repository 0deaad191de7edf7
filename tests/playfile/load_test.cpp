// Loading a play file: every stored field back, the game started afresh, and
// a file that cannot be the image of a game refused with nothing changed.
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

// --- loading ---

TEST(Load, RestoresEveryStoredFieldOfAGameInProgress) {
    for (int level = 1; level <= 3; ++level) {
        SCOPED_TRACE(level);
        boards::ScratchFolder folder;
        Table saved;
        saved.deal(level, 100 + level);
        boards::playSomeMoves(saved.play);
        saved.g().gameOver = 0;
        save(saved, folder.file("g.pvq"));

        Table t;
        busyTable(t);
        load(t, folder.file("g.pvq"));
        ASSERT_TRUE(t.shell.messages.empty());

        // What was saved, with the sevens' group brought to the top as a
        // load does.
        auto expected = std::make_unique<GameState>(saved.g());
        raiseGroupInStack(*expected, 6, 3);
        EXPECT_TRUE(captureRecord(t.g()) == captureRecord(*expected));
        EXPECT_EQ(t.g().level, levelFromNumber(level));
        EXPECT_EQ(t.g().board.score, saved.g().board.score);
        EXPECT_EQ(t.g().board.cardRect[8][2], (Rect{-40, -20, 23, 81}));
        EXPECT_EQ(t.g().board.cardRect[7][1], (Rect{1563, 600, 1626, 701}));
    }
}

// A save chosen from the keyboard while a peek is held: the peek's cost is in
// the score, so the file counts the touch and the card is face down again
// (or settled, at its third touch; a card settled before stays as it was).
// The loaded game's score then matches its cards.
TEST(Load, AGameSavedDuringAHeldPeekCountsThePeek) {
    const struct {
        int touches, spent, after, faceUp;
    } cases[] = {{0, 0, 1, 0}, {2, 80, 3, 1}, {3, 100, 3, 1}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.touches);
        boards::ScratchFolder folder;
        Table t;
        t.deal(3, 8);
        GameState &g = t.g();
        g.board.touchCount[5][2] = c.touches;
        g.board.faceUp[5][2] = c.touches == 3;
        g.board.score -= c.spent;
        startPeek(t.play, 5, 2, 10, 10);
        save(t, folder.file("peek.pvq"));
        const int32_t score = g.board.score;

        // Opened while the peek is still held, as the keyboard allows.
        load(t, folder.file("peek.pvq"));
        ASSERT_TRUE(t.shell.messages.empty());
        EXPECT_EQ(g.gesture.pressMode, kPressNone);
        EXPECT_EQ(g.board.touchCount[5][2], c.after);
        EXPECT_EQ(g.board.faceUp[5][2], c.faceUp);
        EXPECT_EQ(g.board.score, scoreFor(tallyTouches(g)));
        EXPECT_EQ(g.board.score, score);
    }
}

TEST(Load, RestoresAFinishedGameAndOneFromBeforeTheFirstGame) {
    boards::ScratchFolder folder;
    Table won;
    won.deal(2, 9);
    boards::winGame(won.g());
    save(won, folder.file("won.pvq"));
    Table nothing;
    save(nothing, folder.file("nothing.pvq"));

    Table t;
    busyTable(t);
    load(t, folder.file("won.pvq"));
    ASSERT_TRUE(t.shell.messages.empty());
    EXPECT_EQ(t.g().gameOver, 1);
    EXPECT_EQ(t.g().gameStarted, 1);
    EXPECT_EQ(t.g().board.cardRect[2][0], won.g().board.cardRect[2][0]);

    load(t, folder.file("nothing.pvq"));
    ASSERT_TRUE(t.shell.messages.empty());
    EXPECT_EQ(t.g().gameStarted, 0);
    EXPECT_EQ(t.g().level, Level::None);
    EXPECT_EQ(t.g().gameOver, 0);
    EXPECT_EQ(t.g().board.score, 0);
    EXPECT_EQ(cardAt(t.g(), 500, 300), kNoCard);
    // and what that load left can be saved and loaded once more
    save(t, folder.file("again.pvq"));
    load(t, folder.file("again.pvq"));
    EXPECT_TRUE(t.shell.messages.empty());
}

TEST(Load, StartsTheLoadedGameAfresh) {
    boards::ScratchFolder folder;
    Table saved;
    saved.deal(3, 21);
    boards::playSomeMoves(saved.play);
    save(saved, folder.file("g.pvq"));

    Table t;
    busyTable(t);
    GameState &g = t.g();
    g.scoreDisplayOn = 0;
    g.gesture.dragging = 1;
    g.gesture.dragMoved = 1;
    g.dealPending = 1;
    g.hover.hoverCard = g.hover.hoverCardShown = cardId(6, 0);
    t.shell.confined = true;
    const int viewX = g.viewX = 300, viewY = g.viewY = 200;
    const int marksBefore = t.shell.menuMarkUpdates;

    load(t, folder.file("g.pvq"));
    ASSERT_TRUE(t.shell.messages.empty());
    EXPECT_EQ(g.undoStore.undoDepth, 0);
    EXPECT_GT(t.shell.menuMarkUpdates, marksBefore) << "undo greyed";
    for (const ScorePopup &p : g.overlays.popups) {
        EXPECT_EQ(p.active, 0);
        EXPECT_EQ(p.active, 0);
        EXPECT_EQ(p.x, 0);
    }
    for (const Sparkle &s : g.overlays.sparkles) EXPECT_EQ(s.active, 0);
    EXPECT_EQ(g.finalScore, 0);
    EXPECT_EQ(g.nameEntryRank, kNoRank);
    EXPECT_GE(t.shell.invalidations, 1);
    EXPECT_EQ(g.viewX, viewX) << "the view stays where it was";
    EXPECT_EQ(g.viewY, viewY);
    // the sevens' group on top, the pressed seven topmost
    EXPECT_EQ(g.board.stackLevel[6][3], 51);
    // nothing carried any more, no deal to scatter the loaded board
    EXPECT_EQ(g.gesture.dragging, 0);
    EXPECT_FALSE(t.shell.confined);
    EXPECT_EQ(g.dealPending, 0);
    EXPECT_EQ(g.gesture.pressMode, kPressNone);
    EXPECT_EQ(g.hover.hoverCard, kNoCard) << "the guide is drawn afresh on the next move";
}

TEST(Load, OpensOrClosesTheScoreWindowByTheStoredOption) {
    boards::ScratchFolder folder;
    Table on;
    on.deal(3, 1);
    on.g().scoreDisplayOn = 1;
    save(on, folder.file("on.pvq"));
    Table off;
    off.deal(3, 1);
    off.g().scoreDisplayOn = 0;
    save(off, folder.file("off.pvq"));

    Table t;
    t.deal(2, 2);
    t.g().scoreDisplayOn = 0;
    load(t, folder.file("on.pvq"));
    EXPECT_EQ(t.g().scoreDisplayOn, 1);
    EXPECT_TRUE(t.shell.scoreWindowOpen);
    EXPECT_EQ(t.shell.scoreWindowOpenings, 1);

    load(t, folder.file("off.pvq"));
    EXPECT_EQ(t.g().scoreDisplayOn, 0);
    EXPECT_FALSE(t.shell.scoreWindowOpen);
    EXPECT_EQ(t.shell.scoreWindowOpenings, 1);
}

TEST(Load, BytesThatLookLikeLineEndsOrAnEndMarkReadUnchanged) {
    boards::ScratchFolder folder;
    Table saved;
    saved.deal(1, 7);
    boards::playSomeMoves(saved.play);
    save(saved, folder.file("g.pvq"));
    const std::vector<uint8_t> bytes = readAll(folder.file("g.pvq"));
    // the left edge 1,563 is stored as 2, 13, 10; card 26's slot holds 26
    const std::size_t at = 1440 + 16 * (13 * 1 + 7);
    ASSERT_EQ(bytes[at + 1], 13);
    ASSERT_EQ(bytes[at + 2], 10);
    ASSERT_EQ(bytes[400 + 20 * 26], 26);

    Table t;
    load(t, folder.file("g.pvq"));
    ASSERT_TRUE(t.shell.messages.empty());
    EXPECT_EQ(t.g().board.cardRect[7][1].left, 1563);
    EXPECT_EQ(t.g().board.slotCard[0][2], 26);
    EXPECT_EQ(t.g().board.score, saved.g().board.score);
}

TEST(Load, ALongerFileLoadsFromItsFirstBytes) {
    boards::ScratchFolder folder;
    Table saved;
    saved.deal(2, 8);
    save(saved, folder.file("g.pvq"));
    std::vector<uint8_t> bytes = readAll(folder.file("g.pvq"));
    bytes.resize(250000, 0xEE);
    writeAll(folder.file("g.pvq"), bytes);

    Table t;
    load(t, folder.file("g.pvq"));
    ASSERT_TRUE(t.shell.messages.empty());
    auto expected = std::make_unique<GameState>(saved.g());
    raiseGroupInStack(*expected, 6, 3);
    EXPECT_TRUE(captureRecord(t.g()) == captureRecord(*expected));
}

TEST(Load, CancellingChangesNothing) {
    Table t;
    busyTable(t);
    t.shell.scoreWindowOpen = true;
    const auto before = std::make_unique<GameState>(t.g());
    load(t, "");
    EXPECT_TRUE(boards::sameGame(t.g(), *before));
    EXPECT_TRUE(t.shell.messages.empty());
    EXPECT_TRUE(t.shell.scoreWindowOpen);
    EXPECT_EQ(t.shell.invalidations, 0);
}

TEST(Load, AFileThatCannotBeOpenedChangesNothing) {
    boards::ScratchFolder folder;
    fs::create_directory(folder.file("folder.pvq"));
    ASSERT_EQ(::mkfifo(folder.file("pipe.pvq").c_str(), 0644), 0);
    for (const std::string name : {"absent.pvq", "folder.pvq", "pipe.pvq"}) {
        SCOPED_TRACE(name);
        Table t;
        busyTable(t);
        const auto before = std::make_unique<GameState>(t.g());
        load(t, folder.file(name));
        EXPECT_EQ(t.shell.messages, std::vector<std::string>{kInputCannotOpen});
        EXPECT_TRUE(boards::sameGame(t.g(), *before));
    }
}

TEST(Load, ARefusedFileShowsOneMessageAndLeavesTheGameExactlyAsItWas) {
    boards::ScratchFolder folder;
    Table saved;
    saved.deal(2, 13);
    boards::playSomeMoves(saved.play);
    save(saved, folder.file("good.pvq"));
    const std::vector<uint8_t> good = readAll(folder.file("good.pvq"));
    ASSERT_EQ(good.size(), 142984u);

    struct Bad {
        const char *what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Bad> bad;
    bad.push_back({"empty", {}});
    bad.push_back({"ends in the header", std::vector<uint8_t>(good.begin(), good.begin() + 300)});
    bad.push_back(
        {"ends before the rectangles", std::vector<uint8_t>(good.begin(), good.begin() + 1440)});
    bad.push_back({"one byte short", std::vector<uint8_t>(good.begin(), good.end() - 1)});
    const auto changed = [&](const char *what, std::size_t offset, uint8_t value) {
        std::vector<uint8_t> b = good;
        b[offset] = value;
        bad.push_back({what, b});
    };
    changed("level 4", 4, 4);
    changed("not started with a level", 0, 0);
    changed("touch count 5", 400 + 20 * 20 + 16, 5);
    changed("stack level 60", 400 + 20 * 20 + 8, 60);
    changed("stack column 13", 142880 + 9, 13);
    changed("stack row 4", 142932 + 9, 4);
    changed("a member flag 2", 2272 + 2704 * 30 + 4, 2);
    changed("joined one way only", 2272 + 2704 * cardId(9, 1) + cardId(9, 2), 1);
    changed("a rectangle's sign byte", 1440 + 16 * 20 + 4, 7);
    bad.push_back({"noise", std::vector<uint8_t>(142984, 0xFF)});

    for (const Bad &b : bad) {
        SCOPED_TRACE(b.what);
        writeAll(folder.file("bad.pvq"), b.bytes);
        Table t;
        busyTable(t);
        t.shell.scoreWindowOpen = true;
        const auto before = std::make_unique<GameState>(t.g());
        load(t, folder.file("bad.pvq"));
        EXPECT_EQ(t.shell.messages, std::vector<std::string>{kReadFailed});
        EXPECT_TRUE(boards::sameGame(t.g(), *before));
        EXPECT_TRUE(t.shell.scoreWindowOpen) << "the score window stays";
        EXPECT_EQ(t.shell.invalidations, 0);
        EXPECT_EQ(t.shell.menuMarkUpdates, 0);
    }
}
