// SPDX-License-Identifier: MIT
#include "platform/media/ffmpeg/sound_stream.h"

#include <algorithm>

namespace xmascard::media {
namespace {

constexpr int kDefaultFrameSize = 1024;

// The input rate when the encoder takes it, else 48 kHz, else its first rate.
int chooseRate(const AVCodec* codec, int inputRate) {
    const int* rates = codec->supported_samplerates;
    if (rates == nullptr) return inputRate;
    for (const int* r = rates; *r != 0; ++r)
        if (*r == inputRate) return inputRate;
    for (const int* r = rates; *r != 0; ++r)
        if (*r == 48000) return 48000;
    return rates[0];
}

}  // namespace

Result<std::unique_ptr<SoundStream>> SoundStream::open(AVFormatContext* muxer,
                                                       const VideoFormat& format, int sampleRate) {
    using R = Result<std::unique_ptr<SoundStream>>;
    auto encoder = findEncoder(format.audioEncoder);
    if (!encoder.ok()) return R::failure(encoder.error());
    const AVCodec* found = encoder.value();
    av::CodecContext codec(avcodec_alloc_context3(found));
    if (!codec) return R::failure("out of memory");
    codec->sample_fmt = found->sample_fmts != nullptr ? found->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    codec->sample_rate = chooseRate(found, sampleRate);
    codec->ch_layout = AV_CHANNEL_LAYOUT_STEREO;
    codec->bit_rate = format.audioBitRate;
    codec->time_base = AVRational{1, codec->sample_rate};
    std::unique_ptr<SoundStream> stream(new SoundStream(muxer, std::move(codec), sampleRate));
    if (Status opened = stream->openEncoder(format.audioOptions); !opened.ok())
        return R::failure(opened.error());
    if (Status prepared = stream->prepare(); !prepared.ok()) return R::failure(prepared.error());
    return R::success(std::move(stream));
}

Status SoundStream::prepare() {
    AVCodecContext* c = codec();
    if (c->frame_size <= 0) c->frame_size = kDefaultFrameSize;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* resampler = nullptr;
    if (swr_alloc_set_opts2(&resampler, &c->ch_layout, c->sample_fmt, c->sample_rate, &stereo,
                            AV_SAMPLE_FMT_FLT, inputRate_, 0, nullptr) < 0 ||
        swr_init(resampler) < 0) {
        swr_free(&resampler);
        return Status::failure("cannot convert the sound for the encoder");
    }
    resampler_.reset(resampler);
    fifo_.reset(av_audio_fifo_alloc(c->sample_fmt, c->ch_layout.nb_channels, c->frame_size));
    frame_.reset(av_frame_alloc());
    converted_.reset(av_frame_alloc());
    if (!fifo_ || !frame_ || !converted_) return Status::failure("out of memory");
    frame_->format = c->sample_fmt;
    frame_->sample_rate = c->sample_rate;
    frame_->nb_samples = c->frame_size;
    if (av_channel_layout_copy(&frame_->ch_layout, &c->ch_layout) < 0 ||
        av_frame_get_buffer(frame_.get(), 0) < 0)
        return Status::failure("out of memory");
    return Status::done();
}

Status SoundStream::add(const float* interleaved, int frames) {
    if (frames <= 0) return Status::done();
    if (Status done = convert(interleaved, frames); !done.ok()) return done;
    added_ += frames;
    return encodeFrames(codec()->frame_size);
}

// Resamples into the FIFO; null input drains what the resampler holds back.
Status SoundStream::convert(const float* interleaved, int frames) {
    AVCodecContext* c = codec();
    const int capacity = swr_get_out_samples(resampler_.get(), frames);
    if (capacity <= 0) return Status::done();
    if (converted_->nb_samples < capacity) {
        av_frame_unref(converted_.get());
        converted_->format = c->sample_fmt;
        converted_->nb_samples = capacity;
        if (av_channel_layout_copy(&converted_->ch_layout, &c->ch_layout) < 0 ||
            av_frame_get_buffer(converted_.get(), 0) < 0)
            return Status::failure("out of memory");
    }
    const auto* input = reinterpret_cast<const std::uint8_t*>(interleaved);
    const int made = swr_convert(resampler_.get(), converted_->data, capacity,
                                 interleaved != nullptr ? &input : nullptr, frames);
    if (made < 0) return Status::failure("cannot convert the sound for the encoder");
    if (av_audio_fifo_write(fifo_.get(), reinterpret_cast<void**>(converted_->data), made) < made)
        return Status::failure("out of memory");
    return Status::done();
}

// Encodes whole frames while the FIFO holds at least `atLeast` samples (a shorter last
// frame when it is 1).
Status SoundStream::encodeFrames(int atLeast) {
    AVCodecContext* c = codec();
    while (av_audio_fifo_size(fifo_.get()) >= atLeast && av_audio_fifo_size(fifo_.get()) > 0) {
        if (av_frame_make_writable(frame_.get()) < 0) return Status::failure("out of memory");
        const int count = std::min(av_audio_fifo_size(fifo_.get()), c->frame_size);
        av_audio_fifo_read(fifo_.get(), reinterpret_cast<void**>(frame_->data), count);
        frame_->nb_samples = count;
        if (count < c->frame_size && !(c->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) &&
            !(c->codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE)) {
            // This encoder takes whole frames only: the last one is filled with silence.
            av_samples_set_silence(frame_->data, count, c->frame_size - count,
                                   c->ch_layout.nb_channels, c->sample_fmt);
            frame_->nb_samples = c->frame_size;
        }
        frame_->pts = sent_;
        sent_ += frame_->nb_samples;
        if (Status done = send(frame_.get()); !done.ok()) return done;
    }
    return Status::done();
}

Status SoundStream::finish() {
    if (Status done = convert(nullptr, 0); !done.ok()) return done;
    if (Status done = encodeFrames(1); !done.ok()) return done;
    return send(nullptr);
}

}  // namespace xmascard::media
