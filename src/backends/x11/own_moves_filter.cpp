// SPDX-License-Identifier: MIT
#include "backends/x11/own_moves_filter.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>

namespace xmascard {
namespace {

constexpr quint8 kSyntheticBit = 0x80;  // set on events another client sent

QWindow* topLevelWithId(quint32 id) {
    for (QWindow* window : QGuiApplication::topLevelWindows())
        if (window->handle() != nullptr && window->winId() == id) return window;
    return nullptr;
}

bool isRootWindow(quint32 id) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) return false;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(x11->connection())); it.rem;
         xcb_screen_next(&it))
        if (it.data->root == id) return true;
    return false;
}

}  // namespace

bool X11OwnMovesFilter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & ~kSyntheticBit) {
        case XCB_REPARENT_NOTIFY: {
            const auto* reparent = static_cast<const xcb_reparent_notify_event_t*>(message);
            if (isRootWindow(reparent->parent))
                reparented_.remove(reparent->window);
            else
                reparented_.insert(reparent->window);
            return false;
        }
        case XCB_CONFIGURE_NOTIFY:
            return confirmsKnownGeometry(message);
        default:
            return false;
    }
}

bool X11OwnMovesFilter::confirmsKnownGeometry(const void* message) const {
    const auto* event = static_cast<const xcb_configure_notify_event_t*>(message);
    if (event->event != event->window || event->border_width != 0) return false;
    // A real event of a reparented window gives its place in the frame; a synthetic one, as
    // window managers send, gives its place on the screen.
    const bool synthetic = (event->response_type & kSyntheticBit) != 0;
    if (!synthetic && reparented_.contains(event->window)) return false;
    const QWindow* window = topLevelWithId(event->window);
    // Qt holds native pixels; comparing them with its logical geometry is exact only unscaled.
    if (window == nullptr || window->devicePixelRatio() != 1.0) return false;
    return window->geometry() == QRect(event->x, event->y, event->width, event->height);
}

}  // namespace xmascard
