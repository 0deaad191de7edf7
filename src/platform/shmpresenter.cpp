#include "platform/shmpresenter.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>

namespace fusefuda {

namespace {

template <typename T>
struct Freed {
    T *reply;
    ~Freed() { std::free(reply); }
    T *operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

// The window's visual must hold 8-bit red, green and blue in the places an
// RGB32 image keeps them, in pixels of 32 bits sent least significant byte
// first: then the framebuffer's words are the window's pixels as they stand.
bool pixelsMatch(xcb_connection_t *c, xcb_window_t window, uint8_t depth) {
    const xcb_setup_t *setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    bool thirtyTwoBits = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == depth) thirtyTwoBits = f.data->bits_per_pixel == 32;
    if (!thirtyTwoBits) return false;

    Freed<xcb_get_window_attributes_reply_t> attributes{
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr)};
    if (!attributes) return false;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d)) {
            if (d.data->depth != depth) continue;
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == attributes->visual)
                    return v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR &&
                           v.data->red_mask == 0xFF0000u && v.data->green_mask == 0xFF00u &&
                           v.data->blue_mask == 0xFFu;
        }
    return false;
}

}  // namespace

struct ShmPresenter::Connection {
    xcb_connection_t *c = nullptr;
    xcb_window_t window = 0;
    xcb_gcontext_t gc = 0;
    uint8_t depth = 0;
};

namespace {

// One shared memory segment behind one framebuffer image.
struct Segment {
    std::shared_ptr<ShmPresenter::Connection> connection;
    uint32_t id = 0;
    uchar *memory = nullptr;
};

void releaseSegment(void *info) {
    auto *segment = static_cast<Segment *>(info);
    xcb_shm_detach(segment->connection->c, segment->id);
    xcb_flush(segment->connection->c);
    shmdt(segment->memory);
    delete segment;
}

}  // namespace

std::unique_ptr<ShmPresenter> ShmPresenter::create(QWindow *window) {
    if (!window || QGuiApplication::platformName() != QStringLiteral("xcb")) return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    xcb_connection_t *c = x11->connection();

    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(c, &xcb_shm_id);
    if (!extension || !extension->present) return nullptr;
    Freed<xcb_shm_query_version_reply_t> version{
        xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr)};
    if (!version) return nullptr;

    const auto id = xcb_window_t(window->winId());
    Freed<xcb_get_geometry_reply_t> geometry{
        xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr)};
    if (!geometry || (geometry->depth != 24 && geometry->depth != 32)) return nullptr;
    if (!pixelsMatch(c, id, geometry->depth)) return nullptr;

    auto connection = std::make_shared<Connection>();
    connection->c = c;
    connection->window = id;
    connection->depth = geometry->depth;
    connection->gc = xcb_generate_id(c);
    // No exposure events for the puts: the window's own expose handling covers it.
    const uint32_t noExposures = 0;
    xcb_create_gc(c, connection->gc, id, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    return std::unique_ptr<ShmPresenter>(new ShmPresenter(std::move(connection)));
}

ShmPresenter::ShmPresenter(std::shared_ptr<Connection> connection)
    : connection_(std::move(connection)) {}

ShmPresenter::~ShmPresenter() {
    xcb_free_gc(connection_->c, connection_->gc);
    xcb_flush(connection_->c);
}

QImage ShmPresenter::allocate(int width, int height) {
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF) return {};
    const size_t bytes = size_t(width) * size_t(height) * 4;
    const int shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (shmid < 0) return {};
    void *memory = shmat(shmid, nullptr, 0);
    if (memory == reinterpret_cast<void *>(-1)) {
        shmctl(shmid, IPC_RMID, nullptr);
        return {};
    }
    xcb_connection_t *c = connection_->c;
    const uint32_t id = xcb_generate_id(c);
    // A display on another machine cannot attach the segment: ask once, and
    // mark the segment for removal so that it goes with the last user.
    xcb_generic_error_t *error = xcb_request_check(c, xcb_shm_attach_checked(c, id, shmid, 0));
    shmctl(shmid, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(memory);
        return {};
    }
    auto *segment = new Segment{connection_, id, static_cast<uchar *>(memory)};
    QImage image(segment->memory, width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                 releaseSegment, segment);
    image.fill(0xFF000000u);
    latest_ = segment->memory;
    latestSegment_ = id;
    return image;
}

bool ShmPresenter::showsIn(const QWindow *window) const {
    return window && xcb_window_t(window->winId()) == connection_->window;
}

bool ShmPresenter::owns(const QImage &image) const {
    return latest_ != nullptr && image.constBits() == latest_ &&
           image.format() == QImage::Format_RGB32 && image.bytesPerLine() == image.width() * 4;
}

void ShmPresenter::present(const QImage &image, const QRegion &region, QPoint offset) {
    if (!owns(image)) return;
    xcb_connection_t *c = connection_->c;
    for (const QRect &r : region) {
        const QRect shown = r.intersected(image.rect());
        if (shown.isEmpty()) continue;
        xcb_shm_put_image(c, connection_->window, connection_->gc, uint16_t(image.width()),
                          uint16_t(image.height()), uint16_t(shown.x()), uint16_t(shown.y()),
                          uint16_t(shown.width()), uint16_t(shown.height()),
                          int16_t(shown.x() + offset.x()), int16_t(shown.y() + offset.y()),
                          connection_->depth, XCB_IMAGE_FORMAT_Z_PIXMAP, 0, latestSegment_, 0);
    }
    xcb_flush(c);
}

}  // namespace fusefuda
