// SPDX-License-Identifier: MIT
// The tests' backend in the browser's build: the web graphics, drawn in memory, run under
// node.
#include <gtest/gtest.h>

#include <cstdlib>

#include "backends/web/web_graphics.h"
#include "support/test_graphics.h"

namespace xmascard::testing {

Graphics& testGraphics() {
    static WebGraphics graphics;
    return graphics;
}

}  // namespace xmascard::testing

// Every unit test runs headless, without an audio device.
int main(int argc, char** argv) {
    setenv("XMASCARD_AUDIO", "none", 0);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
