// The four-colour deck: clubs green and diamonds blue, changed in the deck's
// drawing before it is rendered, so that the recoloured pips and indices keep
// the same smooth edges as the others at every size.
#include <QDomDocument>
#include <QDomElement>
#include <QFile>
#include <zlib.h>

#include "assetgen.h"

namespace fusefuda::assetgen {

namespace {

// Chosen with a simulation of the three common kinds of colour blindness:
// the green is a bluish one and lighter than the red, which a red-blind eye
// sees dark, and the blue is deep enough to stay apart from that green for a
// blue-blind eye. Both read well on the white and on the light-blue body.
const QColor kClubGreen(0, 150, 104);
const QColor kDiamondBlue(0, 56, 216);

struct Recolouring {
    QLatin1String suit;  // the symbol's id, and the suffix of its cards' ids
    QLatin1String from;  // the deck's colour for that suit
    QColor to;
};
const Recolouring kRecolourings[] = {
    {QLatin1String("club"), QLatin1String("#000000"), kClubGreen},
    {QLatin1String("diamond"), QLatin1String("#ff0000"), kDiamondBlue},
};

// The suit an element draws for: the symbol itself ("club") or a card
// ("7_club") and everything inside it. The symbols' scaled and turned copies
// ("club_small") take their colour from the symbol.
const Recolouring *suitOf(const QDomElement &e, const Recolouring *inherited) {
    const QString id = e.attribute(QStringLiteral("id"));
    for (const Recolouring &r : kRecolourings)
        if (id == r.suit || id.endsWith(QLatin1Char('_') + r.suit)) return &r;
    return inherited;
}

// Only the suit's own colour changes: a card's body and outline, and the
// court pictures (bitmaps), stay as they are.
int recolour(QDomElement e, const Recolouring *suit, int changed) {
    suit = suitOf(e, suit);
    if (suit) {
        const QString fill = QStringLiteral("fill:") + suit->from;
        QString style = e.attribute(QStringLiteral("style"));
        if (style.contains(fill, Qt::CaseInsensitive)) {
            style.replace(fill, QStringLiteral("fill:") + suit->to.name(), Qt::CaseInsensitive);
            e.setAttribute(QStringLiteral("style"), style);
            ++changed;
        }
        if (e.attribute(QStringLiteral("fill")).compare(suit->from, Qt::CaseInsensitive) == 0) {
            e.setAttribute(QStringLiteral("fill"), suit->to.name());
            ++changed;
        }
    }
    for (QDomElement c = e.firstChildElement(); !c.isNull(); c = c.nextSiblingElement())
        changed = recolour(c, suit, changed);
    return changed;
}

}  // namespace

QByteArray readDeck(const QString &deckPath, QString *error) {
    // gzread passes a file that is not compressed through as it is.
    gzFile file = gzopen(QFile::encodeName(deckPath).constData(), "rb");
    if (!file) {
        *error = QStringLiteral("cannot read the card deck %1").arg(deckPath);
        return {};
    }
    QByteArray svg;
    char buffer[65536];
    int n = 0;
    while ((n = gzread(file, buffer, sizeof buffer)) > 0) svg.append(buffer, n);
    const bool ok = n == 0;
    gzclose(file);
    if (!ok || svg.isEmpty()) {
        *error = QStringLiteral("the card deck %1 is damaged").arg(deckPath);
        return {};
    }
    return svg;
}

QByteArray fourColourDeck(const QByteArray &svg, QString *error) {
    QDomDocument document;
    if (!document.setContent(svg)) {
        *error = QStringLiteral("the card deck is not a drawing that can be recoloured");
        return {};
    }
    // Every club and every diamond card has two indices, and each symbol one
    // fill; far fewer changes mean the deck is not drawn as expected.
    const int changed = recolour(document.documentElement(), nullptr, 0);
    if (changed < 2 * 2 * 13 + 2) {
        *error = QStringLiteral("the card deck's clubs and diamonds are not drawn as expected");
        return {};
    }
    return document.toByteArray();
}

}  // namespace fusefuda::assetgen
