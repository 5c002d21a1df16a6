// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>

#include "platform/media/ffmpeg/encoded_stream.h"
#include "platform/media/ffmpeg/video_formats.h"

namespace xmascard::media {

// The picture of a video: frames of 32-bit pixels, converted to 4:2:0 with BT.709 colours
// in limited range (what players assume for pictures of this size, and what the stream
// is tagged with), encoded at a constant frame rate.
class PictureStream : public EncodedStream {
  public:
    // 4:2:0 needs even sides: an odd width or height loses its last column or row.
    static Result<std::unique_ptr<PictureStream>> open(AVFormatContext* muxer,
                                                       const VideoFormat& format, int width,
                                                       int height, int fps);

    // `pixels` is the top row first, `stride` bytes apart, each pixel a native-endian
    // 0xAARRGGBB word (Qt's RGB32 and ARGB32); the alpha is ignored.
    Status add(const std::uint8_t* pixels, int stride);
    Status finish() { return send(nullptr); }
    std::int64_t frames() const { return sent_; }

  private:
    PictureStream(AVFormatContext* muxer, av::CodecContext codec)
        : EncodedStream(muxer, std::move(codec)) {}
    Status prepare();

    av::Scaler scaler_;
    av::Frame frame_;
};

}  // namespace xmascard::media
