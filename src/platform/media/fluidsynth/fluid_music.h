// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/media/fluidsynth/fluid_support.h"
#include "platform/media/fluidsynth/sound_font.h"
#include "platform/media/synthesizer.h"

namespace xmascard::media {

// The music of an engine on FluidSynth: one General MIDI SoundFont, found for the first
// piece (or when asked), from which every piece's synthesizer loads the presets it plays.
class FluidMusic final : public Music {
  public:
    // `soundFont` names the SoundFont to use instead of searching the usual places.
    explicit FluidMusic(int outputRate, std::optional<std::string> soundFont = {});

    void prepare() override;
    // The piece's synthesizer has its presets' samples loaded here, before the piece plays,
    // so nothing is read on the audio thread.
    Result<std::unique_ptr<Synthesizer>> synthesizerFor(const MidiSequence& piece) override;
    void ready(Synthesizer&, const MidiSequence&) override {}

  private:
    // The SoundFont, found on first use by whichever thread needs it first.
    Result<std::shared_ptr<SoundFont>> soundFont();

    const int outputRate_;
    const std::optional<std::string> chosen_;
    FluidSettings settings_;  // made with the SoundFont, shared by the synthesizers
    std::mutex mutex_;
    std::shared_ptr<SoundFont> soundFont_;
};

}  // namespace xmascard::media
