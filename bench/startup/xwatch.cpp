#include "bench/startup/xwatch.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <poll.h>
#include <stdexcept>

namespace bench {
namespace {

// xcb hands out replies allocated with malloc.
struct FreeReply {
    void operator()(void* reply) const {
        std::free(reply); // xcb's own allocation
    }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

} // namespace

XWatch::XWatch(const std::string& display) {
    connection_ = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to X display " + display);
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;

    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection_, &xcb_damage_id);
    const Reply<xcb_damage_query_version_reply_t> version(xcb_damage_query_version_reply(
        connection_, xcb_damage_query_version(connection_, 1, 1), nullptr));
    if (extension == nullptr || extension->present == 0 || !version) {
        xcb_disconnect(connection_);
        throw std::runtime_error("X display " + display + " has no Damage extension");
    }
    damageNotify_ = static_cast<uint8_t>(extension->first_event + XCB_DAMAGE_NOTIFY);
    // Damage on the root window covers every window drawn on it; one report until the next
    // subtract is enough to know that the pixels must be read again.
    damage_ = xcb_generate_id(connection_);
    xcb_damage_create(connection_, damage_, root_, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
    const uint32_t structure = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &structure);
    xcb_flush(connection_);
}

XWatch::~XWatch() {
    xcb_disconnect(connection_);
}

// Reads the reports queued so far; true when one of them says the screen changed.
bool XWatch::takeChanges() {
    bool changed = false;
    bool damaged = false;
    while (const Reply<xcb_generic_event_t> event{xcb_poll_for_event(connection_)}) {
        const uint8_t type = event->response_type & 0x7f;
        damaged = damaged || type == damageNotify_;
        changed = changed || type == damageNotify_ || type == XCB_MAP_NOTIFY ||
                  type == XCB_UNMAP_NOTIFY || type == XCB_CONFIGURE_NOTIFY ||
                  type == XCB_DESTROY_NOTIFY;
    }
    if (damaged) {
        // Re-arms the report for the next drawing.
        xcb_damage_subtract(connection_, damage_, XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
    }
    return changed;
}

void XWatch::waitForChange(std::chrono::microseconds timeout) {
    if (pendingChange_ || (pendingChange_ = takeChanges())) {
        return;
    }
    pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
    const auto milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(timeout);
    poll(&descriptor, 1, static_cast<int>(std::max<long long>(1, milliseconds.count())));
    pendingChange_ = takeChanges();
}

bool XWatch::paintedWindowShown() {
    pendingChange_ = pendingChange_ || takeChanges();
    if (pendingChange_) {
        pendingChange_ = false;
        shown_ = scan();
    }
    return shown_;
}

bool XWatch::scan() {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) {
        return false;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) {
        const xcb_window_t window = children[i];
        const Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) {
            continue;
        }
        const Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
        if (!geometry || geometry->width < 100 || geometry->height < 100) {
            continue;
        }
        if (showsSeveralColours(window, geometry->width, geometry->height)) {
            return true;
        }
    }
    return false;
}

bool XWatch::showsSeveralColours(xcb_window_t window, int width, int height) {
    return lineHasSeveralColours(window, 0, height / 4, width, 1) ||
           lineHasSeveralColours(window, 0, height / 2, width, 1) ||
           lineHasSeveralColours(window, 0, 3 * height / 4, width, 1) ||
           lineHasSeveralColours(window, width / 2, 0, 1, height);
}

bool XWatch::lineHasSeveralColours(xcb_window_t window, int x, int y, int width, int height) {
    const Reply<xcb_get_image_reply_t> image(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<int16_t>(x),
                      static_cast<int16_t>(y), static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), ~0u),
        nullptr));
    if (!image) {
        return false; // unmapped meanwhile
    }
    const uint8_t* data = xcb_get_image_data(image.get());
    const int length = xcb_get_image_data_length(image.get());
    // 24-bit screens store a pixel in 4 bytes.
    for (int offset = 4; offset + 4 <= length; offset += 4) {
        if (std::memcmp(data, data + offset, 3) != 0) {
            return true;
        }
    }
    return false;
}

} // namespace bench
