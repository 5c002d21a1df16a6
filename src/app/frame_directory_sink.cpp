// SPDX-License-Identifier: MIT
#include "app/frame_directory_sink.h"

#include <cstdio>
#include <filesystem>

namespace xmascard {

namespace {

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
    std::fprintf(stderr, "xmascard: cannot write %s/%s: %s\n", directory.path().c_str(),
                 name.c_str(), file.ok() ? file.value().error().c_str() : file.error().c_str());
    return false;
}

}  // namespace

std::unique_ptr<FrameDirectorySink> FrameDirectorySink::open(const std::string& path,
                                                             Graphics& graphics, int sampleRate) {
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);  // a failure shows just below
    auto directory = io::Directory::open(path);
    if (!directory.ok()) {
        std::fprintf(stderr, "xmascard: cannot record into %s: %s\n", path.c_str(),
                     directory.error().c_str());
        return nullptr;
    }
    auto wav = media::WavWriter::open(path + "/soundtrack.wav", sampleRate);
    if (!wav) return nullptr;
    return std::unique_ptr<FrameDirectorySink>(
        new FrameDirectorySink(directory.take(), graphics, std::move(wav)));
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

bool FrameDirectorySink::finish() {
    const bool ok = (!pending_.valid() || pending_.get()) && !failed_ && wav_->close();
    if (!ok)
        std::fprintf(stderr, "xmascard: the recording in %s is incomplete\n",
                     directory_.path().c_str());
    return ok;
}

// The frames written so far stay; the WAV file gets its sizes so that it plays.
void FrameDirectorySink::abandon() {
    if (pending_.valid()) pending_.get();
    wav_->close();
}

}  // namespace xmascard
