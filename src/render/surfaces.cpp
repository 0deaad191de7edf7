#include "render/surfaces.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "assets/catalogue.h"
#include "game/GameState.h"
#include "render/raster.h"

namespace fusefuda {

namespace {

// A picture that is missing leaves its surface black, at its proper size, so
// that every copy stays within known bounds.
QImage surfaceFor(int number, int width, int height) {
    QImage picture = loadPicture(number);
    if (picture.size() == QSize(width, height)) return picture;
    QImage blank(width, height, QImage::Format_RGB32);
    blank.fill(0xFF000000u);
    return blank;
}

QImage blankSurface(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    return image;
}

QImage windowSurface(const Surfaces &s, int width, int height) {
    if (s.allocateWindow) {
        QImage image = s.allocateWindow(width, height);
        if (!image.isNull()) return image;
    }
    return blankSurface(width, height);
}

}  // namespace

int backsPictureFor(int cardPattern) {
    return cardPattern == 2 ? kBacks2Picture : kBacks1Picture;
}

int backgroundPictureFor(int backgroundPattern) {
    switch (backgroundPattern) {
    case 2: return kBackground2Picture;
    case 3: return kBackground3Picture;
    case 4: return kSeeThroughPicture;
    default: return kBackground1Picture;
    }
}

void createSurfaces(Surfaces &s, int cardPattern, int backgroundPattern, int windowWidth,
                    int windowHeight) {
    s.face = surfaceFor(kFacesPicture, 820, 405);
    s.settledFace = surfaceFor(kSettledFacesPicture, 820, 405);
    s.unknownCard = surfaceFor(kUnknownCardPicture, kCardWidth, kCardHeight);
    s.greyCard = surfaceFor(kGreyCardPicture, kCardWidth, kCardHeight);
    s.sparkleImage = surfaceFor(kSparkleImagePicture, 30, 180);
    s.sparkleMask = surfaceFor(kSparkleMaskPicture, 30, 180);
    switchBacks(s, cardPattern);
    switchBackground(s, backgroundPattern);
    s.board = blankSurface(kBoardWidth, kBoardHeight);
    s.scratch = blankSurface(200, 200);
    s.peek = s.unknownCard.copy();
    s.window = windowSurface(s, windowWidth, windowHeight);
    s.dirty = QRegion();
}

void switchBacks(Surfaces &s, int cardPattern) {
    s.backs = surfaceFor(backsPictureFor(cardPattern), 190, kCardHeight);
}

void switchBackground(Surfaces &s, int backgroundPattern) {
    const QImage picture =
        surfaceFor(backgroundPictureFor(backgroundPattern), kBoardWidth, kBoardHeight);
    // The backgrounds are rows of cells, the same all the way down: one row
    // of cells is 1.2 MB, the whole picture 19 MB.
    const int rows = repeatingHeight(picture);
    s.background = rows < picture.height() ? picture.copy(0, 0, picture.width(), rows) : picture;
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

void backgroundBlt(QImage &dst, int x, int y, int w, int h, const QImage &background, int sx,
                   int sy) {
    const int period = background.height();
    if (period >= kBoardHeight || period <= 0) {
        bitBlt(dst, x, y, w, h, background, sx, sy, SRCCOPY);
        return;
    }
    // Clipped as bitBlt clips against a picture of the board's height.
    if (y < 0) { sy -= y; h += y; y = 0; }
    if (sy < 0) { y -= sy; h += sy; sy = 0; }
    h = std::min({h, int(dst.height()) - y, kBoardHeight - sy});
    while (h > 0) {
        const int from = sy % period, rows = std::min(h, period - from);
        bitBlt(dst, x, y, w, rows, background, sx, from, SRCCOPY);
        y += rows;
        sy += rows;
        h -= rows;
    }
}

void resizeWindowSurface(Surfaces &s, int width, int height) {
    if (width <= 0 || height <= 0 || s.window.size() == QSize(width, height)) return;
    QImage fresh = windowSurface(s, width, height);
    if (!s.window.isNull()) {
        const int w = std::min(width, s.window.width());
        const int h = std::min(height, s.window.height());
        for (int y = 0; y < h; ++y)
            std::copy_n(reinterpret_cast<const uint32_t *>(s.window.constScanLine(y)), w,
                        reinterpret_cast<uint32_t *>(fresh.scanLine(y)));
    }
    s.window = fresh;
}

}  // namespace fusefuda
