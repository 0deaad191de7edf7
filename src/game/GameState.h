// The one record of the whole run, made of sub-records that say what they
// hold. Plain data only: every subsystem reads and writes these fields
// directly, and a test builds a fresh instance.
#pragma once

#include <cstdint>
#include <string>

#include "game/level.h"
#include "game/statistics.h"

namespace fusefuda {

constexpr int kColumns = 13;
constexpr int kRows = 4;
constexpr int kCards = 52;
constexpr int kSlots = 10;        // score popups, sparkles
constexpr int kMaxUndoDepth = 5;  // place 0 newest
constexpr int kHighScores = 5;
constexpr int kNoCard = -1;       // a card id that names none: nothing hovered, hit, found
constexpr int kNoRank = 10;       // nameEntryRank when no insertion is pending

// The background the board lies on, as the settings file numbers it: the
// menu's three patterns and the see-through one. A file may hold another
// number; it is kept as read, and the board shows the first pattern.
enum Background : int32_t {
    kBackgroundPattern1 = 1,
    kBackgroundPattern2 = 2,
    kBackgroundPattern3 = 3,
    kSeeThroughBackground = 4,
};
// The card backs' design, numbered as the background is.
enum CardBacks : int32_t { kCardBacks1 = 1, kCardBacks2 = 2 };

constexpr int kSevensColumn = 6;  // the four sevens start face up, joined, in this column
// Touch counts: below kSettled a card lies face down between peeks; at
// kSettled it is face up for good, at kSpent it can no longer be picked up.
constexpr int kSettled = 3;
constexpr int kSpent = 4;

constexpr int kBoardWidth = 3000;
constexpr int kBoardHeight = 1600;
constexpr int kCardWidth = 64;    // a card's picture
constexpr int kCardHeight = 102;
constexpr int kPitchX = 63;       // a card's cell, and the pitch inside a group
constexpr int kPitchY = 101;
constexpr int kViewXMax = 986;
constexpr int kViewYMax = 840;
constexpr int kStartViewX = 481;
constexpr int kStartViewY = 427;

// What a card's first, second and third touch cost.
constexpr int kTouchCost[3] = {-50, -30, -20};
// The four neighbours of a grid place: above, right, below, left.
constexpr int kNeighbourDx[4] = {0, 1, 0, -1};
constexpr int kNeighbourDy[4] = {-1, 0, 1, 0};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect &) const = default;
};

struct BoardPoint {
    int x = 0;
    int y = 0;
    bool operator==(const BoardPoint &) const = default;
};

// What an undo snapshot and a play file hold: places, stacking, faces, touch
// counts, groups and the score. Copies are assignments.
struct Board {
    int score = 0;
    int slotCard[kColumns][kRows] = {};
    Rect cardRect[kColumns][kRows] = {};
    bool slotPresent[kColumns][kRows] = {};
    int stackLevel[kColumns][kRows] = {};  // 0 bottom .. 51 top
    int touchCount[kColumns][kRows] = {};
    bool faceUp[kColumns][kRows] = {};
    // [id][c][r]: whether card (c, r) is in card id's group
    bool groupMembers[kCards][kColumns][kRows] = {};
    int stackColumn[kCards] = {};  // the card at each stacking level
    int stackRow[kCards] = {};
    bool operator==(const Board &) const = default;
};

enum PressMode : int {
    kPressNone,
    kPressRaise,  // a press that only brings a group to the front, until its release
    kPressPeek,   // a card looked at while the right button is held
};

// The gesture in hand: a carried group, a held press, the view pull.
struct Gesture {
    bool dragging = false;
    bool dragMoved = false;
    int dragColumn = 0;
    int dragRow = 0;
    int grabOffsetX = 0;
    int grabOffsetY = 0;
    int dragLeft = 0;
    int dragTop = 0;
    PressMode pressMode = kPressNone;
    int pressColumn = 0;
    int pressRow = 0;
    bool panning = false;
    int panLastX = 0;
    int panLastY = 0;
    bool operator==(const Gesture &) const = default;
};

// The card the keyboard is on, and what the keys hold. A key carry or peek
// uses the mouse's own operations.
struct KeyFocus {
    bool shown = false;  // after the first key, so a mouse player never sees it
    int column = kSevensColumn;
    int row = 0;
    bool carrying = false;  // the group in hand was lifted by a key
    bool peeking = false;   // a peek or raise held by a key
    int liftLeft = 0;       // where the carried card lay when lifted
    int liftTop = 0;
    int deadEnds = 0;       // arrows in a row that found no card that way
    bool operator==(const KeyFocus &) const = default;
};

