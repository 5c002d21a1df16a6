// SPDX-License-Identifier: MIT
#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/recording_sink.h"
#include "platform/io/safe_file.h"
#include "platform/io/shown_text.h"
#include "platform/media/video_encoder.h"

namespace xmascard {

// One video file with its sound. The encoder works on a thread of its own, so the next
// frames of the show render while the last ones are encoded; a short queue between the two
// holds the renderer back when the encoder falls behind. The video is written beside its
// name and put in place only by finish(); what is at the name until then stays as it was.
// As for every file the card writes, a directory or a file the user may not write at the
// name is refused, not replaced. Temporary files of the name that killed recordings left
// in the directory are removed first.
class VideoFileSink final : public RecordingSink {
  public:
    // Null, after one line on standard error, when the video cannot be started (no such
    // directory, a read-only file at the name, an encoder missing, ...).
    static std::unique_ptr<VideoFileSink> open(const std::string& path,
                                               const media::VideoSettings& settings);
    ~VideoFileSink() override;

    bool addFrame(std::unique_ptr<Image> screen) override;
    bool addAudio(const float* interleaved, int frames) override;
    bool finish() override;
    void abandon(Stop why) override;
    std::string destination() const override { return "into " + io::shown(path_); }

  private:
    // A frame of the screen or a piece of the sound, in the order they came.
    struct Piece {
        std::unique_ptr<Image> screen;  // null for sound
        std::vector<float> sound;
    };

    VideoFileSink(std::string path, io::Directory directory, std::string name,
                  std::unique_ptr<media::VideoEncoder> encoder, int maxQueuedFrames);
    bool enqueue(Piece piece);
    void encodeQueued();
    // Forgets the queued pieces; called with the mutex held.
    void dropQueued();
    // Stops the worker after what is queued (or at once when abandoning) and joins it.
    void stopWorker();

    std::string path_;
    // The directory the video goes into, held for its lock while the video is written, and
    // the video's name in it.
    io::Directory directory_;
    std::string name_;
    std::unique_ptr<media::VideoEncoder> encoder_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Piece> queue_;
    const int maxQueuedFrames_;
    int queuedFrames_ = 0;
    bool closing_ = false;
    bool failed_ = false;
    std::thread worker_;
};

}  // namespace xmascard
