// Shows framebuffer rectangles in an X11 window straight from shared memory.
//
// Going through the widget's backing store costs a copy of every rectangle,
// a round trip to the X server before each paint and the whole repaint
// machinery; while a group of cards is carried that is most of the work of
// each frame. Here the framebuffer itself lives in a shared memory segment
// that the X server reads from, so showing a rectangle is one request.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <memory>

class QWindow;

namespace fusefuda {

class ShmPresenter {
public:
    // Null unless `window` is an X11 window of 24 or 32 bits a pixel on a
    // display that shares memory with this process. Images and regions are in
    // the window's device pixels.
    static std::unique_ptr<ShmPresenter> create(QWindow *window);
    ~ShmPresenter();
    ShmPresenter(const ShmPresenter &) = delete;
    ShmPresenter &operator=(const ShmPresenter &) = delete;

    // An opaque black RGB32 framebuffer in a fresh segment; a null image
    // when none can be made. The segment goes when the last copy of the image
    // does.
    QImage allocate(int width, int height);
    // True while the presenter's window is still `window`'s native one.
    bool showsIn(const QWindow *window) const;
    // True while `image` still draws into the segment of the latest
    // allocation: a copy that was written to has moved to ordinary memory.
    bool owns(const QImage &image) const;
    // Puts `region` of `image` (which it owns) into the window with the
    // image's origin at `offset`, and sends the requests.
    void present(const QImage &image, const QRegion &region, QPoint offset);

    // The display, window and graphics context the segments are shown with.
    struct Connection;

private:
    explicit ShmPresenter(std::shared_ptr<Connection> connection);

    std::shared_ptr<Connection> connection_;
    const uchar *latest_ = nullptr;
    uint32_t latestSegment_ = 0;
};

}  // namespace fusefuda
