// Random play against the game's invariants. A seeded player drives the same
// handlers the window calls (presses, moves and releases of both buttons, with
// and without Shift, the menu commands, saving and loading) and after every
// mouse event and command checks what must always hold. A failure names the
// seed and the gesture and how to replay it.
#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/gameevents.h"
#include "app/idle.h"
#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/keys.h"
#include "game/overlays.h"
#include "game/starting.h"
#include "game/undo.h"
#include "invariants.h"
#include "playfile/codec.h"
#include "playfile/playfile.h"
#include "render/painter.h"
#include "render/painting.h"
#include "render/surfaces.h"
#include "support/randomplay_shell.h"

using namespace fusefuda;
using namespace fusefuda::stress;
using fusefuda::testing::RandomPlayShell;

namespace {

constexpr int kWindowWidth = 1008;
constexpr int kWindowHeight = 709;

const char *const kInputCannotOpen = "入力ファイルが開けません";
const char *const kReadFailed = "ファイルの読み込みに失敗しました";

// splitmix64: the same sequence from the same seed on every machine.
struct Random {
    uint64_t state;
    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 0 ? 0 : int((next() >> 33) % uint64_t(n)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
};

struct Failure {
    std::string what;
};

struct Counts {
    long events = 0, joins = 0, nearMisses = 0, peeks = 0, undos = 0, reversals = 0;
    long saves = 0, loads = 0, refusedLoads = 0, newGames = 0, midGesture = 0, paints = 0;
    long wins[4] = {};
};

// A saved game as the player expects to get it back.
struct Saved {
    bool exists = false;
    int32_t level = 0, scoreDisplayOn = 0;
    bool gameOver = false;
    std::unique_ptr<Board> board = std::make_unique<Board>();
};

class Player {
public:
    Player(uint64_t seed, const std::string &folder, long traceFrom, int scale)
        : random_{seed}, folder_(folder), traceFrom_(traceFrom) {
        setStartingValues(g());
        createSurfaces(surfaces_, g().cardPattern, g().backgroundPattern, kWindowWidth,
                       kWindowHeight, scale);
        g().clientWidth = kWindowWidth;
        g().clientHeight = kWindowHeight;
        paintWindow(ctx_);
        shell_.saveChoice = folder + "/game.pvq";
    }

    GameState &g() { return *state_; }
    const Counts &counts() const { return counts_; }

    void playGesture(long number) {
        gesture_ = number;
        if (g().gameStarted != 1) return newGame(random_.between(1, 3));
        if (g().gameOver == 1 && random_.percent(40)) return newGame(random_.between(1, 3));
        if (g().gesture.dragging == 1 && !leftDown_ && random_.percent(70))
            return putDownHeldGroup();
        const int roll = random_.below(1000);
        if (roll < 380) return joinCarry();
        if (roll < 480) return randomCarry();
        if (roll < 530) return shiftClick();
        if (roll < 650) return peek();
        if (roll < 700) return pan();
        if (roll < 760) return hover();
        if (roll < 830) return undo();
        if (roll < 860) return reverse();
        if (roll < 890) return changeOption();
        if (roll < 900) return newGame(random_.between(1, 3));
        if (roll < 915) return save();
        if (roll < 930) return load();
        if (roll < 935) return loadBroken();
        if (roll < 965) return tick();
        if (roll < 985) return random_.percent(50) ? midGestureCommand() : keys();
        return oddPresses();
    }

private:
    // --- the keys: a burst of them, the group and the peek let go at the end ---

