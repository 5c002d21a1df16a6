// SPDX-License-Identifier: MIT
#include "platform/media/device_output.h"

#include <algorithm>

#include "platform/media/audio_engine.h"

namespace xmascard::media {

std::unique_ptr<DeviceOutput> DeviceOutput::open(std::shared_ptr<EngineCore> core,
                                                 const OpenAudioStream& open,
                                                 const std::string& choice, std::string& why) {
    if (!open) {
        why = "no sound devices here";
        return nullptr;
    }
    std::unique_ptr<DeviceOutput> output(new DeviceOutput(std::move(core)));
    DeviceOutput* self = output.get();
    output->stream_ = open(
        AudioEngine::kSampleRate,
        [self](float* left, float* right, int frames) { self->render(left, right, frames); },
        choice, why);
    if (!output->stream_) return nullptr;
    return output;
}

DeviceOutput::~DeviceOutput() { stream_.reset(); }

// Runs on the device's thread. It renders under the mixer's lock, block by block, and
// neither allocates nor waits for anything but that lock, which the user-interface
// thread holds only for short changes of state.
void DeviceOutput::render(float* left, float* right, int frames) {
    if (live_.load(std::memory_order_acquire)) {
        core_->mixer().renderPlanar(left, right, frames);
        return;
    }
    std::fill(left, left + frames, 0.0f);
    std::fill(right, right + frames, 0.0f);
}

}  // namespace xmascard::media
