// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/fluid_music.h"

#include "platform/media/fluidsynth/fluid_synthesizer.h"
#include "platform/media/midi_source.h"

namespace xmascard::media {

FluidMusic::FluidMusic(int outputRate, std::optional<std::string> soundFont)
    : outputRate_(outputRate),
      chosen_(std::move(soundFont)),
      settings_(makeFluidSettings(outputRate)) {}

void FluidMusic::prepare() { soundFont(); }  // a failure shows when a piece needs the font

Result<std::shared_ptr<SoundFont>> FluidMusic::soundFont() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (soundFont_) return Result<std::shared_ptr<SoundFont>>::success(soundFont_);
    auto loaded = SoundFont::load(settings_, chosen_);
    if (loaded.ok()) soundFont_ = loaded.value();
    return loaded;
}

Result<std::unique_ptr<Synthesizer>> FluidMusic::synthesizerFor(const MidiSequence&) {
    using R = Result<std::unique_ptr<Synthesizer>>;
    auto font = soundFont();
    if (!font.ok()) return R::failure(font.error());
    auto synthesizer = FluidSynthesizer::create(font.take(), outputRate_);
    if (!synthesizer.ok()) return R::failure(synthesizer.error());
    return R::success(synthesizer.take());
}

void FluidMusic::ready(Synthesizer& synthesizer, const MidiSequence& piece) {
    for (const auto& [bank, program] : MidiSource::presetsOf(piece))
        soundFont_->hold(bank, program);
    static_cast<FluidSynthesizer&>(synthesizer).attachSoundFont();
}

}  // namespace xmascard::media