    void key(BoardKey k, KeyModifiers modifiers = {}) {
        const GameState &s = g();
        const bool free = s.gameStarted && !mouseHolds(s) && !keysHold(s);
        const bool pushes = (k == BoardKey::Lift || k == BoardKey::Raise)
                                ? free && leftPressAllowed(s)
                                : k == BoardKey::Peek && free && rightPressAllowed(s) &&
                                      s.gesture.pressMode == kPressNone &&
                                      s.board.touchCount[s.keyFocus.column][s.keyFocus.row] < 4;
        auto before = pushes ? std::make_unique<Board>(boardAsKept(s)) : nullptr;
        if (gesture_ >= traceFrom_) std::printf("  %ld: key %d\n", gesture_, int(k));
        onKeyPress(play_, k, modifiers);
        if (before) remember(std::move(before));
        if (k != BoardKey::Peek || random_.percent(40)) onKeyRelease(play_, k);
        afterEvent();
    }

    void keys() {
        for (int n = random_.between(1, 12); n > 0; --n)
            key(BoardKey(random_.below(12)), {random_.percent(30), random_.percent(10)});
        onKeyRelease(play_, BoardKey::Peek);
        if (g().keyFocus.carrying) key(random_.percent(50) ? BoardKey::Join : BoardKey::PutBack);
        if (g().keyFocus.carrying) key(BoardKey::Lift);
        afterEvent();
    }

    // --- the mouse as a player holds it ---

    void trace(const char *what, int x, int y) {
        if (gesture_ >= traceFrom_)
            std::printf("  %ld: %s (%d, %d)\n", gesture_, what, x, y);
    }

    // The window keeps the pointer in the confinement while it lasts.
    void confine(int &x, int &y) const {
        if (!shell_.confined) return;
        x = std::clamp(x, shell_.box[0], std::max(shell_.box[0], shell_.box[2] - 1));
        y = std::clamp(y, shell_.box[1], std::max(shell_.box[1], shell_.box[3] - 1));
    }

    void moveTo(int x, int y) {
        // Without a button held the window only hears the pointer inside it.
        if (!leftDown_ && !rightDown_) {
            x = std::clamp(x, 0, kWindowWidth - 1);
            y = std::clamp(y, 0, kWindowHeight - 1);
        }
        confine(x, y);
        x_ = x, y_ = y;
        trace("move", x, y);
        onMouseMove(play_, x, y);
        afterEvent();
    }

    // A few steps with a wobble, the last exactly on the target.
    void travel(int x, int y, int steps) {
        const int fromX = x_, fromY = y_;
        for (int i = 1; i < steps; ++i) {
            moveTo(fromX + (x - fromX) * i / steps + random_.between(-6, 6),
                   fromY + (y - fromY) * i / steps + random_.between(-6, 6));
        }
        moveTo(x, y);
    }

    void leftPress(bool shift) {
        if (leftDown_) return;
        leftDown_ = true;
        int x = x_, y = y_;
        confine(x, y);
        const GameState &s = g();
        // The snapshot is taken for every press the game accepts on a card.
        const bool pushes = s.gameStarted == 1 && s.gameOver == 0 && s.gesture.dragging == 0 &&
                            s.gesture.pressMode == kPressNone && s.gesture.panning == 0 &&
                            cardAt(s, x, y) >= 0;
        auto before = pushes ? std::make_unique<Board>(boardAsKept(s)) : nullptr;
        trace(shift ? "shift+left press" : "left press", x, y);
        onLeftPress(play_, x, y, shift);
        if (before) remember(std::move(before));
        afterEvent();
    }

    void leftRelease() {
        if (!leftDown_) return;
        leftDown_ = false;
        const int groupsBefore = groupCount();
        trace("left release", x_, y_);
        onLeftRelease(play_, x_, y_);
        const int joined = groupsBefore - groupCount();
        if (joined > 0) counts_.joins += joined;
        afterEvent();
    }

    void rightPress() {
        if (rightDown_) return;
        rightDown_ = true;
        int x = x_, y = y_;
        confine(x, y);
        const GameState &s = g();
        const int id = cardAt(s, x, y);
        const bool peeks = s.gameStarted == 1 && s.gameOver == 0 && s.gesture.dragging == 0 &&
                           id >= 0 && s.board.touchCount[cardColumn(id)][cardRow(id)] < 4;
        auto before = peeks ? std::make_unique<Board>(boardAsKept(s)) : nullptr;
        trace("right press", x, y);
        onRightPress(play_, x, y);
        if (before) {
            remember(std::move(before));
            ++counts_.peeks;
        }
        afterEvent();
    }

