// What one mouse move costs while a group is carried, next to a full paint.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "game/board.h"
#include "game/deal.h"
#include "game/input.h"
#include "game/starting.h"
#include "game/zoom.h"
#include "render/pictures.h"
#include "render/cards.h"
#include "render/overview.h"
#include "render/painting.h"
#include "support/quiet_shell.h"

using namespace fusefuda;

namespace {

// Device pixels a board pixel of the surfaces: play_bench --scale=2.
int gScale = 1;

// Noise of w x h board pixels at the benchmark's scale.
QImage noise(int w, int h, uint32_t seed) {
    QImage img(w * gScale, h * gScale, QImage::Format_RGB32);
    if (gScale != 1) img.setDevicePixelRatio(gScale);
    w *= gScale;
    h *= gScale;
    uint32_t v = seed;
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            v = v * 1664525u + 1013904223u;
            line[x] = 0xFF000000u | (v >> 8);
        }
    }
    return img;
}

// An advanced board as dealt, in a 1008 x 709 client area.
struct Bench {
    // With gamePictures the game's own pictures, as the game holds them (the
    // background one row of cells high); otherwise noise that no cache keeps.
    // With trimmed the canvas reaches as far as the view can, as the game's.
    explicit Bench(bool gamePictures = false, bool trimmed = false, int background = 1) {
        setStartingValues(*g);
        g->backgroundPattern = Background(background);
        s.trimCanvas = trimmed;
        createSurfaces(s, 1, background, 1008, 709, gScale);
        if (!gamePictures) {
            s.background = noise(kBoardWidth, kBoardHeight, 1);
            s.face = noise(820, 405, 2);
            s.settledFace = noise(820, 405, 3);
            s.backs = noise(190, kCardHeight, 4);
        }
        g->clientWidth = 1008;
        g->clientHeight = 709;
        startNewGame(play, kAdvanced, 4242);
        dealScatter(play, kAdvanced);
        g->dealPending = false;
        paintWindow(ctx);
    }
    // Joins the first n cards in row order (whole rows first) to card 0 and
    // lays them out at (left, top).
    void group(int n, int left, int top) {
        int32_t cells[kColumns][kRows] = {};
        for (int i = 0; i < n; ++i) cells[i % kColumns][i / kColumns] = 1;
        group(cells, left, top);
    }
    // The wide shape of a late advanced game: the whole first row joined to
    // the sevens' column, 16 cards 13 wide and 4 high.
    void wideGroup(int left, int top) {
        int32_t cells[kColumns][kRows] = {};
        for (int c = 0; c < kColumns; ++c) cells[c][0] = 1;
        for (int r = 1; r < kRows; ++r) cells[kSevensColumn][r] = 1;
        group(cells, left, top);
    }
    // Joins the marked cells (card 0 among them) and lays them out with card 0
    // at (left, top).
    void group(const int32_t (&cells)[kColumns][kRows], int left, int top) {
        for (int id = 0; id < kCards; ++id) {
            const bool member = cells[cardColumn(id)][cardRow(id)] == 1;
            for (int c = 0; c < kColumns; ++c)
                for (int r = 0; r < kRows; ++r)
                    g->board.groupMembers[id][c][r] = member ? cells[c][r] : (id == cardId(c, r));
        }
        alignGroup(*g, left, top, 0);
        paintWindow(ctx);
    }
    std::unique_ptr<GameState> g = std::make_unique<GameState>();
    Surfaces s;
    QuietTable table{*g, s};
    Context &ctx = table.ctx;
    Play &play = table.play;
};

void carryMove(benchmark::State &state) {
    Bench b;
    const int n = int(state.range(0));
    b.group(n, 500, 480);
    const int x = 500 - b.g->viewX + 20, y = 480 - b.g->viewY + 20;
    onLeftPress(b.play, x, y, false);
    int step = 0;
    for (auto _ : state) {
        onMouseMove(b.play, x + (step & 7), y + ((step >> 3) & 3));
        b.s.dirty = QRegion();  // the window presents and forgets after every move
        ++step;
    }
    state.SetLabel(std::to_string(n) + " cards");
}
BENCHMARK(carryMove)->Arg(1)->Arg(13)->Arg(52);

