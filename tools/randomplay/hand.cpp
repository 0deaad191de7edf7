#include "hand.h"

#include <algorithm>

#include "game/board.h"
#include "game/input.h"
#include "invariants.h"

namespace fusefuda::stress {

// The window keeps the pointer in the confinement while it lasts.
void Hand::confine(int &x, int &y) const {
    const RandomPlayShell &shell = table_.shell;
    if (!shell.confined) return;
    x = std::clamp(x, shell.box[0], std::max(shell.box[0], shell.box[2] - 1));
    y = std::clamp(y, shell.box[1], std::max(shell.box[1], shell.box[3] - 1));
}

void Hand::moveTo(int x, int y) {
    // Without a button held the window only hears the pointer inside it.
    if (!leftDown_ && !rightDown_) {
        x = std::clamp(x, 0, width() - 1);
        y = std::clamp(y, 0, height() - 1);
    }
    confine(x, y);
    x_ = x, y_ = y;
    trace_("move", x, y);
    onMouseMove(table_.play, x, y);
    // The mouse takes a carried card no further than the window can reach.
    const GameState &s = table_.g();
    if (s.gesture.dragging && !s.keyFocus.carrying) {
        const std::string off = offReachableBoard(s, s.gesture.dragColumn, s.gesture.dragRow);
        if (!off.empty()) fail("carried " + off);
    }
    expect_.afterEvent();
}

void Hand::travel(int x, int y, int steps) {
    const int fromX = x_, fromY = y_;
    for (int i = 1; i < steps; ++i) {
        moveTo(fromX + (x - fromX) * i / steps + random_.between(-6, 6),
               fromY + (y - fromY) * i / steps + random_.between(-6, 6));
    }
    moveTo(x, y);
}

void Hand::leftPress(bool shift) {
    if (leftDown_) return;
    leftDown_ = true;
    int x = x_, y = y_;
    confine(x, y);
    const GameState &s = table_.g();
    // The snapshot is taken for every press the game accepts on a card.
    const bool pushes = s.gameStarted && !s.gameOver && !s.gesture.dragging &&
                        s.gesture.pressMode == kPressNone && !s.gesture.panning &&
                        cardAt(s, x, y) != kNoCard;
    auto before = pushes ? std::make_unique<Board>(boardAsKept(s)) : nullptr;
    trace_(shift ? "shift+left press" : "left press", x, y);
    onLeftPress(table_.play, x, y, shift);
    if (before) expect_.remember(std::move(before));
    expect_.afterEvent();
}

void Hand::leftRelease() {
    if (!leftDown_) return;
    leftDown_ = false;
    const int groupsBefore = expect_.groupCount();
    trace_("left release", x_, y_);
    onLeftRelease(table_.play, x_, y_);
    const int joined = groupsBefore - expect_.groupCount();
    if (joined > 0) expect_.counts.joins += joined;
    expect_.afterEvent();
}

void Hand::rightPress() {
    if (rightDown_) return;
    rightDown_ = true;
    int x = x_, y = y_;
    confine(x, y);
    const GameState &s = table_.g();
    const int id = cardAt(s, x, y);
    const bool peeks = s.gameStarted && !s.gameOver && !s.gesture.dragging && id >= 0 &&
                       s.board.touchCount[cardColumn(id)][cardRow(id)] < kSpent;
    auto before = peeks ? std::make_unique<Board>(boardAsKept(s)) : nullptr;
    trace_("right press", x, y);
    onRightPress(table_.play, x, y);
    if (before) {
        expect_.remember(std::move(before));
        ++expect_.counts.peeks;
    }
    expect_.afterEvent();
}

void Hand::rightRelease() {
    if (!rightDown_) return;
    rightDown_ = false;
    trace_("right release", x_, y_);
    onRightRelease(table_.play, x_, y_);
    expect_.afterEvent();
}

void Hand::releaseButtons() {
    if (leftDown_) leftRelease();
    if (rightDown_) rightRelease();
}

void Hand::key(BoardKey k, KeyModifiers modifiers) {
    const GameState &s = table_.g();
    const bool free = s.gameStarted && !mouseHolds(s) && !keysHold(s);
    const bool pushes = (k == BoardKey::Lift || k == BoardKey::Raise)
                            ? free && leftPressAllowed(s)
                            : k == BoardKey::Peek && free && rightPressAllowed(s) &&
                                  s.gesture.pressMode == kPressNone &&
                                  s.board.touchCount[s.keyFocus.column][s.keyFocus.row] < kSpent;
    auto before = pushes ? std::make_unique<Board>(boardAsKept(s)) : nullptr;
    trace_("key", int(k), 0);
    onKeyPress(table_.play, k, modifiers);
    if (before) expect_.remember(std::move(before));
    if (k != BoardKey::Peek || random_.percent(40)) onKeyRelease(table_.play, k);
    expect_.afterEvent();
}

bool Hand::visiblePoint(int id, int &x, int &y) {
    const GameState &s = table_.g();
    const Rect &r = s.board.cardRect[cardColumn(id)][cardRow(id)];
    for (int tries = 0; tries < 24; ++tries) {
        const int px = random_.between(r.left, r.right - 1) - s.viewX;
        const int py = random_.between(r.top, r.bottom - 1) - s.viewY;
        if (px < 0 || py < 0 || px >= width() || py >= height()) continue;
        if (cardAt(s, px, py) == id) {
            x = px, y = py;
            return true;
        }
    }
    return false;
}

std::vector<int> Hand::cardsInPlay() {
    std::vector<int> ids;
    const ColumnRange cols = columnsInPlay(table_.g().level);
    for (int r = 0; r < kRows; ++r)
        for (int c = cols.first; c <= cols.last; ++c) ids.push_back(cardId(c, r));
    for (size_t i = ids.size(); i > 1; --i)
        std::swap(ids[i - 1], ids[size_t(random_.below(int(i)))]);
    return ids;
}

bool Hand::someVisibleCard(int &id, int &x, int &y) {
    for (int candidate : cardsInPlay())
        if (visiblePoint(candidate, x, y)) {
            id = candidate;
            return true;
        }
    return false;
}

bool Hand::emptyPoint(int &x, int &y) {
    for (int tries = 0; tries < 40; ++tries) {
        x = random_.below(width());
        y = random_.below(height());
        if (cardAt(table_.g(), x, y) == kNoCard) return true;
    }
    return false;
}

}  // namespace fusefuda::stress