    void rightRelease() {
        if (!rightDown_) return;
        rightDown_ = false;
        trace("right release", x_, y_);
        onRightRelease(play_, x_, y_);
        afterEvent();
    }

    void releaseButtons() {
        if (leftDown_) leftRelease();
        if (rightDown_) rightRelease();
    }

    // --- what follows every event: the window's idle step, presenting, checks ---

    void afterEvent() {
        GameState &s = g();
        ++counts_.events;
        if (s.gameOver == 1 && !wasOver_) {
            ++counts_.wins[s.level];
            checkWonLayout();
            shadow_.clear();
        }
        wasOver_ = s.gameOver == 1;
        const bool dealing = s.dealPending == 1;
        idleStep(play_, ctx_);
        if (dealing) {
            shadow_.clear();
            wasOver_ = false;
        }
        // The window repaints after every invalidation; a full paint rebuilds
        // the whole 3000 x 1600 canvas, so here only one in eight is run.
        if (shell_.invalidated) {
            shell_.invalidated = false;
            if (random_.below(8) == 0) {
                paintWindow(ctx_);
                ++counts_.paints;
            }
        }
        surfaces_.dirty = QRegion();  // the window presents and forgets
        check();
    }

    void fail(const std::string &what) { throw Failure{what}; }

    void check() {
        const std::string broken = brokenInvariant(g());
        if (!broken.empty()) fail(broken);
        if (g().undoStore.undoDepth != int(shadow_.size()))
            fail("undo offers " + std::to_string(g().undoStore.undoDepth) + " steps, " +
                 std::to_string(shadow_.size()) + " presses were made since the last reset");
        // A key carry leaves the pointer free.
        const bool mouseCarries = g().gesture.dragging && !g().keyFocus.carrying;
        if (shell_.confined != (mouseCarries || g().gesture.panning == 1))
            fail(shell_.confined ? "the pointer stays confined with nothing carried or pulled"
                                 : "a carry or view pull without a confined pointer");
        if (!shell_.messages.empty()) fail("unexpected message: " + shell_.messages.front());
    }

    void checkWonLayout() {
        const GameState &s = g();
        const ColumnRange cols = columnsInPlay(s.level);
        const Rect &corner = s.board.cardRect[cols.first][0];
        if (corner.left != 475 - 128 * (4 - s.level) + s.viewX || corner.top != s.viewY + 150)
            fail("the won board is not laid out as the finished grid");
        if (shell_.summaries != ++summariesSeen_) fail("a win without the score summary");
        if (s.undoStore.undoDepth != 0) fail("a won game can still be undone");
    }

    void remember(std::unique_ptr<Board> board) {
        shadow_.push_front(std::move(board));
        if (shadow_.size() > kMaxUndoDepth) shadow_.pop_back();
    }

    int groupCount() const {
        const GameState &s = g_const();
        const ColumnRange cols = columnsInPlay(s.level);
        int groups = 0;
        for (int c = cols.first; c <= cols.last; ++c)
            for (int r = 0; r < kRows; ++r) {
                // a group counts once, at its first member in card order
                const int id = cardId(c, r);
                bool first = true;
                for (int other = 0; other < id && first; ++other)
                    if (s.board.groupMembers[id][cardColumn(other)][cardRow(other)] == 1)
                        first = false;
                groups += first ? 1 : 0;
            }
        return groups;
    }
    const GameState &g_const() const { return *state_; }

    // --- what the player sees ---

    // A window point where the card shows, if any part of it does.
    bool visiblePoint(int id, int &x, int &y) {
        const GameState &s = g();
        const Rect &r = s.board.cardRect[cardColumn(id)][cardRow(id)];
        for (int tries = 0; tries < 24; ++tries) {
            const int px = random_.between(r.left, r.right - 1) - s.viewX;
            const int py = random_.between(r.top, r.bottom - 1) - s.viewY;
            if (px < 0 || py < 0 || px >= kWindowWidth || py >= kWindowHeight) continue;
            if (cardAt(s, px, py) == id) {
                x = px, y = py;
                return true;
            }
        }
        return false;
    }

