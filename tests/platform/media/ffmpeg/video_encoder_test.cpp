// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/media/ffmpeg/ffmpeg_video_encoder.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

namespace xmascard::media {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 44100;

// A directory of its own for each test, removed afterwards.
class ScratchDir {
  public:
    ScratchDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "." + info->name();
        std::replace(name.begin(), name.end(), '/', '_');
        path_ = fs::temp_directory_path() /
                ("xmascard-video-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string path(const std::string& name) const { return (path_ / name).string(); }
    std::set<std::string> entries() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(path_))
            names.insert(entry.path().filename().string());
        return names;
    }

  private:
    fs::path path_;
};

// Frames of 0xAARRGGBB pixels. Bars that move make a picture an encoder squeezes well;
// noise makes frames of tens of kilobytes each.
enum class Picture { MovingBars, Noise };

std::vector<std::uint32_t> picture(Picture kind, int width, int height, int index) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    std::uint32_t seed = 2463534242u + static_cast<std::uint32_t>(index);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t& p = pixels[static_cast<std::size_t>(y) * width + x];
            if (kind == Picture::Noise) {
                seed ^= seed << 13, seed ^= seed >> 17, seed ^= seed << 5;
                p = 0xFF000000u | (seed & 0xFFFFFFu);
            } else {
                static const std::uint32_t bars[] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu,
                                                     0xFFFFFFFFu};
                p = bars[((x + 4 * index) / 16) % 4];
            }
        }
    return pixels;
}

// Feeds `frames` frames and their sound, a 440 Hz tone 0.1 s shorter than the picture
// (the encoder pads it). The first failure is returned.
Status encodeClip(VideoEncoder& encoder, const VideoSettings& s, int frames, Picture kind) {
    const int perFrame = s.sampleRate / s.fps;
    std::vector<float> sound(2 * static_cast<std::size_t>(perFrame));
    std::int64_t played = 0;
    const std::int64_t soundFrames = std::int64_t{frames} * perFrame - s.sampleRate / 10;
    for (int k = 0; k < frames; ++k) {
        const auto pixels = picture(kind, s.width, s.height, k);
        Status done =
            encoder.addFrame(reinterpret_cast<const std::uint8_t*>(pixels.data()), s.width * 4);
        if (!done.ok()) return done;
        const int count = static_cast<int>(std::min<std::int64_t>(perFrame, soundFrames - played));
        for (int i = 0; i < count; ++i)
            sound[2 * i] = sound[2 * i + 1] =
                0.5f * static_cast<float>(std::sin(2 * M_PI * 440 * double(played + i) / kRate));
        if (count > 0 && !(done = encoder.addAudio(sound.data(), count)).ok()) return done;
        played += std::max(count, 0);
    }
    return encoder.finish();
}

// Opens, encodes and finishes; the first failure, or done.
Status writeClip(const std::string& path, const VideoFormat* format, const VideoSettings& s,
                 int frames, Picture kind) {
    auto encoder =
        format ? FfmpegVideoEncoder::open(path, *format, s) : FfmpegVideoEncoder::open(path, s);
    if (!encoder.ok()) return Status::failure(encoder.error());
    return encodeClip(*encoder.value(), s, frames, kind);
}

struct StreamFacts {
    std::string codec;
    int width = 0;
    int height = 0;
    std::string pixelFormat;
    double endSeconds = 0;  // where the last packet ends
    int packets = 0;
};

// What FFmpeg reads back from a file: each stream's codec, size and end, by media type.
std::map<AVMediaType, StreamFacts> probe(const std::string& path) {
    std::map<AVMediaType, StreamFacts> facts;
    AVFormatContext* input = nullptr;
    if (avformat_open_input(&input, path.c_str(), nullptr, nullptr) < 0) return facts;
    avformat_find_stream_info(input, nullptr);
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        const AVCodecParameters* p = input->streams[i]->codecpar;
        StreamFacts& f = facts[p->codec_type];
        f.codec = avcodec_get_name(p->codec_id);
        f.width = p->width;
        f.height = p->height;
        if (p->codec_type == AVMEDIA_TYPE_VIDEO)
            f.pixelFormat = av_get_pix_fmt_name(static_cast<AVPixelFormat>(p->format));
    }
    AVPacket* packet = av_packet_alloc();
    while (av_read_frame(input, packet) >= 0) {
        const AVStream* stream = input->streams[packet->stream_index];
        const double end = double(packet->pts + packet->duration) * av_q2d(stream->time_base);
        StreamFacts& f = facts[stream->codecpar->codec_type];
        f.endSeconds = std::max(f.endSeconds, end);
        ++f.packets;
        av_packet_unref(packet);
    }
    av_packet_free(&packet);
    avformat_close_input(&input);
    return facts;
}

