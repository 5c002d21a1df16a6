// SPDX-License-Identifier: MIT
// The music is synthesized at half the output rate and interpolated up: the interpolation
// keeps what is heard, and the pieces of the window it works in join without a seam.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/media/audio_engine.h"
#include "platform/media/half_rate_upsampler.h"
#include "platform/media/midi_source.h"
#include "platform/media/fluidsynth/sound_font.h"
#include "support/media_test_support.h"
#include "support/smf_builder.h"

namespace xmascard::media {
namespace {

constexpr double kOutputRate = AudioEngine::kSampleRate;

// The level in dB of the component at `hertz` in a signal sampled at the output rate.
double levelAt(const std::vector<float>& signal, double hertz) {
    double re = 0, im = 0;
    for (std::size_t n = 0; n < signal.size(); ++n) {
        const double phase = 2 * std::numbers::pi * hertz * static_cast<double>(n) / kOutputRate;
        re += signal[n] * std::cos(phase);
        im += signal[n] * std::sin(phase);
    }
    return 20 * std::log10(2 * std::hypot(re, im) / static_cast<double>(signal.size()));
}

// A unit sine at `hertz` sampled at half the output rate, doubled in rate.
std::vector<float> upsampledSine(double hertz) {
    constexpr int kTaps = HalfRateUpsampler::kTaps;
    constexpr int kInput = 11025;  // half a second, a whole number of cycles of 1 kHz steps
    std::vector<float> x(kInput + 2 * kTaps);
    for (std::size_t n = 0; n < x.size(); ++n)
        x[n] = static_cast<float>(
            std::sin(2 * std::numbers::pi * hertz * static_cast<double>(n) / (kOutputRate / 2)));
    HalfRateUpsampler up;
    std::vector<float> y;
    for (int m = kTaps; m < kTaps + kInput; ++m) {
        y.push_back(x[m]);
        y.push_back(up.between(&x[m]));
    }
    return y;
}

TEST(HalfRateUpsampler, KeepsTheHeardBandAndRejectsTheMirrorImage) {
    for (double hertz : {100.0, 1000.0, 4000.0, 8000.0}) {
        SCOPED_TRACE(hertz);
        const std::vector<float> y = upsampledSine(hertz);
        EXPECT_NEAR(levelAt(y, hertz), 0.0, 0.05);
        // The interpolation's own error shows as the image mirrored around 11025 Hz.
        EXPECT_LT(levelAt(y, kOutputRate / 2 - hertz), -80.0);
    }
    double sum = 0;
    for (float w : HalfRateUpsampler::weights()) sum += 2 * w;
    EXPECT_NEAR(sum, 1.0, 1e-6);
}

std::unique_ptr<MidiSource> organChord(const FluidSettings& settings) {
    testing::SmfBuilder smf(0, 120);
    auto& track = smf.addTrack();
    track.tempo(0, 500000).at(0, {0xC0, 19});
    track.note(7, 480, 0, 60, 100).note(301, 480, 0, 67, 90).end(960);
    auto parsed = readStandardMidiFile(smf.bytes(), AudioEngine::kSampleRate);
    auto soundFont = SoundFont::load(settings);
    if (!parsed.ok() || !soundFont.ok()) return nullptr;
    return testing::fluidPiece(std::make_shared<const MidiSequence>(parsed.take()),
                               soundFont.take())
        .source;
}

TEST(HalfRateMidi, RendersTheSameWhateverTheBufferSizes) {
    auto settings = makeFluidSettings(AudioEngine::kSampleRate);
    auto whole = organChord(settings);
    auto pieces = organChord(settings);
    ASSERT_TRUE(whole && pieces) << "no SoundFont";
    constexpr int kFrames = 3 * AudioEngine::kSampleRate / 2;
    std::vector<float> wholeLeft(kFrames), wholeRight(kFrames);
    std::vector<float> left(kFrames), right(kFrames);
    whole->seek(1);
    whole->render(wholeLeft.data(), wholeRight.data(), kFrames);
    pieces->seek(1);
    // Odd and even sizes, smaller and larger than the window, so every seam is crossed.
    const int sizes[] = {1, 7, 2, 333, 64, 1024, 5, 4096};
    int done = 0;
    for (int i = 0; done < kFrames; ++i) {
        const int n = std::min(sizes[i % 8], kFrames - done);
        pieces->render(left.data() + done, right.data() + done, n);
        done += n;
    }
    EXPECT_EQ(left, wholeLeft);
    EXPECT_EQ(right, wholeRight);
    double energy = 0;
    for (float s : wholeLeft) energy += double{s} * s;
    EXPECT_GT(energy, 1.0) << "the chord sounds";
}

}  // namespace
}  // namespace xmascard::media
