// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/media/result.h"

namespace xmascard::media {

// One channel voice message of a Standard MIDI File, placed on the sample clock.
struct MidiEvent {
    std::int64_t frame = 0;   // frames from the start of the piece
    std::uint8_t status = 0;  // 0x80..0xEF
    std::uint8_t data1 = 0;
    std::uint8_t data2 = 0;  // 0 for one-byte messages (program change, channel pressure)

    int kind() const { return status & 0xF0; }
    int channel() const { return status & 0x0F; }
    // Note on and note off (a note on with velocity 0 is a note off).
    bool isNote() const { return kind() == 0x80 || kind() == 0x90; }
};

// A whole piece: every track merged into one list in time order, times already
// converted from ticks to frames through the tempo map (or the SMPTE division).
struct MidiSequence {
    std::vector<MidiEvent> events;
    std::int64_t lengthFrames = 0;  // end of the last track (its end-of-track event)
    int format = 0;
    int trackCount = 0;
};

// Bounds that keep a hostile file from taking unbounded memory or time.
struct SmfLimits {
    std::size_t maxEvents = 262144;  // channel events and tempo changes together
    double maxSeconds = 3600.0;      // the piece must end within this time
};

// Reads a Standard MIDI File (format 0 or 1, ticks-per-quarter or SMPTE division).
// Tempo changes of any track apply to the whole piece. Running status is honoured
// (also across meta and system exclusive events); system exclusive and meta events
// other than tempo and end of track are skipped. Events at the same tick keep the
// order of their tracks, then their order in the track. A file that breaks the format
// or a limit gives a one-line message and no sequence.
Result<MidiSequence> readStandardMidiFile(std::span<const std::uint8_t> bytes, int sampleRate,
                                          const SmfLimits& limits = {});

}  // namespace xmascard::media
