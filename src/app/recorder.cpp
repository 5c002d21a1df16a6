// SPDX-License-Identifier: MIT
#include "app/recorder.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "app/frame_directory_sink.h"
#include "app/linux/signal_ending.h"
#include "app/progress_bar.h"
#include "app/recording_sink.h"
#include "app/video_file_sink.h"
#include "platform/graphics.h"
#include "platform/headless_host.h"
#include "platform/io/shown_text.h"
#include "platform/media/audio_engine.h"
#include "platform/media/video_file_names.h"
#include "platform/paint_controls.h"
#include "platform/runtime.h"
#include "platform/time/clock.h"
#include "platform/time/tick_loop.h"
#include "show/program.h"

namespace xmascard {

namespace {

// The desktop behind the card's windows in a recording.
constexpr Color kDesktop = RGB(58, 110, 165);
// A show that has not ended by then never will.
constexpr double kLongestShow = 600;
constexpr int kRate = media::AudioEngine::kSampleRate;

// Renders the mix into the sink as the show's time moves on.
class Soundtrack {
  public:
    Soundtrack(media::AudioEngine& audio, RecordingSink& sink) : audio_(audio), sink_(sink) {}

    // Renders the mix from where it stands up to `seconds`.
    bool renderTo(double seconds) {
        const auto target = static_cast<std::int64_t>(std::llround(seconds * kRate));
        while (framesRendered_ < target) {
            const int frames =
                static_cast<int>(std::min<std::int64_t>(kChunk, target - framesRendered_));
            audio_.render(buffer_.data(), frames);
            if (!sink_.addAudio(buffer_.data(), frames)) return false;
            framesRendered_ += frames;
        }
        return true;
    }

  private:
    static constexpr int kChunk = 1024;
    media::AudioEngine& audio_;
    RecordingSink& sink_;
    std::vector<float> buffer_ = std::vector<float>(2 * kChunk);
    std::int64_t framesRendered_ = 0;
};

// A video when the name says so and no directory of that name is in the way; a name with
// the extension of a video format not written here is refused (status 2).
std::unique_ptr<RecordingSink> openSink(const RecordOptions& options, Graphics& graphics,
                                        int& failureStatus) {
    const std::string& path = options.directory;
    failureStatus = 1;
    std::error_code ignored;
    if (!media::namesVideoFile(path) || std::filesystem::is_directory(path, ignored))
        return FrameDirectorySink::open(path, graphics, kRate);
    if (const media::Status named = media::checkVideoName(path); !named.ok()) {
        std::fprintf(stderr, "xmascard: %s\n", io::shown(named.error()).c_str());
        failureStatus = 2;
        return nullptr;
    }
    return VideoFileSink::open(path,
                               {options.screenWidth, options.screenHeight, options.fps, kRate});
}

// The show's length, from a run of it without pictures or sound (a fraction of a second).
double showLength(const CardNames& names, Graphics& graphics, ScreenSize screen,
                  const std::string& soundDirectory) {
    auto audio = media::AudioEngine::create(media::AudioEngine::Output::Silent);
    VirtualClock clock(0);
    HeadlessHost host(graphics, screen, soundDirectory);
    Runtime runtime(clock, *audio, host);
    Program program(runtime, names);
    program.start();
    TickLoop(runtime, [&clock](double t) { clock.set(t); }).runUntil(kLongestShow);
    return clock.now();
}

// What the soundtrack lacks of what the show plays: its music (MIDI) and its bells (MP3);
// empty when it has both. The music starts with the show; the bells are known once it ends.
std::string missingSound(const media::AudioEngine& audio, bool showEnded) {
    const media::SoundsLoaded loaded = audio.soundsLoaded();
    const bool bells = loaded.sampled || !showEnded;
    if (!loaded.music && !bells) return "the music and the bells";
    if (!loaded.music) return "the music";
    if (!bells) return "the bells";
    return {};
}

// A recording whose soundtrack lacks what the show plays is given up, unless a silent one
// was asked for: nothing it would replace is touched.
bool giveUpForMissingSound(const RecordOptions& options, const media::AudioEngine& audio,
                           bool showEnded, RecordingSink& sink) {
    const std::string missing = missingSound(audio, showEnded);
    if (options.silent || missing.empty()) return false;
    sink.abandon(RecordingSink::Stop::Failed);
    std::fprintf(stderr,
                 "xmascard: the soundtrack lacks %s (see above), so the recording was given up; "
                 "give --silent to record without sound\n",
                 missing.c_str());
    return true;
}

}  // namespace

int recordShow(const RecordOptions& options, const CardNames& names,
               const RecordingBackend& backend) {
    Graphics& graphics = backend.graphics;
    const std::string& soundDirectory = backend.soundDirectory;
    int failureStatus = 1;
    const std::unique_ptr<RecordingSink> sink = openSink(options, graphics, failureStatus);
    if (!sink) return failureStatus;
    const ScreenSize screen{options.screenWidth, options.screenHeight};
    std::optional<ProgressBar> progress;
    if (isatty(STDERR_FILENO))
        progress.emplace(stderr, showLength(names, graphics, screen, soundDirectory));

    // A silent recording synthesizes and decodes nothing: its soundtrack is silence.
    auto audio = media::AudioEngine::create(
        options.silent ? media::AudioEngine::Output::Silent : media::AudioEngine::Output::Offline,
        {}, {backend.music, {}, {}});
    VirtualClock clock(0);
    HeadlessHost host(graphics, screen, soundDirectory);
    Runtime runtime(clock, *audio, host);
    Program program(runtime, names);
    program.start();
    // The music loads as the show starts: without it, no frame is written.
    if (giveUpForMissingSound(options, *audio, false, *sink)) return 1;

    Soundtrack soundtrack(*audio, *sink);
    int frame = 0;
    const auto frameTime = [&](int k) { return static_cast<double>(k) / options.fps; };
    const auto saveFrame = [&] {
        ++frame;
        return sink->addFrame(renderScreen(graphics, runtime, kDesktop));
    };
    bool ok = true;
    TickLoop::Hooks hooks;
    hooks.before = [&](double tick) {
        if (signal_ending::received() != 0) return false;
        // Frames before the tick show the state the previous ticks left.
        while (ok && frameTime(frame) < tick) ok = saveFrame();
        ok = ok && soundtrack.renderTo(tick);
        return ok;
    };
    hooks.after = [&](double) {
        if (progress) progress->update(clock.now());
    };
    TickLoop(runtime, [&clock](double t) { clock.set(t); }).runUntil(kLongestShow, hooks);
    if (signal_ending::received() != 0) {
        sink->abandon(RecordingSink::Stop::Interrupted);
        if (progress) std::fputc('\n', stderr);
        std::fprintf(stderr, "xmascard: the recording was interrupted\n");
        return 1;
    }
    ok = ok && saveFrame();
    if (progress) progress->close(clock.now());
    if (ok && giveUpForMissingSound(options, *audio, true, *sink)) return 1;
    if (!sink->finish() || !ok) return 1;
    std::printf("xmascard: recorded %.1f s in %d frames at %d fps %s\n", clock.now(), frame,
                options.fps, sink->destination().c_str());
    return 0;
}

}  // namespace xmascard
