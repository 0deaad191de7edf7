#include "expectations.h"

#include "app/idle.h"
#include "game/scoring.h"
#include "game/zoom.h"
#include "invariants.h"

namespace fusefuda::stress {

void Expectations::afterEvent() {
    GameState &s = table_.g();
    ++counts.events;
    if (s.gameOver && !wasOver_) {
        long &wins = s.level == kBeginner       ? counts.winsBeginner
                     : s.level == kIntermediate ? counts.winsIntermediate
                                                : counts.winsAdvanced;
        ++wins;
        checkWonLayout();
        shadow_.clear();
    }
    wasOver_ = s.gameOver;
    const bool dealing = s.dealPending;
    idleStep(table_.play, table_.ctx);
    if (dealing) forgetUndo(false);
    // The window repaints after every invalidation; a full paint rebuilds
    // the canvas, so here only one in eight is run.
    if (table_.shell.invalidated) {
        table_.shell.invalidated = false;
        if (random_.below(8) == 0) {
            paintWindow(table_.ctx);
            ++counts.paints;
        }
    }
    table_.surfaces.dirty = QRegion();  // the window presents and forgets
    check();
}

void Expectations::check() {
    const GameState &s = table_.g();
    const RandomPlayShell &shell = table_.shell;
    std::string broken = brokenInvariant(s);
    if (broken.empty()) broken = brokenZoom(s, kWindowWidth, kWindowHeight);
    if (!broken.empty()) fail(broken);
    if (s.undoStore.undoDepth != int(shadow_.size()))
        fail("undo offers " + std::to_string(s.undoStore.undoDepth) + " steps, " +
             std::to_string(shadow_.size()) + " presses were made since the last reset");
    // A key carry leaves the pointer free.
    const bool mouseCarries = s.gesture.dragging && !s.keyFocus.carrying;
    if (shell.confined != (mouseCarries || s.gesture.panning))
        fail(shell.confined ? "the pointer stays confined with nothing carried or pulled"
                            : "a carry or view pull without a confined pointer");
    if (!shell.messages.empty()) fail("unexpected message: " + shell.messages.front());
}

void Expectations::checkWonLayout() {
    const GameState &s = table_.g();
    const ColumnRange cols = columnsInPlay(s.level);
    const Rect &corner = s.board.cardRect[cols.first][0];
    // At the view's corner, or flush with the reachable board's far edges
    // where the view lies nearer them than the grid is long.
    const BoardPoint reach = reachableBoard(s);
    const int width = (cols.last - cols.first) * kPitchX + kCardWidth;
    const int height = (kRows - 1) * kPitchY + kCardHeight;
    if (corner.left != std::min(finishedGridLeft(s.level) + s.viewX, reach.x - width) ||
        corner.top != std::min(s.viewY + 150, reach.y - height))
        fail("the won board is not laid out as the finished grid");
    if (table_.shell.summaries != ++summariesSeen_) fail("a win without the score summary");
    if (s.undoStore.undoDepth != 0) fail("a won game can still be undone");
}

void Expectations::remember(std::unique_ptr<Board> board) {
    shadow_.push_front(std::move(board));
    if (shadow_.size() > kMaxUndoDepth) shadow_.pop_back();
}

std::unique_ptr<Board> Expectations::takeUndo() {
    if (shadow_.empty()) return nullptr;
    std::unique_ptr<Board> want = std::move(shadow_.front());
    shadow_.pop_front();
    return want;
}

void Expectations::forgetUndo(bool over) {
    shadow_.clear();
    wasOver_ = over;
}

int Expectations::groupCount() const {
    const GameState &s = *table_.state;
    const ColumnRange cols = columnsInPlay(s.level);
    int groups = 0;
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r) {
            // a group counts once, at its first member in card order
            const int id = cardId(c, r);
            bool first = true;
            for (int other = 0; other < id && first; ++other)
                if (s.board.groupMembers[id][cardColumn(other)][cardRow(other)]) first = false;
            groups += first ? 1 : 0;
        }
    return groups;
}

}  // namespace fusefuda::stress
