// SPDX-License-Identifier: MIT
// The tests' backend on Windows: the Win32 graphics, drawn off the screen.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backends/win32/win32_graphics.h"
#include "support/test_graphics.h"

namespace xmascard::testing {

Graphics& testGraphics() {
    static Win32Graphics graphics;
    return graphics;
}

}  // namespace xmascard::testing

// Every unit test runs headless, without an audio device.
int main(int argc, char** argv) {
    if (!std::getenv("XMASCARD_AUDIO")) _putenv("XMASCARD_AUDIO=none");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
