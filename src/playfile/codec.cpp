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

bool isFlag(int32_t v) { return v == 0 || v == 1; }

bool sameRow(const PlayFileRecord &rec, int a, int b) {
    return std::memcmp(rec.groupMembers[a], rec.groupMembers[b], sizeof rec.groupMembers[a]) == 0;
}

bool rowIsEmpty(const PlayFileRecord &rec, int a) {
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (rec.groupMembers[a][c][r] != 0) return false;
    return true;
}

bool inPlayAt(int level, int c) {
    const ColumnRange cols = columnsInPlay(level);
    return c >= cols.first && c <= cols.last;
}

// What the signed triple can hold: the magnitude of value + 1000 is a digit pair.
bool fitsTriple(int32_t v) { return v >= -kDigitPairMax - 1000 && v <= kDigitPairMax - 1000; }

// No file this program wrote reads back to a number that its form cannot
// write; such a number was made or damaged by something else. Bytes are not
// checked one by one: the reading rule turns any of them into a number.
PlayFileFault checkForms(const PlayFileRecord &rec) {
    if (rec.score > kDigitPairMax) return PlayFileFault::Form;
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (rec.slotCard[c][r] > kDigitPairMax) return PlayFileFault::Form;
            const Rect &rect = rec.cardRect[c][r];
            if (!fitsTriple(rect.left) || !fitsTriple(rect.top) || !fitsTriple(rect.right) ||
                !fitsTriple(rect.bottom))
                return PlayFileFault::Form;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkHeader(const PlayFileRecord &rec) {
    if (!isFlag(rec.gameStarted) || !isFlag(rec.gameOver)) return PlayFileFault::Header;
    if (rec.gameStarted == 1) {
        if (rec.level < 1 || rec.level > 3) return PlayFileFault::Header;
    } else if (rec.level != 0 || rec.gameOver != 0) {
        // Before the first game nothing sets a level or wins.
        return PlayFileFault::Header;
    }
    // scoreDisplayOn and score are taken as they come: the option counts as
    // on only when 1 (the settings file may hold anything), and nothing is
    // indexed by the score.
    return PlayFileFault::None;
}

PlayFileFault checkRanges(const PlayFileRecord &rec) {
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!isFlag(rec.slotPresent[c][r]) || !isFlag(rec.faceUp[c][r]))
                return PlayFileFault::Flag;
            if (rec.touchCount[c][r] < 0 || rec.touchCount[c][r] > 4)
                return PlayFileFault::TouchCount;
            if (rec.stackLevel[c][r] < 0 || rec.stackLevel[c][r] >= kCards)
                return PlayFileFault::Stacking;
        }
    }
    for (int id = 0; id < kCards; ++id)
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                if (!isFlag(rec.groupMembers[id][c][r])) return PlayFileFault::Flag;
    for (int n = 0; n < kCards; ++n) {
        if (rec.stackColumn[n] < 0 || rec.stackColumn[n] >= kColumns)
            return PlayFileFault::Stacking;
        if (rec.stackRow[n] < 0 || rec.stackRow[n] >= kRows) return PlayFileFault::Stacking;
    }
    return PlayFileFault::None;
}

PlayFileFault checkStacking(const PlayFileRecord &rec) {
    // Before the first game the stacking tables are still all zero, which is
    // no permutation; the game never reads them as one until a deal.
    if (rec.gameStarted != 1) return PlayFileFault::None;
    // Each card's level pointing back at that card makes the map one to one,
    // and 52 cards on 52 levels then cover every level.
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int n = rec.stackLevel[c][r];
            if (rec.stackColumn[n] != c || rec.stackRow[n] != r) return PlayFileFault::Stacking;
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
            if (rec.faceUp[c][r] == 0 && rec.touchCount[c][r] >= 3) return PlayFileFault::Face;
            // A face-down card shows its face only while it is peeked at,
            // and only one card can be.
            if (rec.faceUp[c][r] == 1 && rec.touchCount[c][r] < 3) ++peeked;
        }
    }
    return peeked > 1 ? PlayFileFault::Face : PlayFileFault::None;
}

PlayFileFault checkMembership(const PlayFileRecord &rec) {
    for (int a = 0; a < kCards; ++a) {
        if (rowIsEmpty(rec, a)) continue;  // nothing dealt yet
        if (rec.groupMembers[a][cardColumn(a)][cardRow(a)] != 1) return PlayFileFault::Group;
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r)
                if (rec.groupMembers[a][c][r] == 1 && !sameRow(rec, a, cardId(c, r)))
                    return PlayFileFault::Group;
    }
    return PlayFileFault::None;
}

