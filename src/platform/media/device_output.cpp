// SPDX-License-Identifier: MIT
#include "platform/media/device_output.h"

#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "platform/media/audio_engine.h"

namespace xmascard::media {
namespace {

bool soundCardPresent() {
    struct stat info;
    return stat("/dev/snd", &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

std::unique_ptr<DeviceOutput> DeviceOutput::open(std::shared_ptr<EngineCore> core,
                                                 const std::string& choice, std::string& why) {
    std::vector<std::string> drivers;
    if (!choice.empty()) {
        drivers.push_back(choice);
    } else {
        drivers.push_back("pulseaudio");
        drivers.push_back("alsa");
    }
    std::unique_ptr<DeviceOutput> output(new DeviceOutput(std::move(core)));
    fluid_settings_t* settings = output->core_->settings().get();
    why.clear();
    for (const std::string& name : drivers) {
        if (!why.empty()) why += "; ";
        // ALSA with no card only prints its own complaints; skip it then.
        if (choice.empty() && name == "alsa" && !soundCardPresent()) {
            why += "alsa: no sound card";
            continue;
        }
        if (name == "pulseaudio") {
            std::string problem;
            DeviceOutput* self = output.get();
            output->pulse_ = PulseStream::open(
                AudioEngine::kSampleRate,
                [self](float* left, float* right, int frames) {
                    self->render(left, right, frames);
                },
                problem);
            if (output->pulse_) {
                output->driverName_ = name;
                return output;
            }
            why += name + ": " + problem;
            continue;
        }
        FluidErrorCapture capture;
        fluid_settings_setstr(settings, "audio.driver", name.c_str());
        output->driver_ = new_fluid_audio_driver2(settings, &DeviceOutput::pull, output.get());
        if (output->driver_ != nullptr) {
            output->driverName_ = name;
            return output;
        }
        why += name + ": " + capture.last("cannot be opened");
    }
    return nullptr;
}

DeviceOutput::~DeviceOutput() {
    pulse_.reset();
    if (driver_ != nullptr) delete_fluid_audio_driver(driver_);
}

// Runs on the driver's thread. It renders under the mixer's lock, block by block, and
// neither allocates nor waits for anything but that lock, which the user-interface
// thread holds only for short changes of state.
int DeviceOutput::pull(void* data, int frames, int, float*[], int nout, float* out[]) {
    auto* self = static_cast<DeviceOutput*>(data);
    if (nout < 2) return FLUID_FAILED;
    self->render(out[0], out[1], frames);
    for (int channel = 0; channel < 2; ++channel) {
        float* samples = out[channel];
        for (int i = 0; i < frames; ++i) samples[i] = std::clamp(samples[i], -1.0f, 1.0f);
    }
    for (int channel = 2; channel < nout; ++channel)
        std::fill(out[channel], out[channel] + frames, 0.0f);
    return FLUID_OK;
}

void DeviceOutput::render(float* left, float* right, int frames) {
    if (live_.load(std::memory_order_acquire)) {
        core_->mixer().renderPlanar(left, right, frames);
        return;
    }
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
}

}  // namespace xmascard::media
