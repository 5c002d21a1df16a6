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

// The music of an engine on FluidSynth: one General MIDI SoundFont, loaded for the first
// piece (or when asked) and shared by every piece's synthesizer.
class FluidMusic final : public Music {
  public:
    // `soundFont` names the SoundFont to use instead of searching the usual places.
    explicit FluidMusic(int outputRate, std::optional<std::string> soundFont = {});

    void prepare() override;
    Result<std::unique_ptr<Synthesizer>> synthesizerFor(const MidiSequence& piece) override;
    // Holds the presets the piece selects, so that reading their samples happens here,
    // before the piece plays, and never on the audio thread; then adds the SoundFont.
    void ready(Synthesizer& synthesizer, const MidiSequence& piece) override;

  private:
    // The SoundFont, loaded on first use by whichever thread needs it first.
    Result<std::shared_ptr<SoundFont>> soundFont();

    const int outputRate_;
    const std::optional<std::string> chosen_;
    FluidSettings settings_;
    std::mutex mutex_;
    std::shared_ptr<SoundFont> soundFont_;
};

}  // namespace xmascard::media
