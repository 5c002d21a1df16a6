// SPDX-License-Identifier: MIT
#include "app/video_file_sink.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "app/video_module.h"
#include "platform/io/shown_text.h"

namespace xmascard {
namespace {
// Frames waiting for the encoder: enough to ride out its uneven pace, few enough that
// the queue stays within a few tens of megabytes at full HD; and at most 64 MB of them,
// at least one, on larger screens (a 4K frame takes 33 MB).
constexpr int kQueuedFrames = 6;
constexpr long long kQueuedBytes = 64LL * 1024 * 1024;

int framesToQueue(const media::VideoSettings& settings) {
    const long long frameBytes = 4LL * settings.width * settings.height;
    return static_cast<int>(std::clamp<long long>(kQueuedBytes / frameBytes, 1, kQueuedFrames));
}
}  // namespace

std::unique_ptr<VideoFileSink> VideoFileSink::open(const std::string& path,
                                                   const media::VideoSettings& settings) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    auto directory = io::Directory::open(folder);
    if (!directory.ok() || name.empty()) {
        std::fprintf(stderr, "xmascard: cannot create %s (%s)\n", io::shown(path).c_str(),
                     directory.ok() ? "no file name given" : directory.error().c_str());
        return nullptr;
    }
    if (const auto problem = io::replacementProblem(directory.value(), name)) {
        std::fprintf(stderr, "xmascard: cannot record into %s: %s\n", io::shown(path).c_str(),
                     problem->c_str());
        return nullptr;
    }
    io::removeStaleTemporaries(directory.value(),
                               [&](std::string_view other) { return other == name; });
    auto encoder = openVideoEncoder(path, settings);
    if (!encoder.ok()) {
        std::fprintf(stderr, "xmascard: %s\n", io::shown(encoder.error()).c_str());
        return nullptr;
    }
    return std::unique_ptr<VideoFileSink>(
        new VideoFileSink(path, directory.take(), name, encoder.take(), framesToQueue(settings)));
}

VideoFileSink::VideoFileSink(std::string path, io::Directory directory, std::string name,
                             std::unique_ptr<media::VideoEncoder> encoder, int maxQueuedFrames)
    : path_(std::move(path)),
      directory_(std::move(directory)),
      name_(std::move(name)),
      encoder_(std::move(encoder)),
      maxQueuedFrames_(maxQueuedFrames),
      worker_([this] { encodeQueued(); }) {}

VideoFileSink::~VideoFileSink() { abandon(Stop::Failed); }

bool VideoFileSink::addFrame(std::unique_ptr<Image> screen) {
    screen->bits();  // the drawing ends here, on the thread that drew it
    return enqueue(Piece{std::move(screen), {}});
}

bool VideoFileSink::addAudio(const float* interleaved, int frames) {
    return enqueue(Piece{{}, std::vector<float>(interleaved, interleaved + 2 * frames)});
}

bool VideoFileSink::enqueue(Piece piece) {
    std::unique_lock lock(mutex_);
    const bool frame = piece.screen != nullptr;
    changed_.wait(lock, [&] { return failed_ || !frame || queuedFrames_ < maxQueuedFrames_; });
    if (failed_ || closing_) return false;
    queuedFrames_ += frame ? 1 : 0;
    queue_.push_back(std::move(piece));
    changed_.notify_all();
    return true;
}

void VideoFileSink::encodeQueued() {
    for (;;) {
        Piece piece;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
            if (queue_.empty()) return;
            piece = std::move(queue_.front());
            queue_.pop_front();
        }
        const media::Status done =
            piece.screen
                ? encoder_->addFrame(piece.screen->bits(), piece.screen->stride())
                : encoder_->addAudio(piece.sound.data(), static_cast<int>(piece.sound.size() / 2));
        std::lock_guard lock(mutex_);
        if (piece.screen) --queuedFrames_;
        if (!done.ok()) {
            failed_ = true;
            dropQueued();
        }
        changed_.notify_all();
        if (failed_) return;
    }
}

void VideoFileSink::stopWorker() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        changed_.notify_all();
    }
    if (worker_.joinable()) worker_.join();
}

bool VideoFileSink::finish() {
    stopWorker();
    // What came to the name while the video was written is refused as at the start.
    if (const auto problem = io::replacementProblem(directory_, name_)) {
        encoder_->abandon();
        std::fprintf(stderr, "xmascard: cannot record into %s: %s\n", io::shown(path_).c_str(),
                     problem->c_str());
        return false;
    }
    // After a failure finish() gives the encoder's first failure.
    const media::Status done = encoder_->finish();
    if (!done.ok()) std::fprintf(stderr, "xmascard: %s\n", io::shown(done.error()).c_str());
    return done.ok();
}

void VideoFileSink::dropQueued() {
    for (const Piece& piece : queue_) queuedFrames_ -= piece.screen ? 1 : 0;
    queue_.clear();
}

// The video half written goes, however the recording stopped.
void VideoFileSink::abandon(Stop) {
    {
        std::lock_guard lock(mutex_);
        dropQueued();
    }
    stopWorker();
    encoder_->abandon();
}

}  // namespace xmascard
