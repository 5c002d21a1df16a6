// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/fluid_music.h"

#include "platform/media/fluidsynth/fluid_synthesizer.h"
#include "platform/media/midi_source.h"

namespace xmascard::media {

FluidMusic::FluidMusic(int outputRate, std::optional<std::string> soundFont)
    : outputRate_(outputRate), chosen_(std::move(soundFont)) {}

void FluidMusic::prepare() { soundFont(); }  // a failure shows when a piece needs the font

Result<std::shared_ptr<SoundFont>> FluidMusic::soundFont() {
    std::lock_guard<std::mutex> guard(mutex_);
    if (soundFont_) return Result<std::shared_ptr<SoundFont>>::success(soundFont_);
    if (!settings_) settings_ = makeFluidSettings(MidiSource::synthesisRate(outputRate_));
    auto loaded = SoundFont::load(settings_, chosen_);
    if (loaded.ok()) soundFont_ = loaded.value();
    return loaded;
}

Result<std::unique_ptr<Synthesizer>> FluidMusic::synthesizerFor(const MidiSequence& piece) {
    using R = Result<std::unique_ptr<Synthesizer>>;
    auto font = soundFont();
    if (!font.ok()) return R::failure(font.error());
    auto synthesizer =
        FluidSynthesizer::create(settings_, *font.value(), MidiSource::presetsOf(piece));
    if (!synthesizer.ok()) return R::failure(synthesizer.error());
    return R::success(synthesizer.take());
}

}  // namespace xmascard::media
