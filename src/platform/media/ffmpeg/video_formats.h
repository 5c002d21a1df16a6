// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "platform/media/result.h"

namespace xmascard::media {

// How a kind of video file is written: its container, its picture and sound encoders and
// their settings, as "key=value:key=value" option strings.
struct VideoFormat {
    const char* extension;  // with its dot, lower case
    const char* muxer;
    const char* muxerOptions;
    const char* videoEncoder;
    const char* videoOptions;
    // Added to videoOptions for pictures of more than kLargePicturePixels: fewer frames in
    // flight, so that a 4K recording stays within a few hundred megabytes.
    const char* largePictureOptions;
    const char* audioEncoder;
    const char* audioOptions;
    long audioBitRate;  // bits per second; 0 for a lossless encoder
};

// Above this many pixels (2560 x 1600) a picture is large: each frame an encoder holds
// costs tens of megabytes.
inline constexpr long kLargePicturePixels = 2560L * 1600;

// The format that a file name asks for by its extension (in any case; see
// video_file_names.h), or a message that names the extensions there are.
Result<VideoFormat> videoFormatFor(const std::string& path);

}  // namespace xmascard::media
