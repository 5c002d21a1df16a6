// SPDX-License-Identifier: MIT
#include "platform/media/mp3_decoder.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/media_test_support.h"

namespace xmascard::media {
namespace {

using testing::fixture;
using testing::readBytes;

TEST(Mp3Decoder, DecodesTheWholeFileWithDelayAndPaddingTrimmed) {
    std::string warning;
    auto clip = decodeMp3(readBytes(fixture("sine_2700ms.mp3")), 44100, warning);
    ASSERT_TRUE(clip.ok()) << clip.error();
    EXPECT_EQ(warning, "");
    EXPECT_EQ(clip.value().channels, 1);
    EXPECT_EQ(clip.value().frames(), 119070);  // 2.7 s exactly
    double peak = 0;
    for (float x : clip.value().samples) peak = std::max(peak, std::fabs(double{x}));
    EXPECT_NEAR(peak, 0.5, 0.03);
}

TEST(Mp3Decoder, ConvertsA22050HzFileTo44100Hz) {
    std::string warning;
    auto clip = decodeMp3(readBytes(fixture("sine_22050.mp3")), 44100, warning);
    ASSERT_TRUE(clip.ok()) << clip.error();
    EXPECT_NEAR(static_cast<double>(clip.value().frames()), 22050.0, 64.0);
}

TEST(Mp3Decoder, ConvertsA48000HzStereoFileTo44100Hz) {
    std::string warning;
    auto clip = decodeMp3(readBytes(fixture("sine_48000.mp3")), 44100, warning);
    ASSERT_TRUE(clip.ok()) << clip.error();
    EXPECT_EQ(clip.value().channels, 2);
    EXPECT_NEAR(static_cast<double>(clip.value().frames()), 22050.0, 64.0);
}

TEST(Mp3Decoder, CutsOverLongSoundsWithAWarning) {
    std::string warning;
    Mp3Limits limits;
    limits.maxSeconds = 1.0;
    auto clip = decodeMp3(readBytes(fixture("sine_2700ms.mp3")), 44100, warning, limits);
    ASSERT_TRUE(clip.ok()) << clip.error();
    EXPECT_EQ(clip.value().frames(), 44100);
    EXPECT_NE(warning.find("longer than 1 s"), std::string::npos) << warning;
}

TEST(Mp3Decoder, NoFramesIsAnError) {
    std::string warning;
    auto clip = decodeMp3(std::vector<std::uint8_t>(1000, 0xAA), 44100, warning);
    EXPECT_FALSE(clip.ok());
    auto empty = decodeMp3({}, 44100, warning);
    EXPECT_FALSE(empty.ok());
}

}  // namespace
}  // namespace xmascard::media
