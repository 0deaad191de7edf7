// The face sheets, rendered from the deck's vector drawing.
#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>

#include "assetgen.h"

namespace fusefuda::assetgen {

namespace {

// Element ids of the deck file: rank prefix by column, suit suffix by row.
const char *const kRankIds[13] = {"1", "2", "3",  "4",    "5",     "6",   "7",
                                  "8", "9", "10", "jack", "queen", "king"};
const char *const kSuitIds[4] = {"spade", "club", "heart", "diamond"};

const QRgb kOutline = qRgb(0, 0, 0);
// The body colour of a settled card.
const QColor kSettledTint(186, 220, 255);

// One card: the deck's drawing stretched so that its outline falls on the
// outermost pixel rows and columns, then a crisp square outline over it. The deck draws rounded corners; on the board those corner
// pixels would show the card body against the background, and neighbours in
// a group share the outline, so the outline must be square.
QImage renderCard(QSvgRenderer &deck, const QString &id, int k) {
    const int w = kCardW * k, h = kCardH * k;
    QImage card(w, h, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::white);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The element's bounds take in the outline's full stroke width.
    deck.render(&p, id, QRectF(0, 0, w, h));
    p.end();
    // The outline is one board pixel: k device pixels.
    for (int t = 0; t < k; ++t) {
        for (int x = 0; x < w; ++x) {
            card.setPixel(x, t, kOutline);
            card.setPixel(x, h - 1 - t, kOutline);
        }
        for (int y = 0; y < h; ++y) {
            card.setPixel(t, y, kOutline);
            card.setPixel(w - 1 - t, y, kOutline);
        }
    }
    // The deck's rounded corners leave a grey speck inside each square
    // corner, one board pixel; the card body belongs there.
    const int corners[4][2] = {{1, 1}, {kCardW - 2, 1}, {1, kCardH - 2}, {kCardW - 2, kCardH - 2}};
    for (const auto &c : corners)
        for (int dy = 0; dy < k; ++dy)
            for (int dx = 0; dx < k; ++dx)
                card.setPixel(c[0] * k + dx, c[1] * k + dy, qRgb(255, 255, 255));
    return card.convertToFormat(QImage::Format_RGB32);
}

// Turns the white body light blue. Pale pixels take the full tint and
// saturated ones none, so the pips and court colours keep their hue and the
// anti-aliased edges blend into the new body.
void tint(QImage &card) {
    for (int y = 0; y < card.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(card.scanLine(y));
        for (int x = 0; x < card.width(); ++x) {
            const QRgb v = line[x];
            const double pale = std::min({qRed(v), qGreen(v), qBlue(v)}) / 255.0;
            const double w = pale * pale;
            auto mix = [w](int channel, int tintChannel) {
                return int(channel * (1.0 - w + w * tintChannel / 255.0) + 0.5);
            };
            line[x] = qRgb(mix(qRed(v), kSettledTint.red()), mix(qGreen(v), kSettledTint.green()),
                           mix(qBlue(v), kSettledTint.blue()));
        }
    }
}

}  // namespace

QImage drawFaceSheet(const QByteArray &svg, bool settled, QString *error, int scale) {
    QSvgRenderer deck(svg);
    if (!deck.isValid()) {
        *error = QStringLiteral("the card deck is not a drawing that Qt can read");
        return {};
    }
    // Neighbours share their outline at every scale: card (c, r) lies at
    // (63 c, 101 r) board pixels, and the sheet is (13 x 63 + 1) x (4 x 101 + 1).
    const int k = scale;
    QImage sheet((13 * kPitchX + 1) * k, (4 * kPitchY + 1) * k, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 13; ++c) {
            const QString id = QStringLiteral("%1_%2").arg(kRankIds[c], kSuitIds[r]);
            if (!deck.elementExists(id)) {
                *error = QStringLiteral("the deck has no card %1").arg(id);
                return {};
            }
            QImage card = renderCard(deck, id, k);
            if (settled) tint(card);
            QPainter p(&sheet);
            p.drawImage(kPitchX * c * k, kPitchY * r * k, card);
        }
    }
    return sheet;
}

}  // namespace fusefuda::assetgen
