// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/ffmpeg_video_encoder.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/media/ffmpeg/av_handles.h"
#include "platform/media/ffmpeg/output_file.h"
#include "platform/media/ffmpeg/picture_stream.h"
#include "platform/media/ffmpeg/sound_stream.h"
#include "platform/media/ffmpeg/video_formats.h"

namespace xmascard::media {
namespace {

struct MuxerFree {
    void operator()(AVFormatContext* p) const { avformat_free_context(p); }
};

constexpr int kSilenceChunk = 4096;

}  // namespace

struct FfmpegVideoEncoder::Parts {
    VideoFormat format{};
    std::unique_ptr<OutputFile> output;
    std::unique_ptr<AVFormatContext, MuxerFree> muxer;
    std::unique_ptr<PictureStream> picture;
    std::unique_ptr<SoundStream> sound;
};

Result<std::unique_ptr<VideoEncoder>> FfmpegVideoEncoder::open(const std::string& path,
                                                               const VideoSettings& settings) {
    auto format = videoFormatFor(path);
    if (!format.ok()) return Result<std::unique_ptr<VideoEncoder>>::failure(format.error());
    return open(path, format.value(), settings);
}

Result<std::unique_ptr<VideoEncoder>> FfmpegVideoEncoder::open(const std::string& path,
                                                               const VideoFormat& format,
                                                               const VideoSettings& settings) {
    using R = Result<std::unique_ptr<VideoEncoder>>;
    if (settings.width <= 0 || settings.height <= 0 || settings.fps <= 0 ||
        settings.sampleRate <= 0)
        return R::failure("the video needs a size, a frame rate and a sample rate");
    // Failures come back as one line each; the libraries' own chatter is not wanted.
    av_log_set_level(AV_LOG_QUIET);
    std::unique_ptr<FfmpegVideoEncoder> encoder(new FfmpegVideoEncoder(path, settings));
    if (Status started = encoder->start(format); !started.ok()) return R::failure(started.error());
    return R::success(std::move(encoder));
}

FfmpegVideoEncoder::FfmpegVideoEncoder(std::string path, VideoSettings settings)
    : path_(std::move(path)), settings_(settings), parts_(std::make_unique<Parts>()) {}

FfmpegVideoEncoder::~FfmpegVideoEncoder() { abandon(); }

Status FfmpegVideoEncoder::start(const VideoFormat& format) {
    Parts& p = *parts_;
    p.format = format;
    // The encoders are looked for before the file is made: a missing one leaves no trace.
    AVFormatContext* muxer = nullptr;
    avformat_alloc_output_context2(&muxer, nullptr, p.format.muxer, nullptr);
    if (muxer == nullptr)
        return fail(Status::failure(std::string("the container ") + p.format.muxer +
                                    " is missing from this system's FFmpeg libraries"));
    p.muxer.reset(muxer);
    auto picture =
        PictureStream::open(muxer, p.format, settings_.width, settings_.height, settings_.fps);
    if (!picture.ok()) return fail(Status::failure(picture.error()));
    p.picture = picture.take();
    auto sound = SoundStream::open(muxer, p.format, settings_.sampleRate);
    if (!sound.ok()) return fail(Status::failure(sound.error()));
    p.sound = sound.take();

    auto output = OutputFile::create(path_);
    if (!output.ok()) return fail(Status::failure(output.error()));
    p.output = output.take();
    muxer->pb = p.output->io();
    muxer->flags |= AVFMT_FLAG_CUSTOM_IO;
    // Moving the index to the front reads the file back by this name.
    muxer->url = av_strdup(p.output->url().c_str());
    av::Dictionary options;
    options.parse(p.format.muxerOptions);
    if (const int error = avformat_write_header(muxer, options.get()); error < 0)
        return fail(Status::failure("cannot start the video (" + av::errorText(error) + ")"));
    if (const AVDictionaryEntry* unknown =
            av_dict_get(*options.get(), "", nullptr, AV_DICT_IGNORE_SUFFIX))
        return fail(Status::failure(std::string("the container ") + p.format.muxer +
                                    " has no option " + unknown->key));
    return Status::done();
}

Status FfmpegVideoEncoder::fail(Status status) {
    if (state_.ok()) {
        // A failed write says more than the step that met it.
        const std::string reason = parts_->output ? parts_->output->failure() : std::string();
        state_ = reason.empty() ? std::move(status)
                                : Status::failure("cannot write " + path_ + " (" + reason + ")");
    }
    abandon();
    return state_;
}

Status FfmpegVideoEncoder::addFrame(const std::uint8_t* pixels, int stride) {
    if (!state_.ok() || !parts_->picture) return state_;
    Status done = parts_->picture->add(pixels, stride);
    return done.ok() ? done : fail(std::move(done));
}

Status FfmpegVideoEncoder::addAudio(const float* interleaved, int frames) {
    if (!state_.ok() || !parts_->sound) return state_;
    Status done = parts_->sound->add(interleaved, frames);
    return done.ok() ? done : fail(std::move(done));
}

std::int64_t FfmpegVideoEncoder::framesAdded() const {
    return parts_->picture ? parts_->picture->frames() : 0;
}

Status FfmpegVideoEncoder::finish() {
    if (!state_.ok() || !parts_->output) return state_.ok() ? Status::failure("no video") : state_;
    Parts& p = *parts_;
    const auto pictureFrames = p.picture->frames();
    const auto soundFrames = static_cast<std::int64_t>(
        std::llround(static_cast<double>(pictureFrames) * settings_.sampleRate / settings_.fps));
    const std::vector<float> silence(2 * kSilenceChunk, 0.0f);
    while (p.sound->framesAdded() < soundFrames) {
        const auto count =
            std::min<std::int64_t>(kSilenceChunk, soundFrames - p.sound->framesAdded());
        if (Status done = addAudio(silence.data(), static_cast<int>(count)); !done.ok())
            return done;
    }
    if (Status done = p.picture->finish(); !done.ok()) return fail(std::move(done));
    if (Status done = p.sound->finish(); !done.ok()) return fail(std::move(done));
    if (const int error = av_write_trailer(p.muxer.get()); error < 0)
        return fail(Status::failure("cannot complete the video (" + av::errorText(error) + ")"));
    if (Status done = p.output->commit(); !done.ok()) return fail(std::move(done));
    p.output.reset();
    p.picture.reset();
    p.sound.reset();
    p.muxer.reset();
    return Status::done();
}

void FfmpegVideoEncoder::abandon() {
    Parts& p = *parts_;
    if (p.output) p.output->discard();
    // The streams' encoders go before the muxer that their streams belong to.
    p.picture.reset();
    p.sound.reset();
    p.muxer.reset();
    p.output.reset();
    if (state_.ok()) state_ = Status::failure("the video " + path_ + " was abandoned");
}

}  // namespace xmascard::media
