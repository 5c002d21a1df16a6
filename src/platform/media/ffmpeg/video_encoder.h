// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/media/ffmpeg/status.h"
#include "platform/media/ffmpeg/video_formats.h"
#include "platform/media/result.h"

namespace xmascard::media {

struct VideoSettings {
    int width = 0;  // pixels
    int height = 0;
    int fps = 25;
    int sampleRate = 44100;  // of the sound that is added
};

// Writes one video file with its sound through FFmpeg's libraries, in the format its
// name's extension asks for (see video_formats.h). The file appears under its name only
// when finish() succeeds; until then it is written beside it under a hidden temporary
// name, which a failure, abandon() or the destructor removes. After a failure every call
// fails with the same message. Not thread-safe: one thread feeds one encoder.
class VideoEncoder {
  public:
    static Result<std::unique_ptr<VideoEncoder>> open(const std::string& path,
                                                      const VideoSettings& settings);
    // The same in a format given whatever the name says.
    static Result<std::unique_ptr<VideoEncoder>> open(const std::string& path,
                                                      const VideoFormat& format,
                                                      const VideoSettings& settings);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // The next frame: width x height native-endian 0xAARRGGBB pixels (Qt's RGB32 and
    // ARGB32), top row first, rows `stride` bytes apart. The alpha is ignored.
    Status addFrame(const std::uint8_t* pixels, int stride);
    // The next `frames` frames of interleaved stereo float sound.
    Status addAudio(const float* interleaved, int frames);
    // Pads the sound with silence to the length of the picture, completes the file and
    // puts it in place.
    Status finish();
    // Stops and removes what was written.
    void abandon();

    std::int64_t framesAdded() const;
    const std::string& path() const { return path_; }

  private:
    struct Parts;  // the FFmpeg side
    VideoEncoder(std::string path, VideoSettings settings);
    Status start(const VideoFormat& format);
    // Keeps the first failure, abandons the file and returns that failure.
    Status fail(Status status);

    std::string path_;
    VideoSettings settings_;
    std::unique_ptr<Parts> parts_;
    Status state_ = Status::done();
};

}  // namespace xmascard::media