// The top-level boxes of an MP4 file, in order.
std::vector<std::string> mp4Boxes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> boxes;
    unsigned char header[8];
    while (in.read(reinterpret_cast<char*>(header), 8)) {
        const std::uint64_t size =
            (std::uint64_t{header[0]} << 24) | (header[1] << 16) | (header[2] << 8) | header[3];
        boxes.emplace_back(reinterpret_cast<char*>(header + 4), 4);
        if (size < 8) break;
        in.seekg(static_cast<std::streamoff>(size - 8), std::ios::cur);
    }
    return boxes;
}

TEST(VideoEncoder, WritesEachFormatWithItsCodecsAndBothStreamsAsLongAsThePicture) {
    struct Row {
        const char* file;
        const char* video;
        const char* audio;
    };
    const Row rows[] = {
        {"clip.mp4", "h264", "aac"}, {"clip.webm", "vp9", "opus"}, {"clip.MKV", "h264", "flac"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        ScratchDir dir;
        // An odd size loses its last column and row to 4:2:0.
        const VideoSettings settings{161, 121, 10, kRate};
        ::testing::internal::CaptureStderr();
        const Status done =
            writeClip(dir.path(row.file), nullptr, settings, 25, Picture::MovingBars);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        ASSERT_TRUE(done.ok()) << done.error();
        EXPECT_EQ(dir.entries(), std::set<std::string>{row.file});

        auto facts = probe(dir.path(row.file));
        const StreamFacts& video = facts[AVMEDIA_TYPE_VIDEO];
        const StreamFacts& audio = facts[AVMEDIA_TYPE_AUDIO];
        EXPECT_EQ(facts.size(), 2u);
        EXPECT_EQ(video.codec, row.video);
        EXPECT_EQ(audio.codec, row.audio);
        EXPECT_EQ(video.width, 160);
        EXPECT_EQ(video.height, 120);
        EXPECT_EQ(video.pixelFormat, "yuv420p");
        EXPECT_EQ(video.packets, 25);
        // WebM keeps no duration for the last picture.
        EXPECT_NEAR(video.endSeconds, 2.5, 0.1);
        // The sound ends with the picture, give or take an encoder's padding.
        EXPECT_NEAR(audio.endSeconds, 2.5, 0.03);
    }
}

// Pictures above 2560 x 1600 are encoded with settings of their own, which hold fewer frames
// in memory; every format takes them.
TEST(VideoEncoder, WritesALargePictureInEachFormat) {
    for (const char* file : {"large.mp4", "large.webm", "large.mkv"}) {
        SCOPED_TRACE(file);
        ScratchDir dir;
        const VideoSettings settings{2562, 1602, 10, kRate};
        ASSERT_GT(long{settings.width} * settings.height, kLargePicturePixels);
        const Status done = writeClip(dir.path(file), nullptr, settings, 3, Picture::MovingBars);
        ASSERT_TRUE(done.ok()) << done.error();
        auto facts = probe(dir.path(file));
        EXPECT_EQ(facts[AVMEDIA_TYPE_VIDEO].width, 2562);
        EXPECT_EQ(facts[AVMEDIA_TYPE_VIDEO].packets, 3);
    }
}

TEST(VideoEncoder, AnMp4HasItsIndexBeforeItsPictures) {
    ScratchDir dir;
    ASSERT_TRUE(
        writeClip(dir.path("clip.mp4"), nullptr, {64, 48, 10, kRate}, 5, Picture::MovingBars).ok());
    const auto boxes = mp4Boxes(dir.path("clip.mp4"));
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    const auto mdat = std::find(boxes.begin(), boxes.end(), "mdat");
    ASSERT_NE(moov, boxes.end());
    ASSERT_NE(mdat, boxes.end());
    EXPECT_LT(moov, mdat);
}

// The size of the file that a clip makes, to fail it on its last bytes.
std::uintmax_t clipSize(const std::string& path, const VideoSettings& s, int frames) {
    writeClip(path, nullptr, s, frames, Picture::Noise);
    std::error_code error;
    const auto size = fs::file_size(path, error);
    fs::remove(path, error);
    return error ? 0 : size;
}

// The file size limit of the process for as long as it lives: writes past it fail with
// EFBIG, as writes to a full disk fail with ENOSPC.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = std::min(bytes, saved_.rlim_max);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }

  private:
    rlimit saved_{};
};

