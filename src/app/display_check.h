// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace xmascard {

// Chooses the window system before Qt starts: X11 (XWayland under Wayland) unless the user
// named a platform, since a Wayland client cannot move or shape its own windows. Returns a
// one-line reason when no display can be reached, so the program can say so and stop.
std::optional<std::string> prepareDisplay();

}  // namespace xmascard
