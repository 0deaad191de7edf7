// A listener that writes down what the rules said, in order, with the card
// numbers they named.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "game/play.h"

namespace fusefuda::testing {

class RecordingEvents : public BoardEvents {
public:
    void boardChanged() override { log.push_back("board changed"); }
    void viewMoved() override { log.push_back("view moved"); }
    void dealt() override { log.push_back("dealt"); }
    void undone() override { log.push_back("undone"); }
    void undoDepthChanged() override { log.push_back("undo depth"); }
    void scored() override { log.push_back("scored"); }
    void raised(int c, int r) override { log.push_back("raised " + card(c, r)); }
    void lifted(int id) override { log.push_back("lifted " + card(id)); }
    void carried(int id, int, int) override { log.push_back("carried " + card(id)); }
    void dropped(int id) override { log.push_back("dropped " + card(id)); }
    void joined(int id, int neighbour) override {
        log.push_back("joined " + card(id) + " to " + card(neighbour));
    }
    void settled(int c, int r) override { log.push_back("settled " + card(c, r)); }
    void flipped(int c, int r, bool toFace) override {
        log.push_back((toFace ? "flipped to face " : "flipped to back ") + card(c, r));
    }
    void peeked(int c, int r) override { log.push_back("peeked " + card(c, r)); }
    void hoverLeft(int lastShown) override {
        log.push_back("hover left " + std::to_string(lastShown));
    }
    void hovered(int c, int r) override { log.push_back("hovered " + card(c, r)); }
    void won() override { log.push_back("won"); }
    void noCardThatWay() override { log.push_back("no card that way"); }

    std::vector<std::string> log;
    // How many of the entries begin with what.
    int said(const std::string &what) const {
        return int(std::count_if(log.begin(), log.end(),
                                 [&](const std::string &e) { return e.rfind(what, 0) == 0; }));
    }

private:
    static std::string card(int c, int r) {
        return "(" + std::to_string(c) + "," + std::to_string(r) + ")";
    }
    static std::string card(int id) { return card(cardColumn(id), cardRow(id)); }
};

}  // namespace fusefuda::testing
