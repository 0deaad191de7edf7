// The numbered pictures as the game loads them from the executable.
#include <gtest/gtest.h>

#include <QColor>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>
#include <vector>

#include "assets/catalogue.h"
#include "render/raster.h"

using namespace fusefuda;

namespace {

constexpr int kAllPictures[] = {103, 104, 105, 106, 107, 109, 110, 111, 121, 124,
                                125, 126, 131, 133, 137, 138, 140, 141, 142};

uint32_t rgb(const QImage &image, int x, int y) { return image.pixel(x, y) & 0xFFFFFFu; }
uint32_t rgb(int r, int g, int b) { return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b); }

int luminance(QRgb v) { return (qRed(v) * 299 + qGreen(v) * 587 + qBlue(v) * 114) / 1000; }

struct Mean {
    double red = 0, green = 0, blue = 0, light = 0;
};
Mean meanOf(const QImage &image, int x0, int y0, int w, int h) {
    Mean m;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const QRgb v = image.pixel(x, y);
            m.red += qRed(v);
            m.green += qGreen(v);
            m.blue += qBlue(v);
            m.light += luminance(v);
        }
    const double n = double(w) * h;
    m.red /= n;
    m.green /= n;
    m.blue /= n;
    m.light /= n;
    return m;
}

QImage cell(const QImage &sheet, int c, int r) { return sheet.copy(63 * c, 101 * r, 64, 102); }

}  // namespace

TEST(Catalogue, EveryPictureIsThereWithItsSize) {
    struct Size {
        int number, width, height;
    };
    const Size sizes[] = {
        {103, 32, 32},     {104, 820, 405},   {105, 190, 102},   {106, 32, 32},
        {107, 820, 405},   {109, 64, 102},    {110, 64, 102},    {111, 64, 102},
        {121, 3000, 101},  {124, 3000, 101},  {125, 3000, 101},  {126, 190, 102},
        {131, 3000, 101},  {133, 64, 102},    {137, 30, 180},    {138, 30, 180},
        {140, 64, 102},
    };
    for (const Size &s : sizes) {
        const QImage picture = loadPicture(s.number);
        ASSERT_FALSE(picture.isNull()) << s.number;
        EXPECT_EQ(picture.size(), QSize(s.width, s.height)) << s.number;
        // The block copies work on 32-bit pixels only.
        EXPECT_EQ(picture.depth(), 32) << s.number;
    }
    const QImage large = loadLargeIcon();
    ASSERT_FALSE(large.isNull());
    EXPECT_EQ(large.width(), large.height());
    EXPECT_GE(large.width(), 128);
    // Numbers that the program does not carry come back empty.
    EXPECT_TRUE(loadPicture(108).isNull());
    EXPECT_TRUE(loadPicture(-1).isNull());
    EXPECT_TRUE(loadSound(104).isEmpty());
}

TEST(Catalogue, OnlyTheSeeThroughBackgroundHoldsPureGreen) {
    for (int number : kAllPictures) {
        const QImage picture = loadPicture(number);
        int green = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if ((picture.pixel(x, y) & 0xFFFFFFu) == 0x00FF00u && qAlpha(picture.pixel(x, y)))
                    ++green;
        if (number == kSeeThroughPicture)
            EXPECT_GT(green, picture.width() * picture.height() / 2);
        else
            EXPECT_EQ(green, 0) << number;
    }
}

TEST(FaceSheets, OutlinesAreSharedOnTheCardPitch) {
    for (int number : {kFacesPicture, kSettledFacesPicture}) {
        const QImage sheet = loadPicture(number);
        for (int c = 0; c <= 13; ++c)
            for (int y = 0; y < sheet.height(); ++y)
                ASSERT_LT(luminance(sheet.pixel(63 * c, y)), 60) << number << " x " << 63 * c;
        for (int r = 0; r <= 4; ++r)
            for (int x = 0; x < sheet.width(); ++x)
                ASSERT_LT(luminance(sheet.pixel(x, 101 * r)), 60) << number << " y " << 101 * r;
    }
}

TEST(FaceSheets, BodiesAreWhiteAndLightBlue) {
    const QImage white = loadPicture(kFacesPicture), blue = loadPicture(kSettledFacesPicture);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 13; ++c) {
            // Left of the middle, below the corner index: body on every card.
            const Mean w = meanOf(white, 63 * c + 3, 101 * r + 40, 5, 20);
            const Mean b = meanOf(blue, 63 * c + 3, 101 * r + 40, 5, 20);
            EXPECT_GT(w.red, 245) << c << "," << r;
            EXPECT_GT(w.green, 245) << c << "," << r;
            EXPECT_GT(w.blue, 245) << c << "," << r;
            EXPECT_GT(b.blue, b.red + 40) << c << "," << r;
            EXPECT_GT(b.red, 140) << c << "," << r;
            EXPECT_GT(b.blue, 230) << c << "," << r;
        }
    }
}

