#include "game/overview.h"

#include <algorithm>

#include "game/zoom.h"

namespace fusefuda {

BoardPoint reachableBoard(int clientWidth, int clientHeight) {
    return {std::clamp(kViewXMax + clientWidth, 1, kBoardWidth),
            std::clamp(kViewYMax + clientHeight, 1, kBoardHeight)};
}

namespace {

OverviewFrame frameOf(BoardPoint board, int clientWidth, int clientHeight) {
    const int w = std::max(clientWidth, 1), h = std::max(clientHeight, 1);
    OverviewFrame f;
    f.boardWidth = board.x;
    f.boardHeight = board.y;
    // Compared crosswise in 64 bits, so that no rounding picks the wrong side.
    if (int64_t(board.x) * h <= int64_t(w) * board.y) {
        f.height = h;
        f.width = std::max(int(int64_t(board.x) * h / board.y), 1);
    } else {
        f.width = w;
        f.height = std::max(int(int64_t(board.y) * w / board.x), 1);
    }
    f.left = (w - f.width) / 2;
    f.top = (h - f.height) / 2;
    return f;
}

}  // namespace

OverviewFrame overviewFrame(int clientWidth, int clientHeight) {
    return frameOf(reachableBoard(clientWidth, clientHeight), clientWidth, clientHeight);
}

OverviewFrame overviewFrame(const GameState &g) {
    return frameOf(reachableBoard(g), g.clientWidth, g.clientHeight);
}

BoardPoint boardPointAt(const OverviewFrame &f, int x, int y) {
    if (f.width <= 0 || f.height <= 0) return {};
    const int bx = int(int64_t(x - f.left) * f.boardWidth / f.width);
    const int by = int(int64_t(y - f.top) * f.boardHeight / f.height);
    return {std::clamp(bx, 0, f.boardWidth - 1), std::clamp(by, 0, f.boardHeight - 1)};
}

BoardPoint viewCentredOn(BoardPoint p, int clientWidth, int clientHeight, int viewXLimit,
                         int viewYLimit) {
    return {std::clamp(p.x - clientWidth / 2, 0, viewXLimit),
            std::clamp(p.y - clientHeight / 2, 0, viewYLimit)};
}

void centreViewOn(Play &play, BoardPoint p) {
    GameState &g = play.g;
    const BoardPoint view = viewCentredOn(p, g.clientWidth, g.clientHeight, viewXMax(g), viewYMax(g));
    g.viewX = view.x;
    g.viewY = view.y;
    play.events.viewMoved();
}

}  // namespace fusefuda
