// libFuzzer target: any bytes through the play file reader and its checks.
// Whatever the reader accepts must be safe for the game to index and must
// survive being saved again: unchanged, but for a score display flag other
// than 1, which means off and is saved as 0.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "playfile/codec.h"

using namespace fusefuda;

namespace {

// What the game relies on once a board is in place, written out apart from
// the checks so that the two are compared rather than trusted.
bool safeToPlay(const GameState &g) {
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const int t = g.board.touchCount[c][r];
            if (t < 0 || t > 4) return false;
            // a face-down card's back is one of three shades
            if (g.board.faceUp[c][r] != 1 && t > 2) return false;
            if (g.board.stackLevel[c][r] < 0 || g.board.stackLevel[c][r] >= kCards) return false;
        }
    }
    for (int n = 0; n < kCards; ++n)
        if (g.board.stackColumn[n] < 0 || g.board.stackColumn[n] >= kColumns ||
            g.board.stackRow[n] < 0 || g.board.stackRow[n] >= kRows)
            return false;
    if (g.gameStarted == 0) return g.level == Level::None;
    if (!isPlayable(g.level)) return false;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const int n = g.board.stackLevel[c][r];
            if (g.board.stackColumn[n] != c || g.board.stackRow[n] != r) return false;
        }
    // groups hold only cards in play, each card in its own group
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) {
            const int id = cardId(c, r);
            if (inPlay(g, c, r) && g.board.groupMembers[id][c][r] != 1) return false;
            for (int j = 0; j < kColumns; ++j)
                for (int k = 0; k < kRows; ++k)
                    if (g.board.groupMembers[id][j][k] == 1 && inPlay(g, c, r) != inPlay(g, j, k))
                        return false;
        }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    PlayFileRecord record;
    if (decodePlayFile({data, size}, record) != PlayFileFault::None) return 0;
    if (findFault(record) != PlayFileFault::None) return 0;

    static const auto g = std::make_unique<GameState>();
    storeRecord(*g, record);
    if (!safeToPlay(*g)) std::abort();

    PlayFileRecord again;
    if (decodePlayFile(encodePlayFile(captureRecord(*g)), again) != PlayFileFault::None)
        std::abort();
    PlayFileRecord meant = record;
    meant.scoreDisplayOn = record.scoreDisplayOn == 1 ? 1 : 0;
    if (!(again == meant)) std::abort();
    if (findFault(again) != PlayFileFault::None) std::abort();
    return 0;
}
