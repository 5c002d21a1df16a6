// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace xmascard {

// Chooses the window system before Qt starts and checks that it can serve the card: always
// X11 (XWayland in a Wayland session), since a Wayland client can neither move nor shape
// its own windows; only Qt's headless platforms (offscreen, minimal) are left as chosen,
// for tests. Returns a one-line reason when no usable display can be reached: no DISPLAY,
// no server, no such screen, or a screen of fewer than 16 bits per pixel.
std::optional<std::string> prepareDisplay();

}  // namespace xmascard
