// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "platform/media/smf_reader.h"
#include "platform/media/volume.h"

namespace xmascard::media {

// The sixteen channels of a MIDI device as one piece sets them, and what must be sent for
// them. The piece's volume cannot scale the device's sound, so it scales each channel's
// volume (controller 7) instead: General MIDI hears a channel volume v at 40 log10(v/127)
// dB, so a volume of h hundredths of a decibel multiplies v by 10^(h/4000).
class DeviceChannels {
  public:
    static constexpr int kChannels = 16;
    static constexpr int kStartVolume = 100;  // a channel's volume after a reset

    // Every channel at its start state, the piece at full volume.
    DeviceChannels() { channelVolume_.fill(kStartVolume); }

    // The message for one of the piece's events: the event itself, but a channel volume
    // scaled by the piece's volume (and kept, to be scaled again when that changes).
    std::uint32_t messageFor(const MidiEvent& event);

    // The piece's volume changes: writes the sixteen channel volumes to send.
    void setVolume(Volume volume, std::array<std::uint32_t, kChannels>& out);

    // Every note silenced and every channel back at its start state: for each channel,
    // all sound off, reset controllers, start volume (scaled) and pan, the first program.
    static constexpr int kResetMessages = 5 * kChannels;
    void reset(std::array<std::uint32_t, kResetMessages>& out);

    // Every sounding note silenced at once (the piece halted), the channels kept.
    static constexpr int kSilenceMessages = 2 * kChannels;
    static void silence(std::array<std::uint32_t, kSilenceMessages>& out);

    // A channel volume as the device gets it at a piece's volume.
    static int scaledVolume(int channelVolume, Volume volume);

  private:
    std::array<int, kChannels> channelVolume_{};
    Volume volume_ = kFullVolume;
};

}  // namespace xmascard::media
