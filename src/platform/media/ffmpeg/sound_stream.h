// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "platform/media/ffmpeg/encoded_stream.h"
#include "platform/media/ffmpeg/video_formats.h"

namespace xmascard::media {

// The sound of a video: interleaved float stereo at the program's rate, resampled and
// converted to what the encoder takes (Opus, for one, only takes 48 kHz), and cut into
// the encoder's frames.
class SoundStream : public EncodedStream {
  public:
    static Result<std::unique_ptr<SoundStream>> open(AVFormatContext* muxer,
                                                     const VideoFormat& format, int sampleRate);

    Status add(const float* interleaved, int frames);
    // Encodes what the resampler and the last short frame still hold, then drains.
    Status finish();
    // Frames added, at the input rate.
    std::int64_t framesAdded() const { return added_; }

  private:
    SoundStream(AVFormatContext* muxer, av::CodecContext codec, int inputRate)
        : EncodedStream(muxer, std::move(codec)), inputRate_(inputRate) {}
    Status prepare();
    Status convert(const float* interleaved, int frames);
    Status encodeFrames(int atLeast);

    int inputRate_;
    std::int64_t added_ = 0;
    av::Resampler resampler_;
    av::Fifo fifo_;
    av::Frame frame_;
    av::Frame converted_;
};

}  // namespace xmascard::media
