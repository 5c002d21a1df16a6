// SPDX-License-Identifier: MIT
#include "app/recorder.h"

#include <unistd.h>

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QImage>
#include <cmath>
#include <cstdio>
#include <future>
#include <vector>

#include "platform/clock.h"
#include "platform/form_painter.h"
#include "platform/io/safe_file.h"
#include "platform/media/audio_engine.h"
#include "platform/media/wav_writer.h"
#include "platform/runtime.h"
#include "show/program.h"

namespace xmascard {

namespace {

// The desktop behind the card's windows in a recording.
const QColor kDesktop(58, 110, 165);
// A show that has not ended by then never will.
constexpr double kLongestShow = 600;

// Encodes a frame as PNG and writes it through the safe writer: never through a link or
// into a FIFO someone put at its name. One line with the cause when it cannot.
bool writeFrame(const QImage& image, const io::Directory& directory, const std::string& name) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG", 80)) {
        std::fprintf(stderr, "xmascard: cannot encode %s\n", name.c_str());
        return false;
    }
    auto file = io::SafeFileWriter::create(directory, name);
    if (file.ok() &&
        file.value().write({reinterpret_cast<const std::uint8_t*>(png.constData()),
                            static_cast<std::size_t>(png.size())}) &&
        file.value().commit())
        return true;
    std::fprintf(stderr, "xmascard: cannot write %s/%s: %s\n", directory.path().c_str(),
                 name.c_str(), file.ok() ? file.value().error().c_str() : file.error().c_str());
    return false;
}

class Recording {
  public:
    Recording(const io::Directory& directory, media::AudioEngine& audio, media::WavWriter& wav)
        : directory_(directory), audio_(audio), wav_(wav) {}

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
        QImage screen = renderScreen(runtime, kDesktop);
        std::string name = QString::asprintf("frame-%05d.png", index).toStdString();
        pending_ =
            std::async(std::launch::async, [image = std::move(screen), name = std::move(name),
                                            this] { return writeFrame(image, directory_, name); });
        return true;
    }

    bool finish() { return !pending_.valid() || pending_.get(); }

  private:
    static constexpr int kRate = media::AudioEngine::kSampleRate;
    static constexpr int kChunk = 1024;
    const io::Directory& directory_;
    media::AudioEngine& audio_;
    media::WavWriter& wav_;
    std::vector<float> buffer_ = std::vector<float>(2 * kChunk);
    std::int64_t framesRendered_ = 0;
    std::future<bool> pending_;
};

}  // namespace

// What the soundtrack lacks of what the show plays: its music (MIDI) and its bells (MP3);
// empty when it has both.
std::string missingSound(const media::AudioEngine& audio) {
    const media::SoundsLoaded loaded = audio.soundsLoaded();
    if (!loaded.music && !loaded.sampled) return "the music and the bells";
    if (!loaded.music) return "the music";
    if (!loaded.sampled) return "the bells";
    return {};
}

int recordShow(const RecordOptions& options) {
    QDir().mkpath(QString::fromStdString(options.directory));  // a failure shows just below
    auto directory = io::Directory::open(options.directory);
    if (!directory.ok()) {
        std::fprintf(stderr, "xmascard: cannot record into %s: %s\n", options.directory.c_str(),
                     directory.error().c_str());
        return 1;
    }
    // A silent recording synthesizes and decodes nothing: its soundtrack is silence.
    auto audio = media::AudioEngine::create(options.silent ? media::AudioEngine::Output::Silent
                                                           : media::AudioEngine::Output::Offline);
    auto wav = media::WavWriter::open(options.directory + "/soundtrack.wav",
                                      media::AudioEngine::kSampleRate);
    if (!wav) return 1;

    VirtualClock clock(0);
    Runtime runtime(clock, *audio);
    runtime.setScreen({options.screenWidth, options.screenHeight});
    Program program(runtime);
    program.start();

    Recording recording(directory.value(), *audio, *wav);
    const bool terminal = isatty(STDERR_FILENO);
    int frame = 0;
    const auto frameTime = [&](int k) { return static_cast<double>(k) / options.fps; };
    bool ok = true;
    while (ok && !runtime.ended()) {
        const std::optional<double> next = runtime.scheduler().nextTick();
        if (!next || *next > kLongestShow) break;
        // Frames before the next tick show the state the previous ticks left.
        while (ok && frameTime(frame) < *next) ok = recording.saveFrame(runtime, frame++);
        ok = ok && recording.renderAudioTo(*next);
        clock.set(*next);
        runtime.tick();
        if (terminal && frame % options.fps == 0)
            std::fprintf(stderr, "\rxmascard: recording %5.1f s of the show, %d frames", *next,
                         frame);
    }
    ok = ok && recording.saveFrame(runtime, frame++) && recording.finish() && wav->close();
    if (terminal) std::fputc('\n', stderr);
    if (!ok) {
        std::fprintf(stderr, "xmascard: the recording in %s is incomplete\n",
                     options.directory.c_str());
        return 1;
    }
    if (const std::string missing = missingSound(*audio); !options.silent && !missing.empty()) {
        std::fprintf(stderr,
                     "xmascard: the soundtrack in %s lacks %s (see above); give --silent to "
                     "record without sound\n",
                     options.directory.c_str(), missing.c_str());
        return 1;
    }
    std::printf("xmascard: recorded %.1f s in %d frames at %d fps and soundtrack.wav in %s\n",
                clock.now(), frame, options.fps, options.directory.c_str());
    return 0;
}

}  // namespace xmascard
