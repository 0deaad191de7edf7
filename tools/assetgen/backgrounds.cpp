// The four board backgrounds: cells of one card pitch with a light line on
// each cell's left and top edge, the cell columns alternating between two
// shades.
#include <array>
#include <vector>

#include "assetgen.h"

namespace fusefuda::assetgen {

namespace {

constexpr int kWidth = 3000;
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

QImage drawBackground(int pattern, int scale, int rows) {
    const Palette &pal = kPalettes[(pattern >= 1 && pattern <= 4) ? pattern - 1 : 0];
    const auto xs = verticalLines();
    // One row of device pixels, then whether each board row holds a line.
    const int k = scale, width = kWidth * k;
    std::vector<QRgb> row(static_cast<size_t>(width));
    std::vector<bool> onLine(static_cast<size_t>(width));
    int column = -1;
    for (int bx = 0; bx < kWidth; ++bx) {
        bool line = false;
        if (column + 1 < kVerticalLines && bx == xs[column + 1]) {
            ++column;
            line = true;
        }
        for (int i = 0; i < k; ++i) {
            row[size_t(bx * k + i)] = (column % 2 == 0) ? pal.even : pal.odd;
            onLine[size_t(bx * k + i)] = line;
        }
    }
    QImage image(width, rows * k, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int by = y / k;
        const bool across = by % kPitchY == 0 && by / kPitchY < kHorizontalLines;
        for (int x = 0; x < width; ++x)
            line[x] = (across || onLine[size_t(x)]) ? pal.line : row[size_t(x)];
    }
    return image;
}

}  // namespace fusefuda::assetgen
