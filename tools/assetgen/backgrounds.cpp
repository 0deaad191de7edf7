// The four board backgrounds: cells of one card pitch with a light line on
// each cell's left and top edge, the cell columns alternating between two
// shades.
#include <array>

#include "assetgen.h"

namespace fusefuda::assetgen {

namespace {

constexpr int kWidth = 3000;
constexpr int kHeight = 1600;
constexpr int kVerticalLines = 48;
constexpr int kHorizontalLines = 16;

struct Palette {
    QRgb even, odd, line;
};

const Palette kPalettes[4] = {
    {qRgb(0, 170, 170), qRgb(0, 180, 184), qRgb(92, 212, 212)},        // teal
    {qRgb(119, 119, 255), qRgb(128, 128, 255), qRgb(184, 184, 255)},   // lavender
    {qRgb(182, 182, 182), qRgb(192, 192, 192), qRgb(226, 226, 226)},   // grey
    {qRgb(0, 255, 0), qRgb(0, 255, 0), qRgb(192, 192, 192)},           // see-through
};

// The left edges of the cell columns: 63 apart, except that the last step is
// 64. The wide cell falls at the board's far right, beyond what the view
// limits ever show in a window of the usual size.
std::array<int, kVerticalLines> verticalLines() {
    std::array<int, kVerticalLines> xs{};
    for (int i = 0; i < kVerticalLines; ++i) xs[i] = kPitchX * i + (i == kVerticalLines - 1 ? 1 : 0);
    return xs;
}

}  // namespace

QImage drawBackground(int pattern) {
    const Palette &pal = kPalettes[(pattern >= 1 && pattern <= 4) ? pattern - 1 : 0];
    const auto xs = verticalLines();
    std::array<QRgb, kWidth> row{};
    std::array<bool, kWidth> onLine{};
    int column = -1;
    for (int x = 0; x < kWidth; ++x) {
        if (column + 1 < kVerticalLines && x == xs[column + 1]) {
            ++column;
            onLine[x] = true;
        }
        row[x] = (column % 2 == 0) ? pal.even : pal.odd;
    }
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const bool across = y % kPitchY == 0 && y / kPitchY < kHorizontalLines;
        for (int x = 0; x < kWidth; ++x) line[x] = (across || onLine[x]) ? pal.line : row[x];
    }
    return image;
}

}  // namespace fusefuda::assetgen
