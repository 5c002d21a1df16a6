#include "platform/media/midi_source.h"

#include <algorithm>
#include <limits>

namespace xmascard::media {

Result<std::unique_ptr<MidiSource>> MidiSource::create(std::shared_ptr<const MidiSequence> sequence,
                                                       std::shared_ptr<SoundFont> soundFont,
                                                       const FluidSettings& settings) {
    FluidErrorCapture capture;
    fluid_synth_t* synth = new_fluid_synth(settings.get());
    if (synth == nullptr) {
        return Result<std::unique_ptr<MidiSource>>::failure("cannot start the synthesizer (" +
                                                            capture.last("out of memory") + ")");
    }
    std::unique_ptr<MidiSource> source(
        new MidiSource(std::move(sequence), std::move(soundFont), settings, synth));
    return Result<std::unique_ptr<MidiSource>>::success(std::move(source));
}

MidiSource::~MidiSource() {
    FluidErrorCapture quiet;  // removing the font warns that channels lost their presets
    if (attached_) fluid_synth_remove_sfont(synth_, soundFont_->handle());
    delete_fluid_synth(synth_);
}

void MidiSource::attachSoundFont() {
    if (attached_) return;
    fluid_synth_add_sfont(synth_, soundFont_->handle());
    attached_ = true;
}

void MidiSource::seek(std::int64_t frame) {
    fluid_synth_system_reset(synth_);
    const auto& events = sequence_->events;
    next_ = 0;
    while (next_ < events.size() && events[next_].frame < frame) {
        if (!events[next_].isNote()) apply(events[next_]);
        ++next_;
    }
    cursor_ = frame;
}

void MidiSource::render(float* left, float* right, int frames) {
    const auto& events = sequence_->events;
    int done = 0;
    while (done < frames) {
        while (next_ < events.size() && events[next_].frame <= cursor_) apply(events[next_++]);
        std::int64_t until =
            next_ < events.size() ? events[next_].frame : std::numeric_limits<std::int64_t>::max();
        int count = static_cast<int>(std::min<std::int64_t>(frames - done, until - cursor_));
        fluid_synth_write_float(synth_, count, left, done, 1, right, done, 1);
        done += count;
        cursor_ += count;
    }
}

void MidiSource::apply(const MidiEvent& event) {
    const int channel = event.channel();
    switch (event.kind()) {
        case 0x80:
            fluid_synth_noteoff(synth_, channel, event.data1);
            break;
        case 0x90:
            if (event.data2 == 0) {
                fluid_synth_noteoff(synth_, channel, event.data1);
            } else {
                fluid_synth_noteon(synth_, channel, event.data1, event.data2);
            }
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
