// The icon, the cursor and the pictures made for high-density screens, as the
// game loads them from the executable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "assets/catalogue.h"
#include "render/raster.h"

using namespace fusefuda;

TEST(IconAndCursor, IconIsOpaqueInsideAndClearAtTheCorners) {
    for (const QImage &icon : {loadPicture(kIconPicture), loadLargeIcon()}) {
        ASSERT_TRUE(icon.hasAlphaChannel());
        EXPECT_EQ(qAlpha(icon.pixel(0, icon.height() - 1)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(icon.width() - 1, 0)), 0);
        EXPECT_EQ(qAlpha(icon.pixel(icon.width() / 2, icon.height() / 2)), 255);
    }
}

TEST(IconAndCursor, CursorIsBlackAndWhiteHeldAtItsTopLeft) {
    const QImage cursor = loadPicture(kCursorPicture);
    ASSERT_TRUE(cursor.hasAlphaChannel());
    int left = 32, top = 32, opaque = 0, black = 0, white = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb v = cursor.pixel(x, y);
            if (qAlpha(v) == 0) continue;
            ASSERT_EQ(qAlpha(v), 255) << x << "," << y;
            const uint32_t c = v & 0xFFFFFFu;
            ASSERT_TRUE(c == 0 || c == 0xFFFFFFu) << x << "," << y;
            black += c == 0;
            white += c != 0;
            ++opaque;
            left = std::min(left, x);
            top = std::min(top, y);
        }
    EXPECT_GT(black, 30);
    EXPECT_GT(white, 60);
    // The hot spot is (0, 0): the hand starts right there, not across the
    // cursor's square.
    EXPECT_LE(left, 4);
    EXPECT_LE(top, 4);
}

// The board's pictures at 2 and 3 device pixels a pixel: the same design as
// at 1 (each k x k block averages to about the pixel it stands for), with
// more detail where the design has any (blocks that are not one colour).
TEST(ScaledPictures, AreTheSameDesignOnAFinerGrid) {
    struct Case {
        int number;
        bool finer;  // whether the design has detail a finer grid shows
    };
    const Case cases[] = {{103, true},  {104, true},  {105, true},  {106, true}, {107, true},
                          {121, false}, {124, false}, {125, false}, {126, true}, {131, false},
                          {133, true},  {137, true},  {138, true},  {140, true}, {141, true},
                          {142, true}};
    for (int k : {2, 3}) {
        for (const Case &c : cases) {
            const QImage one = loadPicture(c.number), many = loadPicture(c.number, k);
            ASSERT_FALSE(many.isNull()) << c.number << " at " << k;
            EXPECT_EQ(scaleOf(many), k) << c.number;
            EXPECT_EQ(many.depth(), 32) << c.number;
            // The backgrounds repeat every row of cells and are kept one row high.
            const bool background = one.width() == 3000;
            const QSize expected(one.width() * k, (background ? 101 : one.height()) * k);
            ASSERT_EQ(many.size(), expected) << c.number << " at " << k;
            double error = 0;
            int mixedBlocks = 0, blocks = 0;
            for (int y = 0; y < many.height() / k; ++y)
                for (int x = 0; x < one.width(); ++x) {
                    int sum[4] = {}, distinct = 0;
                    const QRgb first = many.pixel(x * k, y * k);
                    for (int dy = 0; dy < k; ++dy)
                        for (int dx = 0; dx < k; ++dx) {
                            const QRgb v = many.pixel(x * k + dx, y * k + dy);
                            sum[0] += qRed(v), sum[1] += qGreen(v), sum[2] += qBlue(v);
                            sum[3] += qAlpha(v);
                            distinct += v != first;
                        }
                    const QRgb v = one.pixel(x, y);
                    const int n = k * k;
                    error += (std::abs(sum[0] / n - qRed(v)) + std::abs(sum[1] / n - qGreen(v)) +
                              std::abs(sum[2] / n - qBlue(v)) + std::abs(sum[3] / n - qAlpha(v))) /
                             4.0;
                    mixedBlocks += distinct > 0;
                    ++blocks;
                }
            EXPECT_LT(error / blocks, 12.0) << c.number << " at " << k;
            if (c.finer)
                EXPECT_GT(mixedBlocks, blocks / 100) << c.number << " at " << k;
            else
                EXPECT_EQ(mixedBlocks, 0) << c.number << " at " << k;
        }
    }
}
