// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/video_formats.h"

#include <array>

#include "platform/media/video_file_names.h"

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

}  // namespace

Result<VideoFormat> videoFormatFor(const std::string& path) {
    const std::string extension = lowerExtension(path);
    for (const VideoFormat& format : kFormats)
        if (extension == format.extension) return Result<VideoFormat>::success(format);
    const Status unknown = checkVideoName(path);
    return Result<VideoFormat>::failure(unknown.ok() ? "no encoders for " + path : unknown.error());
}

}  // namespace xmascard::media
