// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <memory>

#include "platform/media/fluidsynth/fluid_support.h"
#include "platform/media/fluidsynth/sound_font.h"
#include "platform/media/result.h"
#include "platform/media/synthesizer.h"

namespace xmascard::media {

// One piece's FluidSynth synthesizer, at half the output rate, sharing the engine's
// SoundFont (see attachSoundFont()).
class FluidSynthesizer final : public Synthesizer {
  public:
    static Result<std::unique_ptr<FluidSynthesizer>> create(std::shared_ptr<SoundFont> soundFont,
                                                            int outputRate);
    ~FluidSynthesizer() override;
    FluidSynthesizer(const FluidSynthesizer&) = delete;
    FluidSynthesizer& operator=(const FluidSynthesizer&) = delete;

    void reset() override { fluid_synth_system_reset(synth_); }
    void send(const MidiEvent& event, std::int64_t frame) override;
    void write(float* left, float* right, int samples) override {
        fluid_synth_write_float(synth_, samples, left, 0, 1, right, 0, 1);
    }

    // Adds the shared SoundFont to this synthesizer. Adding renumbers the font, which other
    // synthesizers read while they render: call it where none renders (under the mixer's
    // lock, or before any engine plays).
    void attachSoundFont();

    // For tests: FluidSynth's own synthesizer.
    fluid_synth_t* synth() const { return synth_; }

  private:
    FluidSynthesizer(std::shared_ptr<SoundFont> soundFont, FluidSettings settings,
                     fluid_synth_t* synth)
        : soundFont_(std::move(soundFont)), settings_(std::move(settings)), synth_(synth) {}

    std::shared_ptr<SoundFont> soundFont_;
    FluidSettings settings_;
    fluid_synth_t* synth_;
    bool attached_ = false;
};

}  // namespace xmascard::media
