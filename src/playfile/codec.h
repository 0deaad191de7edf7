// The play file image: a fixed-size binary copy of the stored fields of the
// game record. Players keep these files and move them between machines, so the
// layout below is a contract: every file is exactly kPlayFileSize bytes, and
// no number is a plain little-endian integer.
//
// Nothing here uses Qt; the fuzz target builds this file on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "game/GameState.h"

namespace fusefuda {

constexpr std::size_t kPlayFileSize = 142984;

// Where each block starts.
constexpr std::size_t kHeaderOffset = 0;
constexpr std::size_t kCardBlockOffset = 400;
constexpr std::size_t kCardEntrySize = 20;
constexpr std::size_t kRectBlockOffset = 1440;
constexpr std::size_t kRectEntrySize = 16;
constexpr std::size_t kGroupBlockOffset = 2272;
constexpr std::size_t kGroupRecordSize = 2704;
constexpr std::size_t kColumnListOffset = 142880;
constexpr std::size_t kRowListOffset = 142932;

// Every field sits in a 4-byte slot; the bytes a form does not use are
// written as zeros and never read.
constexpr std::size_t kSlotSize = 4;

// The largest value a digit pair can hold: 255 x 255 + 254.
constexpr int32_t kDigitPairMax = 65279;

// The three number forms.
// Flag byte: the low 8 bits of the value.
void putFlagByte(uint8_t *at, int32_t value);
int32_t getFlagByte(const uint8_t *at);
// Digit pair: the value in base 255, low digit first. Values outside
// 0..kDigitPairMax are written as the nearest end of that range.
void putDigitPair(uint8_t *at, int32_t value);
int32_t getDigitPair(const uint8_t *at);
// Signed triple: a sign byte (2 for +, 0 for -) and the digit pair of the
// magnitude of value + 1000.
void putSignedTriple(uint8_t *at, int32_t value);
int32_t getSignedTriple(const uint8_t *at);

// What a play file stores: its header fields and the board, exactly as they
// were read from one.
struct PlayFileRecord {
    bool gameStarted = false;
    int32_t level = 0;
    bool gameOver = false;
    int32_t scoreDisplayOn = 0;  // on only when 1
    Board board;

    bool operator==(const PlayFileRecord &) const = default;
};

// The stored fields of the game as it stands, a held peek counted as finished.
PlayFileRecord captureRecord(const GameState &g);

// The whole image of a record, kPlayFileSize bytes with zero padding.
std::vector<uint8_t> encodePlayFile(const PlayFileRecord &record);

// Why an image or a decoded record cannot be a game this program saved.
enum class PlayFileFault {
    None,
    Short,  // an image shorter than a play file
    // A number beyond what its form writes: a digit pair above kDigitPairMax,
    // or a coordinate whose magnitude after the shift is. Odd bytes that still
    // read as a number the form can write (a low digit of 255, a sign byte of
    // 1 or 3) are taken by the reading rule, not refused.
    Form,
    Header,        // started / won flags, or a level that does not fit them
    Flag,          // a flag other than 0 or 1
    TouchCount,    // a touch count above 4
    Face,          // a face-down card counted as settled or spent, or two cards peeked at
    Stacking,      // positions out of range, or not inverse permutations
    Rectangle,     // a card in play whose cell is not 63 x 101 or lies far off the board
    OutsideLevel,  // a card outside the level that is not in its cleared state
    Group,         // membership rows that disagree, or members off the group pitch
    Unfinished,    // marked as won while some card in play is not joined to the sevens
};

// Reads a record out of an image. The flags are checked as they are read: a
// started or won flag other than 0 or 1 is a Header fault, any other flag a
// Flag fault, and the record is then left part read. Bytes beyond
// kPlayFileSize are ignored (an older, longer file that was overwritten in
// place still holds the game in its first bytes).
PlayFileFault decodePlayFile(std::span<const uint8_t> image, PlayFileRecord &record);

// Checks what the game relies on when it indexes its tables and draws the
// board. A record this program saved always passes.
PlayFileFault findFault(const PlayFileRecord &record);

// Puts a record into the game record: its header fields and the board.
void storeRecord(GameState &g, const PlayFileRecord &record);

}  // namespace fusefuda
