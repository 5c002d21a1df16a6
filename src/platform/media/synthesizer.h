// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "platform/media/result.h"
#include "platform/media/smf_reader.h"
#include "platform/media/volume.h"

namespace xmascard::media {

// The General MIDI synthesizer that one piece plays on: a software one that renders its
// sound (FluidSynth), or a system's MIDI device that plays the events itself and renders
// silence. Driven by the piece's MidiSource under the mixer's lock.
class Synthesizer {
  public:
    virtual ~Synthesizer() = default;

    // Silences every note and returns every channel to its start state.
    virtual void reset() = 0;
    // Applies one channel message, which the piece plays at output frame `frame` (for a
    // device that times its own events; a renderer applies it at once).
    virtual void send(const MidiEvent& event, std::int64_t frame) = 0;
    // Writes the next `samples` samples, at half the output rate, into `left` and `right`.
    virtual void write(float* left, float* right, int samples) = 0;

    // For a device, whose sound does not pass through the mixer: the mixer is about to mix
    // the piece from output frame `frame` on, so that the events sent next can be timed to
    // when that frame is heard. A renderer has nothing to do.
    virtual void mixFrom(std::int64_t /*frame*/) {}
    // For a device: the piece's volume, which the mixer's gain cannot reach. A renderer's
    // sound is scaled by the mixer instead.
    virtual void setVolume(Volume) {}
};

// What the synthesizers of every piece share: the instruments' sounds (a SoundFont), or the
// device they play on.
class Music {
  public:
    virtual ~Music() = default;

    // Loads what the music needs now (a SoundFont) instead of for the first piece; a failure
    // shows when a piece needs it. Safe on any thread.
    virtual void prepare() = 0;
    // A synthesizer for one piece, or why there is none. Safe on any thread.
    virtual Result<std::unique_ptr<Synthesizer>> synthesizerFor(const MidiSequence& piece) = 0;
    // Readies a piece's synthesizer to play. Called under the mixer's lock, where no other
    // synthesizer renders.
    virtual void ready(Synthesizer& synthesizer, const MidiSequence& piece) = 0;
};

}  // namespace xmascard::media
