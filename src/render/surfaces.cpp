#include "render/surfaces.h"

#include "assets/catalogue.h"
#include "game/GameState.h"

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
    s.window = blankSurface(windowWidth, windowHeight);
    s.dirty = QRegion();
}

void switchBacks(Surfaces &s, int cardPattern) {
    s.backs = surfaceFor(backsPictureFor(cardPattern), 190, kCardHeight);
}

void switchBackground(Surfaces &s, int backgroundPattern) {
    s.background = surfaceFor(backgroundPictureFor(backgroundPattern), kBoardWidth, kBoardHeight);
}

void resizeWindowSurface(Surfaces &s, int width, int height) {
    if (width <= 0 || height <= 0 || s.window.size() == QSize(width, height)) return;
    QImage fresh = blankSurface(width, height);
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
