// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/media/ffmpeg/av_handles.h"
#include "platform/media/result.h"
#include "platform/media/status.h"

namespace xmascard::media {

// One stream of a video file and the encoder that fills it. Frames go in; every packet the
// encoder gives back is handed to the muxer, which interleaves the streams by time.
class EncodedStream {
  public:
    EncodedStream(const EncodedStream&) = delete;
    EncodedStream& operator=(const EncodedStream&) = delete;

    AVCodecContext* codec() { return codec_.get(); }
    // Seconds of the stream sent to the encoder so far.
    double seconds() const;

  protected:
    // Finds the encoder by name: a clear message when this FFmpeg was built without it.
    static Result<const AVCodec*> findEncoder(const char* name);

    EncodedStream(AVFormatContext* muxer, av::CodecContext codec);
    // Opens the encoder with the options ("key=value:...", those of `moreOptions` over
    // them), then adds its stream to the muxer. Options the encoder does not know are an
    // error: they would be lost silently.
    Status openEncoder(const char* options, const char* moreOptions = nullptr);
    // Encodes a frame, or with null drains the encoder; writes what comes out.
    Status send(const AVFrame* frame);

    std::int64_t sent_ = 0;  // in the codec's time base

  private:
    AVFormatContext* muxer_;
    av::CodecContext codec_;
    AVStream* stream_ = nullptr;
    av::Packet packet_;
};

}  // namespace xmascard::media
