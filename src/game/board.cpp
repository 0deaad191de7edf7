#include "game/board.h"

namespace fusefuda {

namespace {

void moveToTop(Board &b, int c, int r) {
    const int from = b.stackLevel[c][r];
    for (int n = from; n < kCards - 1; ++n) {
        b.stackColumn[n] = b.stackColumn[n + 1];
        b.stackRow[n] = b.stackRow[n + 1];
        b.stackLevel[b.stackColumn[n]][b.stackRow[n]] = n;
    }
    b.stackColumn[kCards - 1] = c;
    b.stackRow[kCards - 1] = r;
    b.stackLevel[c][r] = kCards - 1;
}

}  // namespace

void raiseGroupInStack(GameState &g, int c, int r) {
    const int id = cardId(c, r);
    for (int k = 0; k < kRows; ++k)
        for (int j = 0; j < kColumns; ++j)
            if (isMember(g, id, j, k) && !(j == c && k == r)) moveToTop(g.board, j, k);
    moveToTop(g.board, c, r);
}

void raiseGroup(Play &play, int c, int r) {
    raiseGroupInStack(play.g, c, r);
    play.events.raised(c, r);
}

void alignGroup(GameState &g, int left, int top, int anchorId) {
    const int c0 = cardColumn(anchorId), r0 = cardRow(anchorId);
    const ColumnRange cols = columnsInPlay(g.level);
    for (int c = cols.first; c <= cols.last; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!isMember(g, anchorId, c, r)) continue;
            Rect &rect = g.board.cardRect[c][r];
            rect.left = left - kPitchX * c0 + kPitchX * c;
            rect.top = top - kPitchY * r0 + kPitchY * r;
            rect.right = rect.left + kPitchX;
            rect.bottom = rect.top + kPitchY;
        }
    }
}

void mergeGroups(GameState &g, int a, int b) {
    bool merged[kColumns][kRows];
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            merged[c][r] = g.board.groupMembers[a][c][r] || g.board.groupMembers[b][c][r];
    for (int mc = 0; mc < kColumns; ++mc) {
        for (int mr = 0; mr < kRows; ++mr) {
            if (!merged[mc][mr]) continue;
            const int id = cardId(mc, mr);
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r) g.board.groupMembers[id][c][r] = merged[c][r];
        }
    }
}

int cardAt(const GameState &g, int x, int y) {
    if (!g.gameStarted) return kNoCard;
    const int bx = x + g.viewX, by = y + g.viewY;
    for (int n = kCards - 1; n >= 0; --n) {
        const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
        if (!inPlay(g, c, r)) continue;
        const Rect &rect = g.board.cardRect[c][r];
        if (bx >= rect.left && bx < rect.right && by >= rect.top && by < rect.bottom)
            return cardId(c, r);
    }
    return kNoCard;
}

}  // namespace fusefuda
