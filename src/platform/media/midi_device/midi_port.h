// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace xmascard::media {

// A MIDI output that plays what it is sent at once: a system's General MIDI synthesizer
// (winmm's midiOut), or a test's recorder.
class MidiPort {
  public:
    virtual ~MidiPort() = default;
    // One channel message packed as midiOutShortMsg takes it: status in the low byte, then
    // the first and the second data byte.
    virtual void send(std::uint32_t message) = 0;
};

constexpr std::uint32_t shortMessage(int status, int data1, int data2 = 0) {
    return static_cast<std::uint32_t>((status & 0xFF) | (data1 & 0x7F) << 8 | (data2 & 0x7F) << 16);
}

}  // namespace xmascard::media
