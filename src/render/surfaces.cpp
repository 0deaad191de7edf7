#include "render/surfaces.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "assets/catalogue.h"
#include "game/GameState.h"
#include "game/zoom.h"
#include "render/pictures.h"
#include "render/raster.h"

namespace fusefuda {

// A picture that is missing leaves its surface black, at its proper size, so
// that every copy stays within known bounds.
QImage blankSurface(int width, int height, int k) {
    QImage image(width * k, height * k, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    if (k != 1) image.setDevicePixelRatio(k);
    return image;
}

namespace {

QImage surfaceFor(Surfaces &s, int place, int number, int k) {
    if (const Surfaces::Made *m = madeFor(s, place, number, k)) return m->picture;
    std::vector<Surfaces::Made> made{makePicture(place, number, k)};
    QImage picture = made.front().picture;
    keepPictures(s, std::move(made));
    return picture;
}

QImage windowSurface(Surfaces &s, int width, int height) {
    if (s.allocateWindow) {
        QImage image = s.allocateWindow(width * s.scale, height * s.scale);
        if (!image.isNull()) {
            if (s.scale != 1) image.setDevicePixelRatio(s.scale);
            return image;
        }
    }
    return s.store.blank(width, height, s.scale);
}

// The board that the canvas may hold, from (0, 0): what a window of the
// given client size can show of it at the view's limits, or the whole board.
QSize canvasBounds(const Surfaces &s, QSize window) {
    if (s.scale == 1 && !s.trimCanvas) return {kBoardWidth, kBoardHeight};
    const QSize reach = s.reach.isEmpty() ? window + QSize(kViewXMax, kViewYMax) : s.reach;
    return {std::min(kBoardWidth, std::max(reach.width(), window.width())),
            std::min(kBoardHeight, std::max(reach.height(), window.height()))};
}

// Device pixels kept beyond each side of the window: a pull of the view by
// less redraws nothing but the window. As many pixels of the screen at every
// scale, so that the canvas costs k times as much at scale k, not k x k.
constexpr int kCanvasMargin = 128;

QSize canvasSize(const Surfaces &s, QSize window) {
    const QSize bounds = canvasBounds(s, window);
    if (!s.trimCanvas) return bounds;
    const int margin = kCanvasMargin / s.scale;
    return bounds.boundedTo(window + QSize(2 * margin, 2 * margin));
}

QPoint clampedOrigin(const Surfaces &s, QPoint origin, QSize canvas) {
    const QSize bounds = canvasBounds(s, logicalSize(s.window));
    return {std::clamp(origin.x(), 0, std::max(0, bounds.width() - canvas.width())),
            std::clamp(origin.y(), 0, std::max(0, bounds.height() - canvas.height()))};
}

}  // namespace

Picture backsPictureFor(int cardPattern) {
    return cardPattern == kCardBacks2 ? kBacks2Picture : kBacks1Picture;
}

Picture facesPictureFor(bool fourColour) {
    return fourColour ? kFourColourFacesPicture : kFacesPicture;
}

Picture settledFacesPictureFor(bool fourColour) {
    return fourColour ? kFourColourSettledFacesPicture : kSettledFacesPicture;
}

Picture backgroundPictureFor(int backgroundPattern) {
    switch (backgroundPattern) {
    case kBackgroundPattern2: return kBackground2Picture;
    case kBackgroundPattern3: return kBackground3Picture;
    case kSeeThroughBackground: return kSeeThroughPicture;
    default: return kBackground1Picture;
    }
}

int surfaceScaleFor(double devicePixelRatio) {
    return devicePixelRatio <= 1.0 ? 1 : devicePixelRatio <= 2.0 ? 2 : 3;
}

namespace {

void copyPeekFace(Surfaces &s) {
    if (s.peekFace >= 0 && s.peekFace < kCards && !s.peek.isNull())
        bitBlt(s.peek, 0, 0, kCardWidth, kCardHeight, s.face, kPitchX * cardColumn(s.peekFace),
               kPitchY * cardRow(s.peekFace), SRCCOPY);
}

}  // namespace

void createSurfaces(Surfaces &s, int cardPattern, int backgroundPattern, int windowWidth,
                    int windowHeight, int scale, bool fourColour) {
    const int was = s.scale;
    const int k = s.scale = std::clamp(scale, 1, 3);
    std::erase_if(s.made, [&](const Surfaces::Made &m) { return m.scale != k && m.scale != was; });
    s.peek = QImage();  // made below, at the new scale
    // Whatever is not made at this scale yet is decoded side by side.
    std::vector<Surfaces::Made> missing =
        picturesMissing(s, {cardPattern, backgroundPattern, fourColour}, k);
    decodePictures(missing);
    keepPictures(s, std::move(missing));
    switchFaces(s, fourColour);
    s.unknownCard = surfaceFor(s, kUnknownPlace, kUnknownCardPicture, k);
    s.greyCard = surfaceFor(s, kGreyPlace, kGreyCardPicture, k);
    s.sparkleImage = surfaceFor(s, kSparklePlace, kSparkleImagePicture, k);
    s.sparkleMask = surfaceFor(s, kSparkleMaskPlace, kSparkleMaskPicture, k);
    switchBacks(s, cardPattern);
    switchBackground(s, backgroundPattern);
    const QSize canvas = canvasSize(s, QSize(windowWidth, windowHeight));
    s.board = s.store.blank(canvas.width(), canvas.height(), k);
    s.canvasOrigin = QPoint();
    s.canvasDrawn = false;
    s.scratch = blankSurface(200, 200, k);
    // A face on show in the peek window stays on show at the new scale.
    s.peek = s.unknownCard.copy();
    copyPeekFace(s);
    s.window = windowSurface(s, windowWidth, windowHeight);
    s.dirty = QRegion();
}

void switchFaces(Surfaces &s, bool fourColour) {
    s.face = surfaceFor(s, kFacePlace, facesPictureFor(fourColour), s.scale);
    s.settledFace =
        surfaceFor(s, kSettledPlace, settledFacesPictureFor(fourColour), s.scale);
    copyPeekFace(s);
}

void switchBacks(Surfaces &s, int cardPattern) {
    s.backs = surfaceFor(s, kBacksPlace, backsPictureFor(cardPattern), s.scale);
}

void switchBackground(Surfaces &s, int backgroundPattern) {
    const int number = backgroundPictureFor(backgroundPattern);
    const Surfaces::Made *m = madeFor(s, kBackgroundPlace, number, s.scale);
    if (!m) {
        keepPictures(s, {makePicture(kBackgroundPlace, number, s.scale)});
        m = madeFor(s, kBackgroundPlace, number, s.scale);
    }
    s.background = m->picture;
    s.backgroundRows = m->rows;
    s.backgroundRowsFor = s.background.cacheKey();
}

int repeatingHeight(const QImage &picture) {
    const int h = picture.height();
    if (h < 2) return h;
    const auto line = [&](int y) {
        return std::string_view(reinterpret_cast<const char *>(picture.constScanLine(y)),
                                size_t(picture.width()) * size_t(picture.depth()) / 8);
    };
    // The shortest period of the sequence of rows, found on their hashes with
    // the prefix function, then checked row by row.
    std::vector<size_t> hashes(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) hashes[size_t(y)] = std::hash<std::string_view>{}(line(y));
    std::vector<int> border(static_cast<size_t>(h), 0);
    for (int i = 1, k = 0; i < h; ++i) {
        while (k > 0 && hashes[size_t(i)] != hashes[size_t(k)]) k = border[size_t(k - 1)];
        if (hashes[size_t(i)] == hashes[size_t(k)]) ++k;
        border[size_t(i)] = k;
    }
    const int period = h - border[size_t(h - 1)];
    for (int y = period; y < h; ++y)
        if (line(y) != line(y - period)) return h;
    return period;
}

namespace {

// Copies a row of n pixels with stores that bypass the cache where the
// processor has them.
void streamRow(uint32_t *to, const uint32_t *from, int n) {
#if defined(__SSE2__)
    int i = 0;
    for (; i < n && (reinterpret_cast<uintptr_t>(to + i) & 15) != 0; ++i) to[i] = from[i];
    for (; i + 4 <= n; i += 4)
        _mm_stream_si128(reinterpret_cast<__m128i *>(to + i),
                         _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + i)));
    for (; i < n; ++i) to[i] = from[i];
#else
    std::memcpy(to, from, size_t(n) * 4);
#endif
}

void finishStreaming() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

void repeatingBlt(QImage &dst, int x, int y, int w, int h, const QImage &background, int sx,
                  int sy, const std::vector<int> *rows) {
    // Above scale 1 the rows repeat in device pixels.
    const int k = scaleOf(dst);
    if (k != 1) {
        x *= k, y *= k, w *= k, h *= k;
        sx *= k, sy *= k;
    }
    const int period = background.height(), boardHeight = kBoardHeight * k;
    if (period <= 0) return;
    if (k == 1 && period >= boardHeight) {
        deviceBitBlt(dst, x, y, w, h, background, sx, sy, SRCCOPY);
        return;
    }
    // Clipped as bitBlt clips against a picture of the board's height.
    if (y < 0) { sy -= y; h += y; y = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    h = std::min({h, int(dst.height()) - y, boardHeight - sy});
    if (k != 1 && dst.depth() == 32 && background.depth() == 32) {
        // Above scale 1 a whole canvas is several times the processor's
        // cache: its rows are written past the cache instead of first being
        // read into it.
        if (x < 0) { sx -= x; w += x; x = 0; }
        if (sx < 0) { x -= sx; w += sx; sx = 0; }
        w = std::min({w, int(dst.width()) - x, int(background.width()) - sx});
        if (w <= 0 || h <= 0) return;
        const qsizetype stride = dst.bytesPerLine() / 4;
        uint32_t *to = reinterpret_cast<uint32_t *>(dst.bits()) + qsizetype(y) * stride + x;
        for (int i = 0; i < h; ++i) {
            const int row = (sy + i) % period, from = rows ? (*rows)[size_t(row)] : row;
            streamRow(to + i * stride,
                      reinterpret_cast<const uint32_t *>(background.constScanLine(from)) + sx, w);
        }
        finishStreaming();
        return;
    }
    while (h > 0) {
        const int from = sy % period, count = std::min(h, period - from);
        deviceBitBlt(dst, x, y, w, count, background, sx, from, SRCCOPY);
        y += count;
        sy += count;
        h -= count;
    }
}

}  // namespace

void backgroundBlt(QImage &dst, int x, int y, int w, int h, const QImage &background, int sx,
                   int sy) {
    repeatingBlt(dst, x, y, w, h, background, sx, sy, nullptr);
}

void backgroundBlt(QImage &dst, int x, int y, int w, int h, const Surfaces &s, int sx, int sy) {
    const bool tabled = s.backgroundRowsFor == s.background.cacheKey() &&
                        s.backgroundRows.size() == size_t(s.background.height());
    repeatingBlt(dst, x, y, w, h, s.background, sx, sy, tabled ? &s.backgroundRows : nullptr);
}

namespace {

// Keeps the top-left of what `from` holds in the larger or smaller `into`.
void keepPixels(const QImage &from, QImage &into) {
    if (from.isNull()) return;
    const int w = std::min(into.width(), from.width());
    const int h = std::min(into.height(), from.height());
    for (int y = 0; y < h; ++y)
        std::copy_n(reinterpret_cast<const uint32_t *>(from.constScanLine(y)), w,
                    reinterpret_cast<uint32_t *>(into.scanLine(y)));
}

}  // namespace

bool fitSurfacesToZoom(Surfaces &s, const GameState &g, double devicePixelRatio, bool remake) {
    return fitSurfacesAtScale(s, g, surfaceScaleFor(devicePixelRatio * g.zoom), remake);
}

bool fitSurfacesAtScale(Surfaces &s, const GameState &g, int scale, bool remake) {
    const BoardPoint reach = reachableBoard(g);
    s.reach = QSize(reach.x, reach.y);
    remake = remake || scale != s.scale || s.board.isNull();
    if (remake)
        createSurfaces(s, g.cardPattern, g.backgroundPattern, g.clientWidth, g.clientHeight, scale,
                       g.fourColourOn);
    else
        resizeWindowSurface(s, g.clientWidth, g.clientHeight);
    return remake;
}

void resizeWindowSurface(Surfaces &s, int width, int height) {
    // Before the surfaces exist there is nothing to keep: createSurfaces makes
    // the framebuffer at the size the window has by then.
    if (s.board.isNull()) return;
    if (width <= 0 || height <= 0 || logicalSize(s.window) == QSize(width, height)) return;
    QImage fresh = windowSurface(s, width, height);
    keepPixels(s.window, fresh);
    s.window = fresh;
    if (s.scale == 1 && !s.trimCanvas) return;
    QSize canvas = canvasSize(s, QSize(width, height));
    // The canvas of all the window can reach only ever grows.
    if (!s.trimCanvas) canvas = canvas.expandedTo(logicalSize(s.board));
    const QRect was = canvasRect(s);
    const QRect now(clampedOrigin(s, s.canvasOrigin, canvas), canvas);
    if (now == was) return;
    // What both hold is kept: a move before the next full paint copies from it.
    QImage resized = s.store.blank(canvas.width(), canvas.height(), s.scale);
    bitBlt(resized, was.x() - now.x(), was.y() - now.y(), was.width(), was.height(), s.board, 0,
           0, SRCCOPY);
    s.board = resized;
    s.canvasOrigin = now.topLeft();
    s.canvasDrawn = s.canvasDrawn && was.contains(now);
}

QRect canvasRect(const Surfaces &s) { return QRect(s.canvasOrigin, logicalSize(s.board)); }

QPoint canvasOriginFor(const Surfaces &s, QPoint view) {
    if (!s.trimCanvas) return QPoint();
    const QSize canvas = logicalSize(s.board), window = logicalSize(s.window);
    return clampedOrigin(s, view - QPoint((canvas.width() - window.width()) / 2,
                                          (canvas.height() - window.height()) / 2),
                         canvas);
}

bool canvasShows(const Surfaces &s, QPoint view) {
    const QRect shown = QRect(view, logicalSize(s.window))
                            .intersected(QRect(QPoint(), canvasBounds(s, logicalSize(s.window))));
    return shown.isEmpty() || canvasRect(s).contains(shown);
}

}  // namespace fusefuda
