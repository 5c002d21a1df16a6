// SPDX-License-Identifier: MIT
#include "backends/x11/x11_outlines.h"

#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QTransform>
#include <QWindow>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace xmascard {
namespace {

xcb_connection_t* connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

bool hasShape(xcb_connection_t* c) {
    const xcb_query_extension_reply_t* shape = xcb_get_extension_data(c, &xcb_shape_id);
    return shape != nullptr && shape->present;
}

// The screen DISPLAY names (":0.1" is screen 1), as Qt opens it.
int screenNumber() {
    int screen = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
    std::free(host);
    return screen;
}

// A compositing manager owns the selection _NET_WM_CM_Sn of the screen it composites.
bool compositingManagerRuns(xcb_connection_t* c) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(screenNumber());
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, name.size(), name.data()), nullptr),
        &std::free);
    if (!atom) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

}  // namespace

X11Outlines::X11Outlines() {
    xcb_connection_t* c = connection();
    composited_ = c != nullptr && hasShape(c) && compositingManagerRuns(c);
}

void X11Outlines::apply(QWindow& window, const QRegion& outline) const {
    if (!composited_) {
        WindowOutlines::apply(window, outline);
        return;
    }
    xcb_connection_t* c = connection();
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_BOUNDING, id, 0, 0, XCB_NONE);
    if (outline.isEmpty()) {
        xcb_shape_mask(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, id, 0, 0, XCB_NONE);
    } else {
        // The X server counts native pixels; Qt's regions are in logical ones.
        const qreal scale = window.devicePixelRatio();
        const QRegion native =
            scale == 1.0 ? outline : QTransform::fromScale(scale, scale).map(outline);
        std::vector<xcb_rectangle_t> rects;
        for (const QRect& r : native)
            rects.push_back({static_cast<int16_t>(r.x()), static_cast<int16_t>(r.y()),
                             static_cast<uint16_t>(r.width()), static_cast<uint16_t>(r.height())});
        xcb_shape_rectangles(c, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                             id, 0, 0, static_cast<uint32_t>(rects.size()), rects.data());
    }
    xcb_flush(c);
}

}  // namespace xmascard