PlayFileFault checkOutsideLevel(const PlayFileRecord &rec) {
    if (rec.gameStarted != 1) return PlayFileFault::None;
    for (int c = 0; c < kColumns; ++c) {
        if (inPlayAt(rec.level, c)) continue;
        for (int r = 0; r < kRows; ++r) {
            if (rec.touchCount[c][r] != 0 || rec.faceUp[c][r] != 0 ||
                !(rec.cardRect[c][r] == Rect{}))
                return PlayFileFault::OutsideLevel;
            const int id = cardId(c, r);
            for (int j = 0; j < kColumns; ++j)
                for (int k = 0; k < kRows; ++k)
                    if (rec.groupMembers[id][j][k] != (cardId(j, k) == id ? 1 : 0))
                        return PlayFileFault::OutsideLevel;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkRectangles(const PlayFileRecord &rec) {
    if (rec.gameStarted != 1) return PlayFileFault::None;
    const ColumnRange cols = columnsInPlay(rec.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const Rect &rect = rec.cardRect[c][r];
            if (std::abs(rect.left) > kFarthest || std::abs(rect.top) > kFarthest)
                return PlayFileFault::Rectangle;
            if (rect.right != rect.left + kPitchX || rect.bottom != rect.top + kPitchY)
                return PlayFileFault::Rectangle;
        }
    }
    return PlayFileFault::None;
}

PlayFileFault checkGroupsInPlay(const PlayFileRecord &rec) {
    if (rec.gameStarted != 1) return PlayFileFault::None;
    const ColumnRange cols = columnsInPlay(rec.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            if (rec.groupMembers[id][c][r] != 1) return PlayFileFault::Group;
            const Rect &at = rec.cardRect[c][r];
            for (int j = cols.first; j <= cols.last; ++j) {
                for (int k = 0; k < kRows; ++k) {
                    if (rec.groupMembers[id][j][k] != 1) continue;
                    const Rect &member = rec.cardRect[j][k];
                    if (member.left - at.left != kPitchX * (j - c) ||
                        member.top - at.top != kPitchY * (k - r))
                        return PlayFileFault::Group;
                }
            }
        }
    }
    if (rec.gameOver == 1) {
        for (int c = cols.first; c <= cols.last; ++c)
            for (int r = 0; r < kRows; ++r)
                if (rec.groupMembers[6][c][r] != 1) return PlayFileFault::Unfinished;
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
    rec.level = g.level;
    rec.gameOver = g.gameOver;
    rec.scoreDisplayOn = g.scoreDisplayOn;
    rec.score = g.score;
    std::memcpy(rec.slotCard, g.slotCard, sizeof rec.slotCard);
    std::memcpy(rec.slotPresent, g.slotPresent, sizeof rec.slotPresent);
    std::memcpy(rec.stackLevel, g.stackLevel, sizeof rec.stackLevel);
    std::memcpy(rec.faceUp, g.faceUp, sizeof rec.faceUp);
    std::memcpy(rec.touchCount, g.touchCount, sizeof rec.touchCount);
    std::memcpy(rec.cardRect, g.cardRect, sizeof rec.cardRect);
    for (int id = 0; id < kCards; ++id)
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r) rec.groupMembers[id][c][r] = g.groupMembers[id][c][r];
    std::memcpy(rec.stackColumn, g.stackColumn, sizeof rec.stackColumn);
    std::memcpy(rec.stackRow, g.stackRow, sizeof rec.stackRow);
    // A save chosen from the keyboard while a peek is held records the peek as
    // finished, as an undo snapshot does: its cost is in the score already, so
    // the card counts the touch, and a card only being looked at is not face
    // up for good. Loaded, the game's score then still matches its cards.
    if (g.pressMode == kPressPeek) {
        const int c = g.pressColumn, r = g.pressRow;
        if (c >= 0 && c < kColumns && r >= 0 && r < kRows && rec.touchCount[c][r] < 3) {
            rec.touchCount[c][r] += 1;
            rec.faceUp[c][r] = rec.touchCount[c][r] == 3 ? 1 : 0;
        }
    }
    return rec;
}

std::vector<uint8_t> encodePlayFile(const PlayFileRecord &rec) {
    std::vector<uint8_t> image(kPlayFileSize, 0);
    uint8_t *header = image.data() + kHeaderOffset;
    putFlagByte(header + 0 * kSlotSize, rec.gameStarted);
    putFlagByte(header + 1 * kSlotSize, rec.level);
    putFlagByte(header + 2 * kSlotSize, rec.gameOver);
    putFlagByte(header + 3 * kSlotSize, rec.scoreDisplayOn);
    putDigitPair(header + 4 * kSlotSize, rec.score);

    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            uint8_t *entry = image.data() + kCardBlockOffset + kCardEntrySize * placeIndex(c, r);
            const int32_t fields[kCardSlots] = {rec.slotCard[c][r], rec.slotPresent[c][r],
                                                rec.stackLevel[c][r], rec.faceUp[c][r],
                                                rec.touchCount[c][r]};
            for (int s = 0; s < kCardSlots; ++s) putDigitPair(entry + kSlotSize * s, fields[s]);

            uint8_t *corners = image.data() + kRectBlockOffset + kRectEntrySize * placeIndex(c, r);
            const Rect &rect = rec.cardRect[c][r];
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
                putFlagByte(members + placeIndex(c, r), rec.groupMembers[id][c][r]);
    }

    for (int n = 0; n < kCards; ++n) {
        putFlagByte(image.data() + kColumnListOffset + n, rec.stackColumn[n]);
        putFlagByte(image.data() + kRowListOffset + n, rec.stackRow[n]);
    }
    return image;
}

