// Boards that a player could have saved, and ways to compare game records.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/GameState.h"
#include "game/play.h"
#include "playfile/codec.h"

namespace fusefuda::testing {

// Joins card b's group to card a's as a drop does: the membership rows become
// their union and b's side snaps onto a's grid.
void joinGroups(GameState &g, int a, int b);

// A game some way along at the dealt level: joins, touches of every count, one
// card pulled partly off the board's corner and one far to the right (its left
// edge 1,563), the score display on, groups raised.
void playSomeMoves(Play &play);

// Every card in play joined to the sevens and laid out as the finished grid.
void winGame(GameState &g);

// The play-file record of a game some way along at a level.
std::unique_ptr<PlayFileRecord> playedRecord(int level);

// Every field of the record.
::testing::AssertionResult sameGame(const GameState &a, const GameState &b);

// A fresh folder under the system's temporary folder, removed with the object.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::string path;
    std::string file(const std::string &name) const { return path + "/" + name; }
};

// Permissions do not bind the superuser: a test run as root hands the paths to
// an ordinary user and acts as that user until the object goes.
struct AsOrdinaryUser {
    explicit AsOrdinaryUser(const std::vector<std::string> &paths);
    ~AsOrdinaryUser();
    bool switched = false;
};

}  // namespace fusefuda::testing
