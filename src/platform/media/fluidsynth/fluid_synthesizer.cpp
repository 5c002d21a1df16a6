// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/fluid_synthesizer.h"

#include "platform/media/fluidsynth/memory_sound_font.h"
#include "platform/media/midi_source.h"

namespace xmascard::media {

Result<std::unique_ptr<FluidSynthesizer>> FluidSynthesizer::create(
    FluidSettings settings, const SoundFont& soundFont,
    const std::vector<std::pair<int, int>>& presets) {
    using R = Result<std::unique_ptr<FluidSynthesizer>>;
    FluidErrorCapture capture;
    fluid_synth_t* synth = new_fluid_synth(settings.get());
    if (synth == nullptr)
        return R::failure("cannot start the synthesizer (" + capture.last("out of memory") + ")");
    std::unique_ptr<FluidSynthesizer> made(new FluidSynthesizer(std::move(settings), synth));
    addMemorySoundFontLoader(synth, made->settings_.get());
    if (auto loaded = soundFont.loadInto(synth, presets); !loaded.ok())
        return R::failure(loaded.error());
    return R::success(std::move(made));
}

FluidSynthesizer::~FluidSynthesizer() {
    FluidErrorCapture quiet;
    delete_fluid_synth(synth_);
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
