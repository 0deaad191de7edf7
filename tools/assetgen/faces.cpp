// The two face sheets, rendered from the deck's vector drawing.
#include <QFile>
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
QImage renderCard(QSvgRenderer &deck, const QString &id) {
    QImage card(kCardW, kCardH, QImage::Format_ARGB32_Premultiplied);
    card.fill(Qt::white);
    QPainter p(&card);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // The element's bounds take in the outline's full stroke width.
    deck.render(&p, id, QRectF(0, 0, kCardW, kCardH));
    p.end();
    for (int x = 0; x < kCardW; ++x) {
        card.setPixel(x, 0, kOutline);
        card.setPixel(x, kCardH - 1, kOutline);
    }
    for (int y = 0; y < kCardH; ++y) {
        card.setPixel(0, y, kOutline);
        card.setPixel(kCardW - 1, y, kOutline);
    }
    // The deck's rounded corners leave a grey speck inside each square
    // corner; the card body belongs there.
    const int corners[4][2] = {{1, 1}, {kCardW - 2, 1}, {1, kCardH - 2}, {kCardW - 2, kCardH - 2}};
    for (const auto &c : corners) card.setPixel(c[0], c[1], qRgb(255, 255, 255));
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

QImage drawFaceSheet(const QString &deckPath, bool settled, QString *error) {
    if (!QFile::exists(deckPath)) {
        *error = QStringLiteral("there is no card deck at %1").arg(deckPath);
        return {};
    }
    QSvgRenderer deck(deckPath);
    if (!deck.isValid()) {
        *error = QStringLiteral("%1 is not a drawing that Qt can read").arg(deckPath);
        return {};
    }
    QImage sheet(13 * kPitchX + 1, 4 * kPitchY + 1, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 13; ++c) {
            const QString id = QStringLiteral("%1_%2").arg(kRankIds[c], kSuitIds[r]);
            if (!deck.elementExists(id)) {
                *error = QStringLiteral("the deck has no card %1").arg(id);
                return {};
            }
            QImage card = renderCard(deck, id);
            if (settled) tint(card);
            QPainter p(&sheet);
            p.drawImage(kPitchX * c, kPitchY * r, card);
        }
    }
    return sheet;
}

}  // namespace fusefuda::assetgen
