// The end-to-end test's eyes: compares screenshots of the running game with
// what the game's own pictures say should be there, and tells the driver
// which parts of the game are present in this build.
//
//   probe pictures                      exit 0 when the pictures are built in
//   probe input                         exit 0 when a press picks a card up
//   probe locate SHOT BACKP             prints the client area's origin
//   probe background SHOT X0 Y0 BACKP   the strips no card can reach
//   probe sevens SHOT X0 Y0 LEFT TOP [SPENT]
//                                       the sevens' column at window (LEFT, TOP);
//                                       with "spent" the seven of spades is spent,
//                                       with "spent2" that of hearts too
//   probe focus SHOT X0 Y0              the keyboard's focus outline is on the board
//   probe groupfile PATH [wide]         a play file with a 16-card group at window (50, 100):
//                                       two rows high, or wide (the spades joined to the
//                                       sevens' column, 13 cards wide and 4 high)
//   probe wonfile PATH                  a play file of a won beginner game
//   probe lastmovefile PATH             a play file of a beginner game one drop from
//                                       its end; prints that drop as "drag X1 Y1 X2 Y2"
//                                       in client coordinates
//   probe atfit W H X Y...              the fit zoom of a W x H client area in percent,
//                                       then for each client point at the start view at
//                                       100 %: the window point showing its board point
//                                       at fit, and the client point at 100 % of the board
//                                       point that window point names (within 2 pixels)
//   probe --scale=K ...                 the screenshot holds K device pixels a
//                                       pixel; positions stay in pixels, the
//                                       origin X0 Y0 in device pixels
//   probe [--scale=K] --four-colour ... the faces have clubs green and diamonds blue
#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "assets/catalogue.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/board.h"
#include "game/zoom.h"
#include "playfile/playfile.h"
#include "render/surfaces.h"
#include "support/table.h"

using namespace fusefuda;

