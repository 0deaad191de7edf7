// The five-entry high-score table: where a final score enters it and how an
// entry is inserted. Pure routines over the record, so that the name-entry
// window only asks for the name.
#pragma once

#include <string>
#include <string_view>

#include "game/GameState.h"

namespace fusefuda {

constexpr std::size_t kNameEntryBytes = 9;

// The first entry, counted from the best, whose score the given score reaches
// (greater than or equal); -1 when it reaches none. The table is scanned in
// order even when it is not sorted, so a score goes before the first entry it
// reaches.
int highScoreRank(const GameState &g, int32_t score);

// Moves the entries from rank on down one place (the last one drops out) and
// puts name and score at rank. Nothing happens for a rank outside 0..4.
void insertHighScore(GameState &g, int rank, const std::string &name, int32_t score);

// A typed name, as code page 932 bytes, cut to what the table keeps: at most
// nine bytes, never half a double-byte character.
std::string nameForTable(std::string_view cp932Name);

}  // namespace fusefuda
