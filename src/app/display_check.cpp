// SPDX-License-Identifier: MIT
#include "app/display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>

namespace xmascard {

std::optional<std::string> prepareDisplay() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (chosen && *chosen) {
        const std::string_view platform(chosen);
        if (!platform.starts_with("xcb")) return std::nullopt;  // the user's choice stands
    } else {
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return std::string(
            "no display: DISPLAY is not set (the card needs an X11 display, "
            "or XWayland under Wayland)");
    xcb_connection_t* connection = xcb_connect(display, nullptr);
    const int error = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    if (error) return "no display: cannot connect to the X display " + std::string(display);
    return std::nullopt;
}

}  // namespace xmascard
