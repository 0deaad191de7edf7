// Developer tool: renders a dealt board and the card sheets to PNG files, so
// that the art can be looked at without a display. It deals and paints with
// the game's own code, exactly as the game would after a new-game command.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <memory>

#include "assets/catalogue.h"
#include "game/GameState.h"
#include "game/deal.h"
#include "game/starting.h"
#include "render/context.h"
#include "render/painting.h"
#include "render/surfaces.h"
#include "support/quiet_shell.h"

using namespace fusefuda;

namespace {

const char kUsage[] =
    "usage: fusefuda_boardshot [options] <folder>\n"
    "  --level N        1 advanced (default), 2 intermediate, 3 beginner\n"
    "  --seed N         the calendar time the deal is seeded with (default 12345)\n"
    "  --background N   1 teal (default), 2 lavender, 3 grey, 4 see-through green\n"
    "  --design N       card backs 1 (default) or 2\n"
    "  --view X,Y       board point at the window's top-left (default: the start view)\n"
    "  --size WxH       the window's client size (default 1008x709)\n"
    "  --reveal         turn every card face up, every third one settled\n"
    "  --shades         give the face-down cards the three back shades in turn\n"
    "  --scale K        draw at K device pixels a pixel (1, 2 or 3; default 1)\n"
    "  --four-colour    faces with clubs green and diamonds blue\n"
    "Writes board.png (the whole board canvas), window.png (what the window\n"
    "shows), faces.png, settled.png, backs-1.png, backs-2.png and sparkles.png.\n";


struct Options {
    int level = 1;
    int64_t seed = 12345;
    int background = 1;
    int design = 1;
    bool haveView = false;
    int viewX = 0, viewY = 0;
    int width = 1008, height = 709;
    bool reveal = false;
    bool shades = false;
    int scale = 1;
    bool fourColour = false;
    QString folder;
};

bool parsePair(const QString &text, QChar separator, int &a, int &b) {
    const QStringList parts = text.split(separator);
    if (parts.size() != 2) return false;
    bool okA = false, okB = false;
    a = parts[0].toInt(&okA);
    b = parts[1].toInt(&okB);
    return okA && okB;
}

// Returns an error message, empty when the arguments make sense.
QString parse(const QStringList &args, Options &o) {
    for (int i = 1; i < args.size(); ++i) {
        const QString &a = args[i];
        auto value = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        bool ok = true;
        if (a == QLatin1String("--level")) {
            o.level = value().toInt(&ok);
            ok = ok && o.level >= 1 && o.level <= 3;
        } else if (a == QLatin1String("--seed")) {
            o.seed = value().toLongLong(&ok);
        } else if (a == QLatin1String("--background")) {
            o.background = value().toInt(&ok);
            ok = ok && o.background >= 1 && o.background <= 4;
        } else if (a == QLatin1String("--design")) {
            o.design = value().toInt(&ok);
            ok = ok && (o.design == 1 || o.design == 2);
        } else if (a == QLatin1String("--view")) {
            ok = parsePair(value(), QLatin1Char(','), o.viewX, o.viewY);
            o.haveView = true;
        } else if (a == QLatin1String("--size")) {
            ok = parsePair(value(), QLatin1Char('x'), o.width, o.height) && o.width > 0 &&
                 o.height > 0 && o.width <= 4000 && o.height <= 4000;
        } else if (a == QLatin1String("--reveal")) {
            o.reveal = true;
        } else if (a == QLatin1String("--shades")) {
            o.shades = true;
        } else if (a == QLatin1String("--four-colour")) {
            o.fourColour = true;
        } else if (a == QLatin1String("--scale")) {
            o.scale = value().toInt(&ok);
            ok = ok && o.scale >= 1 && o.scale <= 3;
        } else if (a.startsWith(QLatin1String("--")) || !o.folder.isEmpty()) {
            return QStringLiteral("unexpected argument %1").arg(a);
        } else {
            o.folder = a;
        }
        if (!ok) return QStringLiteral("bad value for %1").arg(a);
    }
    if (o.folder.isEmpty()) return QStringLiteral("no output folder");
    return {};
}

bool save(const QImage &image, const QDir &dir, const char *name) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    if (image.save(path, "PNG")) {
        std::printf("%s\n", qPrintable(path));
        return true;
    }
    std::fprintf(stderr, "fusefuda_boardshot: cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options o;
    const QString error = parse(app.arguments(), o);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "fusefuda_boardshot: %s\n%s", qPrintable(error), kUsage);
        return 2;
    }
    QDir dir(o.folder);
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "fusefuda_boardshot: cannot make %s\n", qPrintable(o.folder));
        return 1;
    }

    auto g = std::make_unique<GameState>();
    Surfaces s;
    QuietTable table(*g, s);
    setStartingValues(*g);
    g->backgroundPattern = Background(o.background);
    g->cardPattern = CardBacks(o.design);
    createSurfaces(s, g->cardPattern, g->backgroundPattern, o.width, o.height, o.scale,
                   o.fourColour);
    g->clientWidth = o.width;
    g->clientHeight = o.height;
    if (s.face.isNull() || loadPicture(kFacesPicture).isNull()) {
        std::fprintf(stderr, "fusefuda_boardshot: the pictures are missing from the build\n");
        return 1;
    }

    startNewGame(table.play, levelFromNumber(o.level), uint32_t(o.seed));
    dealScatter(table.play, levelFromNumber(o.level));
    g->dealPending = false;
    if (o.haveView) {
        g->viewX = o.viewX;
        g->viewY = o.viewY;
    }
    const ColumnRange cols = columnsInPlay(g->level);
    int n = 0;
    for (int r = 0; r < kRows; ++r)
        for (int c = cols.first; c <= cols.last; ++c, ++n) {
            if (c == 6) continue;  // the sevens stay as dealt
            if (o.reveal) {
                g->board.faceUp[c][r] = 1;
                g->board.touchCount[c][r] = n % 3 == 0 ? 3 : n % 2;
            } else if (o.shades) {
                g->board.touchCount[c][r] = n % 3;
            }
        }
    paintWindow(table.ctx);

    const bool ok = save(s.board, dir, "board.png") && save(s.window, dir, "window.png") &&
                    save(s.face, dir, "faces.png") && save(s.settledFace, dir, "settled.png") &&
                    save(loadPicture(kBacks1Picture, o.scale), dir, "backs-1.png") &&
                    save(loadPicture(kBacks2Picture, o.scale), dir, "backs-2.png") &&
                    save(s.sparkleImage, dir, "sparkles.png");
    return ok ? 0 : 1;
}
