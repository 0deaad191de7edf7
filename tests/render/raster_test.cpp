#include <gtest/gtest.h>

#include "render/raster.h"

using namespace fusefuda;

namespace {

QImage filled(int w, int h, uint32_t colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

}  // namespace

TEST(Raster, CopyAndOrAndCombinePerChannel) {
    QImage dst = filled(4, 4, 0xFF336699u);
    const QImage src = filled(4, 4, 0xFF0F0F0Fu);
    QImage copy = dst.copy(), andd = dst.copy(), orr = dst.copy();
    bitBlt(copy, 0, 0, 4, 4, src, 0, 0, SRCCOPY);
    bitBlt(andd, 0, 0, 4, 4, src, 0, 0, SRCAND);
    bitBlt(orr, 0, 0, 4, 4, src, 0, 0, SRCPAINT);
    EXPECT_EQ(copy.pixel(1, 1), 0xFF0F0F0Fu);
    EXPECT_EQ(andd.pixel(1, 1), 0xFF030609u);
    EXPECT_EQ(orr.pixel(1, 1), 0xFF3F6F9Fu);
}

TEST(Raster, CopiesAreClippedOnBothSides) {
    QImage dst = filled(10, 10, 0xFF000000u);
    QImage src = filled(5, 5, 0xFFFFFFFFu);
    src.setPixel(0, 0, 0xFFFF0000u);
    bitBlt(dst, -2, -2, 5, 5, src, 0, 0, SRCCOPY);  // top-left part falls off
    EXPECT_EQ(dst.pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(dst.pixel(2, 2), 0xFFFFFFFFu);
    EXPECT_EQ(dst.pixel(3, 3), 0xFF000000u);
    bitBlt(dst, 8, 8, 5, 5, src, 0, 0, SRCCOPY);  // bottom-right part falls off
    EXPECT_EQ(dst.pixel(8, 8), 0xFFFF0000u);
    EXPECT_EQ(dst.pixel(9, 9), 0xFFFFFFFFu);
    bitBlt(dst, 5, 0, 5, 5, src, 3, 0, SRCCOPY);  // source runs out after 2 columns
    EXPECT_EQ(dst.pixel(6, 1), 0xFFFFFFFFu);
    EXPECT_EQ(dst.pixel(7, 1), 0xFF000000u);
}

TEST(Raster, StretchNarrowsAroundTheCentre) {
    QImage src = filled(64, 2, 0xFF0000FFu);
    for (int y = 0; y < 2; ++y) src.setPixel(63, y, 0xFFFF0000u);
    QImage dst = filled(64, 2, 0xFF000000u);
    stretchBlt(dst, 31, 0, 2, 2, src, 0, 0, 64, 2);
    EXPECT_EQ(dst.pixel(30, 0), 0xFF000000u);
    EXPECT_EQ(dst.pixel(31, 0), 0xFF0000FFu);
    EXPECT_EQ(dst.pixel(33, 0), 0xFF000000u);
    stretchBlt(dst, 0, 0, 64, 2, src, 0, 0, 64, 2);
    EXPECT_EQ(dst, src);  // full width is a one-to-one copy
}
