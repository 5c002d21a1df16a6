// SPDX-License-Identifier: MIT
// Every file under fixtures/smf (crashers and oddities found by fuzzing or by hand) is
// read by the SMF reader and played by an offline player without a crash or a hang.

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/media/audio_engine.h"
#include "platform/media/smf_reader.h"
#include "support/media_test_support.h"

namespace xmascard::media {
namespace {

std::vector<std::string> smfFixtures() {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(testing::fixture("smf"))) {
        if (entry.is_regular_file()) files.push_back(entry.path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SmfFixtures, AreAllReadWithoutCrashing) {
    auto files = smfFixtures();
    ASSERT_FALSE(files.empty());
    auto engine = AudioEngine::create(AudioEngine::Output::Offline);
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

}  // namespace
}  // namespace xmascard::media