struct UndoStore {
    int undoDepth = 0;
    Board undo[kMaxUndoDepth] = {};
    bool operator==(const UndoStore &) const = default;
};

// The card under the pointer, and the one it was under at the move before:
// when they differ, the pointer has left a card.
struct Hover {
    int hoverCard = 0;
    int hoverCardShown = 0;
    bool operator==(const Hover &) const = default;
};

// The two timers flip a phase; the idle step acts when it differs from the
// one it last saw.
struct TimerPhases {
    int popupPhase = 0;
    int popupPhaseSeen = 0;
    int sparklePhase = 0;
    int sparklePhaseSeen = 0;
    bool operator==(const TimerPhases &) const = default;
};

struct ScorePopup {
    int x = 0;  // window coordinates
    int y = 0;
    int valueIndex = 0;
    int age = 0;
    bool active = false;
    bool operator==(const ScorePopup &) const = default;
};

struct Sparkle {
    int x = 0;  // board coordinates
    int y = 0;
    bool active = false;
    int frame = 0;
    int age = 0;
    bool stepping = false;
    bool operator==(const Sparkle &) const = default;
};

struct Overlays {
    ScorePopup popups[kSlots] = {};
    Sparkle sparkles[kSlots] = {};
    bool operator==(const Overlays &) const = default;
};

struct GameState {
    // --- the game under way ---
    Level level = Level::None;
    bool gameStarted = false;
    bool gameOver = false;
    bool dealPending = false;
    Board board;
    int finalScore = 0;
    // The deal's number: the seed it was dealt from. A game taken from a play
    // file has none.
    bool dealNumbered = false;
    uint32_t dealNumber = 0;

    // --- the one random generator ---
    uint32_t randomState = 1;

    Gesture gesture;
    KeyFocus keyFocus;
    UndoStore undoStore;
    Hover hover;

    // --- the view over the board, and the timer phases ---
    int viewX = 0;
    int viewY = 0;
    // The window's client area in board pixels; the window keeps it.
    int clientWidth = 0;
    int clientHeight = 0;
    // Window pixels a board pixel (game/zoom.h); the settings keep it.
    double zoom = 1.0;
    // The client area in window pixels, as the zoom last met it; unset, the
    // client area at 100 %.
    int windowWidth = 0;
    int windowHeight = 0;
    TimerPhases phases;

    Overlays overlays;

    // --- options and high scores; the settings file keeps them ---
    int32_t highScores[kHighScores] = {};
    std::string highScoreNames[kHighScores];  // code page 932 bytes
    Background backgroundPattern = kBackgroundPattern1;
    CardBacks cardPattern = kCardBacks1;
    bool guideOn = true;
    bool soundOn = true;
    bool bgmOn = true;
    bool scoreDisplayOn = false;
    bool animationOn = false;
    bool aboutShown = false;
    bool fourColourOn = false;  // clubs green, diamonds blue
    // Kept in sections of their own: the game in progress kept for the next
    // start, and the player's record.
    bool resumeOn = true;
    bool fullScreenOn = false;
    Statistics statistics;

    // --- run-only options ---
    bool peekModeOn = false;

    // --- high scores ---
    int nameEntryRank = kNoRank;

    bool operator==(const GameState &) const = default;
};

inline int cardId(int c, int r) { return c + kColumns * r; }
inline int cardColumn(int id) { return id % kColumns; }
inline int cardRow(int id) { return id / kColumns; }
inline bool inPlay(const GameState &g, int c, int r) {
    const ColumnRange cols = columnsInPlay(g.level);
    return c >= cols.first && c <= cols.last && r >= 0 && r < kRows;
}
// Whether card (c, r) belongs to card id's group.
inline bool isMember(const GameState &g, int id, int c, int r) {
    return g.board.groupMembers[id][c][r];
}

// What the end of a peek does to card (c, r): one touch more; face down
// again below kSettled, else settled for good (a settled card looked at
// again stays settled).
inline void finishPeekOn(Board &b, int c, int r) {
    const int touches = b.touchCount[c][r] + 1;
    b.touchCount[c][r] = touches < kSettled ? touches : kSettled;
    b.faceUp[c][r] = touches >= kSettled;
}

// The board as an undo snapshot and a play file keep it: a held peek counts
// as finished. Its cost is already in the score, so the card counts the
// touch, and a card that is only being looked at is not face up for good.
inline Board boardAsKept(const GameState &g) {
    Board b = g.board;
    const int c = g.gesture.pressColumn, r = g.gesture.pressRow;
    if (g.gesture.pressMode == kPressPeek && c >= 0 && c < kColumns && r >= 0 && r < kRows)
        finishPeekOn(b, c, r);
    return b;
}

}  // namespace fusefuda