TEST(VideoEncoder, AFailedVideoGivesOneReasonAndLeavesNoFileBehind) {
    VideoFormat missingEncoder = videoFormatFor("x.mp4").value();
    missingEncoder.videoEncoder = "libnonexistent264";
    VideoFormat missingSound = videoFormatFor("x.webm").value();
    missingSound.audioEncoder = "libnonexistentopus";
    VideoFormat unknownOption = videoFormatFor("x.mp4").value();
    unknownOption.videoOptions = "crf=18:sharpness=9";
    constexpr rlim_t kNoLimit = RLIM_INFINITY;
    const VideoSettings small{64, 48, 10, kRate};
    const VideoSettings large{320, 240, 10, kRate};

    struct Row {
        const char* name;
        std::function<std::string(const ScratchDir&)> target;  // prepares the directory
        const VideoFormat* format;                             // null: by the extension
        VideoSettings settings;
        std::function<rlim_t(const ScratchDir&)> fileLimit;
        const char* message;
    };
    const auto named = [](const char* name) {
        return [name](const ScratchDir& d) { return d.path(name); };
    };
    const auto noLimit = [](const ScratchDir&) { return kNoLimit; };
    const Row rows[] = {
        {"unknown extension", named("card.avi"), nullptr, small, noLimit,
         "should end in .mp4, .webm or .mkv"},
        {"no extension", named("card"), nullptr, small, noLimit, "should end in .mp4"},
        {"missing directory", named("missing/card.mp4"), nullptr, small, noLimit,
         "cannot create " /* ... (No such file or directory) */},
        {"directory is a file",
         [](const ScratchDir& d) {
             std::ofstream(d.path("plain")) << "x";
             return d.path("plain/card.mp4");
         },
         nullptr, small, noLimit, "(Not a directory)"},
        {"a directory holds the name",
         [](const ScratchDir& d) {
             fs::create_directory(d.path("card.mp4"));
             return d.path("card.mp4");
         },
         nullptr, small, noLimit, "cannot put the video in place"},
        {"missing picture encoder", named("card.mp4"), &missingEncoder, small, noLimit,
         "the encoder libnonexistent264 is missing"},
        {"missing sound encoder", named("card.webm"), &missingSound, small, noLimit,
         "the encoder libnonexistentopus is missing"},
        {"misspelt encoder option", named("card.mp4"), &unknownOption, small, noLimit,
         "has no option sharpness"},
        {"disk full from the start", named("card.mp4"), nullptr, large,
         [](const ScratchDir&) { return rlim_t{0}; }, "(File too large)"},
        {"disk full while the frames come", named("card.webm"), nullptr, large,
         [](const ScratchDir&) { return rlim_t{64 * 1024}; }, "(File too large)"},
        {"disk full on the last bytes", named("card.mp4"), nullptr, large,
         [&](const ScratchDir& d) { return rlim_t{clipSize(d.path("measure.mp4"), large, 8) - 1}; },
         "(File too large)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScratchDir dir;
        const std::string target = row.target(dir);
        const rlim_t limit = row.fileLimit(dir);
        const auto before = dir.entries();
        ::testing::internal::CaptureStderr();
        Status done = Status::done();
        {
            FileSizeLimit fileLimit(limit);
            done = writeClip(target, row.format, row.settings, 8, Picture::Noise);
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        ASSERT_FALSE(done.ok());
        EXPECT_NE(done.error().find(row.message), std::string::npos) << done.error();
        EXPECT_EQ(done.error().find('\n'), std::string::npos) << done.error();
        EXPECT_EQ(dir.entries(), before);
    }
}

}  // namespace
}  // namespace xmascard::media