bool decodePlayFile(std::span<const uint8_t> image, PlayFileRecord &rec) {
    if (image.size() < kPlayFileSize) return false;
    const uint8_t *header = image.data() + kHeaderOffset;
    rec.gameStarted = getFlagByte(header + 0 * kSlotSize);
    rec.level = getFlagByte(header + 1 * kSlotSize);
    rec.gameOver = getFlagByte(header + 2 * kSlotSize);
    rec.scoreDisplayOn = getFlagByte(header + 3 * kSlotSize);
    rec.score = getDigitPair(header + 4 * kSlotSize);

    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const uint8_t *entry =
                image.data() + kCardBlockOffset + kCardEntrySize * placeIndex(c, r);
            rec.slotCard[c][r] = getDigitPair(entry + 0 * kSlotSize);
            rec.slotPresent[c][r] = getDigitPair(entry + 1 * kSlotSize);
            rec.stackLevel[c][r] = getDigitPair(entry + 2 * kSlotSize);
            rec.faceUp[c][r] = getDigitPair(entry + 3 * kSlotSize);
            rec.touchCount[c][r] = getDigitPair(entry + 4 * kSlotSize);

            const uint8_t *corners =
                image.data() + kRectBlockOffset + kRectEntrySize * placeIndex(c, r);
            Rect &rect = rec.cardRect[c][r];
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
                rec.groupMembers[id][c][r] = getFlagByte(members + placeIndex(c, r));
    }

    for (int n = 0; n < kCards; ++n) {
        rec.stackColumn[n] = getFlagByte(image.data() + kColumnListOffset + n);
        rec.stackRow[n] = getFlagByte(image.data() + kRowListOffset + n);
    }
    return true;
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
    g.level = rec.level;
    g.gameOver = rec.gameOver;
    g.scoreDisplayOn = rec.scoreDisplayOn;
    g.score = rec.score;
    std::memcpy(g.slotCard, rec.slotCard, sizeof g.slotCard);
    std::memcpy(g.slotPresent, rec.slotPresent, sizeof g.slotPresent);
    std::memcpy(g.stackLevel, rec.stackLevel, sizeof g.stackLevel);
    std::memcpy(g.faceUp, rec.faceUp, sizeof g.faceUp);
    std::memcpy(g.touchCount, rec.touchCount, sizeof g.touchCount);
    std::memcpy(g.cardRect, rec.cardRect, sizeof g.cardRect);
    std::memset(g.groupMembers, 0, sizeof g.groupMembers);
    for (int id = 0; id < kCards; ++id)
        for (int c = 0; c < kColumns; ++c)
            for (int r = 0; r < kRows; ++r) g.groupMembers[id][c][r] = rec.groupMembers[id][c][r];
    std::memcpy(g.stackColumn, rec.stackColumn, sizeof g.stackColumn);
    std::memcpy(g.stackRow, rec.stackRow, sizeof g.stackRow);
}

}  // namespace fusefuda
