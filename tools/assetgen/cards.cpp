// Card backs, the question-mark card and the shadow stencil.
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "assetgen.h"

namespace fusefuda::assetgen {

namespace {

struct Shade {
    QColor field;   // the body of the pattern
    QColor accent;  // the pattern's lines
};

// Dark, mid, light: the more often a card was touched, the lighter its back.
// The steps are wide so that a glance tells them apart.
const Shade kShades[3] = {
    {QColor(26, 44, 118), QColor(74, 104, 184)},
    {QColor(48, 100, 198), QColor(120, 160, 236)},
    {QColor(128, 176, 236), QColor(196, 222, 252)},
};
const QColor kBackOutline(14, 22, 52);
const QColor kFrame(246, 248, 252);

QImage blankCard(const QColor &body, int k) {
    QImage card(kCardW * k, kCardH * k, QImage::Format_RGB32);
    card.fill(body);
    return card;
}

// The outline of the board-pixel rectangle [x0, x1] x [y0, y1], one board
// pixel (k device pixels) wide.
void frameRect(QImage &card, int x0, int y0, int x1, int y1, QRgb colour, int k) {
    auto fill = [&](int ax, int ay, int bx, int by) {
        for (int y = ay * k; y < (by + 1) * k; ++y)
            for (int x = ax * k; x < (bx + 1) * k; ++x) card.setPixel(x, y, colour);
    };
    fill(x0, y0, x1, y0);
    fill(x0, y1, x1, y1);
    fill(x0, y0, x0, y1);
    fill(x1, y0, x1, y1);
}

void squareOutline(QImage &card, QRgb colour, int k) {
    frameRect(card, 0, 0, kCardW - 1, kCardH - 1, colour, k);
}

// Painting in board pixels onto a card of k device pixels a board pixel.
void scaleTo(QPainter &p, int k) {
    if (k != 1) p.scale(k, k);
}

// The patterned field of a back: inside the outline and a white margin.
const QRectF kField(4, 4, kCardW - 8, kCardH - 8);

// Design 1: a diagonal lattice with a dot in every diamond and a medallion
// in the middle.
void drawLattice(QPainter &p, const Shade &s) {
    p.fillRect(kField, s.field);
    p.save();
    p.setClipRect(kField);
    p.setPen(QPen(s.accent, 1.0));
    const double step = 8.0;
    for (double k = -kCardH; k < kCardW + kCardH; k += step) {
        p.drawLine(QPointF(k, 0), QPointF(k + kCardH, kCardH));
        p.drawLine(QPointF(k, kCardH), QPointF(k + kCardH, 0));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(s.accent);
    for (double y = kField.top(); y < kField.bottom() + step; y += step)
        for (double x = kField.left(); x < kField.right() + step; x += step)
            p.drawEllipse(QPointF(x + step / 2 + 0.5 - 4, y + 0.5), 1.1, 1.1);
    p.restore();
    // Medallion: a white-edged diamond with a small four-petal flower.
    const QPointF centre(kCardW / 2.0, kCardH / 2.0);
    QPainterPath diamond;
    diamond.moveTo(centre + QPointF(0, -17));
    diamond.lineTo(centre + QPointF(12, 0));
    diamond.lineTo(centre + QPointF(0, 17));
    diamond.lineTo(centre + QPointF(-12, 0));
    diamond.closeSubpath();
    p.setPen(QPen(kFrame, 2.0));
    p.setBrush(s.field);
    p.drawPath(diamond);
    p.setPen(Qt::NoPen);
    p.setBrush(kFrame);
    for (int i = 0; i < 4; ++i) {
        const double a = i * M_PI / 2;
        p.drawEllipse(centre + QPointF(4.2 * std::sin(a), 5.6 * std::cos(a)), 2.6, 3.2);
    }
    p.setBrush(s.accent);
    p.drawEllipse(centre, 1.8, 1.8);
}

// Design 2: overlapping rows of concentric wave scales.
void drawWaves(QPainter &p, const Shade &s) {
    p.fillRect(kField, s.field);
    p.save();
    p.setClipRect(kField);
    const double radius = 11.0, dx = 2 * radius, dy = radius / 2;
    int row = 0;
    for (double y = kField.top() - radius / 2; y < kField.bottom() + radius; y += dy, ++row) {
        const double offset = (row % 2) ? radius : 0.0;
        for (double x = kField.left() - radius + offset; x < kField.right() + radius; x += dx) {
            const QPointF c(x, y);
            p.setPen(Qt::NoPen);
            p.setBrush(s.field);
            p.drawEllipse(c, radius, radius);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(s.accent, 1.3));
            for (double rr = radius - 1.5; rr > 1.0; rr -= 3.2) p.drawEllipse(c, rr, rr);
        }
    }
    p.restore();
}

QImage drawBack(int design, int shade, int k) {
    QImage card = blankCard(kFrame, k);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    scaleTo(p, k);
    if (design == 2)
        drawWaves(p, kShades[shade]);
    else
        drawLattice(p, kShades[shade]);
    p.end();
    // A thin line in the back's own colour sets the field off from the margin.
    frameRect(card, 2, 2, kCardW - 3, kCardH - 3, kShades[shade].field.rgb(), k);
    squareOutline(card, kBackOutline.rgb(), k);
    return card;
}

}  // namespace

QImage drawBackStrip(int design, int scale) {
    QImage strip((3 * kPitchX + 1) * scale, kCardH * scale, QImage::Format_RGB32);
    strip.fill(kBackOutline);
    QPainter p(&strip);
    for (int s = 0; s < 3; ++s) p.drawImage(kPitchX * s * scale, 0, drawBack(design, s, scale));
    return strip;
}

QImage drawSingleBack(int shade) { return drawBack(1, shade, 1); }

QImage drawQuestionCard(int scale) {
    QImage card = blankCard(QColor(178, 178, 178), scale);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    scaleTo(p, scale);
    p.setPen(QPen(QColor(206, 206, 206), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(3.5, 3.5, kCardW - 8, kCardH - 8));

    // The mark: a hook with a round cap, a short stem and a dot, drawn twice
    // for a raised look.
    QPainterPath hook;
    const QPointF c(32, 38);
    const double r = 12;
    hook.arcMoveTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 160);
    hook.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 160, -235);
    hook.quadTo(QPointF(32, 52), QPointF(32, 60));
    const QPointF dot(32, 74);
    for (int pass = 0; pass < 2; ++pass) {
        const QPointF shift = pass == 0 ? QPointF(1.2, 1.2) : QPointF(0, 0);
        const QColor ink = pass == 0 ? QColor(232, 232, 232) : QColor(72, 72, 80);
        p.setPen(QPen(ink, 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(hook.translated(shift));
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(dot + shift, 4.6, 4.6);
        p.setBrush(Qt::NoBrush);
    }
    p.end();
    squareOutline(card, qRgb(70, 70, 70), scale);
    return card;
}

// The checkerboard alternates on device pixels: a finer screen gets a finer
// dither, the same shade.
QImage drawGreyCard(int scale) {
    QImage card(kCardW * scale, kCardH * scale, QImage::Format_RGB32);
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x)
            card.setPixel(x, y, (x + y) % 2 ? qRgb(150, 150, 150) : qRgb(134, 134, 134));
    return card;
}

}  // namespace fusefuda::assetgen