    std::vector<int> cardsInPlay() {
        std::vector<int> ids;
        const ColumnRange cols = columnsInPlay(g().level);
        for (int r = 0; r < kRows; ++r)
            for (int c = cols.first; c <= cols.last; ++c) ids.push_back(cardId(c, r));
        for (size_t i = ids.size(); i > 1; --i) std::swap(ids[i - 1], ids[size_t(random_.below(int(i)))]);
        return ids;
    }

    bool someVisibleCard(int &id, int &x, int &y) {
        for (int candidate : cardsInPlay())
            if (visiblePoint(candidate, x, y)) {
                id = candidate;
                return true;
            }
        return false;
    }

    bool emptyPoint(int &x, int &y) {
        for (int tries = 0; tries < 40; ++tries) {
            x = random_.below(kWindowWidth);
            y = random_.below(kWindowHeight);
            if (cardAt(g(), x, y) < 0) return true;
        }
        return false;
    }

    // --- gestures ---

    void putDownHeldGroup() {
        travel(x_ + random_.between(-40, 40), y_ + random_.between(-40, 40), random_.between(1, 3));
        leftPress(false);
        leftRelease();
    }

    // A carry that puts a card where a neighbour of it belongs: the join a
    // player makes on almost every move.
    void joinCarry() {
        const GameState &s = g();
        const ColumnRange cols = columnsInPlay(s.level);
        struct Pair {
            int moved, fixed, dx, dy;
        };
        std::vector<Pair> pairs;
        for (int c = cols.first; c <= cols.last; ++c)
            for (int r = 0; r < kRows; ++r)
                for (int d = 0; d < 4; ++d) {
                    const int nc = c + s.neighbourDx[d], nr = r + s.neighbourDy[d];
                    if (nc < cols.first || nc > cols.last || nr < 0 || nr >= kRows) continue;
                    if (isMember(s, cardId(c, r), nc, nr)) continue;
                    pairs.push_back({cardId(c, r), cardId(nc, nr), s.neighbourDx[d], s.neighbourDy[d]});
                }
        if (pairs.empty()) return randomCarry();
        for (int attempt = 0; attempt < 8; ++attempt) {
            Pair p = pairs[size_t(random_.below(int(pairs.size())))];
            // Mostly the piece goes to the sevens' side, as players build
            // outwards from them.
            const bool towardsSevens = isMember(s, cardId(6, 0), cardColumn(p.fixed), cardRow(p.fixed));
            if (!towardsSevens && random_.percent(50)) p = {p.fixed, p.moved, -p.dx, -p.dy};
            if (tryJoinCarry(p.moved, p.fixed, p.dx, p.dy)) return;
        }
        randomCarry();
    }

