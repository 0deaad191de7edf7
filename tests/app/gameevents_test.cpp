// What the window does after each of the board's changes, besides drawing.
#include "app/gameevents.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/recording_events.h"
#include "support/recording_shell.h"

using namespace fusefuda;
using namespace fusefuda::testing;

namespace {

// What the window was asked, in a fixed order.
std::string asked(const RecordingShell &w) {
    std::string s;
    for (int e : w.effects) s += " sound " + std::to_string(e);
    for (const auto &[name, n] :
         {std::pair{" repaint", w.invalidations}, {" marks", w.menuMarkUpdates},
          {" score", w.scoreShows}, {" summary", w.scoreSummaries}, {" settled", w.settles},
          {" bell", w.bells}})
        for (int i = 0; i < n; ++i) s += name;
    return s;
}

}  // namespace

// Every change but a dead-end arrow goes to the drawing; the sounds play only
// with the sound on, and the score window hears of an undo or a deal only
// while it shows the score.
TEST(GameEvents, EachChangeReachesTheDrawingAndTheWindowDoesWhatFollowsIt) {
    using Say = void (*)(BoardEvents &);
    const Say join = [](BoardEvents &e) { e.joined(cardId(4, 0), cardId(5, 0)); },
              peek = [](BoardEvents &e) { e.peeked(4, 0); }, win = [](BoardEvents &e) { e.won(); },
              undo = [](BoardEvents &e) { e.undone(); }, deal = [](BoardEvents &e) { e.dealt(); };
    const struct {
        Say say;
        bool soundOn, scoreOn;
        std::string drawn, asked;  // drawn: what the painter heard
    } cases[] = {
        {join, true, false, "joined (4,0) to (5,0)", " sound 113"},
        {join, false, false, "joined (4,0) to (5,0)", ""},
        {peek, true, false, "peeked (4,0)", " sound 130"},
        {peek, false, false, "peeked (4,0)", ""},
        {win, true, false, "won", " sound 114 summary"},
        {win, false, false, "won", " summary"},
        {[](BoardEvents &e) { e.scored(); }, false, false, "scored", " score"},
        {undo, false, true, "undone", " repaint score settled"},
        {undo, true, false, "undone", " repaint settled"},
        {deal, false, true, "dealt", " score settled"},
        {deal, true, false, "dealt", " settled"},
        {[](BoardEvents &e) { e.undoDepthChanged(); }, true, true, "undo depth", " marks"},
        {[](BoardEvents &e) { e.boardChanged(); }, true, true, "board changed", " repaint settled"},
        {[](BoardEvents &e) { e.viewMoved(); }, true, true, "view moved", " repaint"},
        {[](BoardEvents &e) { e.dropped(cardId(4, 0)); }, true, true, "dropped (4,0)", " settled"},
        {[](BoardEvents &e) { e.settled(4, 0); }, true, true, "settled (4,0)", " settled"},
        {[](BoardEvents &e) { e.noCardThatWay(); }, true, true, "", " bell"},
    };
    for (const auto &k : cases) {
        GameState g;
        g.soundOn = k.soundOn;
        g.scoreDisplayOn = k.scoreOn;
        RecordingEvents painter;
        RecordingShell window;
        GameEvents events{g, painter, window};
        k.say(events);
        EXPECT_EQ(painter.log, k.drawn.empty() ? std::vector<std::string>{}
                                               : std::vector<std::string>{k.drawn});
        EXPECT_EQ(asked(window), k.asked) << k.drawn << " sound " << k.soundOn;
    }
}
