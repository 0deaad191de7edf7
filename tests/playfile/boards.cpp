#include "boards.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "game/board.h"
#include "support/table.h"

namespace fusefuda::testing {

void joinGroups(GameState &g, int a, int b) {
    mergeGroups(g, a, b);
    const Rect at = g.board.cardRect[cardColumn(a)][cardRow(a)];
    alignGroup(g, at.left, at.top, a);
}

void playSomeMoves(Play &play) {
    GameState &g = play.g;
    const int f = columnsInPlay(g.level).first;
    joinGroups(g, cardId(f, 0), cardId(f + 1, 0));
    joinGroups(g, cardId(f, 0), cardId(f, 1));
    joinGroups(g, cardId(6, 3), cardId(5, 3));

    g.board.touchCount[f][0] = 1;
    g.board.touchCount[f + 1][0] = 2;
    g.board.touchCount[f][1] = 3;
    g.board.faceUp[f][1] = 1;
    g.board.touchCount[8][2] = 4;
    g.board.faceUp[8][2] = 1;
    g.board.score = startingScore(g.level) - 50 - 80 - 100 - 100;

    g.board.cardRect[8][2] = {-40, -20, 23, 81};
    g.board.cardRect[7][1] = {1563, 600, 1626, 701};
    raiseGroup(play, f, 1);
    raiseGroup(play, 8, 2);
    g.scoreDisplayOn = 1;
}

void winGame(GameState &g) {
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) joinGroups(g, 6, cardId(c, r));
    alignGroup(g, finishedGridLeft(g.level) + g.viewX, g.viewY + 150, cardId(cols.first, 0));
    g.board.touchCount[cols.first][2] = 1;
    g.board.touchCount[cols.last][1] = 4;
    g.board.faceUp[cols.last][1] = 1;
    g.gameOver = 1;
}

std::unique_ptr<PlayFileRecord> playedRecord(int level) {
    Table t;
    t.deal(level, 4242);
    playSomeMoves(t.play);
    return std::make_unique<PlayFileRecord>(captureRecord(t.g()));
}

::testing::AssertionResult sameGame(const GameState &a, const GameState &b) {
    if (a == b) return ::testing::AssertionSuccess();
    // Which part differs, for the failure report.
    const char *part = !(a.board == b.board)               ? "the board"
                       : !(a.gesture == b.gesture)         ? "the gesture"
                       : !(a.undoStore == b.undoStore)     ? "the undo store"
                       : !(a.hover == b.hover)             ? "hover"
                       : !(a.phases == b.phases)           ? "the timer phases"
                       : !(a.overlays == b.overlays)       ? "the overlays"
                                                           : "a field of the record itself";
    return ::testing::AssertionFailure() << "records differ in " << part;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "playfile-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    path = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

AsOrdinaryUser::AsOrdinaryUser(const std::vector<std::string> &paths) {
    if (::geteuid() != 0) return;
    constexpr uid_t kNobody = 65534;
    for (const std::string &p : paths)
        if (::chown(p.c_str(), kNobody, kNobody) != 0) std::abort();
    if (::seteuid(kNobody) != 0) std::abort();
    switched = true;
}

AsOrdinaryUser::~AsOrdinaryUser() {
    if (switched && ::seteuid(0) != 0) std::abort();
}

}  // namespace fusefuda::testing