    bool tryJoinCarry(int moved, int fixed, int dx, int dy) {
        const GameState &s = g();
        const Rect &n = s.board.cardRect[cardColumn(fixed)][cardRow(fixed)];
        const Rect &m = s.board.cardRect[cardColumn(moved)][cardRow(moved)];
        // Where the moved card's corner must go for the target point to fall
        // into the neighbour's catch square; a few drops just miss it.
        int jx = random_.between(-10, 9), jy = random_.between(-10, 9);
        if (random_.percent(10)) {
            (random_.percent(50) ? jx : jy) += random_.percent(50) ? random_.between(10, 24)
                                                                   : -random_.between(11, 24);
            ++counts_.nearMisses;
        }
        const int goalLeft = n.left - kPitchX * dx + jx, goalTop = n.top - kPitchY * dy + jy;
        // A card stacked over the neighbour's spot keeps it from joining:
        // bring the neighbour's group up first.
        if (random_.percent(80) && coveredSpot(fixed, goalLeft + 31 + kPitchX * dx, goalTop + 50 + kPitchY * dy)) {
            int x, y;
            if (!visiblePoint(fixed, x, y)) return false;
            travel(x, y, 2);
            leftPress(true);
            leftRelease();
        }
        // Press any member that shows and can be picked up, whose corner can
        // reach its place inside the window.
        for (int member : cardsInPlay()) {
            const int c = cardColumn(member), r = cardRow(member);
            if (!isMember(s, moved, c, r) || s.board.touchCount[c][r] >= 4) continue;
            const Rect &at = s.board.cardRect[c][r];
            const int cornerX = goalLeft + (at.left - m.left) - s.viewX;
            const int cornerY = goalTop + (at.top - m.top) - s.viewY;
            const int w = std::min(kWindowWidth, kBoardWidth - s.viewX);
            const int h = std::min(kWindowHeight, kBoardHeight - s.viewY);
            if (cornerX < 0 || cornerY < 0 || cornerX >= w - kPitchX || cornerY >= h - kPitchY)
                continue;
            int x, y;
            if (!visiblePoint(member, x, y)) continue;
            const int grabX = x - (at.left - s.viewX), grabY = y - (at.top - s.viewY);
            travel(x, y, random_.between(1, 3));
            leftPress(false);
            travel(cornerX + grabX, cornerY + grabY, random_.between(1, 6));
            leftRelease();
            return true;
        }
        return false;
    }

    bool coveredSpot(int fixed, int px, int py) {
        const GameState &s = g();
        const int level = s.board.stackLevel[cardColumn(fixed)][cardRow(fixed)];
        const ColumnRange cols = columnsInPlay(s.level);
        for (int c = cols.first; c <= cols.last; ++c)
            for (int r = 0; r < kRows; ++r) {
                const Rect &o = s.board.cardRect[c][r];
                if (s.board.stackLevel[c][r] > level && px >= o.left + 16 && px < o.left + 46 &&
                    py >= o.top + 35 && py < o.top + 65)
                    return true;
            }
        return false;
    }

    void randomCarry() {
        int id, x, y;
        if (!someVisibleCard(id, x, y)) return hover();
        travel(x, y, random_.between(1, 3));
        leftPress(false);
        if (random_.percent(15)) {
            // a click without a move: the group stays in hand
            leftRelease();
            return;
        }
        travel(random_.between(-30, kWindowWidth + 30), random_.between(-30, kWindowHeight + 30),
               random_.between(1, 8));
        leftRelease();
    }

    void shiftClick() {
        int id, x, y;
        if (!someVisibleCard(id, x, y)) return hover();
        travel(x, y, 1);
        leftPress(true);
        if (random_.percent(30)) travel(x + random_.between(-50, 50), y + random_.between(-50, 50), 2);
        leftRelease();
    }

    void peek() {
        int id, x, y;
        if (!someVisibleCard(id, x, y)) return hover();
        travel(x, y, random_.between(1, 2));
        rightPress();
        if (random_.percent(25))
            travel(random_.between(-60, kWindowWidth + 60), random_.between(-60, kWindowHeight + 60),
                   random_.between(1, 4));
        rightRelease();
    }

    void pan() {
        int x, y;
        if (!emptyPoint(x, y)) return hover();
        travel(x, y, 1);
        rightPress();
        // Now and then back towards the start view, so that the cards stay
        // within reach.
        const GameState &s = g();
        int tx, ty;
        if (random_.percent(50)) {
            tx = x + (s.viewX - kStartViewX), ty = y + (s.viewY - kStartViewY);
        } else {
            tx = x + random_.between(-300, 300), ty = y + random_.between(-300, 300);
        }
        travel(tx, ty, random_.between(1, 4));
        rightRelease();
    }

    void hover() {
        for (int i = random_.between(1, 5); i > 0; --i)
            moveTo(random_.below(kWindowWidth), random_.below(kWindowHeight));
    }

