// SPDX-License-Identifier: MIT
#include "app/frame_directory_sink.h"

#include <QDir>
#include <cstdio>

namespace xmascard {

std::unique_ptr<FrameDirectorySink> FrameDirectorySink::open(const std::string& directory,
                                                             int sampleRate) {
    if (!QDir().mkpath(QString::fromStdString(directory))) {
        std::fprintf(stderr, "xmascard: cannot create the directory %s\n", directory.c_str());
        return nullptr;
    }
    auto wav = media::WavWriter::open(directory + "/soundtrack.wav", sampleRate);
    if (!wav) return nullptr;
    return std::unique_ptr<FrameDirectorySink>(new FrameDirectorySink(directory, std::move(wav)));
}

// The PNG is encoded while the show goes on.
bool FrameDirectorySink::addFrame(QImage screen) {
    if (pending_.valid() && !pending_.get()) failed_ = true;
    if (failed_) return false;
    const QString path = QDir(QString::fromStdString(directory_))
                             .filePath(QString::asprintf("frame-%05d.png", frames_++));
    pending_ = std::async(std::launch::async, [image = std::move(screen), path] {
        return image.save(path, "PNG", 80);
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
