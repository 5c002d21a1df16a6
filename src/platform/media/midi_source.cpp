// SPDX-License-Identifier: MIT
#include "platform/media/midi_source.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace xmascard::media {

MidiSource::MidiSource(std::shared_ptr<const MidiSequence> sequence,
                       std::unique_ptr<Synthesizer> synthesizer)
    : sequence_(std::move(sequence)), synth_(std::move(synthesizer)) {
    restartWindow();
}

void MidiSource::seek(std::int64_t frame) {
    synth_->reset();
    const auto& events = sequence_->events;
    next_ = 0;
    while (next_ < events.size() && events[next_].frame < frame) {
        if (!events[next_].isNote()) synth_->send(events[next_], frame);
        ++next_;
    }
    cursor_ = frame;
    synthesized_ = synthesisSample(frame);
    restartWindow();
}

void MidiSource::restartWindow() {
    held_ = HalfRateUpsampler::kTaps - 1;
    first_ = synthesized_ - held_;
    std::fill(windowLeft_.begin(), windowLeft_.begin() + held_, 0.0f);
    std::fill(windowRight_.begin(), windowRight_.begin() + held_, 0.0f);
}

void MidiSource::synthesize(int count) {
    const auto& events = sequence_->events;
    int done = 0;
    while (done < count) {
        while (next_ < events.size() && synthesisSample(events[next_].frame) <= synthesized_) {
            synth_->send(events[next_], events[next_].frame);
            ++next_;
        }
        const std::int64_t until = next_ < events.size() ? synthesisSample(events[next_].frame)
                                                         : std::numeric_limits<std::int64_t>::max();
        const int n = static_cast<int>(std::min<std::int64_t>(count - done, until - synthesized_));
        synth_->write(windowLeft_.data() + held_ + done, windowRight_.data() + held_ + done, n);
        done += n;
        synthesized_ += n;
    }
    held_ += count;
}

void MidiSource::refillWindow() {
    const int drop =
        static_cast<int>(synthesisSample(cursor_) - (HalfRateUpsampler::kTaps - 1) - first_);
    if (drop > 0) {
        held_ -= drop;
        std::memmove(windowLeft_.data(), windowLeft_.data() + drop, held_ * sizeof(float));
        std::memmove(windowRight_.data(), windowRight_.data() + drop, held_ * sizeof(float));
        first_ += drop;
    }
    synthesize(kWindow - held_);
}

// Output frame 2m is the synthesizer's sample m; frame 2m + 1 lies between m and m + 1 and
// needs kTaps samples on either side, so the window reaches kTaps samples past m.
void MidiSource::render(float* left, float* right, int frames) {
    constexpr int kTaps = HalfRateUpsampler::kTaps;
    synth_->mixFrom(cursor_);
    int done = 0;
    while (done < frames) {
        if (synthesisSample(cursor_) + kTaps >= first_ + held_) refillWindow();
        for (; done < frames; ++done, ++cursor_) {
            const std::int64_t m = synthesisSample(cursor_);
            if (m + kTaps >= first_ + held_) break;
            const int i = static_cast<int>(m - first_);
            if ((cursor_ & 1) == 0) {
                left[done] = windowLeft_[i];
                right[done] = windowRight_[i];
            } else {
                left[done] = upsampler_.between(&windowLeft_[i]);
                right[done] = upsampler_.between(&windowRight_[i]);
            }
        }
    }
}

std::vector<std::pair<int, int>> MidiSource::presetsOf(const MidiSequence& sequence) {
    constexpr int kPercussionChannel = 9;
    std::array<int, 16> bank{};
    std::vector<std::pair<int, int>> presets;
    for (const MidiEvent& event : sequence.events) {
        const int channel = event.channel();
        if (event.kind() == 0xB0 && event.data1 == 0) bank[channel] = event.data2;
        if (event.kind() != 0xC0) continue;
        const std::pair<int, int> preset{
            channel == kPercussionChannel ? kPercussionBank : bank[channel],
            event.data1};
        if (std::find(presets.begin(), presets.end(), preset) == presets.end())
            presets.push_back(preset);
    }
    return presets;
}

}  // namespace xmascard::media
