// SPDX-License-Identifier: MIT
#include "backends/x11/display_check.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace xmascard {

namespace {

constexpr int kLeastDepth = 16;  // the card paints in true colour

bool headless(std::string_view platform) {
    const std::string_view name = platform.substr(0, platform.find(':'));
    return name == "offscreen" || name == "minimal";
}

std::string connectionProblem(int error, const std::string& display) {
    switch (error) {
        case XCB_CONN_CLOSED_PARSE_ERR:
            return "no display: DISPLAY=" + display + " is not a display name";
        case XCB_CONN_CLOSED_INVALID_SCREEN:
            return "no display: the X display " + display + " has no such screen";
        default:
            return "no display: cannot connect to the X display " + display;
    }
}

}  // namespace

std::optional<std::string> prepareDisplay() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    const std::string_view platform = chosen ? chosen : "";
    if (headless(platform)) return std::nullopt;
    if (!platform.starts_with("xcb")) setenv("QT_QPA_PLATFORM", "xcb", 1);

    const char* name = std::getenv("DISPLAY");
    if (!name || !*name)
        return std::string(
            "no display: DISPLAY is not set (the card needs an X11 display, "
            "or XWayland under Wayland)");
    const std::string display(name);
    int screenNumber = 0;
    const std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection(
        xcb_connect(name, &screenNumber), xcb_disconnect);
    if (const int error = xcb_connection_has_error(connection.get()))
        return connectionProblem(error, display);
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection.get()));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (!screens.rem) return connectionProblem(XCB_CONN_CLOSED_INVALID_SCREEN, display);
    if (screens.data->root_depth < kLeastDepth)
        return "the X display " + display + " shows " + std::to_string(screens.data->root_depth) +
               "-bit colour; the card needs " + std::to_string(kLeastDepth) + " bits or more";
    return std::nullopt;
}

}  // namespace xmascard