    void tick() {
        if (random_.percent(50))
            flipPopupPhase(g());
        else
            flipSparklePhase(g());
        trace("timer", 0, 0);
        afterEvent();
    }

    void oddPresses() {
        int x, y;
        switch (random_.below(4)) {
        case 0:  // a left press on the bare board
            if (emptyPoint(x, y)) travel(x, y, 1);
            leftPress(false);
            leftRelease();
            break;
        case 1:  // both buttons at once on a card
            if (int id; someVisibleCard(id, x, y)) travel(x, y, 1);
            leftPress(random_.percent(30));
            rightPress();
            travel(x_ + random_.between(-80, 80), y_ + random_.between(-80, 80), 2);
            if (random_.percent(50)) {
                leftRelease();
                rightRelease();
            } else {
                rightRelease();
                leftRelease();
            }
            break;
        case 2:  // a right press while a group is carried
            if (int id; someVisibleCard(id, x, y)) travel(x, y, 1);
            leftPress(false);
            travel(x_ + 30, y_ + 20, 1);
            rightPress();
            rightRelease();
            leftRelease();
            break;
        default:  // a press with Shift on a spent card or anywhere
            travel(random_.below(kWindowWidth), random_.below(kWindowHeight), 1);
            leftPress(true);
            rightPress();
            rightRelease();
            leftRelease();
            break;
        }
    }

    // A menu command chosen from the keyboard while a gesture is under way.
    void midGestureCommand() {
        ++counts_.midGesture;
        int id, x, y;
        const int kind = random_.below(3);
        if (kind == 2) {
            if (!emptyPoint(x, y)) return hover();
        } else if (!someVisibleCard(id, x, y)) {
            return hover();
        }
        travel(x, y, 1);
        if (kind == 0) {
            leftPress(random_.percent(20));
            travel(x + random_.between(-40, 40), y + random_.between(-40, 40), 1);
        } else {
            rightPress();
        }
        switch (random_.below(7)) {
        case 0: undo(); break;
        case 1: reverse(); break;
        case 2: save(); break;
        case 3: load(); break;
        case 4: changeOption(); break;
        case 5: newGame(random_.between(1, 3)); break;
        default: tick(); break;
        }
        travel(x_ + random_.between(-40, 40), y_ + random_.between(-40, 40), random_.between(1, 3));
        releaseButtons();
    }

    // --- menu commands ---

    void newGame(int level) {
        ++counts_.newGames;
        const uint32_t seed = uint32_t(random_.next() >> 33);
        trace("new game", level, int(seed));
        startNewGame(play_, level, seed);
        const GameState &s = g();
        if (s.gesture.dragging != 0 || s.gesture.pressMode != kPressNone ||
            s.gesture.panning != 0 || shell_.confined)
            fail("a gesture of the old game goes on into the new one");
        afterEvent();
    }

    void undo() {
        ++counts_.undos;
        trace("undo", g().undoStore.undoDepth, 0);
        if (shadow_.empty()) {
            const auto before = std::make_unique<Board>(boardAsKept(g()));
            popUndo(play_);
            if (!(boardAsKept(g()) == *before))
                fail("an undo with nothing to take back changed the board");
        } else {
            std::unique_ptr<Board> want = std::move(shadow_.front());
            shadow_.pop_front();
            popUndo(play_);
            const std::string difference = firstDifference(*want, boardAsKept(g()));
            if (!difference.empty()) fail("undo did not bring back its snapshot: " + difference);
        }
        afterEvent();
    }

    void reverse() {
        ++counts_.reversals;
        auto before = std::make_unique<Board>(boardAsKept(g()));
        trace("reverse stacking", 0, 0);
        reverseStacking(play_);
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                if (g().board.stackLevel[c][r] != kCards - 1 - before->stackLevel[c][r])
                    fail("the reversal did not turn the stacking over");
        remember(std::move(before));
        afterEvent();
    }

