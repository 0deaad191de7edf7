// The off-screen surfaces and the window framebuffer. Every drawing routine
// copies rectangles between these images.
#pragma once

#include <QImage>
#include <QRegion>
#include <functional>

namespace fusefuda {

struct Surfaces {
    QImage face;          // 104, 820 x 405
    QImage settledFace;   // 107, 820 x 405
    QImage unknownCard;   // 133, 64 x 102
    QImage greyCard;      // 140, 64 x 102
    QImage sparkleImage;  // 137, 30 x 180
    QImage sparkleMask;   // 138, 30 x 180
    QImage backs;         // 105 or 126, 190 x 102
    // 121, 124, 125 or 131, 3000 wide. A picture whose rows repeat downwards
    // is kept one repeat high and stands for the board's whole height: read
    // it with backgroundBlt.
    QImage background;
    QImage board;         // the board canvas, 3000 x 1600
    QImage scratch;       // 200 x 200
    QImage peek;          // the peek window's picture, 64 x 102

    QImage window;        // framebuffer of the client area
    QRegion dirty;        // window area drawn since it was last presented
    // Makes an opaque black framebuffer where the screen can read it best;
    // ordinary memory when unset or when it gives a null image.
    std::function<QImage(int width, int height)> allocateWindow;
};

// bitBlt (SRCCOPY) from the background at board point (sx, sy); a background
// shorter than the board repeats downwards to the board's height.
void backgroundBlt(QImage &dst, int x, int y, int w, int h, const QImage &background, int sx,
                   int sy);
// The number of rows after which the picture's rows repeat, all the way
// down; its height when they do not.
int repeatingHeight(const QImage &picture);

// Picture numbers chosen by the options.
int backsPictureFor(int cardPattern);
int backgroundPictureFor(int backgroundPattern);

// Creates every surface with its picture; the window framebuffer gets the
// given client size.
void createSurfaces(Surfaces &s, int cardPattern, int backgroundPattern, int windowWidth,
                    int windowHeight);
// Replaces the back strip or the background after a menu switch.
void switchBacks(Surfaces &s, int cardPattern);
void switchBackground(Surfaces &s, int backgroundPattern);
// Gives the framebuffer a new client size, keeping what it can.
void resizeWindowSurface(Surfaces &s, int width, int height);

}  // namespace fusefuda
