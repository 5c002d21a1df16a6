// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/media/result.h"
#include "platform/media/status.h"

namespace xmascard::media {

struct VideoSettings {
    int width = 0;  // pixels
    int height = 0;
    int fps = 25;
    int sampleRate = 44100;  // of the sound that is added
};

// Writes one video file with its sound, in the format its name's extension asks for (see
// video_file_names.h). The file appears under its name only when finish() succeeds; until
// then it is written beside it under a hidden temporary name, which a failure, abandon() or
// the destructor removes. After a failure every call fails with the same message. Not
// thread-safe: one thread feeds one encoder.
class VideoEncoder {
  public:
    virtual ~VideoEncoder() = default;

    // The next frame: width x height native-endian 0xAARRGGBB pixels (Qt's RGB32 and
    // ARGB32), top row first, rows `stride` bytes apart. The alpha is ignored.
    virtual Status addFrame(const std::uint8_t* pixels, int stride) = 0;
    // The next `frames` frames of interleaved stereo float sound.
    virtual Status addAudio(const float* interleaved, int frames) = 0;
    // Pads the sound with silence to the length of the picture, completes the file and
    // puts it in place.
    virtual Status finish() = 0;
    // Stops and removes what was written.
    virtual void abandon() = 0;

    virtual std::int64_t framesAdded() const = 0;
};

// What a module that encodes videos (a shared library the program opens only to record
// one) gives the program through its one exported function, kVideoEncoderEntry. The
// program and the module share C++ types, so a module is used only when it was built
// with the same interface version.
struct VideoEncoderModule {
    int interfaceVersion;
    Result<std::unique_ptr<VideoEncoder>> (*open)(const std::string& path,
                                                  const VideoSettings& settings);
};
inline constexpr int kVideoEncoderInterface = 1;
inline constexpr const char* kVideoEncoderEntry = "xmascard_video_encoder_module";
using VideoEncoderEntry = const VideoEncoderModule* (*)();

}  // namespace xmascard::media