TEST(FaceSheets, CardsSitInRankAndSuitOrder) {
    const QImage sheet = loadPicture(kFacesPicture);
    auto redPixels = [&](int c, int r) {
        int n = 0;
        const QImage face = cell(sheet, c, r);
        for (int y = 1; y < 101; ++y)
            for (int x = 1; x < 63; ++x) {
                const QRgb v = face.pixel(x, y);
                if (qRed(v) > 170 && qGreen(v) < 90 && qBlue(v) < 90) ++n;
            }
        return n;
    };
    auto ink = [&](int c, int r) {
        int n = 0;
        const QImage face = cell(sheet, c, r);
        for (int y = 1; y < 101; ++y)
            for (int x = 1; x < 63; ++x) n += luminance(face.pixel(x, y)) < 128;
        return n;
    };
    // Spades and clubs are black, hearts and diamonds red (pip cards; the
    // court pictures are coloured in every suit).
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(redPixels(c, 0), 0) << c;
        EXPECT_EQ(redPixels(c, 1), 0) << c;
        EXPECT_GT(redPixels(c, 2), 40) << c;
        EXPECT_GT(redPixels(c, 3), 40) << c;
    }
    // From the two to the ten every card carries more pips than the last.
    for (int r : {1, 2, 3})
        for (int c = 2; c < 10; ++c) EXPECT_GT(ink(c, r), ink(c - 1, r)) << c << "," << r;
    // Every card looks different from every other.
    std::set<QByteArray> seen;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 13; ++c) {
            const QImage face = cell(sheet, c, r);
            seen.insert(QByteArray(reinterpret_cast<const char *>(face.constBits()),
                                   face.sizeInBytes()));
        }
    EXPECT_EQ(seen.size(), 52u);
}

TEST(FaceSheets, SettledSheetIsTheSameCardsTinted) {
    const QImage white = loadPicture(kFacesPicture), blue = loadPicture(kSettledFacesPicture);
    int darkKept = 0;
    for (int y = 0; y < white.height(); ++y)
        for (int x = 0; x < white.width(); ++x) {
            const QRgb w = white.pixel(x, y), b = blue.pixel(x, y);
            // Tinting never brightens, and ink stays ink.
            ASSERT_LE(luminance(b), luminance(w) + 1) << x << "," << y;
            if (luminance(w) < 40) {
                ASSERT_LT(luminance(b), 40) << x << "," << y;
                ++darkKept;
            }
        }
    EXPECT_GT(darkKept, 10000);
}

TEST(Backs, ShadesGrowLighterAndStayBlue) {
    for (int number : {kBacks1Picture, kBacks2Picture}) {
        const QImage strip = loadPicture(number);
        double last = -1;
        for (int s = 0; s < 3; ++s) {
            const Mean m = meanOf(strip, 63 * s + 1, 1, 62, 100);
            EXPECT_GT(m.blue, m.red + 30) << number << " shade " << s;
            EXPECT_GT(m.light, last + 25) << number << " shade " << s;
            last = m.light;
        }
        // The shared edges between the three backs are outline.
        for (int y = 0; y < 102; ++y) {
            EXPECT_LT(luminance(strip.pixel(63, y)), 60);
            EXPECT_LT(luminance(strip.pixel(126, y)), 60);
        }
    }
    EXPECT_NE(loadPicture(kBacks1Picture), loadPicture(kBacks2Picture));
    // The single backs of the score summary come in the same three steps.
    double last = -1;
    for (int number : {kDarkBackPicture, kMidBackPicture, kLightBackPicture}) {
        const Mean m = meanOf(loadPicture(number), 1, 1, 62, 100);
        EXPECT_GT(m.blue, m.red + 30) << number;
        EXPECT_GT(m.light, last + 25) << number;
        last = m.light;
    }
}

TEST(GreyCards, ShadowStencilIsACheckerboardOfTwoGreys) {
    const QImage grey = loadPicture(kGreyCardPicture);
    const uint32_t a = rgb(134, 134, 134), b = rgb(150, 150, 150);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x) {
            const uint32_t v = rgb(grey, x, y);
            ASSERT_TRUE(v == a || v == b) << x << "," << y;
            if (x > 0) {
                ASSERT_NE(v, rgb(grey, x - 1, y)) << x << "," << y;
            }
            if (y > 0) {
                ASSERT_NE(v, rgb(grey, x, y - 1)) << x << "," << y;
            }
        }
}

TEST(GreyCards, QuestionCardIsGreyWithADarkMark) {
    const QImage card = loadPicture(kUnknownCardPicture);
    int dark = 0;
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x) {
            const QRgb v = card.pixel(x, y);
            const int spread = std::max({qRed(v), qGreen(v), qBlue(v)}) -
                               std::min({qRed(v), qGreen(v), qBlue(v)});
            ASSERT_LT(spread, 12) << x << "," << y;
            if (x > 8 && x < 56 && y > 10 && y < 92 && luminance(v) < 100) ++dark;
        }
    EXPECT_GT(dark, 200);
}

namespace {

const int kLitAreas[6] = {29, 72, 102, 126, 23, 12};

}  // namespace

