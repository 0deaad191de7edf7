// The one record of the whole run. Plain data only: every subsystem reads and
// writes these fields directly, and a test builds a fresh instance.
#pragma once

#include <cstdint>
#include <string>

namespace fusefuda {

constexpr int kColumns = 13;
constexpr int kRows = 4;
constexpr int kCards = 52;
constexpr int kSlots = 10;        // score popups, sparkles
constexpr int kUndoPlaces = 6;    // place 0 newest; undoDepth reaches 5
constexpr int kMaxUndoDepth = 5;
constexpr int kHighScores = 5;
constexpr int kNoCard = 99;       // hoverCard / hoverCardShown when nothing is hovered
constexpr int kNoRank = 10;       // nameEntryRank when no insertion is pending

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

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const Rect &) const = default;
};

struct ScorePopup {
    int32_t x = 0;  // window coordinates
    int32_t y = 0;
    int32_t visible = 0;
    int32_t valueIndex = 0;
    int32_t age = 0;
    int32_t active = 0;
};

struct Sparkle {
    int32_t x = 0;  // board coordinates
    int32_t y = 0;
    int32_t active = 0;
    int32_t frame = 0;
    int32_t age = 0;
    int32_t stepping = 0;
};

struct UndoSnapshot {
    int32_t score = 0;
    int32_t slotCard[kColumns][kRows] = {};
    Rect cardRect[kColumns][kRows] = {};
    int32_t slotPresent[kColumns][kRows] = {};
    int32_t stackLevel[kColumns][kRows] = {};
    int32_t touchCount[kColumns][kRows] = {};
    int32_t faceUp[kColumns][kRows] = {};
    int32_t groupMembers[kCards][kColumns][kRows] = {};
    int32_t stackColumn[kCards] = {};
    int32_t stackRow[kCards] = {};
};

// pressMode values
constexpr int32_t kPressNone = 0;
constexpr int32_t kPressRaise = 1;
constexpr int32_t kPressPeek = 2;

struct GameState {
    // --- game (board model) ---
    int32_t level = 0;  // 3 beginner, 2 intermediate, 1 advanced; 0 before the first game
    int32_t gameStarted = 0;
    int32_t gameOver = 0;
    int32_t dealPending = 0;
    Rect cardRect[kColumns][kRows] = {};
    int32_t stackLevel[kColumns][kRows] = {};
    int32_t stackColumn[kCards] = {};
    int32_t stackRow[kCards] = {};
    int32_t faceUp[kColumns][kRows] = {};
    int32_t touchCount[kColumns][kRows] = {};
    // [id][c][r]; only [0..51][0..12][0..3] takes part in play
    int32_t groupMembers[kCards][kColumns + 1][kRows + 1] = {};
    int32_t slotCard[kColumns][kRows] = {};
    int32_t slotPresent[kColumns][kRows] = {};
    int32_t score = 0;
    int32_t touchCost[3] = {};
    int32_t neighbourDx[4] = {};
    int32_t neighbourDy[4] = {};
    int32_t finalScore = 0;

    // --- the one random generator ---
    uint32_t randomState = 1;

    // --- input ---
    int32_t dragging = 0;
    uint8_t dragMoved = 0;
    int32_t dragColumn = 0;
    int32_t dragRow = 0;
    int32_t grabOffsetX = 0;
    int32_t grabOffsetY = 0;
    int32_t dragLeft = 0;
    int32_t dragTop = 0;
    int32_t pressMode = kPressNone;
    int32_t pressColumn = 0;
    int32_t pressRow = 0;
    int32_t panning = 0;
    int32_t panLastX = 0;
    int32_t panLastY = 0;

    // --- undo store ---
    int32_t undoDepth = 0;
    UndoSnapshot undo[kUndoPlaces] = {};

    // --- hover ---
    int32_t hoverCard = 0;
    int32_t hoverColumn = 0;
    int32_t hoverRow = 0;
    int32_t hoverCardShown = 0;
    int32_t prevHoverColumn = 0;
    int32_t prevHoverRow = 0;

    // --- view and timer phases ---
    int32_t viewX = 0;
    int32_t viewY = 0;
    int32_t popupPhase = 0;
    int32_t popupPhaseSeen = 0;
    int32_t sparklePhase = 0;
    int32_t sparklePhaseSeen = 0;

    // --- overlay tables ---
    ScorePopup popups[kSlots] = {};
    Sparkle sparkles[kSlots] = {};

    // --- settings (stored in the settings file) ---
    int32_t highScores[kHighScores] = {};
    std::string highScoreNames[kHighScores];  // code page 932 bytes
    int32_t backgroundPattern = 1;
    int32_t cardPattern = 1;
    int32_t guideOn = 1;
    int32_t soundOn = 1;
    int32_t bgmOn = 1;
    int32_t scoreDisplayOn = 0;
    int32_t animationOn = 0;
    int32_t aboutShown = 0;

    // --- run-only options ---
    int32_t peekModeOn = 0;

    // --- high scores ---
    int32_t nameEntryRank = kNoRank;
};

struct ColumnRange {
    int first;
    int last;  // inclusive; last < first when no card is in play
};

// Columns in play at a level: 4..8 at 3, 2..10 at 2, 0..12 at 1; none for any
// other value (before the first game).
inline ColumnRange columnsInPlay(int level) {
    if (level < 1 || level > 3) return {0, -1};
    return {2 * level - 2, (3 - level) * 2 + 8};
}
inline int cardId(int c, int r) { return c + kColumns * r; }
inline int cardColumn(int id) { return id % kColumns; }
inline int cardRow(int id) { return id / kColumns; }
inline bool inPlay(const GameState &g, int c, int r) {
    const ColumnRange cols = columnsInPlay(g.level);
    return c >= cols.first && c <= cols.last && r >= 0 && r < kRows;
}
// Whether card (c, r) belongs to card id's group.
inline bool isMember(const GameState &g, int id, int c, int r) {
    return g.groupMembers[id][c][r] == 1;
}

}  // namespace fusefuda