// The carry redraw alone, without the rest of the move handler.
void carryRedraw13(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    liftGroup(b.ctx, 0);
    int step = 0, left = 500, top = 480;
    for (auto _ : state) {
        const int nl = 500 + (step & 7), nt = 480 + ((step >> 3) & 3);
        eraseCarryTrail(b.ctx, left, top, 0);
        drawCarryShadow(b.ctx, nl + 5, nt + 5, 0);
        drawGroup(b.ctx, nl, nt, 0, b.s.window, true);
        left = nl;
        top = nt;
        b.s.dirty = QRegion();
        ++step;
    }
}
BENCHMARK(carryRedraw13);

// With range 1, a benchmark's caches are cooled between its steps (16 MB of
// other memory written, off the clock), as the rest of a frame, the window
// system and other programs cool them in a running game.
class CacheCooler {
public:
    explicit CacheCooler(benchmark::State &state)
        : state_(state), other_(state.range(0) == 1 ? 16 << 20 : 0, 1) {
        state.SetLabel(other_.empty() ? "warm caches" : "cold caches");
    }
    void cool() {
        if (other_.empty()) return;
        state_.PauseTiming();
        for (size_t i = 0; i < other_.size(); i += 64) other_[i] = char(other_[i] + 1);
        state_.ResumeTiming();
    }

private:
    benchmark::State &state_;
    std::vector<char> other_;
};

// The same redraw in one pass, as a move does it: the canvas back only where
// the cards will not be, the shadow only outside its own card, and a few
// rectangles to present, with warm caches and cooled ones (range 1).
void carryRedrawOnePass13(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    liftGroup(b.ctx, 0);
    CacheCooler cooler(state);
    int step = 0, left = 500, top = 480;
    for (auto _ : state) {
        cooler.cool();
        const int nl = 500 + 5 * (step % 20), nt = 480;
        moveCarriedGroup(b.ctx, left, top, nl, nt, 0);
        left = nl;
        top = nt;
        b.s.dirty = QRegion();
        ++step;
    }
}
BENCHMARK(carryRedrawOnePass13)->Arg(0)->Arg(1);

// A frame of the carries that tests/e2e/measure.sh times: a group of sixteen
// in two rows (thirteen and three), or wide (range 1: a row and the sevens'
// column, four rows high), carried back and forth by 20 pixels a frame (four
// mouse moves of 5 pixels fold into each), its dirty area handed to the
// presenter as the window does it, with warm caches and cooled ones (range 0).
void carryFrame16(benchmark::State &state) {
    Bench b;
    const bool wide = state.range(1) == 1;
    // Where the measurement lays both: the anchor at (50, 100) in the window.
    const int left0 = b.g->viewX + 50, top0 = b.g->viewY + 100;
    if (wide)
        b.wideGroup(left0, top0);
    else
        b.group(16, left0, top0);
    liftGroup(b.ctx, 0);
    CacheCooler cooler(state);
    QRegion unshown;
    int step = 0, left = left0, top = top0;
    int64_t rects = 0, frames = 0;
    for (auto _ : state) {
        cooler.cool();
        const int phase = step % 10, nl = left0 + 20 * (phase < 5 ? phase : 10 - phase), nt = top0;
        moveCarriedGroup(b.ctx, left, top, nl, nt, 0);
        left = nl;
        top = nt;
        unshown += b.s.dirty;
        b.s.dirty = QRegion();
        for (const QRect &r : unshown) benchmark::DoNotOptimize(r);
        rects += unshown.rectCount();
        ++frames;
        unshown = QRegion();
        ++step;
    }
    state.counters["rects"] = double(rects) / double(frames);
    state.SetLabel(std::string(wide ? "wide, " : "compact, ") +
                   (state.range(0) == 1 ? "cold caches" : "warm caches"));
}
BENCHMARK(carryFrame16)->ArgsProduct({{0, 1}, {0, 1}});

