// SPDX-License-Identifier: MIT
#pragma once

#include <fluidsynth.h>

#include <atomic>
#include <memory>
#include <string>

#include "platform/media/engine_core.h"
#include "platform/media/pulse_stream.h"

namespace xmascard::media {

// The sound card: a PulseAudio stream of our own (the server asks for sound in large
// blocks, so the audio thread wakes seldom), or else one FluidSynth audio driver
// (new_fluid_audio_driver2). Either pulls the whole mix from the engine's mixer on its own
// thread.
class DeviceOutput {
  public:
    // Opens the first driver that works. `choice` is the value of $XMASCARD_AUDIO: empty
    // for the default order (PulseAudio, which PipeWire also serves, then ALSA when a
    // sound card exists), or a FluidSynth driver name to use that one alone. On failure
    // `why` says what each driver answered.
    static std::unique_ptr<DeviceOutput> open(std::shared_ptr<EngineCore> core,
                                              const std::string& choice, std::string& why);
    ~DeviceOutput();
    DeviceOutput(const DeviceOutput&) = delete;
    DeviceOutput& operator=(const DeviceOutput&) = delete;

    const std::string& driverName() const { return driverName_; }

    // Until then the device plays silence and leaves the mixer alone, so that the engine
    // can bring the mix to where the show stands before the device carries it on.
    void goLive() { live_.store(true, std::memory_order_release); }

  private:
    DeviceOutput(std::shared_ptr<EngineCore> core) : core_(std::move(core)) {}
    static int pull(void* data, int frames, int nfx, float* fx[], int nout, float* out[]);
    // Renders the mix once live, silence before.
    void render(float* left, float* right, int frames);

    std::shared_ptr<EngineCore> core_;
    std::unique_ptr<PulseStream> pulse_;
    fluid_audio_driver_t* driver_ = nullptr;
    std::string driverName_;
    std::atomic<bool> live_{false};
};

}  // namespace xmascard::media
