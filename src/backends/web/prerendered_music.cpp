// SPDX-License-Identifier: MIT
#include "backends/web/prerendered_music.h"

#include <algorithm>
#include <cstdio>

#include "platform/media/audio_engine.h"
#include "platform/media/midi_source.h"
#include "platform/media/mp3_decoder.h"
#include "platform/resources.h"

namespace xmascard {

namespace {

constexpr int kSynthesisRate = media::AudioEngine::kSampleRate / 2;

// Plays the rendered samples from where the piece's source says it stands: a reset goes back
// to the start, and the events a seek sends before its first sample carry where it went.
class PrerenderedSynthesizer final : public media::Synthesizer {
  public:
    explicit PrerenderedSynthesizer(std::shared_ptr<const std::vector<float>> samples)
        : samples_(std::move(samples)) {}

    void reset() override {
        at_ = 0;
        placed_ = false;
    }
    void send(const media::MidiEvent&, std::int64_t frame) override {
        if (!placed_) at_ = media::MidiSource::synthesisSample(frame);
    }
    void write(float* left, float* right, int count) override {
        placed_ = true;
        const std::int64_t frames = static_cast<std::int64_t>(samples_->size() / 2);
        for (int i = 0; i < count; ++i, ++at_) {
            const bool inside = at_ >= 0 && at_ < frames;
            left[i] = inside ? (*samples_)[static_cast<std::size_t>(at_) * 2] : 0.0f;
            right[i] = inside ? (*samples_)[static_cast<std::size_t>(at_) * 2 + 1] : 0.0f;
        }
    }

  private:
    std::shared_ptr<const std::vector<float>> samples_;
    std::int64_t at_ = 0;
    bool placed_ = false;
};

}  // namespace

std::shared_ptr<const std::vector<float>> PrerenderedMusic::samples() {
    if (samples_) return samples_;
    std::string warning;
    auto clip = media::decodeMp3(mp3_, kSynthesisRate, warning, {.maxSeconds = 900});
    if (!warning.empty()) std::fprintf(stderr, "xmascard: the card's music: %s\n", warning.c_str());
    auto samples = std::make_shared<std::vector<float>>();
    if (!clip.ok()) {
        std::fprintf(stderr, "xmascard: the card's music: %s\n", clip.error().c_str());
    } else if (clip.value().channels == 2) {
        *samples = std::move(clip.value().samples);
    } else {
        for (float s : clip.value().samples) samples->insert(samples->end(), {s, s});
    }
    samples_ = std::move(samples);
    return samples_;
}

media::Result<std::unique_ptr<media::Synthesizer>> PrerenderedMusic::synthesizerFor(
    const media::MidiSequence&) {
    return media::Result<std::unique_ptr<media::Synthesizer>>::success(
        std::make_unique<PrerenderedSynthesizer>(samples()));
}

std::shared_ptr<media::Music> prerenderedMusic() {
    const auto mp3 = embeddedFile("sounds/mm-rendered.mp3");
    return mp3 ? std::make_shared<PrerenderedMusic>(*mp3) : nullptr;
}

}  // namespace xmascard
