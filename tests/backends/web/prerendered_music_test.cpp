// SPDX-License-Identifier: MIT
#include "backends/web/prerendered_music.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/media/audio_engine.h"
#include "platform/media/mp3_decoder.h"

namespace xmascard {
namespace {

using media::AudioEngine;

std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// How alike two runs of samples are in shape, whatever their gain: 1 when one is the other
// scaled.
double correlation(const std::vector<float>& a, const std::vector<float>& b) {
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        ab += a[i] * b[i];
        aa += a[i] * a[i];
        bb += b[i] * b[i];
    }
    return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
}

// The card's piece, with a sound of known shape (the bells) standing in for its rendering:
// wherever the engine moves the piece (its start 27 s in, the closing's restart 1 s in, a
// pause, a stop), the mix plays the rendered samples from that point of the piece.
TEST(PrerenderedMusic, TheMixPlaysTheRenderingFromWhereThePieceStands) {
    const std::string assets = std::string(XMASCARD_SOURCE_DIR) + "/assets/sounds/";
    const std::vector<std::uint8_t> rendering = readBytes(assets + "Bells.mp3");
    ASSERT_FALSE(rendering.empty());
    std::string warning;
    const auto reference =
        media::decodeMp3(rendering, AudioEngine::kSampleRate / 2, warning, {.maxSeconds = 900});
    ASSERT_TRUE(reference.ok());
    const media::PcmClip& clip = reference.value();
    const double length = static_cast<double>(clip.frames()) / (AudioEngine::kSampleRate / 2);
    ASSERT_GT(length, 2.5);

    auto music = std::make_shared<PrerenderedMusic>(rendering);
    auto engine = AudioEngine::create(AudioEngine::Output::Offline, {}, {music, {}, {}});
    auto player = engine->createPlayer();
    player->setFileName(assets + "mm.mid");

    // The left channel of the rendering at the synthesizer's rate, from one of its samples.
    const auto expected = [&](std::int64_t first, int count) {
        std::vector<float> out;
        for (std::int64_t i = first; i < first + count; ++i)
            out.push_back(i < clip.frames() ? clip.samples[i * clip.channels] : 0.0f);
        return out;
    };
    constexpr int kFrames =
        AudioEngine::kSampleRate / 4 + 1;  // odd: blocks start at odd frames too
    std::vector<float> mix(2 * kFrames);
    // The synthesizer's samples are the piece's even frames in the mix (after the volume's
    // ramp): those heard, and the sample the first of them is.
    const auto heard = [&](std::int64_t& first) {
        const auto start = static_cast<std::int64_t>(
            std::llround(player->currentPosition() * AudioEngine::kSampleRate));
        engine->render(mix.data(), kFrames);
        std::vector<float> out;
        first = -1;
        for (std::int64_t f = kFrames / 2; f < kFrames; ++f) {
            if ((start + f) % 2 != 0) continue;
            if (first < 0) first = (start + f) / 2;
            out.push_back(mix[2 * f]);
        }
        return out;
    };
    const int compared = kFrames / 4;

    const struct {
        const char* name;
        void (*act)(media::Player&);
        double at;  // the piece's second the compared samples start at
    } steps[] = {
        {"the show's start, 1 s in",
         [](media::Player& p) {
             p.setCurrentPosition(1.0);
             p.play();
         },
         1.0 + 0.125},
        {"playing on", [](media::Player&) {}, 1.0 + 0.25 + 0.125},
        {"paused and played again",
         [](media::Player& p) {
             p.pause();
             p.play();
         },
         1.0 + 0.5 + 0.125},
        {"stopped and played again: from a reset synthesizer, where it stood",
         [](media::Player& p) {
             p.stop();
             p.play();
         },
         1.0 + 0.75 + 0.125},
        {"the closing's restart, further back", [](media::Player& p) { p.setCurrentPosition(0.5); },
         0.5 + 0.125},
        {"back to the start", [](media::Player& p) { p.setCurrentPosition(0.0); }, 0.125},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*player);
        EXPECT_NEAR(player->currentPosition(), step.at - 0.125, 0.001);
        std::int64_t first = 0;
        const std::vector<float> got = heard(first);
        EXPECT_GT(correlation(got, expected(first, compared)), 0.999);
        // One sample off would not pass for it.
        EXPECT_LT(correlation(got, expected(first + 1, compared)), 0.99);
    }
}

TEST(PrerenderedMusic, ARenderingThatDoesNotDecodeLeavesThePieceSilent) {
    const std::vector<std::uint8_t> noise(4000, 0x5A);
    auto music = std::make_shared<PrerenderedMusic>(noise);
    auto engine = AudioEngine::create(AudioEngine::Output::Offline, {}, {music, {}, {}});
    auto player = engine->createPlayer();
    player->setFileName(std::string(XMASCARD_SOURCE_DIR) + "/assets/sounds/mm.mid");
    player->play();
    std::vector<float> mix(2 * 4096, 1.0f);
    engine->render(mix.data(), 4096);
    for (float v : mix) ASSERT_EQ(v, 0.0f);
}

}  // namespace
}  // namespace xmascard