    void changeOption() {
        GameState &s = g();
        // A background is a large picture to load; players switch it seldom.
        int option = random_.below(9);
        if (option == 6 && random_.below(4) != 0) option = 8;
        trace("option", option, 0);
        auto flip = [](auto &v) { v = v == 0 ? 1 : 0; };
        switch (option) {
        case 0: flip(s.soundOn); break;
        case 1: flip(s.guideOn); break;
        case 2: flip(s.scoreDisplayOn); break;
        case 3:
            flip(s.animationOn);
            if (s.animationOn == 0) {
                clearSparklesActive(s);
                shell_.invalidateWindow();
            }
            break;
        case 4: flip(s.peekModeOn); break;
        case 5: flip(s.bgmOn); break;
        case 6:
            s.backgroundPattern = random_.between(1, 4);
            switchBackground(surfaces_, s.backgroundPattern);
            shell_.invalidateWindow();
            break;
        case 7:
            s.cardPattern = random_.between(1, 2);
            switchBacks(surfaces_, s.cardPattern);
            shell_.invalidateWindow();
            break;
        default: shell_.invalidateWindow(); break;  // the window uncovered
        }
        afterEvent();
    }

    void save() {
        ++counts_.saves;
        trace("save", 0, 0);
        saved_.exists = true;
        saved_.level = g().level;
        saved_.gameOver = g().gameOver;
        saved_.scoreDisplayOn = g().scoreDisplayOn;
        // A load ends by bringing the sevens' group to the top.
        const auto scratch = std::make_unique<GameState>(g());
        raiseGroupInStack(*scratch, 6, 3);
        *saved_.board = boardAsKept(*scratch);
        const auto before = std::make_unique<Board>(boardAsKept(g()));
        savePlayFile(g(), shell_);
        if (!(boardAsKept(g()) == *before)) fail("saving changed the board");
        afterEvent();
    }

    void load() {
        if (!saved_.exists) return save();
        ++counts_.loads;
        trace("load", 0, 0);
        shell_.openChoice = shell_.saveChoice;
        loadPlayFile(play_, shell_);
        const GameState &s = g();
        const std::string difference = firstDifference(*saved_.board, boardAsKept(s));
        if (!difference.empty()) fail("the loaded game differs from the saved one: " + difference);
        if (s.level != saved_.level || s.gameOver != saved_.gameOver ||
            s.scoreDisplayOn != saved_.scoreDisplayOn)
            fail("the loaded header differs from the saved one");
        if (s.gesture.dragging != 0 || s.gesture.pressMode != kPressNone || s.gesture.panning != 0)
            fail("a gesture goes on into the loaded game");
        shadow_.clear();
        wasOver_ = s.gameOver == 1;
        afterEvent();
    }