namespace {

// A deal of a fixed clock on a table of the game's own, saved where the
// caller says.
struct ProbeTable : testing::Table {
    ProbeTable(Level level, const char *savePath) {
        shell.saveChoice = savePath;
        deal(level, 1);
    }
    // Saves through the game's command; what went wrong goes to stderr and
    // the exit status.
    int save() {
        savePlayFile(g(), shell);
        for (const std::string &message : shell.messages) std::fprintf(stderr, "%s\n", message.c_str());
        return shell.messages.empty() ? 0 : 1;
    }
};

constexpr int kViewX = kStartViewX, kViewY = kStartViewY;
int gScale = 1;
bool gFourColour = false;

bool samePixels(const QImage &shot, int x, int y, const QImage &expected, int ex, int ey, int w,
                int h, bool report) {
    for (int dy = 0; dy < h; ++dy)
        for (int dx = 0; dx < w; ++dx) {
            const QRgb a = shot.pixel(x + dx, y + dy) & 0xFFFFFFu;
            const QRgb b = expected.pixel(ex + dx, ey + dy) & 0xFFFFFFu;
            if (a != b) {
                if (report)
                    std::fprintf(stderr, "pixel (%d, %d) is %06x, expected %06x\n", x + dx,
                                 y + dy, a, b);
                return false;
            }
        }
    return true;
}

QImage screenshot(const char *path) {
    QImage shot(QString::fromLocal8Bit(path));
    if (shot.isNull()) {
        std::fprintf(stderr, "cannot read %s\n", path);
        std::exit(2);
    }
    return shot.convertToFormat(QImage::Format_RGB32);
}

// The board's background at the probe's scale, in device pixels.
QImage background(int backP) {
    Surfaces s;
    createSurfaces(s, 1, backP, 1, 1, gScale);
    QImage whole(kBoardWidth * gScale, kBoardHeight * gScale, QImage::Format_RGB32);
    if (gScale != 1) whole.setDevicePixelRatio(gScale);
    backgroundBlt(whole, 0, 0, kBoardWidth, kBoardHeight, s.background, 0, 0);
    return whole;
}

int locate(const char *path, int backP) {
    const QImage shot = screenshot(path);
    const QImage bg = background(backP);
    const int k = gScale;
    for (int y0 = 0; y0 <= 120 * k; ++y0)
        for (int x0 = 0; x0 <= 20 * k; ++x0)
            if (samePixels(shot, x0 + 10 * k, y0 + 10 * k, bg, (kViewX + 10) * k, (kViewY + 10) * k,
                           200 * k, 110 * k, false)) {
                std::printf("%d %d\n", x0, y0);
                return 0;
            }
    std::fprintf(stderr, "no client area showing background %d\n", backP);
    return 1;
}

// Right of x 920 and below y 630 no scattered card can lie at the start view;
// the driver parks the carried sevens at (940, 150), above y 560.
int checkBackground(const char *path, int x0, int y0, int backP) {
    const QImage shot = screenshot(path);
    const QImage bg = background(backP);
    const int width = std::min(shot.width() - x0, 1000), height = std::min(shot.height() - y0, 680);
    bool ok = samePixels(shot, x0 + 920, y0 + 560, bg, kViewX + 920, kViewY + 560, width - 920,
                         height - 560, true);
    ok = ok && samePixels(shot, x0 + 5, y0 + 630, bg, kViewX + 5, kViewY + 630, width - 5,
                          height - 630, true);
    return ok ? 0 : 1;
}

int checkSevens(const char *path, int x0, int y0, int left, int top, const char *spent) {
    const QImage shot = screenshot(path);
    Surfaces s;
    createSurfaces(s, 1, 1, 1, 1, gScale, gFourColour);
    const int k = gScale;
    // The group as drawGroup lays it: rows top to bottom, one pixel overlap.
    QImage column(kCardWidth * k, (3 * kPitchY + kCardHeight) * k, QImage::Format_RGB32);
    for (int r = 0; r < kRows; ++r) {
        const bool spentRow = spent && (r == 0 || (r == 2 && std::strcmp(spent, "spent2") == 0));
        const QImage &sheet = spentRow ? s.face : s.settledFace;
        for (int y = 0; y < kCardHeight * k; ++y)
            for (int x = 0; x < kCardWidth * k; ++x)
                column.setPixel(x, kPitchY * r * k + y,
                                sheet.pixel(kPitchX * 6 * k + x, kPitchY * r * k + y));
    }
    return samePixels(shot, x0 + left * k, y0 + top * k, column, 0, 0, column.width(),
                      column.height(), true)
               ? 0
               : 1;
}

int pressPicksUp() {
    ProbeTable t(kBeginner, "");
    onLeftPress(t.play, 472 + 20, 150 + 20, false);
    return t.g().gesture.dragging == 1 ? 0 : 1;
}

// Joins the listed cards into one group, the first card at board (left, top).
void joinGroup(GameState &g, const std::vector<int> &ids, int left, int top) {
    for (int a : ids)
        for (int b : ids) g.board.groupMembers[a][cardColumn(b)][cardRow(b)] = 1;
    alignGroup(g, left, top, ids.front());
    raiseGroupInStack(g, cardColumn(ids.front()), cardRow(ids.front()));
}

enum class Shape { Compact, Wide, Won };

int writePlayFile(const char *path, Shape shape) {
    const bool won = shape == Shape::Won;
    const Level level = won ? kBeginner : kAdvanced;
    ProbeTable t(level, path);
    GameState &g = t.g();
    std::vector<int> ids;
    if (won) {
        const ColumnRange cols = columnsInPlay(level);
        for (int r = 0; r < kRows; ++r)
            for (int c = cols.first; c <= cols.last; ++c) ids.push_back(cardId(c, r));
        joinGroup(g, ids, 475 - 128 + g.viewX, 150 + g.viewY);
        g.gameOver = 1;
    } else if (shape == Shape::Wide) {
        // Every spade; their seven brings the sevens' column with it.
        for (int c = 0; c < kColumns; ++c) ids.push_back(cardId(c, 0));
        for (int r = 1; r < kRows; ++r) ids.push_back(cardId(kSevensColumn, r));
        joinGroup(g, ids, 50 + g.viewX, 100 + g.viewY);
    } else {
        // The spades but their seven, and the threes to sixes of clubs below.
        for (int c = 0; c < kColumns; ++c)
            if (c != 6) ids.push_back(cardId(c, 0));
        for (int c = 2; c <= 5; ++c) ids.push_back(cardId(c, 1));
        joinGroup(g, ids, 50 + g.viewX, 100 + g.viewY);
    }
    return t.save();
}

// Every card but the nine of diamonds joined to the sevens, and the nine face
// down and untouched apart from them, so that one drop wins with a score
// that tops the default table.
int writeLastMoveFile(const char *path) {
    ProbeTable t(kBeginner, path);
    GameState &g = t.g();
    const int lastColumn = 8, lastRow = 3;
    std::vector<int> ids;
    const ColumnRange cols = columnsInPlay(kBeginner);
    for (int r = 0; r < kRows; ++r)
        for (int c = cols.first; c <= cols.last; ++c)
            if (c != lastColumn || r != lastRow) ids.push_back(cardId(c, r));
    joinGroup(g, ids, 475 - 128 + g.viewX, 150 + g.viewY);
    // Right of the group and clear of it.
    joinGroup(g, {cardId(lastColumn, lastRow)}, 800 + g.viewX, 300 + g.viewY);
    const Rect &card = g.board.cardRect[lastColumn][lastRow];
    const Rect &neighbour = g.board.cardRect[lastColumn - 1][lastRow];
    const int fromX = card.left + 30 - g.viewX, fromY = card.top + 50 - g.viewY;
    const int toX = fromX + (neighbour.left + kPitchX) - card.left;
    const int toY = fromY + neighbour.top - card.top;
    if (t.save() != 0) return 1;
    std::printf("drag %d %d %d %d\n", fromX, fromY, toX, toY);
    return 0;
}

// The focus outline's magenta, on three sides of a card at least.
int checkFocus(const char *path, int x0, int y0) {
    const QImage shot = screenshot(path);
    int count = 0;
    for (int y = y0; y < shot.height(); ++y)
        for (int x = x0; x < shot.width(); ++x) count += (shot.pixel(x, y) & 0xFFFFFFu) == 0xFF00FFu;
    return count >= 3 * 80 * gScale * gScale ? 0 : 1;
}

int atFit(int w, int h, char **xy, int count) {
    auto g = std::make_unique<GameState>();
    g->viewX = kViewX, g->viewY = kViewY;
    g->clientWidth = w, g->clientHeight = h;
    zoomView(*g, 0, w, h, 0, 0);
    // Where the limits leave the view no room, the wheel's path to fit does not matter.
    if (viewXMax(*g) != 0 || viewYMax(*g) != 0) return std::fprintf(stderr, "room at fit\n"), 1;
    std::printf("%ld\n", std::lround(g->zoom * 100));
    for (int i = 0; i + 1 < count; i += 2) {
        const int x = std::atoi(xy[i]) + kViewX, y = std::atoi(xy[i + 1]) + kViewY;
        const int wx = clientToWindow(x, g->zoom), wy = clientToWindow(y, g->zoom);
        const int bx = windowToClient(wx, g->zoom), by = windowToClient(wy, g->zoom);
        if (std::abs(bx - x) > 2 || std::abs(by - y) > 2) return 1;
        std::printf("%d %d %d %d\n", wx, wy, bx - kViewX, by - kViewY);
    }
    return 0;
}

}  // namespace

