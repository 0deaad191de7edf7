#include "playfile/codec.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace fusefuda {

namespace {

constexpr int kCardSlots = 5;

// A card is only ever put down with the pointer inside the window, and no
// screen reaches this far; the bound keeps nonsense out without refusing a
// board that a very large window could have shown.
constexpr int32_t kFarthest = 40000;

std::size_t placeIndex(int c, int r) { return std::size_t(kColumns * r + c); }

// A flag as stored: false, and the flag untouched, for a value other than 0
// or 1.
bool readFlag(int32_t value, bool &flag) {
    if (value != 0 && value != 1) return false;
    flag = value == 1;
    return true;
}

bool sameRow(const PlayFileRecord &rec, int a, int b) {
    return std::memcmp(rec.board.groupMembers[a], rec.board.groupMembers[b],
                       sizeof rec.board.groupMembers[a]) == 0;
}

bool rowIsEmpty(const PlayFileRecord &rec, int a) {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (rec.board.groupMembers[a][c][r]) return false;
    return true;
}

bool inPlayAt(int level, int c) {
    const ColumnRange cols = columnsInPlay(levelFromNumber(level));
    return c >= cols.first && c <= cols.last;
}

// What the signed triple can hold: the magnitude of value + 1000 is a digit pair.
bool fitsTriple(int32_t v) { return v >= -kDigitPairMax - 1000 && v <= kDigitPairMax - 1000; }

// No file this program wrote reads back to a number that its form cannot
// write; such a number was made or damaged by something else. Bytes are not
// checked one by one: the reading rule turns any of them into a number.
PlayFileFault checkForms(const PlayFileRecord &rec) {
    if (rec.board.score > kDigitPairMax) return PlayFileFault::Form;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (rec.board.slotCard[c][r] > kDigitPairMax) return PlayFileFault::Form;
            const Rect &rect = rec.board.cardRect[c][r];
            if (!fitsTriple(rect.left) || !fitsTriple(rect.top) || !fitsTriple(rect.right) ||
                !fitsTriple(rect.bottom))
                return PlayFileFault::Form;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkHeader(const PlayFileRecord &rec) {
    if (rec.gameStarted) {
        if (levelFromNumber(rec.level) == Level::None) return PlayFileFault::Header;
    } else if (rec.level != 0 || rec.gameOver) {
        // Before the first game nothing sets a level or wins.
        return PlayFileFault::Header;
    }
    // scoreDisplayOn and score are taken as they come: the option counts as
    // on only when 1, and nothing is indexed by the score.
    return PlayFileFault::None;
}

PlayFileFault checkRanges(const PlayFileRecord &rec) {
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (rec.board.touchCount[c][r] < 0 || rec.board.touchCount[c][r] > 4)
                return PlayFileFault::TouchCount;
            if (rec.board.stackLevel[c][r] < 0 || rec.board.stackLevel[c][r] >= kCards)
                return PlayFileFault::Stacking;
        }
    }
    for (int n = 0; n < kCards; ++n) {
        if (rec.board.stackColumn[n] < 0 || rec.board.stackColumn[n] >= kColumns)
            return PlayFileFault::Stacking;
        if (rec.board.stackRow[n] < 0 || rec.board.stackRow[n] >= kRows)
            return PlayFileFault::Stacking;
    }
    return PlayFileFault::None;
}

PlayFileFault checkStacking(const PlayFileRecord &rec) {
    // Before the first game the stacking tables are still all zero, which is
    // no permutation; the game never reads them as one until a deal.
    if (!rec.gameStarted) return PlayFileFault::None;
    // Each card's level pointing back at that card makes the map one to one,
    // and 52 cards on 52 levels then cover every level.
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int n = rec.board.stackLevel[c][r];
            if (rec.board.stackColumn[n] != c || rec.board.stackRow[n] != r)
                return PlayFileFault::Stacking;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkFaces(const PlayFileRecord &rec) {
    int peeked = 0;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            // A settled or spent card is face up for good; face down it
            // would have no back to show.
            if (!rec.board.faceUp[c][r] && rec.board.touchCount[c][r] >= kSettled)
                return PlayFileFault::Face;
            // A face-down card shows its face only while it is peeked at,
            // and only one card can be.
            if (rec.board.faceUp[c][r] && rec.board.touchCount[c][r] < kSettled) ++peeked;
        }
    }
    return peeked > 1 ? PlayFileFault::Face : PlayFileFault::None;
}

PlayFileFault checkMembership(const PlayFileRecord &rec) {
    for (int a = 0; a < kCards; ++a) {
        if (rowIsEmpty(rec, a)) continue;  // nothing dealt yet
        if (!rec.board.groupMembers[a][cardColumn(a)][cardRow(a)]) return PlayFileFault::Group;
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                if (rec.board.groupMembers[a][c][r] && !sameRow(rec, a, cardId(c, r)))
                    return PlayFileFault::Group;
    }
    return PlayFileFault::None;
}

