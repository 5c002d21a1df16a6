// SPDX-License-Identifier: MIT
#include "platform/media/midi_device/device_channels.h"

#include <algorithm>
#include <cmath>

#include "platform/media/midi_device/midi_port.h"

namespace xmascard::media {
namespace {

constexpr int kControl = 0xB0;
constexpr int kProgram = 0xC0;
constexpr int kChannelVolume = 7;
constexpr int kPan = 10;
constexpr int kAllSoundOff = 120;
constexpr int kResetControllers = 121;
constexpr int kAllNotesOff = 123;
constexpr int kCentre = 64;

}  // namespace

int DeviceChannels::scaledVolume(int channelVolume, Volume volume) {
    const double factor = std::pow(10.0, volume.clamped().hundredths() / 4000.0);
    return std::clamp(static_cast<int>(std::lround(channelVolume * factor)), 0, 127);
}

std::uint32_t DeviceChannels::messageFor(const MidiEvent& event) {
    if (event.kind() == kControl && event.data1 == kChannelVolume) {
        channelVolume_[event.channel()] = event.data2;
        return shortMessage(event.status, kChannelVolume, scaledVolume(event.data2, volume_));
    }
    return shortMessage(event.status, event.data1, event.data2);
}

void DeviceChannels::setVolume(Volume volume, std::array<std::uint32_t, kChannels>& out) {
    volume_ = volume.clamped();
    for (int c = 0; c < kChannels; ++c)
        out[c] =
            shortMessage(kControl | c, kChannelVolume, scaledVolume(channelVolume_[c], volume_));
}

void DeviceChannels::reset(std::array<std::uint32_t, kResetMessages>& out) {
    channelVolume_.fill(kStartVolume);
    std::size_t i = 0;
    for (int c = 0; c < kChannels; ++c) {
        out[i++] = shortMessage(kControl | c, kAllSoundOff, 0);
        // Resetting the controllers leaves the channel's volume and pan alone.
        out[i++] = shortMessage(kControl | c, kResetControllers, 0);
        out[i++] = shortMessage(kControl | c, kChannelVolume, scaledVolume(kStartVolume, volume_));
        out[i++] = shortMessage(kControl | c, kPan, kCentre);
        out[i++] = shortMessage(kProgram | c, 0);
    }
}

void DeviceChannels::silence(std::array<std::uint32_t, kSilenceMessages>& out) {
    std::size_t i = 0;
    for (int c = 0; c < kChannels; ++c) {
        out[i++] = shortMessage(kControl | c, kAllNotesOff, 0);
        out[i++] = shortMessage(kControl | c, kAllSoundOff, 0);
    }
}

}  // namespace xmascard::media
