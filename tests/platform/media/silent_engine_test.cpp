// SPDX-License-Identifier: MIT
// The Silent engine keeps play positions with no synthesis, and Device degrades to it.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <mutex>
#include <thread>
#include <vector>

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

// ALSA asked for by name without a sound card: the card's one line, with ALSA's own cause,
// and none of the lines ALSA's library writes by itself.
TEST(DeviceEngine, AlsaWithoutASoundCardSaysOneLine) {
    if (std::filesystem::exists("/dev/snd")) GTEST_SKIP() << "this machine has a sound card";
    ::testing::internal::CaptureStderr();
    auto engine = AudioEngine::create(AudioEngine::Output::Device, {}, linuxSoundSystem("alsa"));
    const std::string text = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(testing::lines(text).size(), 1u) << text;
    EXPECT_EQ(text.rfind("xmascard: no audio output (alsa: ", 0), 0u) << text;
    EXPECT_NE(text.find("cannot find card"), std::string::npos) << text;
    EXPECT_EQ(engine->output(), AudioEngine::Output::Silent);
}

// A device the test plays by hand: it pulls when the test says so, and goes away when told.
class HandDevice final : public AudioStream {
  public:
    explicit HandDevice(PullSound pull) : pull_(std::move(pull)) {}
    void pull(int frames) {
        std::vector<float> left(static_cast<std::size_t>(frames)), right(left);
        pull_(left.data(), right.data(), frames);
    }
    void goAway() { gone_ = true; }
    void fadeOut() override {}
    std::optional<std::string> lost() const override {
        return gone_ ? std::optional<std::string>("it was unplugged") : std::nullopt;
    }
    std::string reopenAs() const override { return "hand"; }

  private:
    PullSound pull_;
    std::atomic<bool> gone_{false};
};

// The devices a test's sound system has opened, and the choices they were opened with.
struct HandDevices {
    std::mutex mutex;
    std::vector<HandDevice*> opened;
    std::vector<std::string> choices;

    HandDevice* waitFor(std::size_t count, AudioEngine& engine, double showTime) {
        for (int i = 0; i < 5000; ++i) {
            engine.poll();
            engine.advanceTo(showTime);  // takes a device that has opened
            {
                std::lock_guard<std::mutex> guard(mutex);
                if (opened.size() >= count) return opened[count - 1];
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return nullptr;
    }
};

// A device that goes away mid-show is told in one line; the engine keeps time with the show
// meanwhile and opens the same device again, which carries the mix on from where the show
// stands. Tries that fail meanwhile say nothing.
TEST(DeviceEngine, ADeviceThatGoesAwayIsOpenedAgainWhereTheShowStands) {
    auto devices = std::make_shared<HandDevices>();
    auto refusals = std::make_shared<std::atomic<int>>(2);  // the first two tries again fail
    SoundSystem sound = testing::fluidSound();
    sound.reopenInterval = std::chrono::milliseconds(0);
    sound.openStream = [devices, refusals](int, PullSound pull, const std::string& choice,
                                           std::string& why) -> std::unique_ptr<AudioStream> {
        std::lock_guard<std::mutex> guard(devices->mutex);
        devices->choices.push_back(choice);
        if (devices->opened.size() == 1 && refusals->fetch_sub(1) > 0) {
            why = "Connection refused";
            return nullptr;
        }
        auto device = std::make_unique<HandDevice>(std::move(pull));
        devices->opened.push_back(device.get());
        return device;
    };
    ::testing::internal::CaptureStderr();
    auto engine =
        AudioEngine::create(AudioEngine::Output::Device, {.loading = Loading::Background}, sound);
    auto player = engine->createPlayer();
    player->setFileName(fixture("sine_2700ms.mp3"));
    HandDevice* first = devices->waitFor(1, *engine, 0.0);
    ASSERT_NE(first, nullptr);
    first->pull(22050);
    EXPECT_DOUBLE_EQ(engine->time(), 0.5);  // the device's pace moves the time

    first->goAway();
    engine->poll();
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "xmascard: audio output lost: it was unplugged; the card plays silently until it "
              "is back\n");
    engine->advanceTo(1.5);
    EXPECT_DOUBLE_EQ(engine->time(), 1.5);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 1.5);

    ::testing::internal::CaptureStderr();
    HandDevice* second = devices->waitFor(2, *engine, 2.0);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(devices->choices, (std::vector<std::string>{"", "hand", "hand", "hand"}));
    EXPECT_DOUBLE_EQ(engine->time(), 2.0);
    second->pull(22050);
    EXPECT_DOUBLE_EQ(engine->time(), 2.5);
    EXPECT_DOUBLE_EQ(player->currentPosition(), 2.5);
    // Once closed, a device that goes away is not looked for again.
    engine->close();
    second->goAway();
    engine->poll();
    engine->advanceTo(3.0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    engine->poll();
    std::lock_guard<std::mutex> guard(devices->mutex);
    EXPECT_EQ(devices->choices.size(), 4u);
}

}  // namespace
}  // namespace xmascard::media
