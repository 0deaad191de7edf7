// The pieces of the build-time asset generator. Each drawing routine returns a
// finished picture of the exact size the game expects; main() writes them out.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

namespace fusefuda::assetgen {

constexpr int kCardW = 64;
constexpr int kCardH = 102;
constexpr int kPitchX = 63;
constexpr int kPitchY = 101;

// Every picture is described in board pixels and drawn at a scale of 1, 2
// or 3 device pixels a board pixel: the same layout, with the detail that the
// finer grid allows. Scale 1 gives the pictures the game has always had.

// The deck's SVG drawing, uncompressed; empty, with error set, when the file
// cannot be read.
QByteArray readDeck(const QString &deckPath, QString *error);
// The same drawing with clubs green and diamonds blue (pips, indices and the
// court cards' suit symbols); empty, with error set, when the drawing is not
// as expected.
QByteArray fourColourDeck(const QByteArray &svg, QString *error);

// Face sheets (104 white, 107 light blue; 141 and 142 from the four-colour
// drawing) from the deck's drawing. Returns a null image and sets error when
// the drawing cannot be rendered.
QImage drawFaceSheet(const QByteArray &svg, bool settled, QString *error, int scale = 1);

// Back strips (105 design 1, 126 design 2): dark, mid and light at (63 s, 0).
QImage drawBackStrip(int design, int scale = 1);
// One back of design 1 in one shade (109, 110, 111).
QImage drawSingleBack(int shade);
QImage drawQuestionCard(int scale = 1);  // 133
QImage drawGreyCard(int scale = 1);      // 140, the shadow stencil

// Sparkle strips: 137 white on black, 138 yellow on white.
QImage drawSparkleStrip(bool mask, int scale = 1);
// How many pixels each sparkle frame lights at scale 1; the strips are built
// to these.
extern const int kSparkleAreas[6];

// Backgrounds 121, 124, 125 (pattern 1..3) and 131 (pattern 4), the given
// number of board rows high (the board's 1600 by default).
QImage drawBackground(int pattern, int scale = 1, int rows = 1600);

QImage drawIcon(int size);             // 103 at 32, the launcher's at 256
QImage drawGrabCursor(int scale = 1);  // 106

// Mono 8-bit PCM WAV files.
QByteArray makeJoinSound();   // 113
QByteArray makeClearSound();  // 114
QByteArray makeClickSound();  // 130

// The background tune as a standard MIDI file.
QByteArray makeMusic();

// Pure green is the see-through colour key: nudges every (0, 255, 0) pixel to
// (0, 254, 0) so that only the see-through background can hold it.
void avoidColourKey(QImage &image);

}  // namespace fusefuda::assetgen
