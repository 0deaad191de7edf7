#include "app/seethrough.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <string>

namespace fusefuda {

bool compositorPresent() {
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QStringLiteral("wayland"))) return true;
    if (platform != QStringLiteral("xcb")) return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return false;
    xcb_connection_t *connection = x11->connection();

    // The default screen's number is the one after the dot of the display name.
    int screen = 0;
    if (const char *display = std::getenv("DISPLAY")) {
        const std::string name(display);
        const size_t colon = name.rfind(':');
        const size_t dot = name.find('.', colon == std::string::npos ? 0 : colon);
        if (dot != std::string::npos) screen = std::atoi(name.c_str() + dot + 1);
    }
    const std::string atomName = "_NET_WM_CM_S" + std::to_string(screen);
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(atomName.size()), atomName.c_str()),
        nullptr);
    if (!atom) return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE) return false;
    xcb_get_selection_owner_reply_t *owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    if (!owner) return false;
    const bool owned = owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}

QImage keyOutGreen(const QImage &frame, const QRect &area) {
    const QRect r = area.intersected(frame.rect());
    QImage out(r.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < r.height(); ++y) {
        const uint32_t *from =
            reinterpret_cast<const uint32_t *>(frame.constScanLine(r.top() + y)) + r.left();
        uint32_t *to = reinterpret_cast<uint32_t *>(out.scanLine(y));
        for (int x = 0; x < r.width(); ++x) {
            const uint32_t rgb = from[x] & 0x00FFFFFFu;
            to[x] = rgb == 0x0000FF00u ? 0u : (rgb | 0xFF000000u);
        }
    }
    out.setDevicePixelRatio(frame.devicePixelRatio());
    return out;
}

}  // namespace fusefuda