int main(int argc, char **argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QGuiApplication app(argc, argv);
    if (argc > 1 && std::strncmp(argv[1], "--scale=", 8) == 0) {
        gScale = std::clamp(std::atoi(argv[1] + 8), 1, 3);
        ++argv;
        --argc;
    }
    if (argc > 1 && std::strcmp(argv[1], "--four-colour") == 0) {
        gFourColour = true;
        ++argv;
        --argc;
    }
    const std::string what = argc > 1 ? argv[1] : "";
    if (what == "pictures")
        return loadPicture(kFacesPicture).isNull() || loadPicture(kSettledFacesPicture).isNull() ||
                       loadPicture(kBackground1Picture).isNull() ||
                       loadPicture(kBackground3Picture).isNull()
                   ? 1
                   : 0;
    if (what == "input") return pressPicksUp();
    if (what == "groupfile" && argc == 3) return writePlayFile(argv[2], Shape::Compact);
    if (what == "groupfile" && argc == 4 && std::strcmp(argv[3], "wide") == 0)
        return writePlayFile(argv[2], Shape::Wide);
    if (what == "wonfile" && argc == 3) return writePlayFile(argv[2], Shape::Won);
    if (what == "lastmovefile" && argc == 3) return writeLastMoveFile(argv[2]);
    if (what == "atfit" && argc >= 4)
        return atFit(std::atoi(argv[2]), std::atoi(argv[3]), argv + 4, argc - 4);
    if (what == "locate" && argc == 4) return locate(argv[2], std::atoi(argv[3]));
    if (what == "background" && argc == 6)
        return checkBackground(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    if (what == "focus" && argc == 5)
        return checkFocus(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
    if (what == "sevens" && (argc == 7 || argc == 8))
        return checkSevens(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]),
                           std::atoi(argv[6]), argc == 8 ? argv[7] : nullptr);
    std::fprintf(stderr, "usage: see the top of probe.cpp\n");
    return 2;
}
