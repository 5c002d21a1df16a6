// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/fluid_synthesizer.h"

#include "platform/media/midi_source.h"

namespace xmascard::media {

Result<std::unique_ptr<FluidSynthesizer>> FluidSynthesizer::create(
    std::shared_ptr<SoundFont> soundFont, int outputRate) {
    using R = Result<std::unique_ptr<FluidSynthesizer>>;
    FluidErrorCapture capture;
    FluidSettings own = makeFluidSettings(MidiSource::synthesisRate(outputRate));
    fluid_synth_t* synth = new_fluid_synth(own.get());
    if (synth == nullptr)
        return R::failure("cannot start the synthesizer (" + capture.last("out of memory") + ")");
    return R::success(std::unique_ptr<FluidSynthesizer>(
        new FluidSynthesizer(std::move(soundFont), std::move(own), synth)));
}

FluidSynthesizer::~FluidSynthesizer() {
    FluidErrorCapture quiet;  // removing the font warns that channels lost their presets
    if (attached_) fluid_synth_remove_sfont(synth_, soundFont_->handle());
    delete_fluid_synth(synth_);
}

void FluidSynthesizer::attachSoundFont() {
    if (attached_) return;
    fluid_synth_add_sfont(synth_, soundFont_->handle());
    attached_ = true;
}

void FluidSynthesizer::send(const MidiEvent& event, std::int64_t) {
    const int channel = event.channel();
    switch (event.kind()) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, event.data1);
            break;
        case 0x90:
            if (event.data2 == 0)
                fluid_synth_noteoff(synth_, channel, event.data1);
            else
                fluid_synth_noteon(synth_, channel, event.data1, event.data2);
            break;
        case 0xA0:
            fluid_synth_key_pressure(synth_, channel, event.data1, event.data2);
            break;
        case 0xB0:
            fluid_synth_cc(synth_, channel, event.data1, event.data2);
            break;
        case 0xC0:
            fluid_synth_program_change(synth_, channel, event.data1);
            break;
        case 0xD0:
            fluid_synth_channel_pressure(synth_, channel, event.data1);
            break;
        case 0xE0:
            fluid_synth_pitch_bend(synth_, channel, event.data1 | (event.data2 << 7));
            break;
        default:
            break;
    }
}

}  // namespace xmascard::media
