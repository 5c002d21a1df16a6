// SPDX-License-Identifier: MIT
// Every file under fixtures/smf and fixtures/mp3 (crashers, slow inputs and oddities found
// by fuzzing or by hand) is read by its decoder and played by an offline player without a
// crash or a hang.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/media/audio_engine.h"
#include "platform/media/mp3_decoder.h"
#include "platform/media/smf_reader.h"
#include "support/media_test_support.h"

namespace xmascard::media {
namespace {

std::vector<std::string> fixturesIn(const std::string& folder) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(testing::fixture(folder))) {
        if (entry.is_regular_file()) files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SmfFixtures, AreAllReadWithoutCrashing) {
    auto files = fixturesIn("smf");
    ASSERT_FALSE(files.empty());
    auto engine = testing::offlineEngine();
    auto player = engine->createPlayer();
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        auto bytes = testing::readBytes(file);
        auto result = readStandardMidiFile(bytes, AudioEngine::kSampleRate);
        if (result.ok()) {
            const auto& events = result.value().events;
            for (std::size_t i = 1; i < events.size(); ++i) {
                ASSERT_LE(events[i - 1].frame, events[i].frame);
            }
            ASSERT_LE(events.empty() ? 0 : events.back().frame, result.value().lengthFrames);
        } else {
            EXPECT_FALSE(result.error().empty());
        }
        ::testing::internal::CaptureStderr();
        player->setFileName(file);
        player->setCurrentPosition(0.5);
        testing::renderSeconds(*engine, 0.25);
        std::string text = ::testing::internal::GetCapturedStderr();
        EXPECT_LE(testing::lines(text).size(), 1u) << text;
    }
}

// Each of these once took libmpg123 over a minute in a single call (a damaged header that
// declares four billion frames): they now decode at once, and the ctest time-out catches a
// relapse.
TEST(Mp3Fixtures, AreAllDecodedWithoutCrashingOrStalling) {
    auto files = fixturesIn("mp3");
    ASSERT_FALSE(files.empty());
    auto engine = testing::offlineEngine();
    auto player = engine->createPlayer();
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::string warning;
        auto result = decodeMp3(testing::readBytes(file), AudioEngine::kSampleRate, warning);
        if (result.ok()) {
            EXPECT_GT(result.value().frames(), 0);
            EXPECT_LT(result.value().frames(), 60 * AudioEngine::kSampleRate);
        } else {
            EXPECT_FALSE(result.error().empty());
        }
        ::testing::internal::CaptureStderr();
        player->setFileName(file);
        testing::renderSeconds(*engine, 0.25);
        std::string text = ::testing::internal::GetCapturedStderr();
        EXPECT_LE(testing::lines(text).size(), 1u) << text;
        EXPECT_EQ(text.find("takes more than"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace xmascard::media
