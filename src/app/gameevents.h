// The board's changes wired to everything that follows them: the partial
// redraws, then what the window does besides drawing.
#pragma once

#include "assets/numbers.h"
#include "game/play.h"

namespace fusefuda {

// What the window does when the board changes, besides drawing on it.
class WindowReactions {
public:
    virtual ~WindowReactions() = default;
    // A full repaint on the next turn of the event loop.
    virtual void invalidateWindow() = 0;
    // Menu check marks and the undo entry's greyed state, from the options
    // and undoDepth.
    virtual void updateMenuMarks() = 0;
    // The score window shows the current score (nothing when it is closed).
    virtual void showScore() = 0;
    // The peek window's picture changed.
    virtual void peekChanged() = 0;
    // Plays one of the embedded effects; soundOn is already checked.
    virtual void playEffect(Sound sound) = 0;
    // Runs the score summary modally; it hands over to the high-score entry.
    virtual void runScoreSummary() = 0;
    // A press has settled or the board changed as a whole: the game in
    // progress is worth keeping again.
    virtual void boardSettled() = 0;
    // The desktop's bell: a key found nothing to act on.
    virtual void ringBell() = 0;
};

class GameEvents : public BoardEvents {
public:
    GameEvents(const GameState &g, BoardEvents &painter, WindowReactions &window)
        : g_(g), painter_(painter), window_(window) {}

    void boardChanged() override;
    void viewMoved() override;
    void dealt() override;
    void undone() override;
    void undoDepthChanged() override;
    void scored() override;
    void raised(int c, int r) override { painter_.raised(c, r); }
    void lifted(int id) override { painter_.lifted(id); }
    void carried(int id, int oldLeft, int oldTop) override {
        painter_.carried(id, oldLeft, oldTop);
    }
    void dropped(int id) override;
    void joined(int id, int neighbour) override;
    void settled(int c, int r) override;
    void flipped(int c, int r, bool toFace) override { painter_.flipped(c, r, toFace); }
    void peeked(int c, int r) override;
    void hoverLeft(int lastShown) override;
    void hovered(int c, int r) override;
    void won() override;
    void noCardThatWay() override { window_.ringBell(); }

private:
    bool soundOn() const { return g_.soundOn; }
    bool scoreShown() const { return g_.scoreDisplayOn; }

    const GameState &g_;
    BoardEvents &painter_;
    WindowReactions &window_;
};

}  // namespace fusefuda
