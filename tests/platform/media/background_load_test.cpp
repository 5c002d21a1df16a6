// SPDX-License-Identifier: MIT
// Files load on threads of their own. With background loading the caller never waits, and
// a file that arrives late starts where it would stand had it played from the moment it
// was asked for; a file that takes too long is given up with one line.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <thread>

#include "platform/media/audio_engine.h"
#include "support/media_test_support.h"

namespace xmascard::media {
namespace {

using testing::fixture;
using testing::ScratchDir;

constexpr double kClip = 2.7;  // seconds of sine_2700ms.mp3

// Polls until the player holds its file (or has given it up), as the show's ticks do.
void pollUntilSettled(AudioEngine& engine, Player& player) {
    for (int i = 0; i < 20000 && player.duration() == 0.0; ++i) {
        engine.poll();
        if (player.duration() == 0.0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

struct LateFile {
    const char* name;
    int playCount;
    // What the show does between asking for the file and its arrival, on an engine whose
    // time stands at 10 s when the file is asked for.
    std::function<void(AudioEngine&, Player&)> meanwhile;
    bool playing;     // expected once it is there
    double position;  // expected once it is there, seconds
};

void PrintTo(const LateFile& row, std::ostream* os) { *os << row.name; }

std::vector<LateFile> lateFiles() {
    return {
        {"PlaysOnFromTheRequest", 1, [](AudioEngine& e, Player&) { e.advanceTo(11.25); }, true,
         1.25},
        {"StartsWhereItWasPlaced", 1,
         [](AudioEngine& e, Player& p) {
             p.setCurrentPosition(0.5);
             e.advanceTo(10.75);
         },
         true, 1.25},
        {"PausedKeepsItsPlace", 1,
         [](AudioEngine& e, Player& p) {
             e.advanceTo(10.5);
             p.pause();
             e.advanceTo(12.0);
         },
         false, 0.5},
        {"PlayedAgainAfterAPause", 1,
         [](AudioEngine& e, Player& p) {
             e.advanceTo(10.5);
             p.stop();
             e.advanceTo(12.0);
             p.play();
             e.advanceTo(12.25);
         },
         true, 0.75},
        {"RepeatsItsPassesMeanwhile", 3, [](AudioEngine& e, Player&) { e.advanceTo(10 + 6.4); },
         true, 6.4 - 2 * kClip},
        {"EndsWhenAllPassesAreOver", 2, [](AudioEngine& e, Player&) { e.advanceTo(10 + 9.0); },
         false, kClip},
    };
}

class LateFiles : public ::testing::TestWithParam<LateFile> {};

TEST_P(LateFiles, StartInStepWithTheShow) {
    const LateFile& row = GetParam();
    for (auto output : {AudioEngine::Output::Silent, AudioEngine::Output::Device}) {
        SCOPED_TRACE(output == AudioEngine::Output::Silent ? "silent" : "device not open yet");
        // No device opens here: the device engine keeps time like a silent one.
        SoundSystem noDevice = testing::fluidSound();
        noDevice.openStream = [](int, PullSound, const std::string&, std::string& why) {
            why = "no device in this test";
            return std::unique_ptr<AudioStream>();
        };
        ::testing::internal::CaptureStderr();
        auto engine = AudioEngine::create(output, {.loading = Loading::Background}, noDevice);
        engine->advanceTo(10.0);
        auto player = engine->createPlayer();
        player->setPlayCount(row.playCount);
        player->setFileName(fixture("sine_2700ms.mp3"));
        EXPECT_TRUE(player->isPlaying());
        row.meanwhile(*engine, *player);
        pollUntilSettled(*engine, *player);
        const double duration = player->duration();
        const bool playing = player->isPlaying();
        const double position = player->currentPosition();
        // The device's thread gives up on the server: the engine goes on silently.
        for (int i = 0; i < 20000 && engine->output() != AudioEngine::Output::Silent; ++i) {
            engine->advanceTo(20.0);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        const std::string text = ::testing::internal::GetCapturedStderr();
        EXPECT_LE(testing::lines(text).size(), 1u) << text;
        ASSERT_DOUBLE_EQ(duration, kClip);
        EXPECT_EQ(playing, row.playing);
        EXPECT_NEAR(position, row.position, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, LateFiles, ::testing::ValuesIn(lateFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BackgroundLoad, AFileThatTakesTooLongIsGivenUpWithOneLine) {
    for (Loading loading : {Loading::Waited, Loading::Background}) {
        auto engine =
            testing::offlineEngine({.loading = loading, .timeLimit = std::chrono::milliseconds(0)});
        auto player = engine->createPlayer();
        ::testing::internal::CaptureStderr();
        player->setFileName(fixture("sine_2700ms.mp3"));
        engine->poll();
        const std::string text = ::testing::internal::GetCapturedStderr();
        ASSERT_EQ(testing::lines(text).size(), 1u) << text;
        EXPECT_NE(text.find("takes more than 0 s to read and decode; the card goes on without it"),
                  std::string::npos)
            << text;
        EXPECT_FALSE(player->isPlaying());
        EXPECT_EQ(player->duration(), 0.0);
        EXPECT_TRUE(testing::renderSeconds(*engine, 0.1).silent(0, 4410));
    }
}

TEST(BackgroundLoad, APrefetchedFileIsUsedOnlyWhileUnchanged) {
    ScratchDir dir;
    const auto sine = testing::readBytes(fixture("sine_2700ms.mp3"));
    const auto shorter = testing::readBytes(fixture("sine_22050.mp3"));  // 0.5 s
    const struct {
        const char* name;
        bool replace;
        double duration;
    } rows[] = {{"unchanged", false, kClip}, {"replaced meanwhile", true, 0.5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.file("Bells.mp3", sine);
        auto engine = testing::offlineEngine();
        auto player = engine->createPlayer();
        player->prefetch(path);
        if (row.replace) {
            std::filesystem::remove(path);
            dir.file("Bells.mp3", shorter);
        }
        player->setFileName(path);
        EXPECT_NEAR(player->duration(), row.duration, 0.01);
    }
}

TEST(BackgroundLoad, TheCallerNeverWaitsForTheFile) {
    // A FIFO nobody writes would block a reader that opened it for reading.
    ScratchDir dir;
    const std::string fifo = dir.path("mm.mid");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    auto engine =
        AudioEngine::create(AudioEngine::Output::Silent, {.loading = Loading::Background});
    auto player = engine->createPlayer();
    ::testing::internal::CaptureStderr();
    player->setFileName(fifo);
    for (int i = 0; i < 20000 && player->isPlaying(); ++i) {
        engine->poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const std::string text = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(text, "xmascard: " + fifo + ": cannot read (not a regular file)\n");
}

}  // namespace
}  // namespace xmascard::media
