#include "invariants.h"

#include <cstdint>
#include <cstring>
#include <sstream>

#include "game/zoom.h"

namespace fusefuda::stress {

namespace {

bool playing(const GameState &g, int c, int r) {
    const ColumnRange cols = columnsInPlay(g.level);
    return c >= cols.first && c <= cols.last && r >= 0 && r < kRows;
}

// What a card is worth to the final score by its touch count.
int worth(int touches) { return touches == 0 ? 100 : touches == 1 ? 50 : touches == 2 ? 20 : 0; }

// A held peek has been charged but not yet counted.
bool peekHeldOn(const GameState &g, int c, int r) {
    return g.gesture.pressMode == kPressPeek && g.gesture.pressColumn == c &&
           g.gesture.pressRow == r;
}

uint64_t membersOf(const GameState &g, int id) {
    uint64_t mask = 0;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (g.board.groupMembers[id][c][r] == 1) mask |= uint64_t(1) << cardId(c, r);
    return mask;
}

template <typename... Parts>
std::string say(const Parts &...parts) {
    std::ostringstream out;
    (out << ... << parts);
    return out.str();
}

std::string cardName(int c, int r) { return say("card (", c, ", ", r, ")"); }

std::string checkStacking(const GameState &g) {
    for (int n = 0; n < kCards; ++n)
        if (g.board.stackColumn[n] < 0 || g.board.stackColumn[n] >= kColumns ||
            g.board.stackRow[n] < 0 || g.board.stackRow[n] >= kRows)
            return say("stacking position ", n, " names no card");
    // Each card's level pointing back at the card makes the map one to one,
    // so the 52 cards cover the 52 levels.
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const int n = g.board.stackLevel[c][r];
            if (n < 0 || n >= kCards) return say(cardName(c, r), " has stacking level ", n);
            if (g.board.stackColumn[n] != c || g.board.stackRow[n] != r)
                return say(cardName(c, r), " at level ", n, " but the level holds card (",
                           g.board.stackColumn[n], ", ", g.board.stackRow[n], ")");
        }
    return {};
}

// Cell sizes, touch counts and what lies outside the level: what the game
// relies on to index and draw, which a loaded file must also meet.
std::string checkCards(const GameState &g) {
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            const Rect &rect = g.board.cardRect[c][r];
            const int t = g.board.touchCount[c][r];
            if (!playing(g, c, r)) {
                if (!(rect == Rect{}) || t != 0 || g.board.faceUp[c][r] != 0 ||
                    membersOf(g, id) != (uint64_t(1) << id))
                    return say(cardName(c, r), " outside the level is no longer as dealt");
                continue;
            }
            if (rect.right != rect.left + kPitchX || rect.bottom != rect.top + kPitchY)
                return say(cardName(c, r), " has a cell of ", rect.right - rect.left, " x ",
                           rect.bottom - rect.top);
            if (t < 0 || t > 4) return say(cardName(c, r), " has touch count ", t);
            if (t >= 3 && g.board.faceUp[c][r] != 1)
                return say(cardName(c, r), " settled face down");
        }
    }
    return {};
}

// What play itself keeps: faces down but for a held peek, the score worth the
// touch counts, the slot entries as dealt.
std::string checkFacesAndScore(const GameState &g) {
    int32_t expectedScore = 0;
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (g.board.slotCard[c][r] != cardId(c, r) || g.board.slotPresent[c][r] != 1)
                return say(cardName(c, r), " lost its slot entries");
            if (c < cols.first || c > cols.last) continue;
            const int t = g.board.touchCount[c][r];
            const bool peeked = peekHeldOn(g, c, r);
            if (t < 3 && g.board.faceUp[c][r] != (peeked ? 1 : 0))
                return say(cardName(c, r), " face up ", g.board.faceUp[c][r], " at touch count ", t,
                           peeked ? " while peeked at" : " with no peek held");
            expectedScore += worth(peeked && t < 3 ? t + 1 : t);
        }
    }
    if (g.board.score != expectedScore)
        return say("score ", g.board.score, " but the touch counts are worth ", expectedScore);
    return {};
}

bool allJoined(const GameState &g);

