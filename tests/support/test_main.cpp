// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Every unit test runs headless: Qt's offscreen platform, no audio device.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XMASCARD_AUDIO", "none", 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
