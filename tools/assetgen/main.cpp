// Build-time generator of every numbered picture and sound, and of the
// background tune. Usage:
//   fusefuda_assetgen --deck <standard.svgz> --out <folder> --music <file.mid>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QSaveFile>
#include <cstdio>

#include "assetgen.h"

using namespace fusefuda::assetgen;

namespace {

// Reports a failure; the result is main's exit status.
int fail(const QString &message) {
    std::fprintf(stderr, "fusefuda_assetgen: %s\n", qPrintable(message));
    return 1;
}

bool writeFile(const QString &path, const QByteArray &data) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    fail(QStringLiteral("cannot write %1").arg(path));
    return false;
}

bool writePicture(const QString &folder, const QString &name, QImage image, bool keyAllowed) {
    if (image.isNull()) {
        fail(QStringLiteral("no picture for %1").arg(name));
        return false;
    }
    if (!keyAllowed) avoidColourKey(image);
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    QSaveFile file(path);
    // Quality 0 is PNG's strongest compression: the pictures live inside the
    // executable.
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG", 0) && file.commit())
        return true;
    fail(QStringLiteral("cannot write %1").arg(path));
    return false;
}

}  // namespace

namespace fusefuda::assetgen {

void avoidColourKey(QImage &image) {
    if (image.depth() != 32) image = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == 0x0000FF00u && qAlpha(line[x]) != 0)
                line[x] = (line[x] & 0xFF000000u) | 0x0000FE00u;
    }
}

}  // namespace fusefuda::assetgen

int main(int argc, char **argv) {
    // Everything is drawn into images, so no window system is needed; no
    // text is drawn, so no fonts either.
    QCoreApplication app(argc, argv);
    QString deck, out, music;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--deck")) deck = args[i + 1];
        else if (args[i] == QLatin1String("--out")) out = args[i + 1];
        else if (args[i] == QLatin1String("--music")) music = args[i + 1];
    }
    if (deck.isEmpty() || out.isEmpty() || music.isEmpty()) {
        std::fprintf(stderr,
                     "usage: fusefuda_assetgen --deck <standard.svgz> --out <folder> "
                     "--music <file.mid>\n");
        return 2;
    }
    if (!QDir().mkpath(out)) return fail(QStringLiteral("cannot make %1").arg(out));

    QString error;
    const QByteArray twoColours = readDeck(deck, &error);
    if (twoColours.isEmpty()) return fail(error);
    const QByteArray fourColours = fourColourDeck(twoColours, &error);
    if (fourColours.isEmpty()) return fail(error);
    // The four face sheets at a scale, numbered as the game loads them.
    struct Sheet {
        const char *name;
        const QByteArray &svg;
        bool settled;
    };
    const Sheet sheets[] = {{"104", twoColours, false},
                            {"107", twoColours, true},
                            {"141", fourColours, false},
                            {"142", fourColours, true}};
    auto writeSheets = [&](int k) {
        for (const Sheet &sheet : sheets) {
            const QImage image = drawFaceSheet(sheet.svg, sheet.settled, &error, k);
            if (image.isNull()) {
                fail(error);
                return false;
            }
            const QString name = QString::fromLatin1(sheet.name);
            if (!writePicture(out, k == 1 ? name : QStringLiteral("%1@%2x").arg(name).arg(k), image,
                              false))
                return false;
        }
        return true;
    };
    if (!writeSheets(1)) return 1;

    struct Picture {
        const char *name;
        QImage image;
        bool keyAllowed;
    };
    // The backgrounds repeat every row of cells all the way down the board,
    // so they are kept one row (101 board pixels) high at every scale: the
    // whole board's 19 MB took longer to decode than the rest of start-up.
    const Picture pictures[] = {
        {"103", drawIcon(32), false},
        {"103-large", drawIcon(256), false},
        {"105", drawBackStrip(1), false},
        {"106", drawGrabCursor(), false},
        {"109", drawSingleBack(0), false},
        {"110", drawSingleBack(1), false},
        {"111", drawSingleBack(2), false},
        {"121", drawBackground(1, 1, kPitchY), false},
        {"124", drawBackground(2, 1, kPitchY), false},
        {"125", drawBackground(3, 1, kPitchY), false},
        {"126", drawBackStrip(2), false},
        {"131", drawBackground(4, 1, kPitchY), true},
        {"133", drawQuestionCard(), false},
        {"137", drawSparkleStrip(false), false},
        {"138", drawSparkleStrip(true), false},
        {"140", drawGreyCard(), false},
    };
    for (const Picture &p : pictures)
        if (!writePicture(out, QString::fromLatin1(p.name), p.image, p.keyAllowed)) return 1;

    // The pictures the board draws, again at 2 and 3 device pixels a board
    // pixel, as "<number>@<k>x".
    for (int k = 2; k <= 3; ++k) {
        if (!writeSheets(k)) return 1;
        const Picture scaled[] = {
            {"103", drawIcon(32 * k), false},
            {"105", drawBackStrip(1, k), false},
            {"106", drawGrabCursor(k), false},
            {"121", drawBackground(1, k, kPitchY), false},
            {"124", drawBackground(2, k, kPitchY), false},
            {"125", drawBackground(3, k, kPitchY), false},
            {"126", drawBackStrip(2, k), false},
            {"131", drawBackground(4, k, kPitchY), true},
            {"133", drawQuestionCard(k), false},
            {"137", drawSparkleStrip(false, k), false},
            {"138", drawSparkleStrip(true, k), false},
            {"140", drawGreyCard(k), false},
        };
        for (const Picture &p : scaled)
            if (!writePicture(out, QStringLiteral("%1@%2x").arg(QLatin1String(p.name)).arg(k),
                              p.image, p.keyAllowed))
                return 1;
    }

    const QDir dir(out);
    if (!writeFile(dir.filePath(QStringLiteral("113.wav")), makeJoinSound()) ||
        !writeFile(dir.filePath(QStringLiteral("114.wav")), makeClearSound()) ||
        !writeFile(dir.filePath(QStringLiteral("130.wav")), makeClickSound()) ||
        !writeFile(music, makeMusic()))
        return 1;
    return 0;
}
