// SPDX-License-Identifier: MIT
#include "platform/media/fluidsynth/fluid_audio_stream.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/media/fluidsynth/alsa_messages.h"
#include "platform/media/fluidsynth/fluid_support.h"

namespace xmascard::media {

namespace {

class FluidAudioStream final : public AudioStream {
  public:
    FluidAudioStream(FluidSettings settings, PullSound pull)
        : settings_(std::move(settings)), pull_(std::move(pull)) {}
    ~FluidAudioStream() override {
        if (driver_) delete_fluid_audio_driver(driver_);
    }

    bool start(std::string& why) {
        FluidErrorCapture capture;
        AlsaErrorCapture alsa;
        driver_ = new_fluid_audio_driver2(settings_.get(), &FluidAudioStream::pull, this);
        if (!driver_) {
            why = capture.last("cannot be opened");
            if (!alsa.first().empty()) why += " (" + alsa.first() + ")";
        }
        return driver_ != nullptr;
    }

    // The next block the driver pulls fades out over 10 ms, and every block after is
    // silence; what the driver had queued (a few tens of milliseconds) plays first.
    void fadeOut() override {
        fading_.store(true, std::memory_order_release);
        std::this_thread::sleep_for(std::chrono::milliseconds(60));
    }

  private:
    // Runs on the driver's thread.
    static int pull(void* data, int frames, int, float*[], int nout, float* out[]) {
        auto* self = static_cast<FluidAudioStream*>(data);
        if (nout < 2) return FLUID_FAILED;
        self->render(out[0], out[1], frames);
        for (int channel = 2; channel < nout; ++channel)
            std::fill(out[channel], out[channel] + frames, 0.0f);
        return FLUID_OK;
    }

    void render(float* left, float* right, int frames) {
        if (done_) {
            std::fill(left, left + frames, 0.0f);
            std::fill(right, right + frames, 0.0f);
            return;
        }
        pull_(left, right, frames);
        for (float* samples : {left, right})
            for (int i = 0; i < frames; ++i) samples[i] = std::clamp(samples[i], -1.0f, 1.0f);
        if (!fading_.load(std::memory_order_acquire)) return;
        constexpr int kFade = 441;
        for (int i = 0; i < frames; ++i) {
            const float gain = std::max(0.0f, 1.0f - static_cast<float>(i + 1) / kFade);
            left[i] *= gain;
            right[i] *= gain;
        }
        done_ = true;
    }

    FluidSettings settings_;
    PullSound pull_;
    fluid_audio_driver_t* driver_ = nullptr;
    std::atomic<bool> fading_{false};
    bool done_ = false;  // the driver's thread only
};

}  // namespace

std::unique_ptr<AudioStream> openFluidAudioStream(const std::string& driver, int sampleRate,
                                                  PullSound pull, std::string& why) {
    FluidSettings settings = makeFluidSettings(sampleRate);
    fluid_settings_setstr(settings.get(), "audio.driver", driver.c_str());
    auto stream = std::make_unique<FluidAudioStream>(std::move(settings), std::move(pull));
    if (!stream->start(why)) return nullptr;
    return stream;
}

}  // namespace xmascard::media
