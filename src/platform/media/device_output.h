// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "platform/media/audio_stream.h"
#include "platform/media/engine_core.h"

namespace xmascard::media {

// The sound card: a stream to a device that pulls the whole mix from the engine's mixer on
// its own thread.
class DeviceOutput {
  public:
    // Opens a stream through `open` by the user's choice (see OpenAudioStream); null, with
    // `why` said, when no device opens.
    static std::unique_ptr<DeviceOutput> open(std::shared_ptr<EngineCore> core,
                                              const OpenAudioStream& open,
                                              const std::string& choice, std::string& why);
    ~DeviceOutput();
    DeviceOutput(const DeviceOutput&) = delete;
    DeviceOutput& operator=(const DeviceOutput&) = delete;

    // Until then the device plays silence and leaves the mixer alone, so that the engine
    // can bring the mix to where the show stands before the device carries it on.
    void goLive() { live_.store(true, std::memory_order_release); }
    // The sound fades out within a few milliseconds and stops.
    void fadeOut() { stream_->fadeOut(); }
    // See AudioStream.
    std::optional<std::string> lost() const { return stream_->lost(); }
    std::string reopenAs() const { return stream_->reopenAs(); }

  private:
    explicit DeviceOutput(std::shared_ptr<EngineCore> core) : core_(std::move(core)) {}
    // Renders the mix once live, silence before.
    void render(float* left, float* right, int frames);

    std::shared_ptr<EngineCore> core_;
    std::unique_ptr<AudioStream> stream_;
    std::atomic<bool> live_{false};
};

}  // namespace xmascard::media