// What the window then presents per move: the area marked, in rectangles.
void carryMarkedArea13(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    liftGroup(b.ctx, 0);
    const bool onePass = state.range(0) == 1;
    int step = 0, left = 500, top = 480;
    int64_t pixels = 0, rects = 0, moves = 0;
    for (auto _ : state) {
        const int nl = 500 + 5 * (step % 20), nt = 480;
        if (onePass) {
            moveCarriedGroup(b.ctx, left, top, nl, nt, 0);
        } else {
            eraseCarryTrail(b.ctx, left, top, 0);
            drawCarryShadow(b.ctx, nl + 5, nt + 5, 0);
            drawGroup(b.ctx, nl, nt, 0, b.s.window, true);
        }
        for (const QRect &r : b.s.dirty) pixels += int64_t(r.width()) * r.height();
        rects += b.s.dirty.rectCount();
        ++moves;
        left = nl;
        top = nt;
        b.s.dirty = QRegion();
        ++step;
    }
    state.counters["pixels"] = double(pixels) / double(moves);
    state.counters["rects"] = double(rects) / double(moves);
    state.SetLabel(onePass ? "one pass" : "wipe, shade, draw");
}
BENCHMARK(carryMarkedArea13)->Arg(0)->Arg(1);

// The shadow of a row of 13 with our own AND blit, and with QPainter's.
void shadow13OwnBlit(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    for (auto _ : state) {
        drawCarryShadow(b.ctx, 505, 485, 0);
        b.s.dirty = QRegion();
    }
}
BENCHMARK(shadow13OwnBlit);

void shadow13GeneralBlit(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    for (auto _ : state) {
        for (int c = 0; c < kColumns; ++c)
            windowBlt(b.s, 505 + kPitchX * c - b.g->viewX, 485 - b.g->viewY, kCardWidth,
                      kCardHeight, b.s.greyCard, 0, 0, SRCAND);
        b.s.dirty = QRegion();
    }
}
BENCHMARK(shadow13GeneralBlit);

void shadow13QPainter(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    for (auto _ : state) {
        QPainter p(&b.s.window);
        p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
        for (int c = 0; c < kColumns; ++c)
            p.drawImage(505 + kPitchX * c - b.g->viewX, 485 - b.g->viewY, b.s.greyCard);
    }
}
BENCHMARK(shadow13QPainter);

void liftGroup13(benchmark::State &state) {
    Bench b;
    b.group(13, 500, 480);
    for (auto _ : state) liftGroup(b.ctx, 0);
}
BENCHMARK(liftGroup13);