std::string checkGroups(const GameState &g) {
    uint64_t rows[kCards] = {};
    for (int id = 0; id < kCards; ++id) rows[id] = membersOf(g, id);
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            if ((rows[id] >> id & 1) == 0) return say(cardName(c, r), " is not in its own group");
            const Rect &at = g.board.cardRect[c][r];
            for (int other = 0; other < kCards; ++other) {
                if ((rows[id] >> other & 1) == 0) continue;
                const int oc = cardColumn(other), orow = cardRow(other);
                if (!playing(g, oc, orow))
                    return say(cardName(c, r), " is grouped with ", cardName(oc, orow),
                               " outside the level");
                // Equal rows make membership symmetric as well.
                if (rows[other] != rows[id])
                    return say("the group rows of ", cardName(c, r), " and ",
                               cardName(oc, orow), " differ");
                const Rect &o = g.board.cardRect[oc][orow];
                if (o.left - at.left != kPitchX * (oc - c) || o.top - at.top != kPitchY * (orow - r))
                    return say(cardName(oc, orow), " is off the group pitch of ", cardName(c, r));
            }
        }
    }
    if (g.gameOver == 1 && !allJoined(g)) return "a won board is not one group with the sevens";
    return {};
}

bool allJoined(const GameState &g) {
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (g.board.groupMembers[cardId(6, 0)][c][r] != 1) return false;
    return true;
}

}  // namespace

std::string firstDifference(const Board &want, const Board &got) {
    if (want.score != got.score) return say("score ", got.score, " instead of ", want.score);
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const std::string card = cardName(c, r);
            if (!(want.cardRect[c][r] == got.cardRect[c][r])) return card + ": rectangle";
            if (want.stackLevel[c][r] != got.stackLevel[c][r]) return card + ": stacking level";
            if (want.touchCount[c][r] != got.touchCount[c][r])
                return say(card, ": touch count ", got.touchCount[c][r], " instead of ",
                           want.touchCount[c][r]);
            if (want.faceUp[c][r] != got.faceUp[c][r]) return card + ": face up";
            if (want.slotCard[c][r] != got.slotCard[c][r] ||
                want.slotPresent[c][r] != got.slotPresent[c][r])
                return card + ": slot entries";
        }
    if (std::memcmp(want.groupMembers, got.groupMembers, sizeof want.groupMembers) != 0)
        return "group membership";
    if (std::memcmp(want.stackColumn, got.stackColumn, sizeof want.stackColumn) != 0 ||
        std::memcmp(want.stackRow, got.stackRow, sizeof want.stackRow) != 0)
        return "stacking lists";
    return {};
}

std::string brokenStructure(const GameState &g) {
    if (g.gameStarted != 1 || !isPlayable(g.level)) return "no game is being played";
    for (auto check : {checkStacking, checkCards, checkGroups}) {
        std::string broken = check(g);
        if (!broken.empty()) return broken;
    }
    return {};
}

std::string brokenInvariant(const GameState &g) {
    std::string broken = brokenStructure(g);
    if (broken.empty()) broken = checkFacesAndScore(g);
    for (int r = 0; r < kRows && broken.empty(); ++r)
        if (g.board.groupMembers[cardId(6, 0)][6][r] != 1) broken = "the sevens are not one group";
    if (broken.empty() && g.gameOver == 0 && allJoined(g))
        broken = "every card is joined but the game is not won";
    if (broken.empty() && g.keyFocus.carrying && !g.gesture.dragging)
        broken = "a key carry with no group in hand";
    if (broken.empty() && g.keyFocus.peeking && g.gesture.pressMode == kPressNone)
        broken = "a key peek with nothing held";
    return broken;
}

std::string brokenZoom(const GameState &g, int windowWidth, int windowHeight) {
    if (g.zoom < fitZoom(windowWidth, windowHeight) || g.zoom > kZoomMax)
        return say("zoom ", g.zoom, " outside fit to ", kZoomMax);
    if (g.clientWidth != clientExtent(windowWidth, g.zoom) ||
        g.clientHeight != clientExtent(windowHeight, g.zoom))
        return say("client area ", g.clientWidth, " x ", g.clientHeight, " at zoom ", g.zoom);
    if (g.viewX < 0 || g.viewX > viewXMax(g) || g.viewY < 0 || g.viewY > viewYMax(g))
        return say("view (", g.viewX, ", ", g.viewY, ") beyond its limits (", viewXMax(g), ", ",
                   viewYMax(g), ") at zoom ", g.zoom);
    // A group carried near an edge may take other members past it, as ever;
    // the finished grid lies whole where the window can reach it.
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; g.gameOver && c <= cols.last; ++c)
        for (int r = 0; r < kRows; ++r)
            if (std::string off = offReachableBoard(g, c, r); !off.empty()) return off;
    return {};
}

std::string offReachableBoard(const GameState &g, int c, int r) {
    const BoardPoint reach = reachableBoard(g);
    const Rect &at = g.board.cardRect[c][r];
    if (at.left >= 0 && at.top >= 0 && at.left + kCardWidth <= reach.x &&
        at.top + kCardHeight <= reach.y)
        return {};
    return say(cardName(c, r), " at (", at.left, ", ", at.top, ") beyond the reachable board ",
               reach.x, " x ", reach.y, " at zoom ", g.zoom);
}

}  // namespace fusefuda::stress
