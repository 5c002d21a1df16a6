// SPDX-License-Identifier: MIT
#pragma once

// Helpers of the media engine's tests: scratch files, offline renders and simple
// measures of the rendered sound.

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/media/audio_engine.h"
#include "platform/media/fluidsynth/fluid_music.h"
#include "platform/media/fluidsynth/fluid_synthesizer.h"
#include "platform/media/midi_source.h"

namespace xmascard::media::testing {

// The music of an engine on FluidSynth, as the card has it on Linux, with the installed
// SoundFont or the one named; no sound device.
inline SoundSystem fluidSound(std::optional<std::string> soundFont = {}) {
    return {std::make_shared<FluidMusic>(AudioEngine::kSampleRate, std::move(soundFont)), {}, {}};
}

// An engine that renders offline, its music on FluidSynth.
inline std::unique_ptr<AudioEngine> offlineEngine(LoadPolicy policy = {},
                                                  std::optional<std::string> soundFont = {}) {
    return AudioEngine::create(AudioEngine::Output::Offline, policy,
                               fluidSound(std::move(soundFont)));
}

// A piece on a FluidSynth synthesizer of its own, with the presets it plays, ready to
// render; the synthesizer stays within reach for the checks.
struct FluidPiece {
    std::unique_ptr<MidiSource> source;
    FluidSynthesizer* synthesizer = nullptr;
};

inline FluidPiece fluidPiece(std::shared_ptr<const MidiSequence> sequence,
                             const std::shared_ptr<SoundFont>& soundFont) {
    auto made = FluidSynthesizer::create(
        makeFluidSettings(MidiSource::synthesisRate(AudioEngine::kSampleRate)), *soundFont,
        MidiSource::presetsOf(*sequence));
    if (!made.ok()) return {};
    FluidSynthesizer* synthesizer = made.value().get();
    return {std::make_unique<MidiSource>(std::move(sequence), made.take()), synthesizer};
}

inline std::string fixture(const std::string& name) {
    return std::string(XMASCARD_MEDIA_FIXTURES) + "/" + name;
}

// A directory of its own for each test, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name =
            info != nullptr ? std::string(info->test_suite_name()) + "." + info->name() : "media";
        std::replace(name.begin(), name.end(), '/', '_');
        path_ = std::filesystem::temp_directory_path() /
                ("xmascard-media-" + std::to_string(::getpid()) + "-" + name);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::string p = (path_ / name).string();
        std::ofstream out(p, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return p;
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Interleaved stereo frames.
struct Audio {
    std::vector<float> samples;

    std::int64_t frames() const { return static_cast<std::int64_t>(samples.size() / 2); }
    float left(std::int64_t frame) const { return samples[2 * frame]; }

    // Root mean square of both channels over [begin, end) frames.
    double rms(std::int64_t begin, std::int64_t end) const {
        begin = std::clamp<std::int64_t>(begin, 0, frames());
        end = std::clamp<std::int64_t>(end, begin, frames());
        double sum = 0;
        for (std::int64_t i = 2 * begin; i < 2 * end; ++i) sum += double{samples[i]} * samples[i];
        return end > begin ? std::sqrt(sum / (2.0 * (end - begin))) : 0.0;
    }
    double peak(std::int64_t begin, std::int64_t end) const {
        double p = 0;
        for (std::int64_t i = 2 * std::max<std::int64_t>(begin, 0); i < 2 * std::min(end, frames());
             ++i) {
            p = std::max(p, std::fabs(double{samples[i]}));
        }
        return p;
    }
    // Exactly zero: nothing was mixed in.
    bool silent(std::int64_t begin, std::int64_t end) const { return peak(begin, end) == 0.0; }
    // Below -120 dBFS: FluidSynth's reverb keeps a tiny offset against denormals.
    bool quiet(std::int64_t begin, std::int64_t end) const { return peak(begin, end) < 1e-6; }
    // First frame at or after `from` whose magnitude reaches `threshold`, or -1.
    std::int64_t onset(double threshold, std::int64_t from = 0) const {
        for (std::int64_t i = std::max<std::int64_t>(from, 0); i < frames(); ++i) {
            if (std::fabs(samples[2 * i]) >= threshold ||
                std::fabs(samples[2 * i + 1]) >= threshold)
                return i;
        }
        return -1;
    }
};

inline Audio renderFrames(AudioEngine& engine, std::int64_t frames, int bufferFrames = 512) {
    Audio audio;
    audio.samples.resize(static_cast<std::size_t>(2 * frames));
    for (std::int64_t done = 0; done < frames;) {
        int count = static_cast<int>(std::min<std::int64_t>(bufferFrames, frames - done));
        engine.render(audio.samples.data() + 2 * done, count);
        done += count;
    }
    return audio;
}

inline Audio renderSeconds(AudioEngine& engine, double seconds, int bufferFrames = 512) {
    return renderFrames(engine, std::llround(seconds * AudioEngine::kSampleRate), bufferFrames);
}

inline std::int64_t framesOf(double seconds) {
    return std::llround(seconds * AudioEngine::kSampleRate);
}

// Lines of captured standard error text.
inline std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

}  // namespace xmascard::media::testing