PlayFileFault checkOutsideLevel(const PlayFileRecord &rec) {
    if (!rec.gameStarted) return PlayFileFault::None;
    for (int c = 0; c < kColumns; ++c) {
        if (inPlayAt(rec.level, c)) continue;
        for (int r = 0; r < kRows; ++r) {
            if (rec.board.touchCount[c][r] != 0 || rec.board.faceUp[c][r] ||
                !(rec.board.cardRect[c][r] == Rect{}))
                return PlayFileFault::OutsideLevel;
            const int id = cardId(c, r);
            for (int j = 0; j < kColumns; ++j)
                for (int k = 0; k < kRows; ++k)
                    if (rec.board.groupMembers[id][j][k] != (cardId(j, k) == id))
                        return PlayFileFault::OutsideLevel;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkRectangles(const PlayFileRecord &rec) {
    if (!rec.gameStarted) return PlayFileFault::None;
    const ColumnRange cols = columnsInPlay(levelFromNumber(rec.level));
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const Rect &rect = rec.board.cardRect[c][r];
            if (std::abs(rect.left) > kFarthest || std::abs(rect.top) > kFarthest)
                return PlayFileFault::Rectangle;
            if (rect.right != rect.left + kPitchX || rect.bottom != rect.top + kPitchY)
                return PlayFileFault::Rectangle;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkGroupsInPlay(const PlayFileRecord &rec) {
    if (!rec.gameStarted) return PlayFileFault::None;
    const ColumnRange cols = columnsInPlay(levelFromNumber(rec.level));
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            if (!rec.board.groupMembers[id][c][r]) return PlayFileFault::Group;
            const Rect &at = rec.board.cardRect[c][r];
            for (int j = cols.first; j <= cols.last; ++j) {
                for (int k = 0; k < kRows; ++k) {
                    if (!rec.board.groupMembers[id][j][k]) continue;
                    const Rect &member = rec.board.cardRect[j][k];
                    if (member.left - at.left != kPitchX * (j - c) ||
                        member.top - at.top != kPitchY * (k - r))
                        return PlayFileFault::Group;
                }
            }
        }
    }
    if (rec.gameOver) {
        const int seven = cardId(kSevensColumn, 0);
        for (int c = cols.first; c <= cols.last; ++c)
            for (int r = 0; r < kRows; ++r)
                if (!rec.board.groupMembers[seven][c][r]) return PlayFileFault::Unfinished;
    }
    return PlayFileFault::None;
}

}  // namespace

void putFlagByte(uint8_t *at, int32_t value) { at[0] = uint8_t(uint32_t(value) & 0xFFu); }

int32_t getFlagByte(const uint8_t *at) { return at[0]; }

void putDigitPair(uint8_t *at, int32_t value) {
    const int32_t v = std::clamp(value, 0, kDigitPairMax);
    at[0] = uint8_t(v % 255);
    at[1] = uint8_t(v / 255);
}

int32_t getDigitPair(const uint8_t *at) { return int32_t(at[0]) + 255 * int32_t(at[1]); }

void putSignedTriple(uint8_t *at, int32_t value) {
    const int64_t w = int64_t(value) + 1000;
    at[0] = w >= 0 ? 2 : 0;
    const int64_t magnitude = std::min<int64_t>(w >= 0 ? w : -w, kDigitPairMax);
    putDigitPair(at + 1, int32_t(magnitude));
}

int32_t getSignedTriple(const uint8_t *at) {
    // Any sign byte is read by the same rule; at most 254 x 65,280, so no
    // overflow.
    return (int32_t(at[0]) - 1) * getDigitPair(at + 1) - 1000;
}

PlayFileRecord captureRecord(const GameState &g) {
    PlayFileRecord rec;
    rec.gameStarted = g.gameStarted;
    rec.level = levelNumber(g.level);
    rec.gameOver = g.gameOver;
    rec.scoreDisplayOn = g.scoreDisplayOn ? 1 : 0;
    // A save chosen from the keyboard while a peek is held keeps the board as
    // an undo snapshot does: loaded, the game's score then still matches its
    // cards.
    rec.board = boardAsKept(g);
    return rec;
}

std::vector<uint8_t> encodePlayFile(const PlayFileRecord &rec) {
    std::vector<uint8_t> image(kPlayFileSize, 0);
    uint8_t *header = image.data() + kHeaderOffset;
    putFlagByte(header + 0 * kSlotSize, rec.gameStarted);
    putFlagByte(header + 1 * kSlotSize, rec.level);
    putFlagByte(header + 2 * kSlotSize, rec.gameOver);
    putFlagByte(header + 3 * kSlotSize, rec.scoreDisplayOn);
    putDigitPair(header + 4 * kSlotSize, rec.board.score);

    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            uint8_t *entry = image.data() + kCardBlockOffset + kCardEntrySize * placeIndex(c, r);
            const int32_t fields[kCardSlots] = {
                rec.board.slotCard[c][r], rec.board.slotPresent[c][r], rec.board.stackLevel[c][r],
                rec.board.faceUp[c][r], rec.board.touchCount[c][r]};
            for (int s = 0; s < kCardSlots; ++s) putDigitPair(entry + kSlotSize * s, fields[s]);

            uint8_t *corners = image.data() + kRectBlockOffset + kRectEntrySize * placeIndex(c, r);
            const Rect &rect = rec.board.cardRect[c][r];
            putSignedTriple(corners + 0 * kSlotSize, rect.left);
            putSignedTriple(corners + 1 * kSlotSize, rect.top);
            putSignedTriple(corners + 2 * kSlotSize, rect.right);
            putSignedTriple(corners + 3 * kSlotSize, rect.bottom);
        }
    }

    for (int id = 0; id < kCards; ++id) {
        uint8_t *members = image.data() + kGroupBlockOffset + kGroupRecordSize * std::size_t(id);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c)
                putFlagByte(members + placeIndex(c, r), rec.board.groupMembers[id][c][r]);
    }

    for (int n = 0; n < kCards; ++n) {
        putFlagByte(image.data() + kColumnListOffset + n, rec.board.stackColumn[n]);
        putFlagByte(image.data() + kRowListOffset + n, rec.board.stackRow[n]);
    }
    return image;
}

