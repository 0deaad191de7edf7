#include "platform/keyrepeat.h"

#include <xcb/xcb.h>
// The header names a field after a keyword of C++.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <QByteArray>
#include <QGuiApplication>
#include <cstdlib>
#include <utility>

namespace fusefuda {

namespace {

xcb_connection_t *xConnection() {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

}  // namespace

int detectKeyRepeats() {
    xcb_connection_t *c = xConnection();
    if (!c) return 0;
    // Per client, and harmless to ask twice: Qt has opened the extension for
    // its own keyboard already.
    std::free(xcb_xkb_use_extension_reply(
        c, xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    std::free(xcb_xkb_per_client_flags_reply(
        c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr));
    xcb_xkb_get_controls_reply_t *controls = xcb_xkb_get_controls_reply(
        c, xcb_xkb_get_controls(c, XCB_XKB_ID_USE_CORE_KBD), nullptr);
    const int delay = controls ? controls->repeatDelay : 0;
    std::free(controls);
    return delay;
}

bool heldKeys(std::bitset<256> &keys) {
    xcb_connection_t *c = xConnection();
    if (!c) return false;
    xcb_query_keymap_reply_t *map = xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr);
    if (!map) return false;
    for (int code = 0; code < 256; ++code) keys[code] = (map->keys[code / 8] >> (code % 8)) & 1;
    std::free(map);
    return true;
}

KeyReleaseWatch::KeyReleaseWatch(std::function<void(unsigned)> released)
    : released_(std::move(released)) {
    if (xConnection()) qApp->installNativeEventFilter(this);
}

KeyReleaseWatch::~KeyReleaseWatch() { qApp->removeNativeEventFilter(this); }

bool KeyReleaseWatch::nativeEventFilter(const QByteArray &type, void *message, qintptr *) {
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if (type == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_KEY_RELEASE)
        released_(reinterpret_cast<const xcb_key_release_event_t *>(event)->detail);
    return false;
}

}  // namespace fusefuda
