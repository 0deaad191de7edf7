// The board view at a zoom: the framebuffer, drawn at the next whole scale,
// shown smoothly scaled.
#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>

#include "app/boardview.h"
#include "render/painting.h"
#include "support/trace_pictures.h"

using namespace fusefuda;
using namespace fusefuda::testing;

// However a frame's changed area is cut into rectangles, the view shows what
// one smooth scaling of the whole framebuffer shows: no seams, no offsets.
TEST(ZoomedView, ShowsTheFramebufferAsOneSmoothScalingOfItDoes) {
    for (auto [zoom, k] : {std::pair{0.75, 1}, {1.5, 2}}) {
        Table t(k);
        t.deal(kAdvanced);
        useReadablePictures(t.surfaces);
        paintWindow(t.ctx);
        const QImage &frame = t.surfaces.window;
        const QSize size(int(std::ceil(1008 * zoom)), int(std::ceil(709 * zoom)));
        QImage reference(size, QImage::Format_RGB32);
        {
            QPainter painter(&reference);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(0, 0, 1008 * zoom, 709 * zoom), frame);
        }
        BoardView view(t.surfaces);
        view.setZoom(zoom);
        view.resize(size);
        // The whole view in pieces, and a carry's small change, drawn in bands.
        QRegion parts;
        for (int y = 0; y < size.height(); y += 61)
            for (int x = 0; x < size.width(); x += 97) parts += QRect(x, y, 97, 61);
        for (const QRegion &region : {parts, QRegion(101, 37, 300, 270)}) {
            QImage shown(size, QImage::Format_RGB32);
            shown.fill(Qt::black);
            view.render(&shown, region.boundingRect().topLeft(), region);
            int worst = 0;
            for (const QRect &r : region.intersected(QRect(QPoint(), size)))
                for (int y = r.top(); y <= r.bottom(); ++y)
                    for (int x = r.left(); x <= r.right(); ++x) {
                        const QRgb a = shown.pixel(x, y), b = reference.pixel(x, y);
                        worst = std::max({worst, std::abs(qRed(a) - qRed(b)),
                                          std::abs(qGreen(a) - qGreen(b)),
                                          std::abs(qBlue(a) - qBlue(b))});
                    }
            EXPECT_LE(worst, 2) << zoom << " " << region.rectCount();
        }
    }
}
