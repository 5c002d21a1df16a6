// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "platform/media/half_rate_upsampler.h"
#include "platform/media/smf_reader.h"
#include "platform/media/source.h"
#include "platform/media/synthesizer.h"

namespace xmascard::media {

// Plays a Standard MIDI File on a synthesizer of its own. The synthesizer runs at half the
// output rate and its sound is interpolated up to the output rate: the piece sounds the same
// (nothing up to 8 kHz changes, and what it has above 11 kHz lies 45 dB under the rest) for
// half the processor time. Events are sent to the synthesizer at their frame: the
// synthesizer renders up to each event's frame, then the event is applied (FluidSynth itself
// starts a new note at its next internal 64-sample block, 2.9 ms).
class MidiSource final : public Source {
  public:
    MidiSource(std::shared_ptr<const MidiSequence> sequence,
               std::unique_ptr<Synthesizer> synthesizer);
    MidiSource(const MidiSource&) = delete;
    MidiSource& operator=(const MidiSource&) = delete;

    Synthesizer& synthesizer() { return *synth_; }

    // A seek silences every note, resets the synthesizer, and replays every
    // controller, program change, pressure and pitch bend before `frame`, so notes that
    // start after the seek sound with the settings they would have had.
    void seek(std::int64_t frame) override;
    void render(float* left, float* right, int frames) override;
    void setVolume(Volume volume) override { synth_->setVolume(volume); }

    // The presets a piece's program changes select, as (bank, program): the bank of the
    // channel's last bank select (its high byte, as FluidSynth reads it by default), and
    // the percussion bank, 128, on channel 10.
    static constexpr int kPercussionBank = 128;
    static std::vector<std::pair<int, int>> presetsOf(const MidiSequence& sequence);

    // The synthesizer's rate for a given output rate, and its sample at an output frame.
    static int synthesisRate(int outputRate) { return outputRate / 2; }
    static std::int64_t synthesisSample(std::int64_t frame) { return frame / 2; }

  private:
    // Empties the window of synthesized sound: it then holds the silence before the
    // synthesizer's next sample, as far back as the interpolation reaches.
    void restartWindow();
    // Drops what the interpolation no longer reaches and synthesizes ahead to fill the window.
    void refillWindow();
    // Appends `count` samples of the synthesizer's sound to the window.
    void synthesize(int count);

    // Synthesized samples kept for the interpolation, and synthesized ahead at a time: 2048
    // (93 ms) a call, so the synthesizer's fixed cost per call comes about ten times a second.
    static constexpr int kWindow = 2 * HalfRateUpsampler::kTaps + 2048;

    std::shared_ptr<const MidiSequence> sequence_;
    std::unique_ptr<Synthesizer> synth_;
    HalfRateUpsampler upsampler_;
    std::size_t next_ = 0;          // first event not yet applied
    std::int64_t cursor_ = 0;       // output frame the next render starts at
    std::int64_t synthesized_ = 0;  // the synthesizer's next sample, at its own rate
    std::int64_t first_ = 0;        // the synthesizer's sample held in window_[0]
    int held_ = 0;
    std::array<float, kWindow> windowLeft_{}, windowRight_{};
};

}  // namespace xmascard::media
