#include "support/trace_pictures.h"

#include <QPainter>

#include "game/board.h"
#include "render/cards.h"
#include "render/painting.h"

namespace fusefuda::testing {

namespace {

uint32_t mix(uint32_t v) {
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

QImage traced(int w, int h, uint32_t salt) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] =
                0xFF000000u | (mix(uint32_t(x) * 4099u + uint32_t(y) * 65537u + salt) & 0xFFFFFFu);
    }
    return img;
}

QImage checkerboard() {
    QImage img(kCardWidth, kCardHeight, QImage::Format_RGB32);
    for (int y = 0; y < kCardHeight; ++y)
        for (int x = 0; x < kCardWidth; ++x)
            img.setPixel(x, y, ((x + y) & 1) ? kGreyLight : kGreyDark);
    return img;
}

const char *const kRanks[kColumns] = {"A", "2", "3",  "4", "5", "6", "7",
                                      "8", "9", "10", "J", "Q", "K"};
const char *const kSuits[kRows] = {"\u2660", "\u2663", "\u2665", "\u2666"};

QImage readableFaces(QRgb paper) {
    QImage img(820, 405, QImage::Format_RGB32);
    img.fill(0xFF404040u);
    QPainter p(&img);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kColumns; ++c) {
            const QRect cell(kPitchX * c + 1, kPitchY * r + 1, kPitchX - 1, kPitchY - 1);
            p.fillRect(cell, QColor::fromRgb(paper));
            p.setPen(r == 1 || r == 0 ? Qt::black : QColor(200, 0, 0));
            QFont small = p.font();
            small.setPixelSize(13);
            p.setFont(small);
            p.drawText(cell.adjusted(3, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                       QString::fromUtf8(kRanks[c]) + QString::fromUtf8(kSuits[r]));
            QFont big = p.font();
            big.setPixelSize(30);
            p.setFont(big);
            p.drawText(cell, Qt::AlignCenter, QString::fromUtf8(kSuits[r]));
        }
    }
    return img;
}

QImage readableBacks() {
    QImage img(190, kCardHeight, QImage::Format_RGB32);
    img.fill(0xFF202020u);
    QPainter p(&img);
    const QColor shades[3] = {QColor(20, 40, 110), QColor(60, 90, 170), QColor(130, 160, 220)};
    for (int s = 0; s < 3; ++s) {
        const QRect cell(kPitchX * s + 1, 1, kPitchX - 1, kCardHeight - 2);
        p.fillRect(cell, shades[s]);
        p.setPen(QPen(shades[s].lighter(150), 1));
        for (int d = -kCardHeight; d < kCardWidth; d += 8) {
            p.drawLine(cell.left() + d, cell.top(), cell.left() + d + kCardHeight, cell.bottom());
            p.drawLine(cell.left() + d + kCardHeight, cell.top(), cell.left() + d, cell.bottom());
        }
    }
    return img;
}

QImage readableFelt() {
    QImage img(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    for (int y = 0; y < kBoardHeight; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(img.scanLine(y));
        for (int x = 0; x < kBoardWidth; ++x) {
            const int n = int(mix(uint32_t(x) * 7919u + uint32_t(y) * 104729u) & 15u);
            const bool grid = x % 50 == 0 || y % 50 == 0;
            const int g = (grid ? 112 : 100) + n, rb = 30 + n / 2;
            line[x] = 0xFF000000u | uint32_t(rb) << 16 | uint32_t(g) << 8 | uint32_t(rb + 10);
        }
    }
    return img;
}

}  // namespace

uint32_t backgroundPixel(int x, int y) {
    return 0xFF000000u | (uint32_t(x) & 0xFFFu) << 12 | (uint32_t(y) & 0xFFFu);
}

void useTracePictures(Surfaces &s) {
    s.background = QImage(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    for (int y = 0; y < kBoardHeight; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(s.background.scanLine(y));
        for (int x = 0; x < kBoardWidth; ++x) line[x] = backgroundPixel(x, y);
    }
    s.face = traced(820, 405, 1);
    s.settledFace = traced(820, 405, 2);
    s.backs = traced(190, kCardHeight, 3);
    s.unknownCard = traced(kCardWidth, kCardHeight, 4);
    s.greyCard = checkerboard();
}

void useReadablePictures(Surfaces &s) {
    s.background = readableFelt();
    s.face = readableFaces(0xFFFFFFFFu);
    s.settledFace = readableFaces(0xFFCDE6FAu);
    s.backs = readableBacks();
    s.greyCard = checkerboard();
}

void dealAndClear(Table &t, int level, std::initializer_list<int> keep) {
    t.deal(level);
    useTracePictures(t.surfaces);
    parkAllBut(t.g(), keep);
    paintWindow(t.ctx);
}

QImage canvasByRule(Context &ctx, int skipGroup) {
    const GameState &g = ctx.g;
    QImage canvas = ctx.s.background.copy();
    for (int n = 0; n < kCards; ++n) {
        const int c = g.board.stackColumn[n], r = g.board.stackRow[n];
        if (!inPlay(g, c, r)) continue;
        if (skipGroup >= 0 && isMember(g, skipGroup, c, r)) continue;
        drawGroup(ctx, g.board.cardRect[c][r].left, g.board.cardRect[c][r].top, cardId(c, r), canvas, false);
    }
    return canvas;
}

QImage atView(const GameState &g, const QImage &img, QSize size) {
    return img.copy(g.viewX, g.viewY, size.width(), size.height());
}

int windowOffCanvas(Table &t) {
    return differingPixels(t.surfaces.window,
                           atView(t.g(), t.surfaces.board, t.surfaces.window.size()));
}

int differingPixels(const QImage &a, const QImage &b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *la = reinterpret_cast<const uint32_t *>(a.constScanLine(y));
        const auto *lb = reinterpret_cast<const uint32_t *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) n += (la[x] | 0xFF000000u) != (lb[x] | 0xFF000000u);
    }
    return n;
}

QImage blownUp(const QImage &img, int k) {
    QImage out(img.width() * k, img.height() * k, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto *from = reinterpret_cast<const uint32_t *>(img.constScanLine(y / k));
        auto *to = reinterpret_cast<uint32_t *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) to[x] = from[x / k];
    }
    out.setDevicePixelRatio(k);
    return out;
}

void useBlownUpPictures(Surfaces &s, const Surfaces &one, int k) {
    for (auto [to, from] : {std::pair{&s.background, &one.background},
                            {&s.face, &one.face},
                            {&s.settledFace, &one.settledFace},
                            {&s.backs, &one.backs},
                            {&s.unknownCard, &one.unknownCard},
                            {&s.greyCard, &one.greyCard},
                            {&s.sparkleImage, &one.sparkleImage},
                            {&s.sparkleMask, &one.sparkleMask},
                            {&s.peek, &one.peek}})
        *to = blownUp(*from, k);
}

QImage block(const QImage &img, int x, int y, int w, int h) { return img.copy(x, y, w, h); }

}  // namespace fusefuda::testing
