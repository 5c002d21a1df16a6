// SPDX-License-Identifier: MIT
// The entry point of the video module: the one symbol the shared library exports. The
// program opens the library only to record a video, so that every other run of the card
// loads none of FFmpeg's libraries and the ones they pull in.
#include "platform/media/ffmpeg/ffmpeg_video_encoder.h"

namespace {

xmascard::media::Result<std::unique_ptr<xmascard::media::VideoEncoder>> openByName(
    const std::string& path, const xmascard::media::VideoSettings& settings) {
    return xmascard::media::FfmpegVideoEncoder::open(path, settings);
}

constexpr xmascard::media::VideoEncoderModule kModule{xmascard::media::kVideoEncoderInterface,
                                                      &openByName};

}  // namespace

extern "C" __attribute__((visibility("default"))) const xmascard::media::VideoEncoderModule*
xmascard_video_encoder_module() {
    return &kModule;
}
