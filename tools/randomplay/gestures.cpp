#include "gestures.h"

#include <algorithm>

#include "app/idle.h"
#include "game/join.h"
#include "game/keys.h"
#include "game/zoom.h"

namespace fusefuda::stress {

const Gestures::Weighted Gestures::kTable[] = {
    {370, [](Gestures &p) { p.joinCarry(); }},
    {100, [](Gestures &p) { p.randomCarry(); }},
    {50, [](Gestures &p) { p.shiftClick(); }},
    {120, [](Gestures &p) { p.peek(); }},
    {50, [](Gestures &p) { p.pan(); }},
    {50, [](Gestures &p) { p.hover(); }},
    {20, [](Gestures &p) { p.zoom(); }},
    {70, [](Gestures &p) { p.commands_.undo(); }},
    {30, [](Gestures &p) { p.commands_.reverse(); }},
    {30, [](Gestures &p) { p.commands_.changeOption(); }},
    {10, [](Gestures &p) { p.commands_.newGame(); }},
    {15, [](Gestures &p) { p.commands_.save(); }},
    {15, [](Gestures &p) { p.commands_.load(); }},
    {5, [](Gestures &p) { p.commands_.loadBroken(); }},
    {30, [](Gestures &p) { p.tick(); }},
    {20, [](Gestures &p) { p.commandOrKeys(); }},
    {15, [](Gestures &p) { p.oddPresses(); }},
};

void Gestures::play(long number) {
    trace_.gesture = number;
    const GameState &s = table_.g();
    if (!s.gameStarted) return commands_.newGame();
    if (s.gameOver && random_.percent(40)) return commands_.newGame();
    if (s.gesture.dragging && !hand_.leftDown() && random_.percent(70))
        return putDownHeldGroup();
    int roll = random_.below(1000);
    for (const Weighted &row : kTable) {
        if (roll < row.weight) return row.gesture(*this);
        roll -= row.weight;
    }
}

void Gestures::putDownHeldGroup() {
    hand_.travel(hand_.x() + random_.between(-40, 40), hand_.y() + random_.between(-40, 40),
                 random_.between(1, 3));
    hand_.leftPress(false);
    hand_.leftRelease();
}

// A carry that puts a card where a neighbour of it belongs: the join a
// player makes on almost every move.
void Gestures::joinCarry() {
    const GameState &s = table_.g();
    const ColumnRange cols = columnsInPlay(s.level);
    struct Pair {
        int moved, fixed, dx, dy;
    };
    std::vector<Pair> pairs;
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            for (int d = 0; d < 4; ++d) {
                const int nc = c + kNeighbourDx[d], nr = r + kNeighbourDy[d];
                if (!inPlay(s, nc, nr) || isMember(s, cardId(c, r), nc, nr)) continue;
                pairs.push_back({cardId(c, r), cardId(nc, nr), kNeighbourDx[d], kNeighbourDy[d]});
            }
    if (pairs.empty()) return randomCarry();
    const int sevens = cardId(kSevensColumn, 0);
    for (int attempt = 0; attempt < 8; ++attempt) {
        Pair p = pairs[size_t(random_.below(int(pairs.size())))];
        // Mostly the piece goes to the sevens' side, as players build
        // outwards from them.
        const bool towardsSevens = isMember(s, sevens, cardColumn(p.fixed), cardRow(p.fixed));
        if (!towardsSevens && random_.percent(50)) p = {p.fixed, p.moved, -p.dx, -p.dy};
        if (tryJoinCarry(p.moved, p.fixed, p.dx, p.dy)) return;
    }
    randomCarry();
}

bool Gestures::tryJoinCarry(int moved, int fixed, int dx, int dy) {
    const GameState &s = table_.g();
    const Rect &n = s.board.cardRect[cardColumn(fixed)][cardRow(fixed)];
    const Rect &m = s.board.cardRect[cardColumn(moved)][cardRow(moved)];
    // Where the moved card's corner must go for the target point to fall
    // into the neighbour's catch square; a few drops just miss it.
    int jx = random_.between(-kCatchHalf, kCatchHalf - 1);
    int jy = random_.between(-kCatchHalf, kCatchHalf - 1);
    if (random_.percent(10)) {
        (random_.percent(50) ? jx : jy) += random_.percent(50)
                                               ? random_.between(kCatchHalf, 24)
                                               : -random_.between(kCatchHalf + 1, 24);
        ++expect_.counts.nearMisses;
    }
    const int goalLeft = n.left - kPitchX * dx + jx, goalTop = n.top - kPitchY * dy + jy;
    // A card stacked over the neighbour's spot keeps it from joining:
    // bring the neighbour's group up first.
    if (random_.percent(80) &&
        covered(s, cardColumn(fixed), cardRow(fixed), joinTarget(goalLeft, goalTop, dx, dy))) {
        int x, y;
        if (!hand_.visiblePoint(fixed, x, y)) return false;
        hand_.travel(x, y, 2);
        hand_.leftPress(true);
        hand_.leftRelease();
    }
    // Press any member that shows and can be picked up, whose corner can
    // reach its place inside the window and the board it reaches.
    const BoardPoint reach = reachableBoard(s);
    for (int member : hand_.cardsInPlay()) {
        const int c = cardColumn(member), r = cardRow(member);
        if (!isMember(s, moved, c, r) || s.board.touchCount[c][r] >= kSpent) continue;
        const Rect &at = s.board.cardRect[c][r];
        const int cornerX = goalLeft + (at.left - m.left) - s.viewX;
        const int cornerY = goalTop + (at.top - m.top) - s.viewY;
        const int w = std::min(hand_.width(), reach.x - s.viewX);
        const int h = std::min(hand_.height(), reach.y - s.viewY);
        if (cornerX < 0 || cornerY < 0 || cornerX >= w - kPitchX || cornerY >= h - kPitchY)
            continue;
        int x, y;
        if (!hand_.visiblePoint(member, x, y)) continue;
        const int grabX = x - (at.left - s.viewX), grabY = y - (at.top - s.viewY);
        hand_.travel(x, y, random_.between(1, 3));
        hand_.leftPress(false);
        hand_.travel(cornerX + grabX, cornerY + grabY, random_.between(1, 6));
        hand_.leftRelease();
        return true;
    }
    return false;
}

void Gestures::randomCarry() {
    int id, x, y;
    if (!hand_.someVisibleCard(id, x, y)) return hover();
    hand_.travel(x, y, random_.between(1, 3));
    hand_.leftPress(false);
    if (random_.percent(15)) {
        // a click without a move: the group stays in hand
        hand_.leftRelease();
        return;
    }
    hand_.travel(random_.between(-30, hand_.width() + 30),
                 random_.between(-30, hand_.height() + 30), random_.between(1, 8));
    hand_.leftRelease();
}

void Gestures::shiftClick() {
    int id, x, y;
    if (!hand_.someVisibleCard(id, x, y)) return hover();
    hand_.travel(x, y, 1);
    hand_.leftPress(true);
    if (random_.percent(30))
        hand_.travel(x + random_.between(-50, 50), y + random_.between(-50, 50), 2);
    hand_.leftRelease();
}

void Gestures::peek() {
    int id, x, y;
    if (!hand_.someVisibleCard(id, x, y)) return hover();
    hand_.travel(x, y, random_.between(1, 2));
    hand_.rightPress();
    if (random_.percent(25))
        hand_.travel(random_.between(-60, hand_.width() + 60),
                     random_.between(-60, hand_.height() + 60), random_.between(1, 4));
    hand_.rightRelease();
}

void Gestures::pan() {
    int x, y;
    if (!hand_.emptyPoint(x, y)) return hover();
    hand_.travel(x, y, 1);
    hand_.rightPress();
    // Now and then back towards the start view, so that the cards stay
    // within reach.
    const GameState &s = table_.g();
    int tx, ty;
    if (random_.percent(50)) {
        tx = x + (s.viewX - kStartViewX), ty = y + (s.viewY - kStartViewY);
    } else {
        tx = x + random_.between(-300, 300), ty = y + random_.between(-300, 300);
    }
    hand_.travel(tx, ty, random_.between(1, 4));
    hand_.rightRelease();
}

void Gestures::hover() {
    for (int i = random_.between(1, 5); i > 0; --i)
        hand_.moveTo(random_.below(hand_.width()), random_.below(hand_.height()));
}

// A zoom as the window makes it (app/viewzoom.cpp), about a point of the
// window: none while a card or a peek is in hand; the client area, the view
// and the framebuffer follow, now and then the surfaces are made afresh, and
// the window is painted whole.
void Gestures::zoom() {
    GameState &s = table_.g();
    if (zoomWaits(s)) return;
    const double fit = fitZoom(kWindowWidth, kWindowHeight);
    // Now and then 100 % or fit (any zoom below it) exactly.
    const double z = random_.percent(15)   ? 1.0
                     : random_.percent(10) ? 0.0
                                           : fit + (kZoomMax - fit) * random_.below(10001) / 1e4;
    const int ax = random_.below(kWindowWidth), ay = random_.below(kWindowHeight);
    trace_(("zoom to " + std::to_string(z) + " about").c_str(), ax, ay);
    zoomView(s, z, kWindowWidth, kWindowHeight, ax, ay);
    Surfaces &surfaces = table_.surfaces;
    const BoardPoint reach = reachableBoard(s);
    surfaces.reach = QSize(reach.x, reach.y);
    if (random_.percent(10))
        createSurfaces(surfaces, s.cardPattern, s.backgroundPattern, s.clientWidth, s.clientHeight,
                       surfaces.scale, s.fourColourOn);
    else
        resizeWindowSurface(surfaces, s.clientWidth, s.clientHeight);
    paintWindow(table_.ctx);
    ++expect_.counts.zooms;
    expect_.afterEvent();
    // The pointer stays where it was in the window, over another board point.
    hand_.moveTo(windowToClient(ax, s.zoom), windowToClient(ay, s.zoom));
}

void Gestures::tick() {
    if (random_.percent(50))
        flipPopupPhase(table_.g());
    else
        flipSparklePhase(table_.g());
    trace_("timer", 0, 0);
    expect_.afterEvent();
}

// A burst of keys, the group and the peek let go at the end.
void Gestures::keys() {
    for (int n = random_.between(1, 12); n > 0; --n)
        hand_.key(BoardKey(random_.below(12)), {random_.percent(30), random_.percent(10)});
    onKeyRelease(table_.play, BoardKey::Peek);
    if (table_.g().keyFocus.carrying)
        hand_.key(random_.percent(50) ? BoardKey::Join : BoardKey::PutBack);
    if (table_.g().keyFocus.carrying) hand_.key(BoardKey::Lift);
    expect_.afterEvent();
}

void Gestures::commandOrKeys() { random_.percent(50) ? midGestureCommand() : keys(); }

// A menu command chosen from the keyboard while a gesture is under way.
void Gestures::midGestureCommand() {
    ++expect_.counts.midGesture;
    int id, x, y;
    const int kind = random_.below(3);
    if (kind == 2) {
        if (!hand_.emptyPoint(x, y)) return hover();
    } else if (!hand_.someVisibleCard(id, x, y)) {
        return hover();
    }
    hand_.travel(x, y, 1);
    if (kind == 0) {
        hand_.leftPress(random_.percent(20));
        hand_.travel(x + random_.between(-40, 40), y + random_.between(-40, 40), 1);
    } else {
        hand_.rightPress();
    }
    switch (random_.below(7)) {
    case 0: commands_.undo(); break;
    case 1: commands_.reverse(); break;
    case 2: commands_.save(); break;
    case 3: commands_.load(); break;
    case 4: commands_.changeOption(); break;
    case 5: commands_.newGame(); break;
    default: tick(); break;
    }
    hand_.travel(hand_.x() + random_.between(-40, 40), hand_.y() + random_.between(-40, 40),
                 random_.between(1, 3));
    hand_.releaseButtons();
}

void Gestures::oddPresses() {
    int x, y;
    switch (random_.below(4)) {
    case 0:  // a left press on the bare board
        if (hand_.emptyPoint(x, y)) hand_.travel(x, y, 1);
        hand_.leftPress(false);
        hand_.leftRelease();
        break;
    case 1:  // both buttons at once on a card
        if (int id; hand_.someVisibleCard(id, x, y)) hand_.travel(x, y, 1);
        hand_.leftPress(random_.percent(30));
        hand_.rightPress();
        hand_.travel(hand_.x() + random_.between(-80, 80), hand_.y() + random_.between(-80, 80), 2);
        if (random_.percent(50)) {
            hand_.leftRelease();
            hand_.rightRelease();
        } else {
            hand_.rightRelease();
            hand_.leftRelease();
        }
        break;
    case 2:  // a right press while a group is carried
        if (int id; hand_.someVisibleCard(id, x, y)) hand_.travel(x, y, 1);
        hand_.leftPress(false);
        hand_.travel(hand_.x() + 30, hand_.y() + 20, 1);
        hand_.rightPress();
        hand_.rightRelease();
        hand_.leftRelease();
        break;
    default:  // a press with Shift on a spent card or anywhere
        hand_.travel(random_.below(hand_.width()), random_.below(hand_.height()), 1);
        hand_.leftPress(true);
        hand_.rightPress();
        hand_.rightRelease();
        hand_.leftRelease();
        break;
    }
}

}  // namespace fusefuda::stress
