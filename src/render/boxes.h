// Half-open boxes of window pixels, and the difference of two sets of them
// as disjoint boxes: what a move of the carried group draws and marks.
#pragma once

#include <algorithm>
#include <array>

#include "game/GameState.h"

namespace fusefuda {

// A half-open rectangle of window pixels.
struct Box {
    int x0, y0, x1, y1;
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

// Calls f(box) for disjoint boxes that together cover exactly the pixels that
// lie in some box of keep[0, keeps) and in no box of cut[0, cuts), with at
// most one box per card in each. Works band by band between the boxes'
// edges; bands with the same spans are joined, so that a blit copies many
// rows at once.
template <typename F>
void forEachBoxOfDifference(const Box *keep, int keeps, const Box *cut, int cuts, F f) {
    std::array<int, 4 * kCards> edges;
    int nEdges = 0;
    for (int i = 0; i < keeps; ++i)
        if (!keep[i].empty()) {
            edges[nEdges++] = keep[i].y0;
            edges[nEdges++] = keep[i].y1;
        }
    if (nEdges == 0) return;
    for (int i = 0; i < cuts; ++i)
        if (!cut[i].empty()) {
            edges[nEdges++] = cut[i].y0;
            edges[nEdges++] = cut[i].y1;
        }
    std::sort(edges.begin(), edges.begin() + nEdges);
    nEdges = int(std::unique(edges.begin(), edges.begin() + nEdges) - edges.begin());

    struct Span {
        int x0, x1;
        bool operator==(const Span &) const = default;
    };
    // Merged spans of the boxes that cover the band [ya, yb) whole: the edges
    // above make every box either cover a band or miss it.
    auto spansAcross = [](const Box *boxes, int count, int ya, int yb, Span *out) {
        int n = 0;
        for (int i = 0; i < count; ++i) {
            const Box &b = boxes[i];
            if (b.empty() || b.y0 > ya || b.y1 < yb) continue;
            out[n++] = {b.x0, b.x1};
        }
        std::sort(out, out + n, [](const Span &a, const Span &b) { return a.x0 < b.x0; });
        int merged = 0;
        for (int i = 0; i < n; ++i) {
            if (merged > 0 && out[i].x0 <= out[merged - 1].x1)
                out[merged - 1].x1 = std::max(out[merged - 1].x1, out[i].x1);
            else
                out[merged++] = out[i];
        }
        return merged;
    };

    std::array<Span, 2 * kCards> kept, cutting, left, open;
    int nOpen = 0, openTop = 0;
    auto flush = [&](int bottom) {
        for (int i = 0; i < nOpen; ++i) f(Box{open[i].x0, openTop, open[i].x1, bottom});
        nOpen = 0;
    };
    for (int e = 0; e + 1 < nEdges; ++e) {
        const int ya = edges[e], yb = edges[e + 1];
        const int nKept = spansAcross(keep, keeps, ya, yb, kept.data());
        const int nCut = spansAcross(cut, cuts, ya, yb, cutting.data());
        int nLeft = 0, j = 0;
        for (int i = 0; i < nKept; ++i) {
            int x = kept[i].x0;
            const int end = kept[i].x1;
            while (j < nCut && cutting[j].x1 <= x) ++j;
            for (int k = j; k < nCut && cutting[k].x0 < end && x < end; ++k) {
                if (cutting[k].x0 > x) left[nLeft++] = {x, cutting[k].x0};
                x = std::max(x, cutting[k].x1);
            }
            if (x < end) left[nLeft++] = {x, end};
        }
        if (nLeft == nOpen && std::equal(left.begin(), left.begin() + nLeft, open.begin()))
            continue;
        flush(ya);
        std::copy_n(left.begin(), nLeft, open.begin());
        nOpen = nLeft;
        openTop = ya;
    }
    flush(edges[nEdges - 1]);
}

}  // namespace fusefuda
