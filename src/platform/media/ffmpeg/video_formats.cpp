// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/video_formats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace xmascard::media {
namespace {

// MP4 is what phones and messengers play: H.264 in 4:2:0 and AAC, with the index at the
// front (faststart) so that a player can start before the whole file has arrived.
// WebM is what browsers play without a plug-in: VP9 and Opus.
// Matroska is the copy to keep or edit: the same H.264 picture as MP4 and the sound
// lossless in FLAC, which Matroska carries natively and which costs about 5 MB here.
constexpr std::array kFormats{
    VideoFormat{".mp4", "mp4", "movflags=+faststart", "libx264",
                "preset=veryfast:crf=18:profile=high", "aac", "", 192000},
    VideoFormat{".webm", "webm", "", "libvpx-vp9",
                "crf=32:b=0:deadline=realtime:cpu-used=7:row-mt=1:tile-columns=2", "libopus", "",
                160000},
    VideoFormat{".mkv", "matroska", "", "libx264", "preset=veryfast:crf=18:profile=high", "flac",
                "", 0},
};

// Other extensions of video and animation files: a recording asked for under one of these
// names is refused rather than written as a directory of that name.
constexpr std::array<std::string_view, 12> kOtherVideoExtensions{
    ".avi", ".mov", ".m4v", ".ogv", ".ogg", ".flv", ".wmv", ".gif", ".mpg", ".mpeg", ".ts", ".3gp"};

std::string lowerExtension(const std::string& path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string extension = path.substr(dot);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

}  // namespace

Result<VideoFormat> videoFormatFor(const std::string& path) {
    const std::string extension = lowerExtension(path);
    for (const VideoFormat& format : kFormats)
        if (extension == format.extension) return Result<VideoFormat>::success(format);
    return Result<VideoFormat>::failure("cannot tell the kind of video from the name " + path +
                                        "; it should end in .mp4, .webm or .mkv");
}

bool namesVideoFile(const std::string& path) {
    const std::string extension = lowerExtension(path);
    if (extension.empty()) return false;
    if (videoFormatFor(path).ok()) return true;
    return std::find(kOtherVideoExtensions.begin(), kOtherVideoExtensions.end(), extension) !=
           kOtherVideoExtensions.end();
}

}  // namespace xmascard::media
