#include "render/canvas.h"

#include "render/cards.h"

namespace fusefuda {

void copyFromCanvas(QImage &dst, int x, int y, int w, int h, const Surfaces &s, int boardX,
                    int boardY) {
    bitBlt(dst, x, y, w, h, s.board, boardX - s.canvasOrigin.x(), boardY - s.canvasOrigin.y(),
           SRCCOPY);
}

void canvasToWindow(Surfaces &s, int x, int y, int w, int h, int boardX, int boardY) {
    copyFromCanvas(s.window, x, y, w, h, s, boardX, boardY);
    markWindow(s, x, y, w, h);
}

void copyToCanvas(Surfaces &s, int boardX, int boardY, int w, int h, const QImage &src, int sx,
                  int sy) {
    bitBlt(s.board, boardX - s.canvasOrigin.x(), boardY - s.canvasOrigin.y(), w, h, src, sx, sy,
           SRCCOPY);
}

void backgroundToCanvas(Surfaces &s, int boardX, int boardY, int w, int h) {
    backgroundBlt(s.board, boardX - s.canvasOrigin.x(), boardY - s.canvasOrigin.y(), w, h, s,
                  boardX, boardY);
}

void drawGroupOnCanvas(Context &ctx, int id) {
    const Rect &at = ctx.g.board.cardRect[cardColumn(id)][cardRow(id)];
    drawGroup(ctx, at.left - ctx.s.canvasOrigin.x(), at.top - ctx.s.canvasOrigin.y(), id,
              ctx.s.board, false);
}

void drawBoardByRule(Context &ctx, QImage &into, QPoint origin) {
    const GameState &g = ctx.g;
    const QSize size = logicalSize(into);
    backgroundBlt(into, 0, 0, size.width(), size.height(), ctx.s, origin.x(), origin.y());
    if (!g.gameStarted) return;
    const ColumnRange cols = columnsInPlay(g.level);
    bool drawn[kCards] = {};
    int topLevels[kCards];
    int groups = 0;
    for (int n = kCards - 1; n >= 0; --n) {
        const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
        if (!inPlay(g, c, r) || drawn[cardId(c, r)]) continue;
        const int id = cardId(c, r);
        drawn[id] = true;
        for (int mc = cols.first; mc <= cols.last; ++mc)
            for (int mr = 0; mr < kRows; ++mr)
                if (isMember(g, id, mc, mr)) drawn[cardId(mc, mr)] = true;
        topLevels[groups++] = n;
    }
    for (int i = groups - 1; i >= 0; --i) {
        const int c = g.board.stackColumn[topLevels[i]], r = g.board.stackRow[topLevels[i]];
        drawGroup(ctx, g.board.cardRect[c][r].left - origin.x(),
                  g.board.cardRect[c][r].top - origin.y(), cardId(c, r), into, false);
    }
}

}  // namespace fusefuda
