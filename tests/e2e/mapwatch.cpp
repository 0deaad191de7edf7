// Waits for a top-level window of the given title to be mapped and prints
// when, so that the measurement times a start-up without polling the display
// (a poll every few milliseconds is a process of its own, and on two cores it
// takes time from the program being timed).
//   fusefuda_mapwatch TITLE
// Prints "ready" once it listens, then "MICROSECONDS WINDOW" at the map (the
// realtime clock, as bash's EPOCHREALTIME reads it); exits 1 if the display
// goes away first.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

namespace {

struct Free {
    void operator()(void *p) const { std::free(p); }
};

// The window's _NET_WM_NAME, or its WM_NAME when it has none.
std::string titleOf(xcb_connection_t *c, xcb_window_t window, xcb_atom_t netName,
                    xcb_atom_t utf8) {
    for (const auto &[property, type] :
         {std::pair{netName, utf8}, std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
        std::unique_ptr<xcb_get_property_reply_t, Free> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
        if (reply && reply->value_len > 0)
            return std::string(static_cast<const char *>(xcb_get_property_value(reply.get())),
                               size_t(xcb_get_property_value_length(reply.get())));
    }
    return {};
}

xcb_atom_t atom(xcb_connection_t *c, const char *name) {
    std::unique_ptr<xcb_intern_atom_reply_t, Free> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s TITLE\n", argv[0]);
        return 2;
    }
    const std::string title = argv[1];
    int screenNumber = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) return 1;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i) xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;
    const xcb_atom_t netName = atom(c, "_NET_WM_NAME"), utf8 = atom(c, "UTF8_STRING");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_void_cookie_t listen = xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask);
    if (std::unique_ptr<xcb_generic_error_t, Free> error{xcb_request_check(c, listen)}) return 1;
    std::printf("ready\n");
    std::fflush(stdout);
    while (std::unique_ptr<xcb_generic_event_t, Free> event{xcb_wait_for_event(c)}) {
        if ((event->response_type & 0x7f) != XCB_MAP_NOTIFY) continue;
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        const auto *map = reinterpret_cast<const xcb_map_notify_event_t *>(event.get());
        if (titleOf(c, map->window, netName, utf8) != title) continue;
        std::printf("%lld %u\n", static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000,
                    map->window);
        return 0;
    }
    return 1;
}
