// SPDX-License-Identifier: MIT
#include "app/frame_directory_sink.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string_view>

#include "platform/io/shown_text.h"

namespace xmascard {

namespace {

constexpr std::string_view kSoundtrack = "soundtrack.wav";

// frame-00000.png, frame-00001.png, ...
bool isFrameName(std::string_view name) {
    constexpr std::string_view kStart = "frame-", kEnd = ".png";
    if (name.size() != kStart.size() + 5 + kEnd.size() || !name.starts_with(kStart) ||
        !name.ends_with(kEnd))
        return false;
    for (const char c : name.substr(kStart.size(), 5))
        if (c < '0' || c > '9') return false;
    return true;
}

// Writes a frame's PNG through the safe writer: never through a link or into a FIFO
// someone put at its name. One line with the cause when it cannot.
bool writeFrame(const std::vector<std::uint8_t>& png, const io::Directory& directory,
                const std::string& name) {
    if (png.empty()) {
        std::fprintf(stderr, "xmascard: cannot encode %s\n", name.c_str());
        return false;
    }
    auto file = io::SafeFileWriter::create(directory, name);
    if (file.ok() && file.value().write(png) && file.value().commit()) return true;
    std::fprintf(stderr, "xmascard: cannot write %s/%s: %s\n", io::shown(directory.path()).c_str(),
                 name.c_str(), file.ok() ? file.value().error().c_str() : file.error().c_str());
    return false;
}

}  // namespace

std::unique_ptr<FrameDirectorySink> FrameDirectorySink::open(const std::string& path,
                                                             Graphics& graphics, int sampleRate) {
    std::error_code ignored;
    // A failure shows just below.
    const bool made = std::filesystem::create_directories(path, ignored);
    auto directory = io::Directory::open(path);
    if (!directory.ok()) {
        std::fprintf(stderr, "xmascard: cannot record into %s: %s\n", io::shown(path).c_str(),
                     directory.error().c_str());
        return nullptr;
    }
    io::removeStaleTemporaries(directory.value(), [](std::string_view name) {
        return name == kSoundtrack || isFrameName(name);
    });
    auto wav = media::WavWriter::open(path + "/" + std::string(kSoundtrack), sampleRate);
    if (!wav) {
        if (made) ::rmdir(path.c_str());
        return nullptr;
    }
    return std::unique_ptr<FrameDirectorySink>(
        new FrameDirectorySink(directory.take(), made, graphics, std::move(wav)));
}

// The PNG is encoded and written while the show goes on.
bool FrameDirectorySink::addFrame(std::unique_ptr<Image> screen) {
    if (pending_.valid() && !pending_.get()) failed_ = true;
    if (failed_) return false;
    char name[32];
    std::snprintf(name, sizeof name, "frame-%05d.png", frames_++);
    screen->bits();  // the drawing ends here, on the thread that drew it
    pending_ =
        std::async(std::launch::async, [this, image = std::move(screen), name = std::string(name)] {
            return writeFrame(graphics_.encodePng(*image, 80), directory_, name);
        });
    return true;
}

bool FrameDirectorySink::addAudio(const float* interleaved, int frames) {
    return wav_->write(interleaved, frames);
}

// Each failure has said its line already.
bool FrameDirectorySink::finish() {
    return (!pending_.valid() || pending_.get()) && !failed_ && wav_->close();
}

// Interrupted, the frames written so far stay and the WAV file gets its sizes so that it
// plays. Failed, the soundtrack.wav there stays as it was, and a directory made for the
// recording goes again while it is empty (the music is missed before the first frame).
void FrameDirectorySink::abandon(Stop why) {
    if (pending_.valid()) pending_.get();
    if (why == Stop::Interrupted) {
        wav_->close();
        return;
    }
    wav_.reset();
    if (made_) ::rmdir(directory_.path().c_str());
}

}  // namespace xmascard
