// SPDX-License-Identifier: MIT
#include "platform/media/audio_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "platform/media/device_output.h"
#include "platform/media/engine_core.h"
#include "platform/media/mixed_player.h"

namespace xmascard::media {
namespace {

std::int64_t framesAt(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return 0;
    return static_cast<std::int64_t>(std::llround(seconds * AudioEngine::kSampleRate));
}

void reportNoDevice(const std::string& why) {
    std::fprintf(stderr, "xmascard: no audio output (%s); the card plays silently\n", why.c_str());
    std::fflush(stderr);
}

void reportLostDevice(const std::string& why) {
    std::fprintf(stderr,
                 "xmascard: audio output lost: %s; the card plays silently until it is back\n",
                 why.c_str());
    std::fflush(stderr);
}

// An audio device being opened on a thread of its own, shared with that thread: a sound
// server that does not answer holds up nothing but that thread.
class DeviceOpening {
  public:
    static std::shared_ptr<DeviceOpening> start(std::shared_ptr<EngineCore> core,
                                                SoundSystem sound) {
        auto opening = std::make_shared<DeviceOpening>();
        std::thread([opening, core = std::move(core), sound = std::move(sound)] {
            std::string why;
            auto device = DeviceOutput::open(core, sound.openStream, sound.deviceChoice, why);
            std::lock_guard<std::mutex> guard(opening->mutex_);
            opening->device_ = std::move(device);
            opening->why_ = std::move(why);
            opening->done_ = true;
        }).detach();
        return opening;
    }

    // Once the thread is done: the device, or null with `why` set.
    bool done(std::unique_ptr<DeviceOutput>& device, std::string& why) {
        std::lock_guard<std::mutex> guard(mutex_);
        if (!done_) return false;
        device = std::move(device_);
        why = why_;
        return true;
    }

  private:
    std::mutex mutex_;
    bool done_ = false;
    std::unique_ptr<DeviceOutput> device_;
    std::string why_;
};

// The engine of every output: only how time moves and how the mix leaves differ.
class MixingEngine final : public AudioEngine {
  public:
    MixingEngine(Output output, std::shared_ptr<EngineCore> core, SoundSystem sound = {})
        : output_(output), core_(std::move(core)), sound_(std::move(sound)) {}
    ~MixingEngine() override { device_.reset(); }

    void attachDevice(std::unique_ptr<DeviceOutput> device) {
        device->goLive();
        device_ = std::move(device);
    }
    void openDeviceInBackground() { opening_ = DeviceOpening::start(core_, sound_); }

    Output output() const override { return output_; }
    std::unique_ptr<Player> createPlayer() override { return std::make_unique<MixedPlayer>(core_); }
    void prepareMusic() override { core_->prepareMusic(); }

    void render(float* out, int frames) override {
        if (frames <= 0) return;
        if (output_ == Output::Offline) {
            core_->mixer().renderInterleaved(out, frames);
        } else {
            std::fill(out, out + 2 * static_cast<std::size_t>(frames), 0.0f);
        }
    }

    void advanceTo(double seconds) override {
        if (output_ == Output::Device && device_) return;
        const std::int64_t target = framesAt(seconds);
        const std::int64_t now = core_->mixer().framesDone();
        if (output_ != Output::Offline) {
            if (target > now) core_->mixer().advance(target - now);
            if (opening_) takeOpenedDevice();
            return;
        }
        if (target <= now) return;
        float scratch[2 * Mixer::kBlockFrames];
        for (std::int64_t left = target - now; left > 0;) {
            int count = static_cast<int>(std::min<std::int64_t>(left, Mixer::kBlockFrames));
            core_->mixer().renderInterleaved(scratch, count);
            left -= count;
        }
    }

    void poll() override {
        core_->deliverLoads();
        if (output_ == Output::Device && !closed_) watchDevice();
    }
    SoundsLoaded soundsLoaded() const override { return core_->soundsLoaded(); }

    double time() const override {
        return static_cast<double>(core_->mixer().framesDone()) / kSampleRate;
    }

    void close() override {
        closed_ = true;
        if (device_) device_->fadeOut();
    }

  private:
    using SteadyClock = std::chrono::steady_clock;

    // A device that has just opened carries the mix on from where the show stands, as if it
    // had played from the start. Without one the engine goes on as a silent one, or, when
    // it looks again for a device that went away, tries again later.
    void takeOpenedDevice() {
        std::unique_ptr<DeviceOutput> device;
        std::string why;
        if (!opening_->done(device, why)) return;
        opening_.reset();
        if (device && !closed_) {
            attachDevice(std::move(device));
            reopenAt_.reset();
        } else if (reopenAt_) {
            reopenAt_ = SteadyClock::now() + sound_.reopenInterval;
        } else if (!closed_) {
            reportNoDevice(why);
            output_ = Output::Silent;
        }
    }

    // A device that went away is let go of, with one line; until another opens the mixer
    // keeps time with the show (advanceTo), so that the music joins where the show stands.
    void watchDevice() {
        if (device_) {
            const std::optional<std::string> why = device_->lost();
            if (!why) return;
            reportLostDevice(*why);
            if (std::string choice = device_->reopenAs(); !choice.empty())
                sound_.deviceChoice = std::move(choice);
            device_.reset();
            reopenAt_ = SteadyClock::now() + sound_.reopenInterval;
            return;
        }
        if (reopenAt_ && !opening_ && SteadyClock::now() >= *reopenAt_) {
            reopenAt_ = SteadyClock::time_point::max();  // while it opens
            openDeviceInBackground();
        }
    }

    Output output_;
    std::shared_ptr<EngineCore> core_;
    SoundSystem sound_;  // what a device that went away is opened again with
    std::unique_ptr<DeviceOutput> device_;
    std::shared_ptr<DeviceOpening> opening_;
    // Set once a device went away: when it is looked for next.
    std::optional<SteadyClock::time_point> reopenAt_;
    bool closed_ = false;
};

std::unique_ptr<AudioEngine> makeSilent(LoadPolicy policy) {
    return std::make_unique<MixingEngine>(
        AudioEngine::Output::Silent,
        std::make_shared<EngineCore>(false, AudioEngine::kSampleRate, policy));
}

}  // namespace

std::unique_ptr<AudioEngine> AudioEngine::create(Output output, LoadPolicy policy,
                                                 SoundSystem sound) {
    if (output == Output::Silent) return makeSilent(policy);
    auto core = std::make_shared<EngineCore>(true, kSampleRate, policy, sound.music);
    if (output == Output::Offline) return std::make_unique<MixingEngine>(output, std::move(core));
    auto engine = std::make_unique<MixingEngine>(output, core, sound);
    if (policy.loading == Loading::Background) {
        engine->openDeviceInBackground();
        return engine;
    }
    std::string why;
    auto device = DeviceOutput::open(core, sound.openStream, sound.deviceChoice, why);
    if (!device) {
        reportNoDevice(why);
        return makeSilent(policy);
    }
    engine->attachDevice(std::move(device));
    return engine;
}

}  // namespace xmascard::media
