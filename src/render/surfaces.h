// The off-screen surfaces and the window framebuffer. Every drawing routine
// copies rectangles between these images.
#pragma once

#include <QImage>
#include <QRegion>
#include <functional>
#include <vector>

#include "assets/numbers.h"
#include "game/GameState.h"
#include "render/imagestore.h"

namespace fusefuda {

// Sizes are in board pixels. At a scale k above 1 every image holds k x k
// device pixels a board pixel and carries k as its device pixel ratio; the
// copy routines multiply by it.
struct Surfaces {
    int scale = 1;        // device pixels a board pixel: 1, 2 or 3
    QImage face;          // 104, or 141 with four suit colours; 820 x 405
    QImage settledFace;   // 107, or 142 with four suit colours; 820 x 405
    QImage unknownCard;   // 133, 64 x 102
    QImage greyCard;      // 140, 64 x 102
    QImage sparkleImage;  // 137, 30 x 180
    QImage sparkleMask;   // 138, 30 x 180
    QImage backs;         // 105 or 126, 190 x 102
    // 121, 124, 125 or 131, 3000 wide. A picture whose rows repeat downwards
    // is kept one repeat high and stands for the board's whole height: read
    // it with backgroundBlt.
    QImage background;
    // Above scale 1, for each row of the background the first row with the
    // same pixels, and the cache key of the picture it was made for. Copies
    // then read a few rows that stay in the processor's cache: the cells'
    // rows are nearly all alike, and the picture is larger than a cache.
    std::vector<int> backgroundRows;
    qint64 backgroundRowsFor = 0;
    // The board canvas: the board as it stands, from the background and the
    // cards by the rule, less a group in hand. It holds the board rectangle
    // canvasRect(), its pixel (0, 0) at board point canvasOrigin, and is read
    // and written through the helpers of render/canvas.h. Without trimCanvas
    // it starts at (0, 0) and holds the whole board at scale 1, above scale
    // 1 as far as a window of the framebuffer's size can reach (the view's
    // limits plus the window). With it, only the window and a margin on each
    // side: a full paint centres it on the view, a pull past the margin
    // brings it round the view again. In a window of 1008 x 709 it costs
    // 7 MB at scale 1 and 20 MB at 2 where the board the window can reach
    // would cost 12 and 49, and at 200 % on scale 3 surfaces 13 MB, not 111.
    QImage board;
    QPoint canvasOrigin;
    // Whether the canvas was drawn since it was made or grew; until then a
    // pull of the view draws it before reading it.
    bool canvasDrawn = false;
    // The game's window sets this before createSurfaces; left unset, scale 1
    // keeps the canvas of the whole board that checks of it against the
    // board's rule read.
    bool trimCanvas = false;
    // The board the window can reach (game/zoom.h), beyond which the canvas
    // never reaches; unset, the view's fixed limits plus the window.
    QSize reach;
    QImage scratch;       // 200 x 200
    // The carried group's card pictures and what they were copied from
    // (carriedpictures.h).
    QImage carriedStrip;
    std::vector<qint64> carriedStripKey;
    QImage peek;          // the peek window's picture, 64 x 102
    int peekFace = kNoCard;  // the card whose face it shows; none for the question mark

    // The pictures as the surfaces took them, for the scale in use and the
    // last other one, a picture a place: a zoom back and forth across a whole
    // scale decodes nothing again.
    struct Made {
        int place = 0;   // which surface: see surfaces.cpp
        int scale = 0;
        int number = 0;  // the picture's
        QImage picture;
        std::vector<int> rows;  // the background's like rows
    };
    std::vector<Made> made;

    QImage window;        // framebuffer of the client area
    QRegion dirty;        // window area drawn since it was last presented
    // Makes an opaque black framebuffer of the given device pixels where the
    // screen can read it best; ordinary memory when unset or when it gives a
    // null image.
    std::function<QImage(int width, int height)> allocateWindow;
    // Where the framebuffer in ordinary memory and the canvas are made.
    ImageStore store;
};

// A black surface of that many board pixels at scale k.
QImage blankSurface(int width, int height, int k = 1);

// bitBlt (SRCCOPY) from the background at board point (sx, sy); a background
// shorter than the board repeats downwards to the board's height.
void backgroundBlt(QImage &dst, int x, int y, int w, int h, const QImage &background, int sx,
                   int sy);
// The same from the surfaces' background, through its table of like rows
// while that was made for the picture.
void backgroundBlt(QImage &dst, int x, int y, int w, int h, const Surfaces &s, int sx, int sy);
// The number of rows after which the picture's rows repeat, all the way
// down; its height when they do not.
int repeatingHeight(const QImage &picture);

// Picture numbers chosen by the options.
Picture backsPictureFor(int cardPattern);
Picture facesPictureFor(bool fourColour);
Picture settledFacesPictureFor(bool fourColour);
Picture backgroundPictureFor(int backgroundPattern);

// The scale the surfaces take for a device pixel ratio: 1 up to 1, 2 up to 2,
// 3 above. A fractional ratio is shown from the next whole one, smoothly
// scaled down.
int surfaceScaleFor(double devicePixelRatio);

// Creates every surface with its picture at the given scale; the window
// framebuffer gets the given client size (board pixels). fourColour gives
// the faces with clubs green and diamonds blue.
void createSurfaces(Surfaces &s, int cardPattern, int backgroundPattern, int windowWidth,
                    int windowHeight, int scale = 1, bool fourColour = false);
// Replaces both face sheets, the back strip or the background after a menu
// switch. A face on show in the peek window's picture is copied again from
// the new sheet.
void switchFaces(Surfaces &s, bool fourColour);
void switchBacks(Surfaces &s, int cardPattern);
void switchBackground(Surfaces &s, int backgroundPattern);
// Gives the framebuffer a new client size, keeping what it can; above scale 1
// the canvas grows with it when the window can show more of the board, and
// with trimCanvas it takes the window's size and margin.
void resizeWindowSurface(Surfaces &s, int width, int height);
// The surfaces for the record's client area, reachable board and zoom on a
// screen of this device pixel ratio: drawn at the next whole scale of zoom x
// ratio, made afresh (true) when that scale changes or `remake` asks for it.
bool fitSurfacesToZoom(Surfaces &s, const GameState &g, double devicePixelRatio,
                       bool remake = false);
// The same drawn at the given scale, whatever the zoom.
bool fitSurfacesAtScale(Surfaces &s, const GameState &g, int scale, bool remake = false);

// The board rectangle that the canvas holds.
QRect canvasRect(const Surfaces &s);
// Where the canvas starts for the view at board point view: centred on the
// window, within the board the window can reach; (0, 0) without trimCanvas.
QPoint canvasOriginFor(const Surfaces &s, QPoint view);
// Whether the canvas holds all of the board that the window shows with the
// view at board point view.
bool canvasShows(const Surfaces &s, QPoint view);

}  // namespace fusefuda
