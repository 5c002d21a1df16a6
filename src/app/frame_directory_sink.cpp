// SPDX-License-Identifier: MIT
#include "app/frame_directory_sink.h"

#include <cstdio>
#include <filesystem>

namespace xmascard {

namespace {

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

std::unique_ptr<FrameDirectorySink> FrameDirectorySink::open(const std::string& directory,
                                                             Graphics& graphics, int sampleRate) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error) {
        std::fprintf(stderr, "xmascard: cannot create the directory %s: %s\n", directory.c_str(),
                     error.message().c_str());
        return nullptr;
    }
    auto wav = media::WavWriter::open(directory + "/soundtrack.wav", sampleRate);
    if (!wav) return nullptr;
    return std::unique_ptr<FrameDirectorySink>(
        new FrameDirectorySink(directory, graphics, std::move(wav)));
}

// The PNG is encoded while the show goes on.
bool FrameDirectorySink::addFrame(std::unique_ptr<Image> screen) {
    if (pending_.valid() && !pending_.get()) failed_ = true;
    if (failed_) return false;
    char name[32];
    std::snprintf(name, sizeof name, "/frame-%05d.png", frames_++);
    screen->bits();  // the drawing ends here, on the thread that drew it
    pending_ = std::async(std::launch::async,
                          [this, image = std::move(screen), path = directory_ + name] {
                              const auto png = graphics_.encodePng(*image, 80);
                              return !png.empty() && writeFile(path, png);
                          });
    return true;
}

bool FrameDirectorySink::addAudio(const float* interleaved, int frames) {
    return wav_->write(interleaved, frames);
}

bool FrameDirectorySink::finish() {
    const bool ok = (!pending_.valid() || pending_.get()) && !failed_ && wav_->close();
    if (!ok)
        std::fprintf(stderr, "xmascard: the recording in %s is incomplete\n", directory_.c_str());
    return ok;
}

// The frames written so far stay; the WAV file gets its sizes so that it plays.
void FrameDirectorySink::abandon() {
    if (pending_.valid()) pending_.get();
    wav_->close();
}

}  // namespace xmascard