    // A file cut short or missing is refused and changes nothing.
    void loadBroken() {
        ++counts_.refusedLoads;
        trace("load a broken file", 0, 0);
        const std::string broken = folder_ + "/broken.pvq";
        const bool missing = !saved_.exists || random_.percent(30);
        if (missing) {
            std::filesystem::remove(broken);
        } else {
            std::ifstream in(shell_.saveChoice, std::ios::binary);
            std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
            bytes.resize(size_t(random_.below(int(bytes.size()))));
            std::ofstream(broken, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        }
        const auto before = std::make_unique<Board>(boardAsKept(g()));
        const bool dragging = g().gesture.dragging;
        const PressMode pressMode = g().gesture.pressMode;
        const int level = g().level;
        shell_.openChoice = broken;
        loadPlayFile(play_, shell_);
        const std::vector<std::string> want = {missing ? kInputCannotOpen : kReadFailed};
        if (shell_.messages != want) fail("a broken file was not refused with its message");
        shell_.messages.clear();
        if (!(boardAsKept(g()) == *before) || g().gesture.dragging != dragging ||
            g().gesture.pressMode != pressMode || g().level != level)
            fail("a refused file changed the game");
        afterEvent();
    }

    std::unique_ptr<GameState> state_ = std::make_unique<GameState>();
    Surfaces surfaces_;
    RandomPlayShell shell_;
    Context ctx_{*state_, surfaces_, shell_};
    BoardPainter painter_{ctx_};
    GameEvents events_{*state_, painter_, shell_};
    Play play_{*state_, events_, shell_};
    Random random_;
    std::string folder_;
    long traceFrom_;
    long gesture_ = 0;
    int x_ = kWindowWidth / 2, y_ = kWindowHeight / 2;
    bool leftDown_ = false, rightDown_ = false;
    bool wasOver_ = false;
    int summariesSeen_ = 0;
    std::deque<std::unique_ptr<Board>> shadow_;
    Saved saved_;
    Counts counts_;
};

// A scratch folder for the play files, in memory where the machine has one.
std::string makeScratchFolder() {
    std::string base = "/dev/shm";
    if (::access(base.c_str(), W_OK) != 0) base = std::filesystem::temp_directory_path().string();
    std::string pattern = base + "/fusefuda-randomplay-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    return pattern;
}

int usage(const char *program) {
    std::fprintf(stderr,
                 "usage: %s [--seed N] [--gestures N] [--trace-from N] [--scale 1|2|3]\n"
                 "Plays N gestures (default 200000) from seed N (default 1) and checks the\n"
                 "game's invariants after every event; --trace-from prints the events of\n"
                 "that gesture on; --scale draws on surfaces of that many device pixels a\n"
                 "pixel.\n",
                 program);
    return 2;
}

}  // namespace

int main(int argc, char **argv) {
    uint64_t seed = 1;
    long gestures = 200000, traceFrom = -1;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return usage(argv[0]);
        const char *value = argv[++i];
        char *end = nullptr;
        const unsigned long long number = std::strtoull(value, &end, 10);
        if (end == value || *end != '\0') return usage(argv[0]);
        if (arg == "--seed")
            seed = number;
        else if (arg == "--gestures")
            gestures = long(number);
        else if (arg == "--trace-from")
            traceFrom = long(number);
        else if (arg == "--scale" && number >= 1 && number <= 3)
            scale = int(number);
        else
            return usage(argv[0]);
    }
    if (traceFrom < 0) traceFrom = gestures + 1;

    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    const std::string folder = makeScratchFolder();
    const auto started = std::chrono::steady_clock::now();
    auto player = std::make_unique<Player>(seed, folder, traceFrom, scale);
    long number = 1;
    int status = 0;
    try {
        for (; number <= gestures; ++number) player->playGesture(number);
    } catch (const Failure &failure) {
        std::fprintf(stderr,
                     "fusefuda_randomplay: seed %llu, gesture %ld: %s\n"
                     "replay: %s --seed %llu --gestures %ld --trace-from %ld --scale %d\n",
                     (unsigned long long)seed, number, failure.what.c_str(), argv[0],
                     (unsigned long long)seed, number, number, scale);
        status = 1;
    }
    std::filesystem::remove_all(folder);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    const Counts &n = player->counts();
    std::printf(
        "fusefuda_randomplay: seed %llu, %ld gestures, %ld events in %.1f s; joins %ld "
        "(near misses %ld), wins %ld/%ld/%ld (beginner/intermediate/advanced), peeks %ld, "
        "undos %ld, reversals %ld, new games %ld, saves %ld, loads %ld, refused loads %ld, "
        "commands mid-gesture %ld, full paints %ld\n",
        (unsigned long long)seed, number - 1, n.events, seconds, n.joins, n.nearMisses, n.wins[3],
        n.wins[2], n.wins[1], n.peeks, n.undos, n.reversals, n.newGames, n.saves, n.loads,
        n.refusedLoads, n.midGesture, n.paints);
    if (status == 0 && gestures >= 20000 && n.wins[1] + n.wins[2] + n.wins[3] == 0) {
        std::fprintf(stderr, "fusefuda_randomplay: no game was won; the player no longer plays\n");
        status = 1;
    }
    return status;
}
