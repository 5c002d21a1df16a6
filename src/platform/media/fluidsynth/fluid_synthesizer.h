// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/media/fluidsynth/fluid_support.h"
#include "platform/media/fluidsynth/sound_font.h"
#include "platform/media/result.h"
#include "platform/media/synthesizer.h"

namespace xmascard::media {

// One piece's FluidSynth synthesizer, at half the output rate, with a font of its own: the
// presets of the SoundFont that the piece selects (see SoundFont::loadInto()).
class FluidSynthesizer final : public Synthesizer {
  public:
    // `settings` are at the synthesis rate (MidiSource::synthesisRate()), and shared by
    // the synthesizers of an engine.
    static Result<std::unique_ptr<FluidSynthesizer>> create(
        FluidSettings settings, const SoundFont& soundFont,
        const std::vector<std::pair<int, int>>& presets);
    ~FluidSynthesizer() override;
    FluidSynthesizer(const FluidSynthesizer&) = delete;
    FluidSynthesizer& operator=(const FluidSynthesizer&) = delete;

    void reset() override { fluid_synth_system_reset(synth_); }
    void send(const MidiEvent& event, std::int64_t frame) override;
    void write(float* left, float* right, int samples) override {
        fluid_synth_write_float(synth_, samples, left, 0, 1, right, 0, 1);
    }

    // For tests: FluidSynth's own synthesizer.
    fluid_synth_t* synth() const { return synth_; }

  private:
    FluidSynthesizer(FluidSettings settings, fluid_synth_t* synth)
        : settings_(std::move(settings)), synth_(synth) {}

    FluidSettings settings_;
    fluid_synth_t* synth_;
};

}  // namespace xmascard::media
