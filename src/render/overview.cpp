#include "render/overview.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#include <xmmintrin.h>
#endif

#include "game/overview.h"
#include "render/canvas.h"
#include "render/cards.h"
#include "render/raster.h"

namespace fusefuda {

namespace {

constexpr QRgb kKeyGreen = 0xFF00FF00u;
constexpr QRgb kMargin = 0xFF000000u;
// What a band of the board drawn for the picture may take.
constexpr int kBandBytes = 4 << 20;

// The view's outline: a light line with a dark edge on each side reads on
// every background and on the cards' light faces alike.
void frameView(QImage &window, const OverviewFrame &f, const GameState &g) {
    const auto x = [&](int bx) { return f.left + double(bx) * f.width / f.boardWidth; };
    const auto y = [&](int by) { return f.top + double(by) * f.height / f.boardHeight; };
    const QRectF view(QPointF(x(g.viewX), y(g.viewY)),
                      QPointF(x(g.viewX + g.clientWidth), y(g.viewY + g.clientHeight)));
    QPainter painter(&window);
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRectF inside = view.adjusted(1.5, 1.5, -1.5, -1.5);
    painter.setPen(QPen(QColor(0, 0, 0), 3));
    painter.drawRect(inside);
    painter.setPen(QPen(QColor(255, 255, 255), 1));
    painter.drawRect(inside);
}

// Scales src down into the w x h block at (x, y) of dst, device pixels: each
// pixel is the mean of the 2 x 2 source pixels about the middle of its
// footprint, or with twoRows unset of the 2 x 1 on its middle row. At the
// overview's ratios (two to three source pixels a pixel) the first reads
// nearly every source pixel once, as an area mean would, at a fixed four
// reads a pixel on this thread: Qt's smooth scaling hands the work to
// helper threads and takes longer to come back on a busy machine than the
// whole picture takes here. Reading the canvas is most of the cost; above
// one device pixel a pixel, every board row still shows in one row at
// least, from half the reading. With Keyed, pixels of the colour `key` are
// left out of each mean, and only four of them make one: over the desktop
// the see-through green must not tint the cards' edges and lines. Both are
// fixed per call, so each loop carries only the work its case needs (with
// one row, no vertical means and half the key tests). src holds the rows
// from `top` on of a picture sh rows high: only the rows of dst that read
// those rows alone are written.
template <bool Keyed, bool TwoRows>
void shrinkInto(QImage &dst, int x, int y, int w, int h, const QImage &src, uint32_t key, int top,
                int sh) {
    const int sw = int(src.width()), held = int(src.height());
    // Clipped to dst first: the loop below reads and writes without checks.
    const int i0 = std::max(0, -x), i1 = std::min(w, int(dst.width()) - x);
    const int j0 = std::max(0, -y), j1 = std::min(h, int(dst.height()) - y);
    if (i0 >= i1 || j0 >= j1 || sw < 2 || sh < 2) return;
    // The first of the two source pixels about the middle of pixel i of n.
    const auto firstOfPair = [](int i, int n, int sn) {
        return std::clamp(int((int64_t(2 * i + 1) * sn - n) / (2 * n)), 0, sn - 2);
    };
    std::vector<int> columns(size_t(i1 - i0));
    for (int i = i0; i < i1; ++i) columns[size_t(i - i0)] = firstOfPair(i, w, sw);
    const int *const cols = columns.data();
    const int n = i1 - i0;
    const uchar *const from = src.constBits();
    const qsizetype fromStride = src.bytesPerLine();
    uchar *const into = dst.bits();
    const qsizetype intoStride = dst.bytesPerLine();
    for (int j = j0; j < j1; ++j) {
        const int row = TwoRows ? firstOfPair(j, h, sh)
                                : std::min(int(int64_t(2 * j + 1) * sh / (2 * h)), sh - 1);
        if (row < top || row + (TwoRows ? 1 : 0) >= top + held) continue;
        const auto *__restrict a =
            reinterpret_cast<const uint32_t *>(from + (row - top) * fromStride);
        const auto *__restrict b = TwoRows ? a + fromStride / 4 : a;
        auto *__restrict to = reinterpret_cast<uint32_t *>(into + (y + j) * intoStride) + x + i0;
        int i = 0;
#if defined(__SSE2__)
        // Four pixels at a time: each pair of neighbours is one load, and
        // the means are the processor's rounded byte averages.
        const __m128i opaque = _mm_set1_epi32(int(0xFF000000u)), keyed = _mm_set1_epi32(int(key));
        // The pair's mean, a key pixel counting as its partner where the
        // pixels mix key and others.
        const auto means = [keyed](__m128i u, __m128i v, bool mixed) {
            if (!Keyed || !mixed) return _mm_avg_epu8(u, v);
            const __m128i ku = _mm_cmpeq_epi32(u, keyed), kv = _mm_cmpeq_epi32(v, keyed);
            return _mm_avg_epu8(_mm_or_si128(_mm_and_si128(ku, v), _mm_andnot_si128(ku, u)),
                                _mm_or_si128(_mm_and_si128(kv, u), _mm_andnot_si128(kv, v)));
        };
        for (; i + 4 <= n; i += 4) {
            _mm_prefetch(reinterpret_cast<const char *>(a + cols[i] + 64), _MM_HINT_NTA);
            if constexpr (TwoRows)
                _mm_prefetch(reinterpret_cast<const char *>(b + cols[i] + 64), _MM_HINT_NTA);
            const auto pair = [](const uint32_t *line, int c) {
                return _mm_loadl_epi64(reinterpret_cast<const __m128i *>(line + c));
            };
            const __m128i a01 = _mm_unpacklo_epi64(pair(a, cols[i]), pair(a, cols[i + 1]));
            const __m128i a23 = _mm_unpacklo_epi64(pair(a, cols[i + 2]), pair(a, cols[i + 3]));
            __m128i b01 = a01, b23 = a23;
            if constexpr (TwoRows) {
                b01 = _mm_unpacklo_epi64(pair(b, cols[i]), pair(b, cols[i + 1]));
                b23 = _mm_unpacklo_epi64(pair(b, cols[i + 2]), pair(b, cols[i + 3]));
            }
            bool mixed = false;
            if constexpr (Keyed) {
                const auto key4 = [keyed](__m128i u) { return _mm_cmpeq_epi32(u, keyed); };
                __m128i some = _mm_or_si128(key4(a01), key4(a23));
                __m128i all = _mm_and_si128(key4(a01), key4(a23));
                if constexpr (TwoRows) {
                    some = _mm_or_si128(some, _mm_or_si128(key4(b01), key4(b23)));
                    all = _mm_and_si128(all, _mm_and_si128(key4(b01), key4(b23)));
                }
                mixed = _mm_movemask_epi8(some) != 0 && _mm_movemask_epi8(all) != 0xFFFF;
            }
            // With one row the pair down is the row itself: no means to take.
            const __m128 down01 = _mm_castsi128_ps(TwoRows ? means(a01, b01, mixed) : a01);
            const __m128 down23 = _mm_castsi128_ps(TwoRows ? means(a23, b23, mixed) : a23);
            const __m128i left =
                _mm_castps_si128(_mm_shuffle_ps(down01, down23, _MM_SHUFFLE(2, 0, 2, 0)));
            const __m128i right =
                _mm_castps_si128(_mm_shuffle_ps(down01, down23, _MM_SHUFFLE(3, 1, 3, 1)));
            _mm_storeu_si128(reinterpret_cast<__m128i *>(to + i),
                             _mm_or_si128(means(left, right, mixed), opaque));
        }
#endif
        // The same one pixel at a time: each byte's mean rounded up.
        const auto mean = [key](uint32_t u, uint32_t v) {
            if (u == key) u = v;
            if (v == key) v = u;
            return (u | v) - (((u ^ v) & 0xFEFEFEFEu) >> 1);
        };
        for (; i < n; ++i) {
            const int c = cols[i];
            to[i] = (TwoRows ? mean(mean(a[c], b[c]), mean(a[c + 1], b[c + 1]))
                             : mean(a[c], a[c + 1])) |
                    0xFF000000u;
        }
    }
}

}  // namespace

void drawOverview(Context &ctx) {
    const GameState &g = ctx.g;
    Surfaces &s = ctx.s;
    const int k = scaleOf(s.window);
    const QSize client = logicalSize(s.window);
    const OverviewFrame f = overviewFrame(g);
    const QRgb margin = g.backgroundPattern == kSeeThroughBackground ? kKeyGreen : kMargin;
    {
        // Only beside the picture: the rest is written once, by the picture.
        QPainter painter(&s.window);
        const int right = f.left + f.width, bottom = f.top + f.height;
        painter.fillRect(0, 0, f.left, client.height(), margin);
        painter.fillRect(right, 0, client.width() - right, client.height(), margin);
        painter.fillRect(f.left, 0, f.width, f.top, margin);
        painter.fillRect(f.left, bottom, f.width, client.height() - bottom, margin);
    }
    // The reachable board is scaled into the window's device pixels, so that
    // the picture is as sharp as the screen allows.
    const QSize board(f.boardWidth, f.boardHeight);
    const QRect to(f.left * k, f.top * k, f.width * k, f.height * k);
    // Above one device pixel a pixel, one row of the board a row.
    const auto shrink = [&](const QImage &from, int top) {
        const auto scaled = [&](auto keyed, auto twoRows) {
            shrinkInto<decltype(keyed)::value, decltype(twoRows)::value>(
                s.window, to.x(), to.y(), to.width(), to.height(), from,
                decltype(keyed)::value ? kKeyGreen : 0u, top, board.height() * k);
        };
        using Yes = std::true_type;
        using No = std::false_type;
        if (margin == kKeyGreen)
            k == 1 ? scaled(Yes{}, Yes{}) : scaled(Yes{}, No{});
        else
            k == 1 ? scaled(No{}, Yes{}) : scaled(No{}, No{});
    };
    if (!board.isEmpty() && s.window.depth() == 32) {
        if (canvasRect(s).contains(QRect(QPoint(), board)) && s.board.depth() == 32) {
            // A view of the canvas's pixels, not a copy.
            shrink(QImage(s.board.constBits(), board.width() * k, board.height() * k,
                          s.board.bytesPerLine(), s.board.format()),
                   0);
        } else {
            // The canvas holds only what the window shows: the board is
            // drawn by the rule a band of rows at a time into a few
            // megabytes, each band with a row of the next, which the means
            // below its last row read.
            const int rows = std::max(1, kBandBytes / (board.width() * k * k * 4));
            QImage band(board.width() * k, (rows + 1) * k, QImage::Format_RGB32);
            if (k != 1) band.setDevicePixelRatio(k);
            for (int top = 0; top < board.height(); top += rows) {
                drawBoardByRule(ctx, band, QPoint(0, top));
                shrink(band, top * k);
            }
        }
    }
    frameView(s.window, f, g);
    markWindow(s, 0, 0, client.width(), client.height());
}

}  // namespace fusefuda