PlayFileFault decodePlayFile(std::span<const uint8_t> image, PlayFileRecord &rec) {
    if (image.size() < kPlayFileSize) return PlayFileFault::Short;
    const uint8_t *header = image.data() + kHeaderOffset;
    if (!readFlag(getFlagByte(header + 0 * kSlotSize), rec.gameStarted) ||
        !readFlag(getFlagByte(header + 2 * kSlotSize), rec.gameOver))
        return PlayFileFault::Header;
    rec.level = getFlagByte(header + 1 * kSlotSize);
    rec.scoreDisplayOn = getFlagByte(header + 3 * kSlotSize);
    rec.board.score = getDigitPair(header + 4 * kSlotSize);

    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const uint8_t *entry =
                image.data() + kCardBlockOffset + kCardEntrySize * placeIndex(c, r);
            rec.board.slotCard[c][r] = getDigitPair(entry + 0 * kSlotSize);
            if (!readFlag(getDigitPair(entry + 1 * kSlotSize), rec.board.slotPresent[c][r]) ||
                !readFlag(getDigitPair(entry + 3 * kSlotSize), rec.board.faceUp[c][r]))
                return PlayFileFault::Flag;
            rec.board.stackLevel[c][r] = getDigitPair(entry + 2 * kSlotSize);
            rec.board.touchCount[c][r] = getDigitPair(entry + 4 * kSlotSize);

            const uint8_t *corners =
                image.data() + kRectBlockOffset + kRectEntrySize * placeIndex(c, r);
            Rect &rect = rec.board.cardRect[c][r];
            rect.left = getSignedTriple(corners + 0 * kSlotSize);
            rect.top = getSignedTriple(corners + 1 * kSlotSize);
            rect.right = getSignedTriple(corners + 2 * kSlotSize);
            rect.bottom = getSignedTriple(corners + 3 * kSlotSize);
        }
    }

    for (int id = 0; id < kCards; ++id) {
        const uint8_t *members =
            image.data() + kGroupBlockOffset + kGroupRecordSize * std::size_t(id);
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kColumns; ++c)
                if (!readFlag(getFlagByte(members + placeIndex(c, r)),
                              rec.board.groupMembers[id][c][r]))
                    return PlayFileFault::Flag;
    }

    for (int n = 0; n < kCards; ++n) {
        rec.board.stackColumn[n] = getFlagByte(image.data() + kColumnListOffset + n);
        rec.board.stackRow[n] = getFlagByte(image.data() + kRowListOffset + n);
    }
    return PlayFileFault::None;
}

PlayFileFault findFault(const PlayFileRecord &rec) {
    using Check = PlayFileFault (*)(const PlayFileRecord &);
    // Ranges come first: the later checks index tables by the values.
    const Check checks[] = {checkForms,        checkHeader,     checkRanges,
                            checkStacking,     checkFaces,      checkMembership,
                            checkOutsideLevel, checkRectangles, checkGroupsInPlay};
    for (Check check : checks) {
        const PlayFileFault fault = check(rec);
        if (fault != PlayFileFault::None) return fault;
    }
    return PlayFileFault::None;
}

void storeRecord(GameState &g, const PlayFileRecord &rec) {
    g.gameStarted = rec.gameStarted;
    g.level = levelFromNumber(rec.level);
    g.gameOver = rec.gameOver;
    g.scoreDisplayOn = rec.scoreDisplayOn == 1;
    g.board = rec.board;
}

}  // namespace fusefuda
