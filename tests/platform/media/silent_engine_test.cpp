// SPDX-License-Identifier: MIT
// The Silent engine keeps play positions with no synthesis, and Device degrades to it.

#include <gtest/gtest.h>

#include <cmath>

#include "platform/media/audio_engine.h"
#include "platform/media/linux/linux_sound.h"
#include "support/media_test_support.h"
#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

using testing::fixture;
using testing::ScratchDir;
using testing::SmfBuilder;

std::vector<std::uint8_t> tenSecondPiece() {
    SmfBuilder smf(0, 120);
    smf.addTrack().tempo(0, 500000).note(240, 240, 0, 60, 100).end(10 * 240);
    return smf.bytes();
}

TEST(SilentEngine, PositionsFollowAdvanceTo) {
    ScratchDir dir;
    auto engine = AudioEngine::create(AudioEngine::Output::Silent);
    EXPECT_EQ(engine->output(), AudioEngine::Output::Silent);
    auto player = engine->createPlayer();
    ::testing::internal::CaptureStderr();
    player->setFileName(dir.file("mm.mid", tenSecondPiece()));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->duration(), 10.0);
    engine->advanceTo(1.5);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.5);
    engine->advanceTo(1.0);  // never back
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.5);
    player->setCurrentPosition(27.0 - 20.0);
    engine->advanceTo(2.0);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 7.5);
    player->pause();
    engine->advanceTo(3.0);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 7.5);
    player->play();
    engine->advanceTo(6.0);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->currentPosition(), 10.0);
    EXPECT_DOUBLE_EQ(engine->time(), 6.0);
}

TEST(SilentEngine, RenderGivesSilenceAndMovesNoTime) {
    auto engine = AudioEngine::create(AudioEngine::Output::Silent);
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    std::vector<float> out(2048, 1.0f);
    engine->render(out.data(), 1024);
    for (float x : out) ASSERT_EQ(x, 0.0f);
    EXPECT_EQ(player->currentPosition(), 0.0);
}

TEST(SilentEngine, PlayCountEndsOnTime) {
    auto engine = AudioEngine::create(AudioEngine::Output::Silent);
    auto player = engine->createPlayer();
    player->setPlayCount(15);
    player->setFileName(fixture("sine_2700ms.mp3"));
    engine->advanceTo(40.49);
    EXPECT_TRUE(player->isPlaying());
    EXPECT_NEAR(player->currentPosition(), 40.49 - 14 * 2.7, 1e-9);
    engine->advanceTo(40.5);
    EXPECT_FALSE(player->isPlaying());
    EXPECT_DOUBLE_EQ(player->currentPosition(), 2.7);
}

TEST(SilentEngine, PlayCountZeroRepeatsWithoutEnd) {
    auto engine = AudioEngine::create(AudioEngine::Output::Silent);
    auto player = engine->createPlayer();
    player->setPlayCount(0);
    player->setFileName(fixture("sine_2700ms.mp3"));
    engine->advanceTo(1000.0);
    EXPECT_TRUE(player->isPlaying());
    EXPECT_NEAR(player->currentPosition(), std::fmod(1000.0, 2.7), 1e-9);
}

// No device opens: one line, with what the devices answered, and an engine that keeps time
// silently.
TEST(DeviceEngine, NoDeviceGivesOneLineAndASilentEngine) {
    SoundSystem sound = testing::fluidSound();
    sound.openStream = [](int, PullSound, const std::string&, std::string& why) {
        why = "pulseaudio: Connection refused";
        return std::unique_ptr<AudioStream>();
    };
    ::testing::internal::CaptureStderr();
    auto engine = AudioEngine::create(AudioEngine::Output::Device, {}, sound);
    auto text = ::testing::internal::GetCapturedStderr();
    auto lines = testing::lines(text);
    ASSERT_EQ(lines.size(), 1u) << text;
    EXPECT_EQ(lines[0],
              "xmascard: no audio output (pulseaudio: Connection refused); the card plays "
              "silently");
    EXPECT_EQ(engine->output(), AudioEngine::Output::Silent);
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    engine->advanceTo(1.0);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.0);
}

// On Linux, a device named alone is the only one tried.
TEST(DeviceEngine, AnUnknownDriverGivesOneLineAndASilentEngine) {
    ::testing::internal::CaptureStderr();
    auto engine =
        AudioEngine::create(AudioEngine::Output::Device, {}, linuxSoundSystem("no-such-driver"));
    auto text = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(testing::lines(text).size(), 1u) << text;
    EXPECT_EQ(text.rfind("xmascard: no audio output (no-such-driver: ", 0), 0u) << text;
    EXPECT_EQ(engine->output(), AudioEngine::Output::Silent);
}

}  // namespace
}  // namespace xmascard::media
