// The menu commands as the random player gives them, each checked for what
// it promises: a deal ends every gesture, an undo brings back its snapshot, a
// reversal turns the stacking over, a saved game comes back as it was saved,
// and a broken file is refused with its message and changes nothing.
#pragma once

#include <memory>
#include <string>

#include "expectations.h"

namespace fusefuda::stress {

class Commands {
public:
    Commands(Table &table, Random &random, Expectations &expect, Trace &trace,
             const std::string &folder)
        : table_(table), random_(random), expect_(expect), trace_(trace), folder_(folder) {}

    void newGame();
    void undo();
    void reverse();
    void changeOption();
    void save();
    void load();
    void loadBroken();

private:
    // A saved game as the player expects to get it back.
    struct Saved {
        bool exists = false;
        Level level = Level::None;
        bool scoreDisplayOn = false;
        bool gameOver = false;
        std::unique_ptr<Board> board = std::make_unique<Board>();
    };

    Table &table_;
    Random &random_;
    Expectations &expect_;
    Trace &trace_;
    std::string folder_;
    Saved saved_;
};

}  // namespace fusefuda::stress
