// SPDX-License-Identifier: MIT
#include "platform/media/audio_engine.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/media/engine_core.h"
#ifdef XMASCARD_NO_SYNTHESIZER
namespace xmascard::media {
class DeviceOutput {};  // a build without a synthesizer has no sound card output yet
}  // namespace xmascard::media
#else
#include "platform/media/device_output.h"
#endif
#include "platform/media/mixed_player.h"

namespace xmascard::media {
namespace {

std::int64_t framesAt(double seconds) {
    if (!std::isfinite(seconds) || seconds <= 0) return 0;
    return static_cast<std::int64_t>(std::llround(seconds * AudioEngine::kSampleRate));
}

// The engine of every output: only how time moves and how the mix leaves differ.
class MixingEngine final : public AudioEngine {
  public:
    MixingEngine(Output output, std::shared_ptr<EngineCore> core)
        : output_(output), core_(std::move(core)) {}
    ~MixingEngine() override { device_.reset(); }

    void attachDevice(std::unique_ptr<DeviceOutput> device) { device_ = std::move(device); }

    Output output() const override { return output_; }
    std::unique_ptr<Player> createPlayer() override { return std::make_unique<MixedPlayer>(core_); }
    void prepareMusic() override { core_->prepareSoundFont(); }

    void render(float* out, int frames) override {
        if (frames <= 0) return;
        if (output_ == Output::Offline) {
            core_->mixer().renderInterleaved(out, frames);
        } else {
            std::fill(out, out + 2 * static_cast<std::size_t>(frames), 0.0f);
        }
    }

    void advanceTo(double seconds) override {
        if (output_ == Output::Device) return;
        const std::int64_t target = framesAt(seconds);
        const std::int64_t now = core_->mixer().framesDone();
        if (target <= now) return;
        if (output_ == Output::Silent) {
            core_->mixer().advance(target - now);
            return;
        }
        float scratch[2 * Mixer::kBlockFrames];
        for (std::int64_t left = target - now; left > 0;) {
            int count = static_cast<int>(std::min<std::int64_t>(left, Mixer::kBlockFrames));
            core_->mixer().renderInterleaved(scratch, count);
            left -= count;
        }
    }

    double time() const override {
        return static_cast<double>(core_->mixer().framesDone()) / kSampleRate;
    }

  private:
    Output output_;
    std::shared_ptr<EngineCore> core_;
    std::unique_ptr<DeviceOutput> device_;
};

std::unique_ptr<AudioEngine> makeSilent() {
    return std::make_unique<MixingEngine>(
        AudioEngine::Output::Silent, std::make_shared<EngineCore>(false, AudioEngine::kSampleRate));
}

}  // namespace

std::unique_ptr<AudioEngine> AudioEngine::create(Output output) {
    if (output == Output::Silent) return makeSilent();
    if (output == Output::Offline) {
        return std::make_unique<MixingEngine>(output,
                                              std::make_shared<EngineCore>(true, kSampleRate));
    }
    const char* env = std::getenv("XMASCARD_AUDIO");
    std::string choice = env != nullptr ? env : "";
    if (choice == "none") return makeSilent();
    if (choice == "auto") choice.clear();
#ifdef XMASCARD_NO_SYNTHESIZER
    std::fprintf(stderr, "xmascard: no audio output in this build; the card plays silently\n");
    std::fflush(stderr);
    return makeSilent();
#else
    auto core = std::make_shared<EngineCore>(true, kSampleRate);
    std::string why;
    auto device = DeviceOutput::open(core, choice, why);
    if (!device) {
        std::fprintf(stderr, "xmascard: no audio output (%s); the card plays silently\n",
                     why.c_str());
        std::fflush(stderr);
        return makeSilent();
    }
    auto engine = std::make_unique<MixingEngine>(output, std::move(core));
    engine->attachDevice(std::move(device));
    return engine;
#endif
}

}  // namespace xmascard::media
