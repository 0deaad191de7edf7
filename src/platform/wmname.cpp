#include "platform/wmname.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstdlib>
#include <cstring>

namespace fusefuda {

bool legacyNameHolds(bool latin1Only, const QString &title) {
    if (!latin1Only) return true;
    for (QChar c : title)
        if (c.unicode() > 0xFF) return false;
    return true;
}

void keepLegacyNameReadable(QWindow *window, const QString &title, const char *romanised) {
    if (window == nullptr || QGuiApplication::platformName() != QStringLiteral("xcb")) return;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;
    xcb_connection_t *connection = x11->connection();
    const auto id = xcb_window_t(window->winId());
    // Qt has written it through Xlib on this same connection: the answer
    // comes after that write. What Xlib made of it says whether the locale
    // could hold the title (COMPOUND_TEXT) or not (STRING).
    xcb_get_property_reply_t *name = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, id, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, 0),
        nullptr);
    if (!name) return;
    const bool latin1Only = name->type == XCB_ATOM_STRING;
    std::free(name);
    if (legacyNameHolds(latin1Only, title)) return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                        8, uint32_t(std::strlen(romanised)), romanised);
    xcb_flush(connection);
}

}  // namespace fusefuda
