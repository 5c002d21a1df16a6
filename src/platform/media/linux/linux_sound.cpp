// SPDX-License-Identifier: MIT
#include "platform/media/linux/linux_sound.h"

#include <sys/stat.h>

#include <vector>

#include "platform/media/fluidsynth/fluid_audio_stream.h"
#include "platform/media/fluidsynth/fluid_music.h"
#include "platform/media/pulse/pulse_stream.h"

namespace xmascard::media {

namespace {

bool soundCardPresent() {
    struct stat info;
    return stat("/dev/snd", &info) == 0 && S_ISDIR(info.st_mode);
}

std::unique_ptr<AudioStream> openDevice(const std::string& name, int rate, const PullSound& pull,
                                        std::string& why) {
    if (name == "pulseaudio") return PulseStream::open(rate, pull, why);
    return openFluidAudioStream(name, rate, pull, why);
}

std::unique_ptr<AudioStream> openFirst(int rate, PullSound pull, const std::string& choice,
                                       std::string& why) {
    const std::vector<std::string> devices = choice.empty()
                                                 ? std::vector<std::string>{"pulseaudio", "alsa"}
                                                 : std::vector<std::string>{choice};
    why.clear();
    for (const std::string& name : devices) {
        if (!why.empty()) why += "; ";
        // ALSA with no card only prints its own complaints; skip it then.
        if (choice.empty() && name == "alsa" && !soundCardPresent()) {
            why += "alsa: no sound card";
            continue;
        }
        std::string problem;
        if (auto stream = openDevice(name, rate, pull, problem)) return stream;
        why += name + ": " + problem;
    }
    return nullptr;
}

}  // namespace

SoundSystem linuxSoundSystem(std::string deviceChoice, std::optional<std::string> soundFont) {
    return {std::make_shared<FluidMusic>(AudioEngine::kSampleRate, std::move(soundFont)),
            &openFirst, std::move(deviceChoice)};
}

}  // namespace xmascard::media
