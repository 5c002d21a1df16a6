// SPDX-License-Identifier: MIT
#include "platform/media/win32/windows_sound.h"

#include "platform/media/midi_device/device_music.h"
#include "platform/media/win32/wave_out_stream.h"
#include "platform/media/win32/winmm_midi_port.h"

namespace xmascard::media {

SoundSystem windowsSoundSystem() {
    // The stream's clock times the MIDI device's events.
    auto clock = std::make_shared<PlaybackClock>(AudioEngine::kSampleRate);
    auto music = std::make_shared<DeviceMusic>(&openSystemMidiPort, clock);
    OpenAudioStream open = [clock](int rate, PullSound pull, const std::string&, std::string& why) {
        return openWaveOutStream(rate, std::move(pull), clock, why);
    };
    return {std::move(music), std::move(open), ""};
}

}  // namespace xmascard::media
