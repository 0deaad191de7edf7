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

namespace {

// A picture in which every pixel differs from every other.
QImage numbered(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | uint32_t(y * 256 + x));
    return image;
}

}  // namespace

TEST(Raster, OverlappingCopiesWithinOneImageReadTheOldPixels) {
    const int moves[][2] = {{3, 0}, {-3, 0}, {0, 4}, {0, -4}, {2, 5}, {-5, -2}, {4, -3}};
    for (Rop rop : {SRCCOPY, SRCAND, SRCPAINT}) {
        for (const auto &m : moves) {
            QImage image = numbered(20, 20);
            const QImage old = image.copy();
            QImage expected = image.copy();
            bitBlt(expected, 6 + m[0], 6 + m[1], 8, 8, old, 6, 6, rop);
            bitBlt(image, 6 + m[0], 6 + m[1], 8, 8, image, 6, 6, rop);
            EXPECT_EQ(image, expected) << std::hex << rop << std::dec << " by " << m[0] << ","
                                       << m[1];
        }
    }
}

TEST(Raster, CopiesIntoAnImplicitlySharedCopyLeaveTheOriginalAlone) {
    QImage original = numbered(8, 8);
    const QImage keep = original.copy();
    QImage shared = original;  // shares the pixels until written
    bitBlt(shared, 2, 2, 4, 4, original, 0, 0, SRCCOPY);
    EXPECT_EQ(original, keep);
    EXPECT_EQ(shared.pixel(2, 2), keep.pixel(0, 0));
}

TEST(Raster, EmptyMisplacedOrForeignCopiesChangeNothing) {
    const QImage src = filled(10, 10, 0xFFFFFFFFu);
    QImage dst = filled(10, 10, 0xFF000000u);
    const QImage untouched = dst.copy();
    bitBlt(dst, 0, 0, 0, 5, src, 0, 0, SRCCOPY);
    bitBlt(dst, 0, 0, 5, -1, src, 0, 0, SRCCOPY);
    bitBlt(dst, 10, 0, 5, 5, src, 0, 0, SRCCOPY);   // right of dst
    bitBlt(dst, 0, -5, 5, 5, src, 0, 0, SRCCOPY);   // above dst
    bitBlt(dst, 0, 0, 5, 5, src, 10, 0, SRCCOPY);   // right of src
    bitBlt(dst, 0, 0, 5, 5, src, -5, -5, SRCCOPY);  // above and left of src
    QImage narrow(10, 10, QImage::Format_Indexed8);
    narrow.fill(0);
    bitBlt(dst, 0, 0, 10, 10, narrow, 0, 0, SRCCOPY);
    bitBlt(narrow, 0, 0, 10, 10, src, 0, 0, SRCPAINT);
    stretchBlt(dst, 0, 0, 10, 10, narrow, 0, 0, 10, 10);
    bitBlt(dst, 0, 0, 10, 10, QImage(), 0, 0, SRCCOPY);
    EXPECT_EQ(dst, untouched);
    EXPECT_EQ(narrow.pixelIndex(5, 5), 0);
}

TEST(Raster, ShadowStencilDarkensWithoutChangingHue) {
    // AND with the checkerboard greys keeps only the bits that both share:
    // a white card turns into the stencil itself, black stays black.
    QImage dst = filled(2, 1, 0xFFFFFFFFu);
    dst.setPixel(1, 0, 0xFF000000u);
    QImage grey = filled(2, 1, 0xFF868686u);
    bitBlt(dst, 0, 0, 2, 1, grey, 0, 0, SRCAND);
    EXPECT_EQ(dst.pixel(0, 0), 0xFF868686u);
    EXPECT_EQ(dst.pixel(1, 0), 0xFF000000u);
}
