// The surfaces: the background kept one repeat high, where every copy from it
// must show the picture as drawn, and the framebuffer's memory and size.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "assets/catalogue.h"
#include "game/GameState.h"
#include "render/raster.h"
#include "render/surfaces.h"

using namespace fusefuda;

namespace {

QImage noise(int w, int h, uint32_t seed) {
    QImage image(w, h, QImage::Format_RGB32);
    std::mt19937 pick(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) image.setPixel(x, y, 0xFF000000u | (pick() & 0xFFFFFFu));
    return image;
}

// Rows from a few patterns, in the order given.
QImage rowsOf(const std::vector<int> &order, int width = 40) {
    const QImage patterns = noise(width, 4, 9);
    QImage image(width, int(order.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, patterns.pixel(x, order[size_t(y)]));
    return image;
}

QImage filled(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(0xFF445566u);
    return image;
}

}  // namespace

TEST(RepeatingHeight, IsTheShortestRepeatOfTheRows) {
    EXPECT_EQ(repeatingHeight(rowsOf({0, 1, 1, 0, 1, 1, 0, 1})), 3);  // a part repeat at the end
    EXPECT_EQ(repeatingHeight(rowsOf({0, 0, 0, 0})), 1);
    EXPECT_EQ(repeatingHeight(rowsOf({0, 1, 0, 1, 0, 2})), 6);  // the last row breaks it
    EXPECT_EQ(repeatingHeight(rowsOf({2, 0, 0, 0, 0, 0})), 6);
    EXPECT_EQ(repeatingHeight(rowsOf({0, 1, 2, 0, 1, 3, 0, 1, 2})), 6);
    EXPECT_EQ(repeatingHeight(rowsOf({0, 1, 2, 0, 1, 3, 0, 1, 3})), 9);
    EXPECT_EQ(repeatingHeight(rowsOf({0})), 1);
    EXPECT_EQ(repeatingHeight(noise(30, 50, 4)), 50);
}

TEST(Background, EveryPictureIsKeptOneRowOfCellsHighAndCopiesBackWhole) {
    for (int pattern : {1, 2, 3, 4}) {
        Surfaces s;
        createSurfaces(s, 1, pattern, 100, 100);
        EXPECT_EQ(s.background.size(), QSize(kBoardWidth, kPitchY)) << pattern;
        // Stored so already, and kept as stored: the board repeats it downwards
        // (the next test holds that to a whole picture).
        const QImage drawn = loadPicture(backgroundPictureFor(pattern));
        ASSERT_EQ(drawn.size(), QSize(kBoardWidth, kPitchY));
        EXPECT_EQ(s.background, drawn) << pattern;
    }
}

TEST(Background, CopiesFromARepeatMatchCopiesFromTheWholePictureClippedAlike) {
    // A whole picture made of a repeat of 37 rows, and the repeat alone.
    const QImage repeat = noise(300, 37, 5);
    QImage whole(300, kBoardHeight, QImage::Format_RGB32);
    for (int y = 0; y < kBoardHeight; ++y)
        for (int x = 0; x < 300; ++x) whole.setPixel(x, y, repeat.pixel(x, y % 37));
    ASSERT_EQ(repeatingHeight(whole), 37);
    std::mt19937 pick(11);
    for (int round = 0; round < 300; ++round) {
        const int w = int(pick() % 200), h = int(pick() % 400);
        const int x = int(pick() % 260) - 80, y = int(pick() % 260) - 80;
        const int sx = int(pick() % 500) - 100, sy = int(pick() % 2000) - 200;
        QImage expected = filled(180, 180), actual = filled(180, 180);
        bitBlt(expected, x, y, w, h, whole, sx, sy, SRCCOPY);
        backgroundBlt(actual, x, y, w, h, repeat, sx, sy);
        ASSERT_EQ(actual, expected) << x << "," << y << " " << w << "x" << h << " from " << sx
                                    << "," << sy;
    }
    // A whole picture copies as it is.
    QImage expected = filled(180, 180), actual = filled(180, 180);
    bitBlt(expected, -5, 10, 200, 170, whole, 20, 1500, SRCCOPY);
    backgroundBlt(actual, -5, 10, 200, 170, whole, 20, 1500);
    EXPECT_EQ(actual, expected);
}

// The framebuffer comes from the allocator when there is one, on creation and
// on every resize, keeps what fits across a resize, and falls back to
// ordinary memory when the allocator has none to give.
TEST(WindowSurface, ComesFromTheAllocatorAndKeepsItsPixelsAcrossResizes) {
    std::vector<std::unique_ptr<uint32_t[]>> memory;  // the allocator's buffers
    std::vector<const uchar *> given;
    bool refuse = false;
    Surfaces s;
    s.allocateWindow = [&](int w, int h) -> QImage {
        if (refuse) return {};
        memory.push_back(std::make_unique<uint32_t[]>(size_t(w) * size_t(h)));
        QImage image(reinterpret_cast<uchar *>(memory.back().get()), w, h, w * 4,
                     QImage::Format_RGB32);
        image.fill(0xFF000000u);
        given.push_back(image.constBits());
        return image;
    };
    createSurfaces(s, 1, 1, 300, 200);
    ASSERT_EQ(given.size(), 1u);
    EXPECT_EQ(s.window.constBits(), given[0]);
    EXPECT_EQ(s.window.size(), QSize(300, 200));
    EXPECT_EQ(s.window.pixel(299, 199), 0xFF000000u);

    s.window.setPixel(10, 20, 0xFF123456u);
    s.window.setPixel(299, 199, 0xFF654321u);
    EXPECT_EQ(s.window.constBits(), given[0]) << "drawing moved the framebuffer";
    resizeWindowSurface(s, 250, 260);
    ASSERT_EQ(given.size(), 2u);
    EXPECT_EQ(s.window.constBits(), given[1]);
    EXPECT_EQ(s.window.pixel(10, 20), 0xFF123456u);
    EXPECT_EQ(s.window.pixel(249, 199), 0xFF000000u);
    EXPECT_EQ(s.window.pixel(100, 259), 0xFF000000u);

    refuse = true;
    resizeWindowSurface(s, 400, 300);
    EXPECT_EQ(s.window.size(), QSize(400, 300));
    EXPECT_EQ(s.window.format(), QImage::Format_RGB32);
    EXPECT_EQ(s.window.pixel(10, 20), 0xFF123456u);
    EXPECT_EQ(s.window.pixel(399, 299), 0xFF000000u);
    EXPECT_EQ(given.size(), 2u);

    // Above one device pixel a pixel the allocator is asked for device pixels.
    refuse = false;
    createSurfaces(s, 1, 1, 300, 200, 2);
    ASSERT_EQ(given.size(), 3u);
    EXPECT_EQ(s.window.constBits(), given[2]);
    EXPECT_EQ(s.window.size(), QSize(600, 400));
    EXPECT_EQ(logicalSize(s.window), QSize(300, 200));
}

// The surfaces' scale for a screen's device pixel ratio: whole ratios as they
// are, a fractional one from the next whole one.
TEST(WindowSurface, TheScaleIsTheNextWholeRatio) {
    const struct {
        double ratio;
        int scale;
    } cases[] = {{1.0, 1}, {1.25, 2}, {1.5, 2}, {2.0, 2}, {2.5, 3}, {3.0, 3}};
    for (const auto &c : cases) EXPECT_EQ(surfaceScaleFor(c.ratio), c.scale) << c.ratio;
}

TEST(Faces, ComeFromTheSheetsTheOptionChooses) {
    Surfaces s;
    createSurfaces(s, 1, 1, 100, 100, 2, true);
    EXPECT_EQ(s.face, loadPicture(kFourColourFacesPicture, 2));
    switchFaces(s, false);
    EXPECT_EQ(s.settledFace, loadPicture(kSettledFacesPicture, 2));
}

// A zoom back across a whole scale finds the pictures it left; a third scale,
// or another picture in a place, puts the old ones away.
TEST(Surfaces, KeepThePicturesOfTheLastOtherScaleOnly) {
    Surfaces s;
    createSurfaces(s, 1, 1, 100, 100, 1);
    const qint64 face = s.face.cacheKey(), background = s.background.cacheKey();
    createSurfaces(s, 1, 1, 100, 100, 2);
    EXPECT_NE(s.face.cacheKey(), face);
    createSurfaces(s, 1, 1, 100, 100, 1);
    EXPECT_EQ(s.face.cacheKey(), face);
    EXPECT_EQ(s.background.cacheKey(), background);
    createSurfaces(s, 1, 1, 100, 100, 2);
    createSurfaces(s, 1, 1, 100, 100, 3);
    createSurfaces(s, 1, 1, 100, 100, 1);
    EXPECT_NE(s.face.cacheKey(), face);
    switchBackground(s, 2);
    EXPECT_LE(s.made.size(), 2u * 8);  // eight places at two scales
}

// A zoom's steps make the framebuffer and the canvas again and again: the
// memory of one that no image holds any more goes to the next that fits,
// black, and memory that an image or a copy of it still holds never does.
TEST(ImageStore, GivesMemoryNoImageHoldsAndNeverMemoryInUse) {
    ImageStore store;
    QImage first = store.blank(300, 200, 2);
    const uchar *firstBits = first.constBits();
    first.fill(0xFF123456u);
    QImage held = store.blank(100, 100, 1);
    EXPECT_NE(held.constBits(), firstBits);
    first = QImage();
    QImage smaller = store.blank(280, 190, 2);
    EXPECT_EQ(smaller.constBits(), firstBits);
    EXPECT_EQ(smaller.size(), QSize(560, 380));
    EXPECT_EQ(smaller.devicePixelRatio(), 2);
    EXPECT_EQ(smaller.pixel(559, 379), 0xFF000000u);
    QImage copy = smaller;
    smaller = QImage();
    EXPECT_NE(store.blank(280, 190, 2).constBits(), firstBits);
    EXPECT_GT(store.spareBytes(), 0);
    store.releaseSpare();
    EXPECT_EQ(store.spareBytes(), 0);
    EXPECT_EQ(copy.pixel(0, 0), 0xFF000000u);
}
