// SPDX-License-Identifier: MIT
#pragma once

namespace xmascard {

// Watches Qt while it starts its window system. Qt aborts the process when its platform
// plugin is missing or cannot open the display; while a guard lives, such a failure
// becomes one line on standard error and exit status 1 instead, and Qt's own warnings
// are held back, to be printed only if the start succeeds (when the guard goes).
class QtStartGuard {
  public:
    QtStartGuard();
    ~QtStartGuard();
    QtStartGuard(const QtStartGuard&) = delete;
    QtStartGuard& operator=(const QtStartGuard&) = delete;
};

}  // namespace xmascard
