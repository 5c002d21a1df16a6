// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/media/ffmpeg/video_formats.h"
#include "platform/media/result.h"
#include "platform/media/video_encoder.h"

namespace xmascard::media {

// The video encoder on FFmpeg's libraries (libx264, libvpx, ...): the one that the video
// module gives the program (video_module.cpp), and that its tests use directly.
class FfmpegVideoEncoder final : public VideoEncoder {
  public:
    // In the format the name's extension asks for (see video_formats.h).
    static Result<std::unique_ptr<VideoEncoder>> open(const std::string& path,
                                                      const VideoSettings& settings);
    // The same in a format given whatever the name says.
    static Result<std::unique_ptr<VideoEncoder>> open(const std::string& path,
                                                      const VideoFormat& format,
                                                      const VideoSettings& settings);
    ~FfmpegVideoEncoder() override;
    FfmpegVideoEncoder(const FfmpegVideoEncoder&) = delete;
    FfmpegVideoEncoder& operator=(const FfmpegVideoEncoder&) = delete;

    Status addFrame(const std::uint8_t* pixels, int stride) override;
    Status addAudio(const float* interleaved, int frames) override;
    Status finish() override;
    void abandon() override;
    std::int64_t framesAdded() const override;
    const std::string& path() const { return path_; }

  private:
    struct Parts;  // the FFmpeg side
    FfmpegVideoEncoder(std::string path, VideoSettings settings);
    Status start(const VideoFormat& format);
    // Keeps the first failure, abandons the file and returns that failure.
    Status fail(Status status);

    std::string path_;
    VideoSettings settings_;
    std::unique_ptr<Parts> parts_;
    Status state_ = Status::done();
};

}  // namespace xmascard::media
