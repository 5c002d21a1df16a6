// SPDX-License-Identifier: MIT
#include "platform/media/wav_writer.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/media/audio_engine.h"
#include "support/media_test_support.h"

namespace xmascard::media {
namespace {

using testing::fixture;
using testing::ScratchDir;

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

TEST(WavWriter, WritesTheOfflineMixAs16BitStereo) {
    ScratchDir dir;
    auto engine = testing::offlineEngine();
    auto player = engine->createPlayer();
    player->setVolume(Volume(-600));
    player->setFileName(fixture("sine_2700ms.mp3"));
    std::string path = dir.path("mix.wav");
    ASSERT_TRUE(writeWav(*engine, path, 1.0));
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.0);

    auto bytes = testing::readBytes(path);
    ASSERT_EQ(bytes.size(), 44u + 44100u * 4u);
    EXPECT_EQ(std::memcmp(bytes.data(), "RIFF", 4), 0);
    EXPECT_EQ(le32(bytes, 4), bytes.size() - 8);
    EXPECT_EQ(std::memcmp(bytes.data() + 8, "WAVEfmt ", 8), 0);
    EXPECT_EQ(le16(bytes, 20), 1);       // PCM
    EXPECT_EQ(le16(bytes, 22), 2);       // stereo
    EXPECT_EQ(le32(bytes, 24), 44100u);  // rate
    EXPECT_EQ(le16(bytes, 34), 16);      // bits
    EXPECT_EQ(le32(bytes, 40), 44100u * 4u);

    auto again = testing::offlineEngine();
    auto same = again->createPlayer();
    same->setVolume(Volume(-600));
    same->setFileName(fixture("sine_2700ms.mp3"));
    auto audio = testing::renderSeconds(*again, 1.0);
    for (std::int64_t i = 0; i < 2 * audio.frames(); ++i) {
        auto sample = static_cast<std::int16_t>(le16(bytes, 44 + 2 * static_cast<std::size_t>(i)));
        ASSERT_NEAR(sample / 32767.0, audio.samples[i], 1.0 / 32767.0) << i;
    }
}

TEST(WavWriter, AnUnwritablePathGivesOneLine) {
    auto engine = testing::offlineEngine();
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(writeWav(*engine, "/nonexistent/dir/mix.wav", 1.0));
    std::string text = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(text.rfind("xmascard: /nonexistent/dir/mix.wav: cannot write", 0), 0u) << text;
    EXPECT_EQ(testing::lines(text).size(), 1u);
}

TEST(WavWriter, ClampsLoudSamples) {
    ScratchDir dir;
    auto writer = WavWriter::open(dir.path("loud.wav"), 44100);
    ASSERT_TRUE(writer);
    float frames[4] = {2.0f, -2.0f, 0.5f, -0.5f};
    ASSERT_TRUE(writer->write(frames, 2));
    ASSERT_TRUE(writer->close());
    auto bytes = testing::readBytes(dir.path("loud.wav"));
    ASSERT_EQ(bytes.size(), 44u + 8u);
    EXPECT_EQ(static_cast<std::int16_t>(le16(bytes, 44)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(le16(bytes, 46)), -32767);
    EXPECT_EQ(static_cast<std::int16_t>(le16(bytes, 48)), 16384);
}

}  // namespace
}  // namespace xmascard::media
