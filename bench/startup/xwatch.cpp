#include "bench/startup/xwatch.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace bench {
namespace {

// xcb hands out replies allocated with malloc.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
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
}

XWatch::~XWatch() {
    xcb_disconnect(connection_);
}

bool XWatch::paintedWindowShown() {
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
