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
    const char* audioEncoder;
    const char* audioOptions;
    long audioBitRate;  // bits per second; 0 for a lossless encoder
};

// The format that a file name asks for by its extension (in any case; see
// video_file_names.h), or a message that names the extensions there are.
Result<VideoFormat> videoFormatFor(const std::string& path);

}  // namespace xmascard::media