TEST(Sparkles, StripsHoldTheSameSixShapes) {
    const QImage image = loadPicture(kSparkleImagePicture), mask = loadPicture(kSparkleMaskPicture);
    const uint32_t white = rgb(255, 255, 255), black = 0, yellow = rgb(255, 255, 0);
    for (int f = 0; f < 6; ++f) {
        int lit = 0;
        for (int y = 30 * f; y < 30 * f + 30; ++y)
            for (int x = 0; x < 30; ++x) {
                const uint32_t i = rgb(image, x, y), m = rgb(mask, x, y);
                ASSERT_TRUE(i == white || i == black) << x << "," << y;
                ASSERT_TRUE(m == yellow || m == white) << x << "," << y;
                ASSERT_EQ(i == white, m == yellow) << x << "," << y;
                lit += i == white;
            }
        EXPECT_NEAR(lit, kLitAreas[f], kLitAreas[f] / 10 + 2) << "frame " << f;
    }
}

TEST(Sparkles, OrThenAndLeavesAYellowShapeOverAnything) {
    const QImage image = loadPicture(kSparkleImagePicture), mask = loadPicture(kSparkleMaskPicture);
    const QImage under = loadPicture(kFacesPicture).copy(100, 20, 30, 30);
    for (int f = 0; f < 6; ++f) {
        QImage block = under.copy();
        bitBlt(block, 0, 0, 30, 30, image, 0, 30 * f, SRCPAINT);
        bitBlt(block, 0, 0, 30, 30, mask, 0, 30 * f, SRCAND);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                if (rgb(image, x, 30 * f + y) != 0)
                    ASSERT_EQ(rgb(block, x, y), rgb(255, 255, 0)) << f << ": " << x << "," << y;
                else
                    ASSERT_EQ(block.pixel(x, y), under.pixel(x, y)) << f << ": " << x << "," << y;
            }
    }
}

namespace {

// Positions along one row (or column) whose pixel is neither cell shade.
std::vector<int> linesAcross(const QImage &bg, uint32_t a, uint32_t b, bool vertical, int fixed) {
    std::vector<int> at;
    const int n = vertical ? bg.width() : bg.height();
    for (int i = 0; i < n; ++i) {
        const uint32_t v = vertical ? rgb(bg, i, fixed) : rgb(bg, fixed, i);
        if (v != a && v != b) at.push_back(i);
    }
    return at;
}

}  // namespace

TEST(Backgrounds, CellsAlternateTwoShadesBetweenLightLines) {
    struct Pattern {
        int number;
        uint32_t a, b;
    };
    const Pattern patterns[] = {
        {kBackground1Picture, rgb(0, 170, 170), rgb(0, 180, 184)},
        {kBackground2Picture, rgb(119, 119, 255), rgb(128, 128, 255)},
        {kBackground3Picture, rgb(182, 182, 182), rgb(192, 192, 192)},
        {kSeeThroughPicture, rgb(0, 255, 0), rgb(0, 255, 0)},
    };
    for (const Pattern &p : patterns) {
        SCOPED_TRACE(p.number);
        // Kept one row of cells high, and repeated down the whole board.
        const QImage cells = loadPicture(p.number);
        ASSERT_EQ(cells.size(), QSize(3000, 101));
        QImage bg(3000, 1600, QImage::Format_RGB32);
        for (int y = 0; y < bg.height(); ++y)
            std::memcpy(bg.scanLine(y), cells.constScanLine(y % 101), size_t(bg.bytesPerLine()));
        const uint32_t line = rgb(bg, 0, 50);
        if (p.number == kSeeThroughPicture)
            EXPECT_EQ(line, rgb(192, 192, 192));
        else
            EXPECT_GT(qGray(line), qGray(p.b));  // a light line

        // 48 vertical lines 63 apart, one gap of 64; the same on every row.
        for (int y : {50, 777, 1599}) {
            const std::vector<int> xs = linesAcross(bg, p.a, p.b, true, y);
            ASSERT_EQ(xs.size(), 48u) << "row " << y;
            EXPECT_EQ(xs[0], 0);
            int wide = 0;
            for (size_t i = 1; i < xs.size(); ++i) {
                const int gap = xs[i] - xs[i - 1];
                EXPECT_TRUE(gap == 63 || gap == 64) << "gap " << gap << " at " << xs[i];
                wide += gap == 64;
            }
            EXPECT_EQ(wide, 1);
            for (int x : xs) EXPECT_EQ(rgb(bg, x, y), line);
        }
        // 16 horizontal lines at multiples of 101.
        for (int x : {30, 1500, 2999}) {
            const std::vector<int> ys = linesAcross(bg, p.a, p.b, false, x);
            ASSERT_EQ(ys.size(), 16u) << "column " << x;
            for (size_t i = 0; i < ys.size(); ++i) EXPECT_EQ(ys[i], int(101 * i));
        }
        // Each cell column is one shade from top to bottom, and neighbours
        // differ.
        const std::vector<int> xs = linesAcross(bg, p.a, p.b, true, 50);
        for (size_t k = 0; k < xs.size(); ++k) {
            const int x = xs[k] + 1;
            const uint32_t expected = k % 2 == 0 ? p.a : p.b;
            for (int y = 1; y < 1600; y += 101) EXPECT_EQ(rgb(bg, x, y + 40), expected) << k;
        }
    }
}
