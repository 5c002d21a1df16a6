// SPDX-License-Identifier: MIT
// The tests' backend on Linux: Qt's offscreen platform and its graphics.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "backends/qt/qt_graphics.h"
#include "support/test_graphics.h"

namespace xmascard::testing {

Graphics& testGraphics() {
    static QtGraphics graphics;
    return graphics;
}

}  // namespace xmascard::testing

// Every unit test runs headless: Qt's offscreen platform, no audio device.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XMASCARD_AUDIO", "none", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
