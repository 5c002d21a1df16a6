// SPDX-License-Identifier: MIT
#include "app/recorder.h"

#include <unistd.h>

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <future>
#include <vector>

#include "platform/clock.h"
#include "platform/graphics.h"
#include "platform/headless_host.h"
#include "platform/media/audio_engine.h"
#include "platform/paint_controls.h"
#include "platform/tick_loop.h"
#include "platform/media/wav_writer.h"
#include "platform/runtime.h"
#include "show/program.h"

namespace xmascard {

namespace {

// The desktop behind the card's windows in a recording.
constexpr Color kDesktop = RGB(58, 110, 165);
// A show that has not ended by then never will.
constexpr double kLongestShow = 600;

class Recording {
  public:
    Recording(const RecordOptions& options, Graphics& graphics, media::AudioEngine& audio,
              media::WavWriter& wav)
        : options_(options), graphics_(graphics), audio_(audio), wav_(wav) {}

    // Renders the mix from where it stands up to `seconds`.
    bool renderAudioTo(double seconds) {
        const auto target = static_cast<std::int64_t>(std::llround(seconds * kRate));
        while (framesRendered_ < target) {
            const int frames =
                static_cast<int>(std::min<std::int64_t>(kChunk, target - framesRendered_));
            audio_.render(buffer_.data(), frames);
            if (!wav_.write(buffer_.data(), frames)) return false;
            framesRendered_ += frames;
        }
        return true;
    }

    // Saves the screen as frame `index`; the PNG is encoded while the show goes on.
    bool saveFrame(const Runtime& runtime, int index) {
        if (pending_.valid() && !pending_.get()) return false;
        std::shared_ptr<Image> screen = renderScreen(graphics_, runtime, kDesktop);
        char name[32];
        std::snprintf(name, sizeof name, "/frame-%05d.png", index);
        pending_ = std::async(std::launch::async, [this, screen, path = options_.directory + name] {
            const std::vector<std::uint8_t> png = graphics_.encodePng(*screen, 80);
            std::FILE* file = std::fopen(path.c_str(), "wb");
            if (!file || png.empty()) return false;
            const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
            return std::fclose(file) == 0 && written;
        });
        return true;
    }

    bool finish() { return !pending_.valid() || pending_.get(); }

  private:
    static constexpr int kRate = media::AudioEngine::kSampleRate;
    static constexpr int kChunk = 1024;
    const RecordOptions& options_;
    Graphics& graphics_;
    media::AudioEngine& audio_;
    media::WavWriter& wav_;
    std::vector<float> buffer_ = std::vector<float>(2 * kChunk);
    std::int64_t framesRendered_ = 0;
    std::future<bool> pending_;
};

}  // namespace

int recordShow(const RecordOptions& options, Graphics& graphics, const std::string& soundDirectory) {
    if (::mkdir(options.directory.c_str(), 0777) != 0 && errno != EEXIST) {
        std::fprintf(stderr, "xmascard: cannot create the directory %s\n",
                     options.directory.c_str());
        return 1;
    }
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Offline);
    auto wav = media::WavWriter::open(options.directory + "/soundtrack.wav",
                                      media::AudioEngine::kSampleRate);
    if (!wav) return 1;

    VirtualClock clock(0);
    HeadlessHost host(graphics, {options.screenWidth, options.screenHeight}, soundDirectory);
    Runtime runtime(clock, *audio, host);
    Program program(runtime);
    program.start();

    Recording recording(options, graphics, *audio, *wav);
    const bool terminal = isatty(STDERR_FILENO);
    int frame = 0;
    const auto frameTime = [&](int k) { return static_cast<double>(k) / options.fps; };
    bool ok = true;
    TickLoop::Hooks hooks;
    hooks.before = [&](double tick) {
        // Frames before the tick show the state the previous ticks left.
        while (ok && frameTime(frame) < tick) ok = recording.saveFrame(runtime, frame++);
        ok = ok && recording.renderAudioTo(tick);
        return ok;
    };
    hooks.after = [&](double tick) {
        if (terminal && frame % options.fps == 0)
            std::fprintf(stderr, "\rxmascard: recording %5.1f s of the show, %d frames", tick,
                         frame);
    };
    TickLoop(runtime, [&clock](double t) { clock.set(t); }).runUntil(kLongestShow, hooks);
    ok = ok && recording.saveFrame(runtime, frame++) && recording.finish() && wav->close();
    if (terminal) std::fputc('\n', stderr);
    if (!ok) {
        std::fprintf(stderr, "xmascard: the recording in %s is incomplete\n",
                     options.directory.c_str());
        return 1;
    }
    std::printf("xmascard: recorded %.1f s in %d frames at %d fps and soundtrack.wav in %s\n",
                clock.now(), frame, options.fps, options.directory.c_str());
    return 0;
}

}  // namespace xmascard
