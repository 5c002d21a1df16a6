// SPDX-License-Identifier: MIT
#include "backends/qt/web_browser.h"

#include <gtest/gtest.h>

namespace xmascard {
namespace {

// No browser can be started here (the offscreen platform opens nothing): the failure is
// reported to the caller and to nobody else.
TEST(OpenInBrowser, AFailureIsSilent) {
    ::testing::internal::CaptureStderr();
    const bool opened = openInBrowser("https://en.wikipedia.org/wiki/Christmas_card");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(opened);
    EXPECT_EQ(said, "");
}

}  // namespace
}  // namespace xmascard
