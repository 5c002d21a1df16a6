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
//
// What the encoders hold in memory is bounded. x264 keeps its frame threads, B-frame pyramid
// and ten frames of look-ahead up to 2560 x 1600; above, it splits each frame among its
// threads (no frames in flight for them), references no B-frames and looks three frames
// ahead: a 4K recording takes half a gigabyte instead of one, at the same quality. libvpx
// looks ahead 16 frames, as far as its golden-frame interval reaches (its default, 25, costs
// 60 MB more at 1280 x 800 for nothing), and none for large pictures.
constexpr const char* kX264 = "preset=veryfast:crf=18:profile=high";
constexpr const char* kX264Large = "thread_type=slice:b-pyramid=none:rc-lookahead=3";
constexpr std::array kFormats{
    VideoFormat{".mp4", "mp4", "movflags=+faststart", "libx264", kX264, kX264Large, "aac", "",
                192000},
    VideoFormat{".webm", "webm", "", "libvpx-vp9",
                "crf=32:b=0:deadline=realtime:cpu-used=7:row-mt=1:tile-columns=2:lag-in-frames=16",
                "lag-in-frames=0", "libopus", "", 160000},
    VideoFormat{".mkv", "matroska", "", "libx264", kX264, kX264Large, "flac", "", 0},
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