void fullPaint(benchmark::State &state) {
    Bench b;
    if (state.range(0) == 1) b.group(kCards, 91 + b.g->viewX, 150 + b.g->viewY);
    for (auto _ : state) {
        paintWindow(b.ctx);
        b.s.dirty = QRegion();
    }
    state.SetLabel(state.range(0) == 1 ? "finished board" : "dealt board");
}
BENCHMARK(fullPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The full paint of a dealt board with the game's own pictures: compare
// play_bench and play_bench --scale=2.
void fullPaintGamePictures(benchmark::State &state) {
    Bench b(true);
    for (auto _ : state) {
        paintWindow(b.ctx);
        b.s.dirty = QRegion();
    }
}
BENCHMARK(fullPaintGamePictures)->Unit(benchmark::kMicrosecond);

// Opening the overview next to the full paint that it must not outcost, with
// the game's pictures and canvas, on the first background (range 0) and over
// the see-through one (range 1).
void overviewOpen(benchmark::State &state) {
    Bench b(true, true, state.range(0) == 1 ? 4 : 1);
    for (auto _ : state) {
        drawOverview(b.ctx);
        b.s.dirty = QRegion();
    }
    state.SetLabel(state.range(0) == 1 ? "overview, see-through" : "overview");
}
BENCHMARK(overviewOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The full paint each overview is held to, on the same backgrounds.
void overviewFullPaint(benchmark::State &state) {
    Bench b(true, true, state.range(0) == 1 ? 4 : 1);
    for (auto _ : state) {
        paintWindow(b.ctx);
        b.s.dirty = QRegion();
    }
    state.SetLabel(state.range(0) == 1 ? "full paint, see-through" : "full paint");
}
BENCHMARK(overviewFullPaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The full paint as a plain walk would do it: every group drawn onto the
// canvas once for each of its members (2,704 card copies on a finished
// advanced board), to show what drawing each group once saves.
void fullPaintPerMemberWalk(benchmark::State &state) {
    Bench b;
    b.group(kCards, 91 + b.g->viewX, 150 + b.g->viewY);
    const GameState &g = *b.g;
    Surfaces &s = b.s;
    for (auto _ : state) {
        bitBlt(s.window, 0, 0, kBoardWidth, kBoardHeight, s.background, g.viewX, g.viewY, SRCCOPY);
        for (int n = 0; n < kCards; ++n) {
            const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
            const CardPicture pic = cardPicture(g, s, c, r);
            bitBlt(s.window, g.board.cardRect[c][r].left - g.viewX, g.board.cardRect[c][r].top - g.viewY,
                   kCardWidth, kCardHeight, *pic.surface, pic.x, pic.y, SRCCOPY);
        }
        markWindow(s, 0, 0, s.window.width(), s.window.height());
        bitBlt(s.board, 0, 0, kBoardWidth, kBoardHeight, s.background, 0, 0, SRCCOPY);
        for (int n = 0; n < kCards; ++n) {
            const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
            drawGroup(b.ctx, g.board.cardRect[c][r].left, g.board.cardRect[c][r].top, cardId(c, r), s.board,
                      false);
        }
        s.dirty = QRegion();
    }
}
BENCHMARK(fullPaintPerMemberWalk)->Unit(benchmark::kMicrosecond);

// The full paint, and the frame scaled onto the screen as the board view
// shows it.
void showZoomed(Bench &b, QImage &screen) {
    paintWindow(b.ctx);
    QPainter painter(&screen);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, b.g->clientWidth * b.g->zoom, b.g->clientHeight * b.g->zoom),
                      b.s.window);
    b.s.dirty = QRegion();
}

// A zoom step of Ctrl + wheel about the window's centre, from the first zoom
// to the second and back (two steps an iteration): the client area and the
// surfaces fitted, the full paint, and the frame scaled onto a screen of
// --scale device pixels a pixel, as the board view shows it. 100 -> 110 at
// scale 1 crosses a whole scale, and makes the surfaces afresh.
void zoomStep(benchmark::State &state) {
    Bench b(true, true);
    const int w = 1008, h = 709;
    QImage screen(w * gScale, h * gScale, QImage::Format_RGB32);
    screen.setDevicePixelRatio(gScale);
    for (auto _ : state) {
        for (const int64_t percent : {state.range(1), state.range(0)}) {
            zoomView(*b.g, percent / 100.0, w, h, w / 2, h / 2);
            fitSurfacesToZoom(b.s, *b.g, gScale);
            showZoomed(b, screen);
        }
    }
}
BENCHMARK(zoomStep)
    ->Args({100, 110})
    ->Args({110, 121})
    ->Args({50, 55})
    ->Args({182, 200})
    ->Unit(benchmark::kMillisecond);

// The first step to a scale whose pictures were never decoded, 100 -> 110
// and back: the window shows it at once from the scale in hand while the
// pictures are decoded on other threads (decodeNewScale).
void zoomStepToANewScale(benchmark::State &state) {
    Bench b(true, true);
    const int w = 1008, h = 709;
    const int wanted = surfaceScaleFor(gScale * 1.1);
    const PictureChoice choice{b.g->cardPattern, b.g->backgroundPattern, false};
    QImage screen(w * gScale, h * gScale, QImage::Format_RGB32);
    screen.setDevicePixelRatio(gScale);
    for (auto _ : state) {
        for (const double zoom : {1.1, 1.0}) {
            zoomView(*b.g, zoom, w, h, w / 2, h / 2);
            if (picturesMissing(b.s, choice, wanted).empty()) state.SkipWithError("decoded");
            fitSurfacesAtScale(b.s, *b.g, b.s.scale);
            showZoomed(b, screen);
        }
    }
}
BENCHMARK(zoomStepToANewScale)->Unit(benchmark::kMillisecond);

// Every picture of a scale decoded side by side, as a zoom or a start-up at
// that scale decodes them.
void decodeNewScale(benchmark::State &state) {
    Surfaces s;
    for (auto _ : state) {
        std::vector<Surfaces::Made> missing = picturesMissing(s, {}, int(state.range(0)));
        decodePictures(missing);
        benchmark::DoNotOptimize(missing);
    }
}
BENCHMARK(decodeNewScale)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char **argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // --scale=K draws every surface at K device pixels a board pixel.
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], "--scale=", 8) == 0) {
            gScale = std::clamp(std::atoi(argv[i] + 8), 1, 3);
            for (int j = i; j + 1 < argc; ++j) argv[j] = argv[j + 1];
            --argc;
            --i;
        }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
