#include "playfile/playfile.h"

#include <memory>

#include "game/board.h"
#include "game/scoring.h"
#include "game/input.h"
#include "game/overlays.h"
#include "game/statistics.h"
#include "playfile/codec.h"
#include "playfile/storage.h"

namespace fusefuda {

namespace {

const char *const kOutputCannotOpen = QT_TRANSLATE_NOOP("Messages", "出力ファイルが開けません");
const char *const kInputCannotOpen = QT_TRANSLATE_NOOP("Messages", "入力ファイルが開けません");
const char *const kReadFailed = QT_TRANSLATE_NOOP("Messages", "ファイルの読み込みに失敗しました");

// Puts a checked record in place of the game being played.
void takeUpGame(Play &play, PlayFileWindow &window, const PlayFileRecord &record) {
    GameState &g = play.g;

    // A command can arrive from the keyboard while a card is carried, a peek
    // is held or the view is pulled; none of that belongs to the new board,
    // and a pending deal must not scatter it.
    abandonGesture(play);
    g.dealPending = false;
    // The old board's guide and peek picture go with the repaint; the next
    // mouse move shows them afresh.
    g.hover.hoverCard = kNoCard;
    g.hover.hoverCardShown = kNoCard;

    if (g.scoreDisplayOn) window.closeScoreWindow();
    noteGameLeft(g);
    storeRecord(g, record);
    g.dealNumbered = false;
    // A won game's score as its end counted it; none for a game under way.
    g.finalScore = g.gameOver ? scoreFor(tallyTouches(g)) : 0;
    g.nameEntryRank = kNoRank;
    raiseGroup(play, kSevensColumn, kRows - 1);
    clearScorePopups(g);
    g.undoStore.undoDepth = 0;
    play.events.undoDepthChanged();
    if (g.scoreDisplayOn) window.openScoreWindow();
    play.events.boardChanged();
    clearSparklesActive(g);
}

}  // namespace

void savePlayFile(const GameState &g, PlayFileWindow &window) {
    const std::string path = window.chooseSavePlayFile();
    if (path.empty()) return;
    const std::vector<uint8_t> image = encodePlayFile(captureRecord(g));
    if (!writeFileStart(path, image)) window.showMessage(kOutputCannotOpen);
}

void loadPlayFile(Play &play, PlayFileWindow &window) {
    const std::string path = window.chooseOpenPlayFile();
    if (path.empty()) return;

    std::vector<uint8_t> image;
    switch (readFileStart(path, kPlayFileSize, image)) {
        case ReadOutcome::Read:
            break;
        case ReadOutcome::CannotOpen:
            window.showMessage(kInputCannotOpen);
            return;
        case ReadOutcome::Failed:
            window.showMessage(kReadFailed);
            return;
    }

    // The whole file is read and checked before anything of the game changes.
    const auto record = std::make_unique<PlayFileRecord>();
    if (decodePlayFile(image, *record) != PlayFileFault::None ||
        findFault(*record) != PlayFileFault::None) {
        window.showMessage(kReadFailed);
        return;
    }
    takeUpGame(play, window, *record);
}

}  // namespace fusefuda
