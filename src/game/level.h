// The three levels and what each one decides. The numbers are what the play
// file stores; nothing outside these helpers counts with them.
#pragma once

namespace fusefuda {

enum class Level : int { None = 0, Advanced = 1, Intermediate = 2, Beginner = 3 };

constexpr Level kBeginner = Level::Beginner;
constexpr Level kIntermediate = Level::Intermediate;
constexpr Level kAdvanced = Level::Advanced;

inline bool isPlayable(Level level) { return level >= kAdvanced && level <= kBeginner; }
// The level a stored number names; None for any other number.
inline Level levelFromNumber(int n) { return isPlayable(Level(n)) ? Level(n) : Level::None; }
inline int levelNumber(Level level) { return int(level); }

struct ColumnRange {
    int first;
    int last;  // inclusive; last < first when no card is in play
};

// Columns in play: 4..8 for a beginner, 2..10 intermediate, 0..12 advanced;
// none before the first game.
inline ColumnRange columnsInPlay(Level level) {
    if (!isPlayable(level)) return {0, -1};
    const int n = int(level);
    return {2 * n - 2, (3 - n) * 2 + 8};
}
// The slot of the level's statistics and its place in the lists shown per
// level: beginner, intermediate, advanced; -1 before the first game.
inline int statisticsSlot(Level level) { return isPlayable(level) ? 3 - int(level) : -1; }
// The score a deal starts from: 1600 for each of the level's card rows.
inline int startingScore(Level level) { return (4 - int(level)) * 1600; }
// Where the finished grid's left edge lies, in window coordinates.
inline int finishedGridLeft(Level level) { return 475 - 128 * (4 - int(level)); }

}  // namespace fusefuda
